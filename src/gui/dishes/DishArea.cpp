#include "gui/dishes/DishArea.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGridLayout>
#include <QMenu>
#include <QTabBar>

#include "core/db/QueryObject.h"
#include "gui/common/StationWidgets.h"
#include "gui/common/WaitCursor.h"
#include "gui/dishes/DishFilters.h"
#include "gui/dishes/DishIconView.h"
#include "gui/dishes/DishListView.h"
#include "gui/dishes/ServingOrderQuestion.h"

namespace {

const QString kLineNumber = QStringLiteral("consume_bh");

// Runs a step whose failure the station shows nowhere (the list simply stays as it was).
template <class F>
void Quietly(F&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

DishArea::DishArea(StationContext& ctx, QWidget* place, QWidget* statePlace,
                   QWidget* hiddenFilterPlace, QWidget* iconPagingPlace, QObject* parent)
    : QObject(parent), ctx_(ctx), guard_(ctx.boxes, ctx.window) {
    filters_ = new DishFilters(ctx_, statePlace, hiddenFilterPlace, this);
    buildPages(place);
    list_ = new DishListView(ctx_, RzPanel5, this);
    views_[ListTab] = list_;
    buildMenu(place);
    icons_ = new DishIconView(ctx_, RzPanel10, iconPagingPlace, PopupMenu3, this);
    views_[IconTab] = icons_;
    connectControls();
}

DishArea::~DishArea() = default;

void DishArea::buildPages(QWidget* place) {
    auto* column = new QVBoxLayout(place);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    TAB_CP = Named(new QTabBar(place), "TAB_CP");
    for (const char* caption :
         {"列表方式显示", "图标方式显示", "超时菜品信息", "催菜退菜信息", "最后出品菜品"}) {
        TAB_CP->addTab(QString::fromUtf8(caption));
    }
    TAB_CP->setExpanding(false);
    TAB_CP->setDrawBase(true);
    column->addWidget(TAB_CP);

    // All five pages share one cell: the page of the chosen tab shows, the others hide, and a
    // hidden page takes no room.
    auto* pages = Named(new QWidget(place), "Panel_cp_pages");
    auto* cell = new QGridLayout(pages);
    cell->setContentsMargins(0, 0, 0, 0);
    RzPanel5 = PlainPage("RzPanel5", pages);
    RzPanel10 = PlainPage("RzPanel10", pages);
    RzPanel7 = PlainPage("RzPanel7", pages);
    RzPl_tccc = PlainPage("RzPl_tccc", pages);
    RzPl_finished = PlainPage("RzPl_finished", pages);
    for (QFrame* page : {RzPanel5, RzPanel10, RzPanel7, RzPl_tccc, RzPl_finished}) {
        page->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        cell->addWidget(page, 0, 0);
        if (page != RzPanel5) {
            page->hide();
        }
    }
    // Lowest first; a visible icon page lies under the list page.
    for (QWidget* page : {RzPanel7, RzPanel10, RzPanel5, RzPl_tccc, RzPl_finished}) {
        page->setAutoFillBackground(true);
        page->raise();
    }
    column->addWidget(pages, 1);
}

void DishArea::buildMenu(QWidget* owner) {
    PopupMenu3 = Named(new QMenu(owner), "PopupMenu3");
    N9 = MenuItem(PopupMenu3, "N9", QStringLiteral("开始制作"), false);
    N10 = MenuItem(PopupMenu3, "N10", QStringLiteral("加急制作"), false);
    N1 = MenuItem(PopupMenu3, "N1", QStringLiteral("无法制作"), true);
    N2 = MenuItem(PopupMenu3, "N2", QStringLiteral("制作完成"), false);
    N3 = MenuItem(PopupMenu3, "N3", QStringLiteral("菜品已上"), true);
    N4 = Named(PopupMenu3->addSeparator(), "N4");
    N4->setVisible(false);
    N5 = MenuItem(PopupMenu3, "N5", QStringLiteral("菜品沽清"), false);
}

void DishArea::connectControls() {
    connect(filters_, &DishFilters::stateChosen, this, guard_.wrap([this] { CB_cpztChange(); }));
    connect(filters_, &DishFilters::departmentChosen, this,
            guard_.wrap([this] { CB_cpbmChange(); }));
    connect(filters_, &DishFilters::stationChosen, this, guard_.wrap([this] { CB_gzzdChange(); }));
    connect(filters_, &DishFilters::scopeClicked, this, guard_.wrap([this] { RG_xsztClick(); }));
    connect(TAB_CP, &QTabBar::currentChanged, this,
            [this](int index) { guard_.run([&] { TAB_CPChange(index); }); });

    connect(N9, &QAction::triggered, this, guard_.wrap([this] { Button_kszzClick(); }));
    connect(N10, &QAction::triggered, this, guard_.wrap([this] { Button_jjzzClick(); }));
    connect(N1, &QAction::triggered, this, guard_.wrap([this] { Button_wfzzClick(); }));
    connect(N2, &QAction::triggered, this, guard_.wrap([this] { Button_zzwcClick(); }));
    connect(N3, &QAction::triggered, this, guard_.wrap([this] { Button_cpysClick(); }));
    connect(N5, &QAction::triggered, this, guard_.wrap([this] { N5Click(); }));
    connect(list_, &DishListView::serveRequested, this,
            guard_.wrap([this] { Button_cpysClick(); }));
    connect(list_, &DishListView::menuRequested, this, [this](const QPoint& at) {
        if (PopupMenu3) {
            PopupMenu3->popup(at);
        }
    });
}

QWidget* DishArea::page(int tab) const {
    const std::array<QWidget*, 5> pages{RzPanel5, RzPanel10, RzPanel7, RzPl_tccc, RzPl_finished};
    return tab >= 0 && tab < 5 ? pages.at(tab) : nullptr;
}

void DishArea::setView(int tab, DishView* view) {
    if (tab > ListTab && tab < 5) {
        views_.at(tab) = view;
    }
}

QWidget* DishArea::reminderPlace() const {
    return list_->reminderPlace();
}

DishGridModel* DishArea::listModel() const {
    return list_->model();
}

DishListDelegate* DishArea::listDelegate() const {
    return list_->delegate();
}

DishGridFooter* DishArea::listFooter() const {
    return list_->footer();
}

// ---- filters and the views ----------------------------------------------------------------

void DishArea::fillFilterLists() {
    filters_->fillLists();
}

void DishArea::showListOfAllStates() {
    filters_->showAllStates();
    TAB_CP->setCurrentIndex(ListTab);
}

void DishArea::setScope(int item) {
    filters_->setScope(item);
}

DishListFilter DishArea::currentFilter() const {
    return filters_->filter(searchText_);
}

int DishArea::currentTab() const {
    return TAB_CP->currentIndex();
}

void DishArea::showTab(int tab) {
    TAB_CP->setCurrentIndex(tab);
}

void DishArea::setSearchText(const QString& text) {
    searchText_ = text;
}

void DishArea::refreshView(int tab, const QString& tableId) {
    if (DishView* view = views_.at(tab)) {
        view->refresh(tableId, currentFilter());
    }
}

void DishArea::QueryDishList(const QString& tableId) {
    refreshView(ListTab, tableId);
}

void DishArea::QueryServedList() {
    refreshView(ServedTab, ctx_.state.CurrentTableId);
}

void DishArea::RefreshDishViews(const QString& tableId) {
    switch (TAB_CP->currentIndex()) {
        case OverdueTab:
            for (int tab : {OverdueTab, ListTab, IconTab, ServedTab}) {
                refreshView(tab, tableId);
            }
            break;
        case HurryReturnTab:
            for (int tab : {HurryReturnTab, OverdueTab, ListTab, IconTab, ServedTab}) {
                refreshView(tab, tableId);
            }
            break;
        case ServedTab:
            for (int tab : {ServedTab, HurryReturnTab, OverdueTab, ListTab, IconTab}) {
                refreshView(tab, tableId);
            }
            break;
        default:
            refreshView(ListTab, tableId);
            refreshView(IconTab, tableId);
            break;
    }
}

void DishArea::showTable(const QString& tableId) {
    // The dishes of the chosen table; the views run once, for it.
    filters_->setScopeQuietly(1);
    RefreshDishViews(tableId);
}

void DishArea::refreshForTick(const QString& tableId, RefreshReport* report) {
    try {
        for (DishView* view : views_) {
            if (view) {
                view->rememberLine();
            }
        }
        if (!tableId.isEmpty()) {
            showTable(tableId);
        }
        for (DishView* view : views_) {
            if (view) {
                view->returnToLine();
            }
        }
    } catch (const DbError& e) {
        report->fail(e.text());
    } catch (const std::exception& e) {
        report->fail(QString::fromUtf8(e.what()));
    }
}

void DishArea::filterChanged() {
    const QString tableId = ctx_.state.CurrentTableId;
    refreshView(ListTab, tableId);
    refreshView(IconTab, tableId);
    refreshView(HurryReturnTab, tableId);
}

void DishArea::CB_cpztChange() {
    filterChanged();
}

void DishArea::CB_cpbmChange() {
    filterChanged();
}

void DishArea::CB_gzzdChange() {
    filterChanged();
}

void DishArea::RG_xsztClick() {
    const QString tableId = ctx_.state.CurrentTableId;
    refreshView(ListTab, tableId);
    refreshView(IconTab, tableId);
    refreshView(OverdueTab, tableId);
    refreshView(HurryReturnTab, tableId);
}

void DishArea::TAB_CPChange(int index) {
    const WaitCursor wait;
    for (int i = 0; i < 5; ++i) {
        if (i != index) {
            page(i)->hide();
        }
    }
    if (QWidget* shown = page(index)) {
        shown->show();
    }
    if (index == OverdueTab) {
        RzPanel7->raise();
    }
    icons_->showPageButtons(index == IconTab);
    emit tabShown(index);
}

void DishArea::startEmphasis() {
    list_->startEmphasis();
}

bool DishArea::emphasisOpen() const {
    return list_->emphasisOpen();
}

// ---- state commands -----------------------------------------------------------------------

DishLineRef DishArea::currentListLine() const {
    const QueryObject& list = ctx_.dm.ADO_cp;
    const QString order = QStringLiteral("Smalltype_scsx");
    DishLineRef line;
    line.lineNumber = list.asString(kLineNumber);
    line.tableId = list.asString(QStringLiteral("consume_table"));
    // The advanced query's result carries no serving order: the line's own is read, so the
    // check still guards a dish served from it.
    line.servingOrder = list.columnIndex(order) >= 0
                            ? ServingOrderOf(list.value(order))
                            : ReadLineServingOrder(ctx_.dm.ADO_Public, line.lineNumber);
    return line;
}

void DishArea::setListLineState(DishState state) {
    Quietly([&] {
        if (ctx_.dm.ADO_cp.isEmpty()) {
            return;
        }
        const QString line = ctx_.dm.ADO_cp.asString(kLineNumber);
        if (!commandDone(state, line, SetDishLineState(ctx_.dm, line, state))) {
            return;
        }
        list_->rerunAndLocate(line);
        icons_->selectIconOfLine(line, state);
    });
}

void DishArea::setIconLineState(DishState state) {
    Quietly([&] {
        icons_->markSelectedIcon(state);
        const std::optional<DishLineRef> selected = icons_->selectedLine();
        if (ctx_.dm.ADO_cp.isEmpty() || !selected) {
            return;
        }
        const QString line = selected->lineNumber;
        if (!commandDone(state, line, SetDishLineState(ctx_.dm, line, state))) {
            return;
        }
        list_->rerunAndLocate(line);
    });
}

QString DishArea::dishNameOf(const QString& lineNumber) const {
    const QueryObject& list = ctx_.dm.ADO_cp;
    const int key = list.columnIndex(kLineNumber);
    const int name = list.columnIndex(QStringLiteral("consume_meal_name"));
    for (int r = 0; key >= 0 && name >= 0 && r < list.rowCount(); ++r) {
        if (FieldText(list.valueAt(r, key)) == lineNumber) {
            return FieldText(list.valueAt(r, name));
        }
    }
    return QStringLiteral("菜品 %1").arg(lineNumber);
}

bool DishArea::commandDone(DishState state, const QString& lineNumber,
                           const CommandOutcome& outcome) {
    if (outcome.result == CommandResult::Failed) {
        ctx_.health.reportFailure(Feed::Command, outcome.failure, outcome.error);
    } else {
        ctx_.health.reportSuccess(Feed::Command);
    }
    if (outcome.result == CommandResult::Failed || outcome.result == CommandResult::NoLine) {
        // Told at once and where the operator looks, never in a box on a busy pass.
        emit commandNotDone(CommandNotDoneTitle(state), dishNameOf(lineNumber),
                            CommandNotDoneReason(outcome, state));
    }
    return outcome.result != CommandResult::Failed;
}

void DishArea::setLineState(DishState state, bool onlyListAndIconTabs) {
    const int tab = TAB_CP->currentIndex();
    if (tab == ListTab) {
        setListLineState(state);
    } else if (tab == IconTab || !onlyListAndIconTabs) {
        setIconLineState(state);
    }
}

void DishArea::Button_kszzClick() {
    setLineState(DishState::StartMaking, false);
}

void DishArea::Button_jjzzClick() {
    setLineState(DishState::Urgent, false);
}

void DishArea::Button_wfzzClick() {
    setLineState(DishState::CannotMake, true);
}

void DishArea::Button_zzwcClick() {
    setLineState(DishState::Made, false);
}

void DishArea::Button_cpysClick() {
    StationState& state = ctx_.state;
    state.ServeRefused = false;
    // Whatever ends without a line recorded as served is a refusal for the caller.
    state.ServeRefused = !serveSelectedLine().done();
}

CommandOutcome DishArea::serveSelectedLine() {
    const QueryObject& list = ctx_.dm.ADO_cp;
    if (list.isEmpty()) {
        return {CommandResult::NoLine, {}};
    }
    // The line is taken before the question: what a tick does meanwhile (a re-run that puts
    // the list back on another line, icons rebuilt) cannot change it. On the icon tab the check
    // is the selected icon's own (its table and serving order), not the list's current row's;
    // without a selected icon nothing is asked and nothing served.
    const int tab = TAB_CP->currentIndex();
    const std::optional<DishLineRef> icon = icons_->selectedLine();
    if (tab == IconTab && !icon) {
        return {CommandResult::NoLine, {}};
    }
    const QString asked = tab == IconTab ? icon->lineNumber : list.asString(kLineNumber);
    const QString dishName = dishNameOf(asked);
    DishLineRef line;
    try {
        line = tab == IconTab ? *icon : currentListLine();
        if (!MayServeBeforeEarlierCourses(ctx_, line)) {
            return {CommandResult::Refused, {}};
        }
    } catch (const DbError& e) {
        const CommandOutcome failed{CommandResult::Failed,
                                    QStringLiteral("检查上菜顺序时出错：") + e.text(), e.failure()};
        commandDone(DishState::Served, asked, failed);
        return failed;
    }
    QString lineNumber;
    switch (tab) {
        case ListTab:
            lineNumber = line.lineNumber;
            break;
        case IconTab:
            icons_->markSelectedIcon(DishState::Served);
            lineNumber = line.lineNumber;
            break;
        default:
            break;  // the overdue, hurry/return and served tabs serve nothing
    }
    if (lineNumber.isEmpty()) {
        return {CommandResult::NoLine, {}};
    }
    if (list.isEmpty()) {
        // A tick emptied the list while the question was open: nothing is served unseen.
        emit commandNotDone(CommandNotDoneTitle(DishState::Served), dishName,
                            QStringLiteral("询问期间菜品列表已刷新，这道菜品没有上，请重新上菜"));
        return {CommandResult::NoLine, {}};
    }
    const CommandOutcome outcome = ServeDishLine(ctx_.dm, lineNumber, ctx_.clock.now());
    if (commandDone(DishState::Served, lineNumber, outcome)) {
        Quietly([&] { list_->rerunAndLocate(lineNumber); });
    }
    return outcome;
}
