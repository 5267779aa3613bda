#include "gui/dishes/DishViews.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>

#include "core/db/SqlHelpers.h"
#include "core/dishes/DishCommands.h"
#include "gui/common/DishGridFooter.h"
#include "gui/common/DishGridModel.h"
#include "gui/dishes/DishListDelegate.h"

namespace {

const QString kLineNumber = QStringLiteral("consume_bh");

QVector<DishGridColumn> DishListColumns() {
    return {
        {QStringLiteral("餐台名称"), QStringLiteral("room_name"), 104, true},
        {QStringLiteral("菜品名称"), QStringLiteral("consume_meal_name"), 145, true},
        {QStringLiteral("菜品状态"), QStringLiteral("consume_Chupinstate"), 83, true},
        {QStringLiteral("等待分钟"), QStringLiteral("yysj"), 79, true},
        {QStringLiteral("点菜时间"), QStringLiteral("consume_begintime"), 138, false},
        {QStringLiteral("催菜状态"), QStringLiteral("consume_state"), 69, true},
        {QStringLiteral("数量"), QStringLiteral("consume_num"), 64, true},
        {QStringLiteral("上菜顺序"), QStringLiteral("Smalltype_scsx"), 57, true},
        {QStringLiteral("客户要求"), QStringLiteral("consume_taste"), 163, true},
        {QStringLiteral("菜品编码"), QStringLiteral("consume_meal_id"), 115, true},
        {QStringLiteral("厨师名称"), QStringLiteral("employee_name"), 97, false},
        {QStringLiteral("出品部门"), QStringLiteral("kitchen_name"), 92, true},
        {QStringLiteral("工作站点"), QStringLiteral("sit_name"), 99, true},
        {QString(), QStringLiteral("consume_Chupinlogo"), 0, false},
    };
}

// The hourglass for the length of a handler.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Runs a step whose failure the station shows nowhere (the list simply stays as it was).
template <class F>
bool Quietly(F&& step) {
    try {
        return step();
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

DishViews::DishViews(MainWindowContext& ctx, QObject* parent)
    : QObject(parent), ctx_(ctx), guard_(ctx.boxes, ctx.window) {
    MainWindowUi& ui = ctx_.ui;
    grid_ = ui.cxGrid_ct_cp;
    model_ = new DishGridModel(ctx_.dm.ADO_cp, DishListColumns(), this);
    BindDishGrid(ui.cxGrid_ct_cp, model_);
    delegate_ = new DishListDelegate(
        *model_, [this] { return emphasisOpen(); }, this);
    ui.cxGrid_ct_cp->setItemDelegate(delegate_);
    ui.cxGrid_ct_cp->setContextMenuPolicy(Qt::CustomContextMenu);

    footer_ = new DishGridFooter(ui.cxGrid_ct_cp, ui.RzPanel5);
    if (auto* box = qobject_cast<QBoxLayout*>(ui.RzPanel5->layout())) {
        box->insertWidget(box->indexOf(ui.cxGrid_ct_cp) + 1, footer_);
    }
    connect(&ctx_.dm.ADO_cp, &QueryObject::rowsReset, this, &DishViews::updateFooter);
    updateFooter();

    stackPages();
    connectControls();
}

DishViews::~DishViews() {
    // The grid may outlive the views (the window deletes its children last).
    if (grid_) {
        grid_->setItemDelegate(nullptr);
        grid_->setModel(nullptr);
    }
}

DishGridFooter* DishViews::listFooter() const {
    return footer_;
}

void DishViews::stackPages() {
    MainWindowUi& ui = ctx_.ui;
    // Lowest first; a visible icon page lies under the list page.
    for (QWidget* page : {ui.RzPanel7, ui.RzPanel10, ui.RzPanel5, ui.RzPl_tccc, ui.RzPl_finished}) {
        page->setAutoFillBackground(true);
        page->raise();
    }
}

void DishViews::connectControls() {
    MainWindowUi& ui = ctx_.ui;
    // activated: only the operator's choice runs a handler, never a change made by code.
    connect(ui.CB_cpzt, &QComboBox::activated, this, guard_.wrap([this] { CB_cpztChange(); }));
    connect(ui.CB_cpbm, &QComboBox::activated, this, guard_.wrap([this] { CB_cpbmChange(); }));
    connect(ui.CB_gzzd, &QComboBox::activated, this, guard_.wrap([this] { CB_gzzdChange(); }));
    for (QComboBox* list : {ui.CB_cpzt, ui.CB_cpbm, ui.CB_gzzd}) {
        list->installEventFilter(this);
    }
    connect(ui.RG_xszt, &RadioGroup::itemClicked, this, guard_.wrap([this] { RG_xsztClick(); }));
    connect(ui.TAB_CP, &QTabBar::currentChanged, this,
            [this](int index) { guard_.run([&] { TAB_CPChange(index); }); });

    connect(ui.Button_kszz, &QToolButton::clicked, this,
            guard_.wrap([this] { Button_kszzClick(); }));
    connect(ui.Button_jjzz, &QToolButton::clicked, this,
            guard_.wrap([this] { Button_jjzzClick(); }));
    connect(ui.Button_wfzz, &QToolButton::clicked, this,
            guard_.wrap([this] { Button_wfzzClick(); }));
    connect(ui.Button_zzwc, &QToolButton::clicked, this,
            guard_.wrap([this] { Button_zzwcClick(); }));
    connect(ui.Button_cpys, &QToolButton::clicked, this,
            guard_.wrap([this] { Button_cpysClick(); }));
    connect(ui.N9, &QAction::triggered, this, guard_.wrap([this] { Button_kszzClick(); }));
    connect(ui.N10, &QAction::triggered, this, guard_.wrap([this] { Button_jjzzClick(); }));
    connect(ui.N1, &QAction::triggered, this, guard_.wrap([this] { Button_wfzzClick(); }));
    connect(ui.N2, &QAction::triggered, this, guard_.wrap([this] { Button_zzwcClick(); }));
    connect(ui.N3, &QAction::triggered, this, guard_.wrap([this] { Button_cpysClick(); }));
    connect(ui.N5, &QAction::triggered, this, guard_.wrap([this] { N5Click(); }));
    connect(ui.cxGrid_ct_cp, &QTableView::doubleClicked, this,
            guard_.wrap([this] { Button_cpysClick(); }));
    connect(ui.cxGrid_ct_cp, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { guard_.run([&] { showContextMenu(pos); }); });

    connect(ui.Timer1, &QTimer::timeout, this, guard_.wrap([this] { Timer1Timer(); }));
    connect(ui.Timer4, &QTimer::timeout, this, guard_.wrap([this] { Timer4Timer(); }));
}

void DishViews::showContextMenu(const QPoint& pos) {
    QTableView* grid = ctx_.ui.cxGrid_ct_cp;
    ctx_.ui.PopupMenu3->popup(grid->viewport()->mapToGlobal(pos));
}

bool DishViews::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && watched->isWidgetType()) {
            return focusNextAfter(static_cast<QWidget*>(watched));
        }
    }
    return QObject::eventFilter(watched, event);
}

bool DishViews::focusNextAfter(QWidget* w) {
    for (QWidget* next = w->nextInFocusChain(); next && next != w;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(next->window()) &&
            next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

// ---- filters and the list --------------------------------------------------------------

void DishViews::fillFilterLists() {
    auto fill = [this](QComboBox* list, QStringList& codes, const QString& all, const QString& sql,
                       const QString& codeColumn, const QString& nameColumn) {
        list->clear();
        codes.clear();
        list->addItem(all);
        codes << QString();
        QueryObject& q = ctx_.dm.ADO_Public;
        OpenSql(q, sql);
        if (!q.isOpen()) {
            return;
        }
        for (q.first(); !q.eof(); q.next()) {
            list->addItem(q.asString(nameColumn));
            codes << q.asString(codeColumn);
        }
    };
    fill(ctx_.ui.CB_cpbm, DepartmentCodes, QStringLiteral("所有部门"), kDepartmentListSql,
         QStringLiteral("kitchen_bh"), QStringLiteral("kitchen_name"));
    fill(ctx_.ui.CB_gzzd, StationCodes, QStringLiteral("所有站点"), kStationListSql,
         QStringLiteral("sit_id"), QStringLiteral("sit_name"));
}

DishListFilter DishViews::currentFilter() const {
    const MainWindowUi& ui = ctx_.ui;
    DishListFilter f;
    f.stateItem = ui.CB_cpzt->currentIndex();
    auto code = [](const QComboBox* list, const QStringList& codes) -> std::optional<QString> {
        const int i = list->currentIndex();
        if (i > 0 && i < codes.size()) {
            return codes.at(i);
        }
        return std::nullopt;
    };
    f.departmentCode = code(ui.CB_cpbm, DepartmentCodes);
    f.stationCode = code(ui.CB_gzzd, StationCodes);
    f.scopeItem = ui.RG_xszt->itemIndex();
    f.searchText = ui.E_cpmc->text();
    return f;
}

void DishViews::QueryDishList(const QString& tableId) {
    OpenDishList(ctx_.dm.ADO_cp, ctx_.dm.ADOConn.dialect(), currentFilter(), tableId);
}

void DishViews::QueryServedList() {}

void DishViews::updateFooter() {
    if (!footer_) {
        return;
    }
    const QueryObject& q = ctx_.dm.ADO_cp;
    const int count = q.isOpen() ? q.rowCount() : 0;
    footer_->setCell(model_->columnOf(QStringLiteral("consume_meal_name")),
                     QStringLiteral("菜品记录数") + QString::number(count));
    QString sum;
    const int c = q.isOpen() ? q.columnIndex(QStringLiteral("consume_num")) : -1;
    if (c >= 0 && count > 0) {
        double total = 0;
        for (int r = 0; r < count; ++r) {
            total += q.valueAt(r, c).toDouble();
        }
        sum = DishGridModel::displayText(total);
    }
    footer_->setCell(model_->columnOf(QStringLiteral("consume_num")), sum, Qt::AlignRight);
}

void DishViews::RefreshDishViews(const QString& tableId) {
    MainWindowUi& ui = ctx_.ui;
    switch (ui.TAB_CP->currentIndex()) {
        case 2:
            QueryOverdueDishes(tableId);
            QueryDishList(tableId);
            BuildDishIcons();
            QueryServedList();
            break;
        case 3:
            QueryHurryReturnList(tableId);
            QueryOverdueDishes(tableId);
            QueryDishList(tableId);
            BuildDishIcons();
            QueryServedList();
            break;
        case 4:
            QueryServedList();
            QueryHurryReturnList(tableId);
            QueryOverdueDishes(tableId);
            QueryDishList(tableId);
            BuildDishIcons();
            break;
        default:
            QueryDishList(tableId);
            ui.RzPanel10->hide();
            ui.Timer1->start();
            BuildDishIcons();
            break;
    }
}

void DishViews::filterChanged(QComboBox* list) {
    if (list->currentIndex() < 0 && list->count() > 0) {
        list->setCurrentIndex(0);
    }
    const QString tableId = ctx_.state.CurrentTableId;
    QueryDishList(tableId);
    ctx_.ui.RzPanel10->hide();
    if (ctx_.ui.TAB_CP->currentIndex() == 1) {
        ctx_.ui.Timer1->start();
    }
    BuildDishIcons();
    QueryHurryReturnList(tableId);
}

void DishViews::CB_cpztChange() {
    filterChanged(ctx_.ui.CB_cpzt);
}

void DishViews::CB_cpbmChange() {
    filterChanged(ctx_.ui.CB_cpbm);
}

void DishViews::CB_gzzdChange() {
    filterChanged(ctx_.ui.CB_gzzd);
}

void DishViews::RG_xsztClick() {
    const QString tableId = ctx_.state.CurrentTableId;
    QueryDishList(tableId);
    ctx_.ui.RzPanel10->hide();
    if (ctx_.ui.TAB_CP->currentIndex() == 1) {
        ctx_.ui.Timer1->start();
    }
    BuildDishIcons();
    QueryOverdueDishes(tableId);
    QueryHurryReturnList(tableId);
}

void DishViews::TAB_CPChange(int index) {
    WaitCursor wait;
    MainWindowUi& ui = ctx_.ui;
    const QList<QWidget*> pages{ui.RzPanel5, ui.RzPanel10, ui.RzPanel7, ui.RzPl_tccc,
                                ui.RzPl_finished};
    for (int i = 0; i < pages.size(); ++i) {
        if (i != index) {
            pages.at(i)->hide();
        }
    }
    if (index >= 0 && index < pages.size()) {
        pages.at(index)->show();
    }
    if (index == 2) {
        ui.RzPanel7->raise();
    }
    ui.Button_cp_syy->setVisible(index == 1);
    ui.Button_cp_xyy->setVisible(index == 1);
}

void DishViews::Timer1Timer() {
    ctx_.ui.RzPanel10->show();
    ctx_.ui.Timer1->stop();
}

void DishViews::startEmphasis() {
    ctx_.ui.Timer4->start();
    ctx_.ui.cxGrid_ct_cp->viewport()->update();
}

bool DishViews::emphasisOpen() const {
    return ctx_.ui.Timer4->isActive();
}

// Cells keep the look they were painted with until the grid paints them again.
void DishViews::Timer4Timer() {
    ctx_.ui.Timer4->stop();
}

// ---- state commands --------------------------------------------------------------------

void DishViews::rerunAndLocate(const QString& lineNumber) {
    QueryObject& list = ctx_.dm.ADO_cp;
    list.rerun();
    list.locatePrefix(kLineNumber, lineNumber);
}

void DishViews::setListLineState(DishState state) {
    Quietly([&] {
        QueryObject& list = ctx_.dm.ADO_cp;
        if (list.isEmpty()) {
            return false;
        }
        const QString line = list.asString(kLineNumber);
        if (!ExecSqlParams(ctx_.dm.ADO_Public, DishStateUpdateSql(),
                           {DishStateText(state), DishStateCode(state), line})) {
            return false;
        }
        rerunAndLocate(line);
        selectIconOfLine(line, state);
        return true;
    });
}

void DishViews::setIconLineState(DishState state) {
    Quietly([&] {
        if (hasSelectedIcon()) {
            markSelectedIcon(state);
        }
        if (ctx_.dm.ADO_cp.isEmpty() || !hasSelectedIcon()) {
            return false;
        }
        const QString line = selectedIconLineNumber();
        if (!ExecSqlParams(ctx_.dm.ADO_Public, DishStateUpdateSql(),
                           {DishStateText(state), DishStateCode(state), line})) {
            return false;
        }
        rerunAndLocate(line);
        return true;
    });
}

void DishViews::setLineState(DishState state, bool onlyListAndIconTabs) {
    const int tab = ctx_.ui.TAB_CP->currentIndex();
    if (tab == 0) {
        setListLineState(state);
    } else if (tab == 1 || !onlyListAndIconTabs) {
        setIconLineState(state);
    }
}

void DishViews::Button_kszzClick() {
    setLineState(DishState::StartMaking, false);
}

void DishViews::Button_jjzzClick() {
    setLineState(DishState::Urgent, false);
}

void DishViews::Button_wfzzClick() {
    setLineState(DishState::CannotMake, true);
}

void DishViews::Button_zzwcClick() {
    setLineState(DishState::Made, false);
}

bool DishViews::serveLine(const QString& lineNumber) {
    const DishState served = DishState::Served;
    QueryObject& update = ctx_.dm.ADO_Public;
    if (!ExecSqlParams(update, DishServedUpdateSql(),
                       {DishStateText(served), DishStateCode(served),
                        ServedTimeText(ctx_.clock.now()), lineNumber})) {
        return false;
    }
    // No row changed: the line is gone (another station, a purge); it was not served here.
    const bool taken = update.rowsAffected() != 0;
    Quietly([&] {
        rerunAndLocate(lineNumber);
        return true;
    });
    return taken;
}

void DishViews::Button_cpysClick() {
    StationState& state = ctx_.state;
    state.ServeRefused = false;
    // Whatever ends without a line recorded as served is a refusal for the caller (the scan
    // must not report a dish as served that is not); a failing check query throws instead.
    state.ServeRefused = !serveCurrentLine();
}

bool DishViews::serveCurrentLine() {
    QueryObject& list = ctx_.dm.ADO_cp;
    if (list.isEmpty()) {
        return false;
    }
    const QString line = list.asString(kLineNumber);
    // The check reads the list's current row on every tab; its errors reach the caller.
    const int order = ServingOrderOf(list.value(QStringLiteral("Smalltype_scsx")));
    if (ServingOrderNeedsCheck(ctx_.settings.MEAL_ORDER, order)) {
        const QString table = list.asString(QStringLiteral("consume_table"));
        if (EarlierCoursePending(ctx_.dm.ADO_Public, table, order) &&
            !ctx_.boxes.askYesNo(
                ctx_.window, QStringLiteral("系统提示"),
                QStringLiteral("未上菜品中有需要优先上菜的菜品！是否继续对该菜品上菜？"))) {
            return false;
        }
    }
    switch (ctx_.ui.TAB_CP->currentIndex()) {
        case 0:
            return !list.isEmpty() && serveLine(line);
        case 1:
            if (hasSelectedIcon()) {
                markSelectedIcon(DishState::Served);
            }
            return !list.isEmpty() && hasSelectedIcon() && serveLine(selectedIconLineNumber());
        default:
            return false;  // the overdue, hurry/return and served tabs serve nothing
    }
}
