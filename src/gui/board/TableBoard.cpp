#include "gui/board/TableBoard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSizePolicy>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/board/BoardRules.h"
#include "core/board/BoardStatements.h"
#include "core/board/TileFigures.h"
#include "core/db/SqlHelpers.h"
#include "gui/board/BoardImages.h"
#include "gui/common/FocusNext.h"
#include "gui/common/StationWidgets.h"
#include "gui/common/WaitCursor.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

const QColor kBrown(133, 75, 0);
const QColor kCounterOpen(255, 0, 0);
const QColor kCounterDone(255, 0, 255);
constexpr int kSkinExempt = 99;
constexpr int kMinNamePixels = 12;

}  // namespace

template <class F>
auto TableBoard::reading(F handler) {
    return guard_.wrap([this, handler] {
        try {
            handler();
        } catch (const DbError& e) {
            ctx_.health.reportFailure(Feed::Board, e);
        }
    });
}

TableBoard::TableBoard(StationContext& ctx, QWidget* column, QWidget* floating, QObject* parent)
    : QObject(parent),
      ImageList1(QSize(Board::kTileSize, Board::kTileSize)),
      ctx_(ctx),
      guard_(ctx.boxes, ctx.window) {
    PaintTableBoardImages(ImageList1);
    buildControls(column, floating);
    tileArea_ = Panel_Left_Client;
    // Hidden during a rebuild, the tile area keeps its place and its size.
    QSizePolicy policy = Panel_Left_Client->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    Panel_Left_Client->setSizePolicy(policy);
    connectControls();
}

void TableBoard::buildControls(QWidget* left, QWidget* floating) {
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(4, 4, 4, 0);
    column->setSpacing(4);

    auto* filters = Named(new QFrame(left), "Panel_ct_filter");
    auto* grid = new QGridLayout(filters);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    grid->addWidget(Caption(QStringLiteral("选择区域:"), filters), 0, 0);
    CB_qy = Named(new QComboBox(filters), "CB_qy");
    grid->addWidget(CB_qy, 0, 1, 1, 2);
    grid->addWidget(Caption(QStringLiteral("餐台名称:"), filters), 1, 0);
    E_cth = Named(new QLineEdit(filters), "E_cth");
    QFont searchFont = E_cth->font();
    searchFont.setFamilies(
        {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei")});
    searchFont.setPixelSize(24);
    E_cth->setFont(searchFont);
    grid->addWidget(E_cth, 1, 1);
    Button_ct_cz = Named(new QPushButton(QStringLiteral("查找"), filters), "Button_ct_cz");
    Button_ct_cz->setFixedWidth(60);
    grid->addWidget(Button_ct_cz, 1, 2);
    CB_fyxs = Named(new QCheckBox(QStringLiteral("按餐台类型分页显示"), filters), "CB_fyxs");
    grid->addWidget(CB_fyxs, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    column->addWidget(filters);

    Tab_ct = Named(new QTabBar(left), "Tab_ct");
    Tab_ct->setExpanding(false);
    Tab_ct->setUsesScrollButtons(true);
    Tab_ct->setDrawBase(false);
    Tab_ct->hide();
    column->addWidget(Tab_ct);

    Panel_Left_Client = Named(new QWidget(left), "Panel_Left_Client");
    Panel_Left_Client->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    column->addWidget(Panel_Left_Client, 1);
    // Never an empty board that passes for "no table is occupied".
    Label_ct_error = Named(new QLabel(Panel_Left_Client), "Label_ct_error");
    Label_ct_error->setAlignment(Qt::AlignCenter);
    Label_ct_error->setWordWrap(true);
    Label_ct_error->setStyleSheet(QStringLiteral(
        "QLabel { background: rgb(255, 236, 179); color: rgb(176, 0, 0); font-weight: bold; "
        "padding: 8px; }"));
    Label_ct_error->hide();

    auto* paging = Named(new QFrame(left), "Panel_ct_paging");
    paging->setFixedHeight(41);
    auto* row = new QHBoxLayout(paging);
    row->setContentsMargins(4, 4, 4, 4);
    Button_ct_syy = Named(new QPushButton(QStringLiteral("上一页"), paging), "Button_ct_syy");
    Button_ct_syy->setIcon(PaintGlyph(Glyph::Previous, kStationBlue));
    Button_ct_xyy = Named(new QPushButton(QStringLiteral("下一页"), paging), "Button_ct_xyy");
    Button_ct_xyy->setIcon(PaintGlyph(Glyph::Next, kStationBlue));
    row->addStretch(1);
    row->addWidget(Button_ct_syy);
    row->addSpacing(16);
    row->addWidget(Button_ct_xyy);
    row->addStretch(1);
    column->addWidget(paging);

    Panel_ct = Named(new QFrame(floating), "Panel_ct");
    Panel_ct->setFrameShape(QFrame::Box);
    Panel_ct->setAutoFillBackground(true);
    Panel_ct->setGeometry(50, 150, 265, 250);
    auto* tree = new QVBoxLayout(Panel_ct);
    tree->setContentsMargins(4, 4, 4, 4);
    TreeView_ct_ct = Named(new QTreeWidget(Panel_ct), "TreeView_ct_ct");
    TreeView_ct_ct->setHeaderHidden(true);
    TreeView_ct_ct->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont treeFont = TreeView_ct_ct->font();
    treeFont.setPixelSize(15);
    TreeView_ct_ct->setFont(treeFont);
    tree->addWidget(TreeView_ct_ct, 1);
    auto* buttons = new QHBoxLayout;
    Button_ct_qd = Named(new QPushButton(QStringLiteral("确定"), Panel_ct), "Button_ct_qd");
    Button_ct_qx = Named(new QPushButton(QStringLiteral("取消"), Panel_ct), "Button_ct_qx");
    buttons->addStretch(1);
    buttons->addWidget(Button_ct_qd);
    buttons->addWidget(Button_ct_qx);
    tree->addLayout(buttons);
    Panel_ct->hide();

    Timer_sx = NamedTimer("Timer_sx", Board::kRefreshMs, false, this);
    Timer3 = NamedTimer("Timer3", 100, true, this);
    Timer_ct_layout = NamedTimer("Timer_ct_layout", 0, true, this);
}

TableBoard::~TableBoard() {
    if (tileArea_) {
        freeTiles();
    }
}

void TableBoard::connectControls() {
    // The area list reacts to the operator only; setting it from code runs nothing.
    connect(CB_qy, &QComboBox::activated, this, reading([this] { CB_qyChange(); }));
    CB_qy->installEventFilter(this);
    connect(CB_fyxs, &QCheckBox::toggled, this,
            [this](bool checked) { reading([this, checked] { CB_fyxsClick(checked); })(); });
    connect(Tab_ct, &QTabBar::currentChanged, this, reading([this] { Tab_ctChange(); }));
    connect(Button_ct_xyy, &QPushButton::clicked, this, reading([this] { Button_ct_xyyClick(); }));
    connect(Button_ct_syy, &QPushButton::clicked, this, reading([this] { Button_ct_syyClick(); }));
    Panel_Left_Client->installEventFilter(this);
    connect(Timer_ct_layout, &QTimer::timeout, this, reading([this] { relayoutPage(); }));
    connect(Timer3, &QTimer::timeout, this, guard_.wrap([this] { Timer3Timer(); }));
    connect(Timer_sx, &QTimer::timeout, this, guard_.wrap([this] { Timer_sxTimer(); }));
    connect(Button_ct_cz, &QPushButton::clicked, this,
            guard_.wrap([this] { Button_ct_czClick(); }));
    connect(E_cth, &QLineEdit::returnPressed, this, guard_.wrap([this] { Button_ct_czClick(); }));
    connect(Button_ct_qd, &QPushButton::clicked, this,
            guard_.wrap([this] { Button_ct_qdClick(); }));
    connect(TreeView_ct_ct, &QTreeWidget::itemDoubleClicked, this,
            guard_.wrap([this] { Button_ct_qdClick(); }));
    connect(Button_ct_qx, &QPushButton::clicked, this,
            guard_.wrap([this] { Button_ct_qxClick(); }));
}

bool TableBoard::eventFilter(QObject* watched, QEvent* event) {
    // The page is laid out again once the area has its new size; not in the middle of the
    // layout that gives it.
    if (watched == Panel_Left_Client && event->type() == QEvent::Resize) {
        Label_ct_error->setGeometry(Panel_Left_Client->rect());
        Timer_ct_layout->start();
    }
    // CB_qyKeyDown: Enter goes on to the next control.
    if (watched == CB_qy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            FocusNextControl(CB_qy);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TableBoard::selectStoredArea(int position) {
    SelectStoredPosition(CB_qy, position);
}

int TableBoard::areaPosition() const {
    return CB_qy->currentIndex();
}

bool TableBoard::pagingByType() const {
    return CB_fyxs->isChecked();
}

void TableBoard::setPagingByType(bool byType) {
    CB_fyxs->setChecked(byType);
}

bool TableBoard::tableSearchHasFocus() const {
    return E_cth->hasFocus();
}

void TableBoard::fillAreaList() {
    QueryObject& q = ctx_.dm.ADO_Public;
    OpenSql(q, BoardSql::kAreas);
    QComboBox* list = CB_qy;
    list->clear();
    list->addItem(QStringLiteral("所有区域"));
    AreaIds = QStringList{QString()};
    if (!q.isOpen()) {
        return;
    }
    for (q.first(); !q.eof(); q.next()) {
        AreaIds << q.asString(QStringLiteral("area_id"));
        list->addItem(q.asString(QStringLiteral("area_name")));
    }
}

void TableBoard::freeTiles() {
    const QList<Tcypanel*> tiles = TableTiles;
    TableTiles.clear();
    qDeleteAll(tiles);
}

void TableBoard::hideTileArea() {
    Panel_Left_Client->hide();
    Timer3->start();
}

void TableBoard::Timer3Timer() {
    Panel_Left_Client->show();
    Timer3->stop();
}

int TableBoard::areaIndex() const {
    // No selection (a stored position that no longer exists) counts as "所有区域".
    return qMax(0, CB_qy->currentIndex());
}

void TableBoard::rebuildBoard() {
    const int area = areaIndex();
    BuildTableBoard(CB_fyxs->isChecked(), TableTypeIds.value(qMax(0, Tab_ct->currentIndex())),
                    area == 0, AreaIds.value(area));
}

void TableBoard::BuildTableBoard(bool byType, const QString& typeId, bool allAreas,
                                 const QString& areaId) {
    const bool typeFilter = byType && Tab_ct->currentIndex() > 0;
    const TableQuery query = BuildTableQuery(typeFilter, typeId, !allAreas, areaId);
    QueryObject& tables = ctx_.dm.ADO_ct;
    QVariantList values;
    for (const QString& v : query.values) {
        values << v;
    }
    // The tiles show the tables of this very statement: a failed read keeps them.
    const bool shown =
        !TableTiles.isEmpty() && tables.sql() == query.sql && tables.params() == values;
    try {
        tables.setSql(query.sql);
        for (const QString& v : query.values) {
            tables.addParam(v);
        }
        tables.open();
        if (tables.isEmpty()) {
            freeTiles();
            showReadFailure(nullptr);
            firstPage_ = true;
            laidOutFor_ = Panel_Left_Client->size();
        } else {
            tables.first();
            FillTablePage(true);
        }
    } catch (const DbError& e) {
        pending_ = PendingBuild::Board;
        if (!shown) {
            freeTiles();
        }
        showReadFailure(&e);
        throw;
    }
    pending_ = PendingBuild::None;
    // The board is what the database says now (also before the first tick).
    ctx_.health.reportSuccess(Feed::Board);
}

void TableBoard::FillTablePage(bool fromBuild) {
    fillPage(fromBuild, fromBuild);
}

void TableBoard::fillPage(bool recordCapacity, bool wantFocus) {
    QWidget* area = Panel_Left_Client;
    QueryObject& tables = ctx_.dm.ADO_ct;
    if (!tables.isOpen()) {
        // Tables not read are no reason to take the ones shown away.
        throw DbError(QStringLiteral("没有读到餐台，餐台没有重新排列。"));
    }
    QueryObject& scratch = recordCapacity ? ctx_.dm.ADO_Public2 : ctx_.dm.ADO_Public;
    const int remaining =
        tables.isEmpty() || tables.eof() ? 0 : tables.rowCount() - tables.currentRow();
    const Board::PageLayout layout =
        Board::LayOutTablePage(area->width(), area->height(), remaining);
    // The counters of the whole page in one statement, before any tile goes or comes: a
    // failure leaves the board as it was, never a tile that looks like a table with nothing
    // ordered.
    const int first = tables.currentRow();
    const int bill = tables.columnIndex(QStringLiteral("guest_bh"));
    QStringList bills;
    for (int i = 0; i < layout.positions.size(); ++i) {
        bills << (bill < 0 ? QString() : FieldText(tables.valueAt(first + i, bill)));
    }
    const QVector<TileFigures> figures = ReadPageFigures(scratch, bills);
    freeTiles();
    showReadFailure(nullptr);
    laidOutFor_ = area->size();
    firstPage_ = first <= 0;
    for (int i = 0; i < layout.positions.size(); ++i) {
        const QPoint& at = layout.positions.at(i);
        auto* tile = new Tcypanel(area);
        tile->setGeometry(at.x(), at.y(), Board::kTileSize, Board::kTileSize);
        SettleTileGeometry(tile);
        tile->setBevelInner(TileBevel::None);
        tile->setBevelOuter(TileBevel::None);
        TableTiles.append(tile);
        // Shown also when filling it fails: the tiles placed so far stay on the board.
        struct ShowAtEnd {
            QWidget* w;
            ~ShowAtEnd() { w->show(); }
        } show{tile};
        FillTableTile(tile, figures.at(i));
        connect(tile, &Ttzcypanel::OnClick, this,
                [this](Ttzcypanel* t) { guard_.run([&] { ctpanelclick(t); }); });
        tile->setProperty("tag", kSkinExempt);
        tables.next();
    }
    if (layout.stoppedForRoom) {
        if (recordCapacity) {
            PageCapacity = static_cast<int>(TableTiles.size());
        }
    } else if (wantFocus) {
        emit dishSearchFocusWanted();
    }
}

void TableBoard::showReadFailure(const DbError* error) {
    if (!error || !TableTiles.isEmpty()) {
        Label_ct_error->hide();
        return;
    }
    Label_ct_error->setText(
        QStringLiteral("餐台读取失败（%1），这里没有显示餐台，不是没有客人，正在重试")
            .arg(DbFailureSummary(error->failure())));
    Label_ct_error->setToolTip(error->text());
    Label_ct_error->setGeometry(Panel_Left_Client->rect());
    Label_ct_error->show();
    Label_ct_error->raise();
}

void TableBoard::applyCounters(Tcypanel* tile, const TileFigures& f) {
    Ttzcylabel* counter = tile->Label4();
    counter->setFontColor(Board::CounterComplete(f.served, f.ordered) ? kCounterDone
                                                                      : kCounterOpen);
    counter->setCaption(Board::CounterText(f.served, f.ordered));
}

void TableBoard::FillTableTile(Tcypanel* tile, const TileFigures& figures) {
    QueryObject& row = ctx_.dm.ADO_ct;
    Ttzcylabel* name = tile->Label3();
    name->setCaption(row.asString(QStringLiteral("room_name")));
    name->setFontColor(kBrown);
    QFont nameFont = name->font();
    nameFont.setBold(false);
    nameFont.setPointSize(6);
    // Six points of a CJK face is 8 pixels on a 96-dpi screen, which no one reads at the
    // pass: the name keeps at least the window's 12 pixels.
    if (QFontInfo(nameFont).pixelSize() < kMinNamePixels) {
        nameFont.setPixelSize(kMinNamePixels);
    }
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignHCenter);

    Ttzcylabel* counter = tile->Label4();
    counter->move(0, counter->y() + 8);
    counter->setFontColor(kBrown);
    counter->setAlignment(Qt::AlignHCenter);

    applyCounters(tile, figures);

    tile->Label1()->setCaption(row.asString(QStringLiteral("guest_rs")) + QStringLiteral("人"));
    tile->Label1()->setFontColor(kBrown);
    tile->Label2()->setCaption(row.asString(QStringLiteral("guest_total")) + QStringLiteral("  "));
    tile->Label2()->setFontColor(kBrown);
    tile->Label5()->setCaption(row.asString(QStringLiteral("room_id")));
    tile->Label5()->setFontColor(kBrown);
    tile->setBGImages(&ImageList1);
    tile->setBGImageIndex(figures.state());
}

void TableBoard::LoadTableTypeTabs() {
    loadTableTypeTabs();
}

void TableBoard::loadTableTypeTabs() {
    QueryObject& q = ctx_.dm.ADO_Public;
    try {
        q.setSql(BoardSql::kTableTypes);
        q.open();
    } catch (const DbError& e) {
        // The board stays as it was until the types can be read.
        pending_ = PendingBuild::TypeTabs;
        showReadFailure(&e);
        throw;
    }
    if (q.isEmpty()) {
        freeTiles();
        pending_ = PendingBuild::None;
        return;
    }
    QTabBar* tabs = Tab_ct;
    {
        const QSignalBlocker quiet(tabs);
        TableTypeIds = QStringList{QString()};
        while (tabs->count() > 0) {
            tabs->removeTab(tabs->count() - 1);
        }
        tabs->addTab(QStringLiteral("所有餐台"));
        for (q.first(); !q.eof(); q.next()) {
            TableTypeIds << q.asString(QStringLiteral("roomt_id"));
            tabs->addTab(q.asString(QStringLiteral("roomt_name")));
        }
        TableTypeIds << QString();
        tabs->setCurrentIndex(0);
    }
    hideTileArea();
    rebuildBoard();
}

void TableBoard::CB_qyChange() {
    if (CB_qy->currentIndex() < 0 && CB_qy->count() > 0) {
        CB_qy->setCurrentIndex(0);
    }
    hideTileArea();
    rebuildBoard();
}

void TableBoard::Tab_ctChange() {
    const WaitCursor wait;
    hideTileArea();
    if (!AreaIds.isEmpty()) {
        rebuildBoard();
    }
}

void TableBoard::CB_fyxsClick(bool checked) {
    hideTileArea();
    Tab_ct->setVisible(checked);
    // The tab bar's room goes to the tile area now, so the board is laid out on the height it
    // will have, not on the one it had with the tabs.
    if (QLayout* column = Panel_Left_Client->parentWidget()->layout()) {
        column->invalidate();
        column->activate();
    }
    if (TableTypeIds.isEmpty() || AreaIds.isEmpty()) {
        return;
    }
    LoadTableTypeTabs();
}
