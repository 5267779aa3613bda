#include "gui/dishes/DishListView.h"

#include <QLabel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "core/db/QueryObject.h"
#include "gui/common/DishGridFooter.h"
#include "gui/common/DishGridModel.h"
#include "gui/common/StationWidgets.h"
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

}  // namespace

DishListView::DishListView(StationContext& ctx, QWidget* page, QObject* parent)
    : QObject(parent), ctx_(ctx), keeper_(ctx.dm.ADO_cp) {
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // The list is the pass's queue: a read that fails must never leave it looking empty or
    // current. The same list read again keeps its rows; the line above says what it shows.
    ctx_.dm.ADO_cp.setKeepsRowsOnFailedRerun(true);
    notice_ = Named(new QLabel(page), "Label_cp_error");
    notice_->setWordWrap(true);
    notice_->setContentsMargins(6, 3, 6, 3);
    notice_->setStyleSheet(QStringLiteral(
        "QLabel { background: rgb(255, 236, 179); color: rgb(176, 0, 0); font-weight: bold; }"));
    notice_->hide();
    column->addWidget(notice_);
    cxGrid_ct_cp = Named(new QTableView(page), "cxGrid_ct_cp");
    column->addWidget(cxGrid_ct_cp, 1);
    model_ = new DishGridModel(ctx_.dm.ADO_cp, DishListColumns(), this);
    BindDishGrid(cxGrid_ct_cp, model_);
    delegate_ = new DishListDelegate(
        *model_, [this] { return emphasisOpen(); }, this);
    cxGrid_ct_cp->setItemDelegate(delegate_);
    cxGrid_ct_cp->setContextMenuPolicy(Qt::CustomContextMenu);
    footer_ = new DishGridFooter(cxGrid_ct_cp, page);
    column->addWidget(footer_);
    reminderPlace_ = Named(new QWidget(page), "Place_cstx");
    auto* reminder = new QVBoxLayout(reminderPlace_);
    reminder->setContentsMargins(0, 0, 0, 0);
    column->addWidget(reminderPlace_);

    Timer4 = NamedTimer("Timer4", 70, true, this);
    connect(Timer4, &QTimer::timeout, this, [this] { Timer4Timer(); });
    connect(&ctx_.dm.ADO_cp, &QueryObject::rowsReset, this, &DishListView::updateFooter);
    connect(cxGrid_ct_cp, &QTableView::doubleClicked, this, &DishListView::serveRequested);
    connect(cxGrid_ct_cp, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        emit menuRequested(cxGrid_ct_cp->viewport()->mapToGlobal(pos));
    });
    updateFooter();
}

DishListView::~DishListView() {
    // The grid may outlive the view (the window deletes its children last).
    if (cxGrid_ct_cp) {
        cxGrid_ct_cp->setItemDelegate(nullptr);
        cxGrid_ct_cp->setModel(nullptr);
    }
}

QLabel* DishListView::readNotice() const {
    return notice_;
}

DishGridFooter* DishListView::footer() const {
    return footer_;
}

void DishListView::refresh(const QString& tableId, const DishListFilter& filter) {
    try {
        ReadDishList(ctx_.dm.ADO_cp, ctx_.dm.ADOConn.dialect(), filter, tableId);
        readSucceeded();
    } catch (const DbError& e) {
        readFailed(e);
    }
}

void DishListView::rememberLine() {
    failedInRound_.reset();
    keeper_.remember();
}

void DishListView::returnToLine() {
    if (failedInRound_) {
        const DbError error = *failedInRound_;
        failedInRound_.reset();
        throw error;
    }
    QueryObject& list = ctx_.dm.ADO_cp;
    const quint64 runs = list.runCount();
    try {
        if (failed_ && !list.isOpen() && !list.sql().isEmpty()) {
            list.rerun();  // nothing shown to return to: the failed read again
        } else {
            keeper_.returnTo();
        }
    } catch (const DbError& e) {
        readFailed(e);
        failedInRound_.reset();
        throw;
    }
    if (list.runCount() != runs) {
        readSucceeded();
    }
}

void DishListView::rerunAndLocate(const QString& lineNumber) {
    QueryObject& list = ctx_.dm.ADO_cp;
    try {
        list.rerun();
        readSucceeded();
    } catch (const DbError& e) {
        readFailed(e);
    }
    list.locatePrefix(kLineNumber, lineNumber);
}

void DishListView::readSucceeded() {
    failed_ = false;
    lastRead_ = ctx_.clock.now();
    if (notice_) {
        notice_->hide();
    }
    ctx_.health.reportSuccess(Feed::DishLists);
}

void DishListView::readFailed(const DbError& error) {
    failed_ = true;
    failedInRound_ = error;
    ctx_.health.reportFailure(Feed::DishLists, error);
    if (!notice_) {
        return;
    }
    const QueryObject& list = ctx_.dm.ADO_cp;
    const QString what = DbFailureSummary(error.failure());
    if (list.isOpen() && list.stale() && lastRead_.isValid()) {
        notice_->setText(QStringLiteral("菜品列表没有更新（%1），显示的是 %2 读到的菜品，正在重试")
                             .arg(what, lastRead_.toString(QStringLiteral("HH:mm:ss"))));
    } else {
        notice_->setText(
            QStringLiteral("菜品列表读取失败（%1），这里没有列出菜品，不是没有菜品，正在重试")
                .arg(what));
    }
    notice_->setToolTip(error.text());
    notice_->show();
}

void DishListView::focusGrid() {
    if (cxGrid_ct_cp) {
        cxGrid_ct_cp->setFocus();
    }
}

void DishListView::updateFooter() {
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

void DishListView::startEmphasis() {
    Timer4->start();
    if (cxGrid_ct_cp) {
        cxGrid_ct_cp->viewport()->update();
    }
}

bool DishListView::emphasisOpen() const {
    return Timer4->isActive();
}

// Cells keep the look they were painted with until the grid paints them again.
void DishListView::Timer4Timer() {
    Timer4->stop();
}
