// The five-second refresh, the selection of a table and the table search.
#include <QApplication>
#include <QPointer>
#include <array>

#include "core/board/BoardRules.h"
#include "core/board/BoardStatements.h"
#include "core/board/TileFigures.h"
#include "core/db/SqlHelpers.h"
#include "gui/board/TableBoard.h"
#include "gui/dishes/DishViews.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

const QString kLineKey = QStringLiteral("consume_bh");

// A failed search query reads as an error, as counting the rows of a closed result does.
void RequireOpen(const QueryObject& q, const QString& column) {
    if (!q.isOpen()) {
        (void)q.value(column);
    }
}

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

// --- refresh -------------------------------------------------------------------------------

void TableBoard::Timer_sxTimer() {
    QTimer* timer = ctx_.ui.Timer_sx;
    timer->stop();
    try {
        refreshTick();
    } catch (...) {
        // Silent, and the refresh stays off until the dish search starts it again.
        return;
    }
    timer->start();
}

void TableBoard::refreshTick() {
    QueryObject& tables = ctx_.dm.ADO_ct;
    int now = 0;
    if (!tables.sql().isEmpty()) {
        tables.rerun();
        now = tables.rowCount();
    }
    const int tiles = static_cast<int>(TableTiles.size());
    if (Board::DecideRefresh(PageCapacity, now, tiles) == Board::RefreshPath::CountersInPlace) {
        RefreshTableCounters();
    } else {
        LoadTableTypeTabs();
    }

    // The four dish lists keep their line across the re-run.
    const std::array<QueryObject*, 4> lists{&ctx_.dm.ADO_cp, &ctx_.dm.ADO_cstx1, &ctx_.dm.ADO_cctc,
                                            &ctx_.dm.ADOQ_finished};
    const auto shown = [](const QueryObject* q) { return q->isOpen() && !q->isEmpty(); };
    std::array<QString, 4> keys;
    std::array<quint64, 4> runs{};
    for (size_t i = 0; i < lists.size(); ++i) {
        if (shown(lists[i])) {
            keys[i] = lists[i]->asString(kLineKey);
        }
        runs[i] = lists[i]->runCount();
    }
    StationState& state = ctx_.state;
    if (!state.CurrentTableId.isEmpty()) {
        const int index = GetCtIndexid(state.CurrentTableId);
        if (index >= 0) {
            ctpanelclick(TableTiles.at(index));
        }
    }
    for (size_t i = 0; i < lists.size(); ++i) {
        if (shown(lists[i])) {
            // A list the re-selection has just re-run is as fresh as a second run would make it.
            if (lists[i]->runCount() == runs[i]) {
                lists[i]->rerun();
            }
            lists[i]->locatePrefix(kLineKey, keys[i]);
        }
    }
}

void TableBoard::RefreshTableCounters() {
    QueryObject& tables = ctx_.dm.ADO_ct;
    QueryObject& scratch = ctx_.dm.ADO_Public;
    StationState& state = ctx_.state;
    while (!tables.eof()) {
        const int index = GetCtIndexid(tables.asString(QStringLiteral("room_id")));
        if (index >= 0) {
            Tcypanel* tile = TableTiles.at(index);
            const int before = tile->BGImageIndex();
            const QString bill = tables.asString(QStringLiteral("guest_bh"));
            TileFigures figures;
            ReadTileCounters(scratch, bill, CounterBinding::ByName, figures);
            applyCounters(tile, figures);
            tile->Label1()->setCaption(tables.asString(QStringLiteral("guest_rs")) +
                                       QStringLiteral("人"));
            tile->Label2()->setCaption(tables.asString(QStringLiteral("guest_total")) +
                                       QStringLiteral("  "));
            ReadTileOverdue(scratch, bill, figures);
            const int now = figures.state();
            tile->setBGImageIndex(now);
            if (now != before && tile->Label5()->Caption() == state.CurrentTableId) {
                state.SelectedBaseIndex = now;
            }
        }
        tables.next();
    }
}

int TableBoard::GetCtIndexid(const QString& tableId) const {
    for (int i = 0; i < TableTiles.size(); ++i) {
        if (TableTiles.at(i)->Label5()->Caption() == tableId) {
            return i;
        }
    }
    return -1;
}

// --- selection -----------------------------------------------------------------------------

int TableBoard::GetCtIndex(const QString& tableName) const {
    for (int i = 0; i < TableTiles.size(); ++i) {
        if (TableTiles.at(i)->Label3()->Caption() == tableName) {
            return i;
        }
    }
    return -1;
}

void TableBoard::ctpanelclick(QObject* sender) {
    const WaitCursor wait;
    QPointer<Ttzcypanel> tile = qobject_cast<Ttzcypanel*>(sender);
    ctx_.ui.RG_xszt->setItemIndex(1);
    if (!tile) {
        return;
    }
    StationState& state = ctx_.state;
    if (!state.CurrentTableName.isEmpty()) {
        const int previous = GetCtIndex(state.CurrentTableName);
        // Only a tile that carries the mark gives it back: a tile built since shows its
        // own state already.
        if (previous >= 0 && TableTiles.at(previous)->BGImageIndex() >= 4) {
            TableTiles.at(previous)->setBGImageIndex(state.SelectedBaseIndex);
        }
    }
    state.CurrentTableName = tile->Label3()->Caption();
    int base = tile->BGImageIndex();
    if (base >= 4) {
        base -= 4;
    }
    state.SelectedBaseIndex = base;
    tile->setBGImageIndex(base + 4);
    state.CurrentTableId = tile->Label5()->Caption();
    dishes_.RefreshDishViews(state.CurrentTableId);
}

// --- search and the table tree -------------------------------------------------------------

void TableBoard::LoadTableTree() {
    QueryObject& types = ctx_.dm.ADO_Public;
    OpenSql(types, BoardSql::kTableTypes);
    if (types.isEmpty()) {
        return;
    }
    QTreeWidget* tree = ctx_.ui.TreeView_ct_ct;
    tree->setUpdatesEnabled(false);
    tree->clear();
    QueryObject& tables = ctx_.dm.ADO_ct_temp;
    for (types.first(); !types.eof(); types.next()) {
        auto* type =
            new QTreeWidgetItem(tree, QStringList{types.asString(QStringLiteral("roomt_name"))});
        OpenSqlParams(tables, BoardSql::kTreeTables,
                      {types.asString(QStringLiteral("roomt_id")), QStringLiteral("0")});
        if (!tables.isOpen()) {
            continue;
        }
        for (tables.first(); !tables.eof(); tables.next()) {
            new QTreeWidgetItem(type, QStringList{tables.asString(QStringLiteral("Room_name"))});
        }
    }
    tree->setUpdatesEnabled(true);
}

void TableBoard::Button_ct_czClick() {
    MainWindowUi& ui = ctx_.ui;
    const QString text = ui.E_cth->text();
    if (text.trimmed().isEmpty()) {
        LoadTableTree();
        ui.Panel_ct->show();
        ui.Panel_ct->raise();
        return;
    }
    QueryObject& q = ctx_.dm.ADO_Public;
    // The blanks stay in the pattern.
    OpenSqlParams(q, BoardSql::kTableSearch, {QLatin1Char('%') + text + QLatin1Char('%')});
    RequireOpen(q, QStringLiteral("Room_name"));
    const int found = q.rowCount();
    if (found > 1) {
        LoadTableTree();
        ui.Panel_ct->show();
        ui.Panel_ct->raise();
        QTreeWidget* tree = ui.TreeView_ct_ct;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->text(0).contains(text, Qt::CaseSensitive)) {
                tree->setCurrentItem(*it);
                tree->scrollToItem(*it);
                break;
            }
        }
        tree->setFocus();
    } else if (found == 1) {
        q.first();
        chooseFoundTable(q.asString(QStringLiteral("room_type")),
                         q.asString(QStringLiteral("Room_name")));
    }
}

void TableBoard::Button_ct_qdClick() {
    QTreeWidgetItem* node = ctx_.ui.TreeView_ct_ct->currentItem();
    if (!node || !node->isSelected() || !node->parent()) {
        return;
    }
    const QString name = node->text(0);
    QueryObject& q = ctx_.dm.ADO_Public;
    OpenSqlParams(q, BoardSql::kTablePick, {name});
    RequireOpen(q, QStringLiteral("room_type"));
    if (q.isEmpty()) {
        return;
    }
    q.first();
    chooseFoundTable(q.asString(QStringLiteral("room_type")), name);
}

void TableBoard::Button_ct_qxClick() {
    ctx_.ui.Panel_ct->hide();
}

void TableBoard::chooseFoundTable(const QString& typeId, const QString& tableName) {
    QTabBar* tabs = ctx_.ui.Tab_ct;
    if (TableTypeIds.value(tabs->currentIndex()) != typeId) {
        const int tab = TableTypeIds.indexOf(typeId);
        if (tab >= 0) {
            {
                const QSignalBlocker quiet(tabs);
                tabs->setCurrentIndex(tab);
            }
            hideTileArea();
            const int area = areaIndex();
            BuildTableBoard(ctx_.ui.CB_fyxs->isChecked(), TableTypeIds.at(tab), area == 0,
                            AreaIds.value(area));
        }
    }
    const int index = GetCtIndex(tableName);
    if (index >= 0) {
        ctpanelclick(TableTiles.at(index));
        ctx_.ui.Panel_ct->hide();
    }
}
