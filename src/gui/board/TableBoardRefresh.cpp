// The five-second refresh, the selection of a table and the table search.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>

#include "core/board/BoardRules.h"
#include "core/board/BoardStatements.h"
#include "core/board/TileFigures.h"
#include "core/db/SqlHelpers.h"
#include "gui/board/TableBoard.h"
#include "gui/common/FeedRound.h"
#include "gui/common/WaitCursor.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

// A failed search query reads as an error, as counting the rows of a closed result does.
void RequireOpen(const QueryObject& q, const QString& column) {
    if (!q.isOpen()) {
        (void)q.value(column);
    }
}

}  // namespace

// --- refresh -------------------------------------------------------------------------------

void TableBoard::Timer_sxTimer() {
    // A failed tick is the band's news and is tried again; a frozen board the pass trusts
    // would send dishes late.
    RunFeedRound(ctx_.health, Feed::Board, Timer_sx, Board::kRefreshMs, [this] { refreshTick(); });
}

void TableBoard::startRefresh() {
    Timer_sx->start();
}

void TableBoard::stopRefresh() {
    Timer_sx->stop();
}

void TableBoard::refreshTick() {
    QueryObject& tables = ctx_.dm.ADO_ct;
    ctx_.dm.ADOConn.reopenAtNextStatement();
    if (pending_ == PendingBuild::TypeTabs) {
        loadTableTypeTabs();  // what failed is done again
    } else if (pending_ == PendingBuild::Board) {
        rebuildBoard();
    } else {
        int now = 0;
        if (!tables.sql().isEmpty()) {
            tables.rerun();
            now = tables.rowCount();
        }
        const int tiles = static_cast<int>(TableTiles.size());
        if (Board::DecideRefresh(PageCapacity, now, tiles) == Board::RefreshPath::Rebuild) {
            loadTableTypeTabs();
        } else if (const int start = pageStartNow(); start < 0) {
            loadTableTypeTabs();  // none of the page's tables is open any more
        } else if (pageTablesChanged(start)) {
            // A table of the page settled, or one opened that sorts into it: the same page
            // again, on the same tab, with its tables as they are now.
            rebuildPageInPlace(start);
        } else {
            RefreshTableCounters();
        }
    }

    // The current table is selected again; the dish views re-run for it and keep their lines.
    QString reselected;
    const StationState& state = ctx_.state;
    if (!state.CurrentTableId.isEmpty()) {
        const int index = GetCtIndexid(state.CurrentTableId);
        if (index >= 0 && markSelected(TableTiles.at(index))) {
            reselected = state.CurrentTableId;
        }
    }
    RefreshReport report;
    emit dishViewsRefreshDue(reselected, &report);
    if (report.failed) {
        throw DbError(report.error);
    }
}

void TableBoard::RefreshTableCounters() {
    QueryObject& tables = ctx_.dm.ADO_ct;
    StationState& state = ctx_.state;
    // The rows that have a tile, then their bills' counters in one statement.
    struct Shown {
        int row;
        Tcypanel* tile;
    };
    QList<Shown> shown;
    QStringList bills;
    for (; !tables.eof(); tables.next()) {
        const int index = GetCtIndexid(tables.asString(QStringLiteral("room_id")));
        if (index >= 0) {
            shown.append({tables.currentRow(), TableTiles.at(index)});
            bills << tables.asString(QStringLiteral("guest_bh"));
        }
    }
    const int end = tables.currentRow();
    const QVector<TileFigures> figures = ReadPageFigures(ctx_.dm.ADO_Public, bills);
    for (int i = 0; i < shown.size(); ++i) {
        tables.setCurrentRow(shown.at(i).row);
        Tcypanel* tile = shown.at(i).tile;
        const int before = tile->BGImageIndex();
        applyCounters(tile, figures.at(i));
        tile->Label1()->setCaption(tables.asString(QStringLiteral("guest_rs")) +
                                   QStringLiteral("人"));
        tile->Label2()->setCaption(tables.asString(QStringLiteral("guest_total")) +
                                   QStringLiteral("  "));
        const int now = figures.at(i).state();
        tile->setBGImageIndex(now);
        if (now != before && tile->Label5()->Caption() == state.CurrentTableId) {
            state.SelectedBaseIndex = now;
        }
    }
    // Where the walk over the rows left it.
    tables.setCurrentRow(end);
    tables.next();
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
    if (markSelected(sender)) {
        emit tableChosen(ctx_.state.CurrentTableId);
    }
}

bool TableBoard::chooseTable(const QString& tableId) {
    const int index = tableId.isEmpty() ? -1 : GetCtIndexid(tableId);
    if (index < 0) {
        return false;
    }
    ctpanelclick(TableTiles.at(index));
    return true;
}

void TableBoard::showFirstTableType() {
    if (Tab_ct->count() > 0) {
        Tab_ct->setCurrentIndex(0);
    }
}

bool TableBoard::markSelected(QObject* sender) {
    QPointer<Ttzcypanel> tile = qobject_cast<Ttzcypanel*>(sender);
    if (!tile) {
        return false;
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
    return true;
}

// --- search and the table tree -------------------------------------------------------------

void TableBoard::LoadTableTree() {
    QueryObject& types = ctx_.dm.ADO_Public;
    OpenSql(types, BoardSql::kTableTypes);
    if (types.isEmpty()) {
        return;
    }
    QTreeWidget* tree = TreeView_ct_ct;
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
    const QString text = E_cth->text();
    if (text.trimmed().isEmpty()) {
        showPicker();
        return;
    }
    QueryObject& q = ctx_.dm.ADO_Public;
    // The blanks stay in the pattern.
    OpenSqlParams(q, BoardSql::kTableSearch, {QLatin1Char('%') + text + QLatin1Char('%')});
    RequireOpen(q, QStringLiteral("Room_name"));
    const int found = q.rowCount();
    if (found > 1) {
        showPicker();
        QTreeWidget* tree = TreeView_ct_ct;
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
    QTreeWidgetItem* node = TreeView_ct_ct->currentItem();
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

void TableBoard::showPicker() {
    LoadTableTree();
    Panel_ct->show();
    Panel_ct->raise();
}

void TableBoard::Button_ct_qxClick() {
    Panel_ct->hide();
}

void TableBoard::chooseFoundTable(const QString& typeId, const QString& tableName) {
    QTabBar* tabs = Tab_ct;
    if (TableTypeIds.value(tabs->currentIndex()) != typeId) {
        const int tab = TableTypeIds.indexOf(typeId);
        if (tab >= 0) {
            {
                const QSignalBlocker quiet(tabs);
                tabs->setCurrentIndex(tab);
            }
            hideTileArea();
            const int area = areaIndex();
            BuildTableBoard(CB_fyxs->isChecked(), TableTypeIds.at(tab), area == 0,
                            AreaIds.value(area));
        }
    }
    const int index = GetCtIndex(tableName);
    if (index >= 0) {
        ctpanelclick(TableTiles.at(index));
        Panel_ct->hide();
    }
}
