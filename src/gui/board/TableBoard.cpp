#include "gui/board/TableBoard.h"

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QSizePolicy>

#include "core/board/BoardRules.h"
#include "core/board/BoardStatements.h"
#include "core/board/TileFigures.h"
#include "core/db/SqlHelpers.h"
#include "gui/board/BoardImages.h"
#include "gui/dishes/DishViews.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

const QColor kBrown(133, 75, 0);
const QColor kCounterOpen(255, 0, 0);
const QColor kCounterDone(255, 0, 255);
constexpr int kSkinExempt = 99;
constexpr int kMinNamePixels = 12;

}  // namespace

TableBoard::TableBoard(MainWindowContext& ctx, DishViews& dishes, QObject* parent)
    : QObject(parent),
      ImageList1(QSize(Board::kTileSize, Board::kTileSize)),
      ctx_(ctx),
      dishes_(dishes),
      guard_(ctx.boxes, ctx.window) {
    PaintTableBoardImages(ImageList1);
    tileArea_ = ctx_.ui.Panel_Left_Client;
    // Hidden during a rebuild, the tile area keeps its place and its size.
    QSizePolicy policy = ctx_.ui.Panel_Left_Client->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    ctx_.ui.Panel_Left_Client->setSizePolicy(policy);
    connectControls();
}

TableBoard::~TableBoard() {
    if (tileArea_) {
        freeTiles();
    }
}

void TableBoard::connectControls() {
    MainWindowUi& ui = ctx_.ui;
    // The area list reacts to the operator only; setting it from code runs nothing.
    connect(ui.CB_qy, &QComboBox::activated, this, guard_.wrap([this] { CB_qyChange(); }));
    ui.CB_qy->installEventFilter(this);
    connect(ui.CB_fyxs, &QCheckBox::toggled, this,
            [this](bool checked) { guard_.run([&] { CB_fyxsClick(checked); }); });
    connect(ui.Tab_ct, &QTabBar::currentChanged, this, guard_.wrap([this] { Tab_ctChange(); }));
    connect(ui.Button_ct_xyy, &QPushButton::clicked, this,
            guard_.wrap([this] { Button_ct_xyyClick(); }));
    connect(ui.Button_ct_syy, &QPushButton::clicked, this,
            guard_.wrap([this] { Button_ct_syyClick(); }));
    connect(ui.Timer3, &QTimer::timeout, this, guard_.wrap([this] { Timer3Timer(); }));
    connect(ui.Timer_sx, &QTimer::timeout, this, guard_.wrap([this] { Timer_sxTimer(); }));
    connect(ui.Button_ct_cz, &QPushButton::clicked, this,
            guard_.wrap([this] { Button_ct_czClick(); }));
    connect(ui.E_cth, &QLineEdit::returnPressed, this,
            guard_.wrap([this] { Button_ct_czClick(); }));
    connect(ui.Button_ct_qd, &QPushButton::clicked, this,
            guard_.wrap([this] { Button_ct_qdClick(); }));
    connect(ui.TreeView_ct_ct, &QTreeWidget::itemDoubleClicked, this,
            guard_.wrap([this] { Button_ct_qdClick(); }));
    connect(ui.Button_ct_qx, &QPushButton::clicked, this,
            guard_.wrap([this] { Button_ct_qxClick(); }));
}

bool TableBoard::eventFilter(QObject* watched, QEvent* event) {
    // CB_qyKeyDown: Enter goes on to the next control.
    if (watched == ctx_.ui.CB_qy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The next control that Tab would reach: the caption beside the next box is in
            // the focus chain too, and setFocus would give it the keyboard.
            QWidget* from = ctx_.ui.CB_qy;
            for (QWidget* next = from->nextInFocusChain(); next && next != from;
                 next = next->nextInFocusChain()) {
                if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(next->window()) &&
                    next->isEnabled()) {
                    next->setFocus(Qt::TabFocusReason);
                    break;
                }
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TableBoard::fillAreaList() {
    QueryObject& q = ctx_.dm.ADO_Public;
    OpenSql(q, BoardSql::kAreas);
    QComboBox* list = ctx_.ui.CB_qy;
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
    ctx_.ui.Panel_Left_Client->hide();
    ctx_.ui.Timer3->start();
}

void TableBoard::Timer3Timer() {
    ctx_.ui.Panel_Left_Client->show();
    ctx_.ui.Timer3->stop();
}

int TableBoard::areaIndex() const {
    // No selection (a stored position that no longer exists) counts as "所有区域".
    return qMax(0, ctx_.ui.CB_qy->currentIndex());
}

void TableBoard::rebuildBoard() {
    const int area = areaIndex();
    BuildTableBoard(ctx_.ui.CB_fyxs->isChecked(),
                    TableTypeIds.value(qMax(0, ctx_.ui.Tab_ct->currentIndex())), area == 0,
                    AreaIds.value(area));
}

void TableBoard::BuildTableBoard(bool byType, const QString& typeId, bool allAreas,
                                 const QString& areaId) {
    freeTiles();
    const bool typeFilter = byType && ctx_.ui.Tab_ct->currentIndex() > 0;
    const TableQuery query = BuildTableQuery(typeFilter, typeId, !allAreas, areaId);
    QueryObject& tables = ctx_.dm.ADO_ct;
    OpenSqlParams(tables, query.sql, query.values);
    if (tables.isEmpty()) {
        return;
    }
    tables.first();
    FillTablePage(true);
}

void TableBoard::FillTablePage(bool fromBuild) {
    QWidget* area = ctx_.ui.Panel_Left_Client;
    QueryObject& tables = ctx_.dm.ADO_ct;
    QueryObject& scratch = fromBuild ? ctx_.dm.ADO_Public2 : ctx_.dm.ADO_Public;
    const int remaining =
        tables.isEmpty() || tables.eof() ? 0 : tables.rowCount() - tables.currentRow();
    const Board::PageLayout layout =
        Board::LayOutTablePage(area->width(), area->height(), remaining);
    for (const QPoint& at : layout.positions) {
        auto* tile = new Tcypanel(area);
        tile->setGeometry(at.x(), at.y(), Board::kTileSize, Board::kTileSize);
        tile->setBevelInner(TileBevel::None);
        tile->setBevelOuter(TileBevel::None);
        TableTiles.append(tile);
        // Shown also when filling it fails: the tiles placed so far stay on the board.
        struct ShowAtEnd {
            QWidget* w;
            ~ShowAtEnd() { w->show(); }
        } show{tile};
        FillTableTile(tile, scratch);
        connect(tile, &Ttzcypanel::OnClick, this,
                [this](Ttzcypanel* t) { guard_.run([&] { ctpanelclick(t); }); });
        tile->setProperty("tag", kSkinExempt);
        tables.next();
    }
    if (layout.stoppedForRoom) {
        if (fromBuild) {
            PageCapacity = static_cast<int>(TableTiles.size());
        }
    } else if (fromBuild) {
        ctx_.ui.E_cpmc->setFocus();
    }
}

void TableBoard::applyCounters(Tcypanel* tile, const TileFigures& f) {
    Ttzcylabel* counter = tile->Label4();
    counter->setFontColor(Board::CounterComplete(f.served, f.ordered) ? kCounterDone
                                                                      : kCounterOpen);
    counter->setCaption(Board::CounterText(f.served, f.ordered));
}

void TableBoard::FillTableTile(Tcypanel* tile, QueryObject& scratch) {
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

    const QString bill = row.asString(QStringLiteral("guest_bh"));
    TileFigures figures;
    ReadTileCounters(scratch, bill, CounterBinding::Positional, figures);
    applyCounters(tile, figures);

    tile->Label1()->setCaption(row.asString(QStringLiteral("guest_rs")) + QStringLiteral("人"));
    tile->Label1()->setFontColor(kBrown);
    tile->Label2()->setCaption(row.asString(QStringLiteral("guest_total")) + QStringLiteral("  "));
    tile->Label2()->setFontColor(kBrown);
    tile->Label5()->setCaption(row.asString(QStringLiteral("room_id")));
    tile->Label5()->setFontColor(kBrown);
    tile->setBGImages(&ImageList1);

    ReadTileOverdue(scratch, bill, figures);
    tile->setBGImageIndex(figures.state());
}

void TableBoard::LoadTableTypeTabs() {
    freeTiles();
    QueryObject& q = ctx_.dm.ADO_Public;
    OpenSql(q, BoardSql::kTableTypes);
    if (q.isEmpty()) {
        return;
    }
    QTabBar* tabs = ctx_.ui.Tab_ct;
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
    if (ctx_.ui.CB_qy->currentIndex() < 0 && ctx_.ui.CB_qy->count() > 0) {
        ctx_.ui.CB_qy->setCurrentIndex(0);
    }
    hideTileArea();
    rebuildBoard();
}

void TableBoard::Tab_ctChange() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    hideTileArea();
    if (!AreaIds.isEmpty()) {
        rebuildBoard();
    }
}

void TableBoard::CB_fyxsClick(bool checked) {
    hideTileArea();
    ctx_.ui.Tab_ct->setVisible(checked);
    if (TableTypeIds.isEmpty() || AreaIds.isEmpty()) {
        return;
    }
    LoadTableTypeTabs();
}

void TableBoard::Button_ct_xyyClick() {
    if (TableTiles.isEmpty()) {
        return;
    }
    QueryObject& tables = ctx_.dm.ADO_ct;
    tables.rerun();
    tables.locatePrefix(QStringLiteral("room_id"), TableTiles.last()->Label5()->Caption());
    tables.next();
    if (tables.eof()) {
        tables.last();
        return;
    }
    hideTileArea();
    freeTiles();
    FillTablePage(false);
}

void TableBoard::Button_ct_syyClick() {
    hideTileArea();
    if (TableTiles.isEmpty()) {
        return;
    }
    QueryObject& tables = ctx_.dm.ADO_ct;
    tables.rerun();
    tables.locatePrefix(QStringLiteral("room_id"), TableTiles.first()->Label5()->Caption());
    tables.prior();
    if (tables.bof()) {
        return;
    }
    for (int i = 1; i < Board::kPreviousPageStep; ++i) {
        tables.prior();
        if (tables.bof()) {
            tables.rerun();
            break;
        }
    }
    freeTiles();
    FillTablePage(false);
}
