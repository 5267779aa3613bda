// Paging of the board, and keeping the page shown true to the tables and to the tile area.
#include <QTimer>

#include "core/board/BoardRules.h"
#include "core/db/QueryObject.h"
#include "gui/board/TableBoard.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

const QString kRoomId = QStringLiteral("room_id");
const QString kRoomName = QStringLiteral("room_name");

}  // namespace

int TableBoard::rowOfTable(const QString& roomId) const {
    const QueryObject& tables = ctx_.dm.ADO_ct;
    const int c = tables.isOpen() ? tables.columnIndex(kRoomId) : -1;
    for (int r = 0; c >= 0 && r < tables.rowCount(); ++r) {
        if (FieldText(tables.valueAt(r, c)) == roomId) {
            return r;
        }
    }
    return -1;
}

// The row the next page starts at: after the last tile whose table is still open (the tables
// after it on this page are gone, so the next one sorts after them all). Only when none of the
// page is left, the first table whose name sorts after the last tile's.
int TableBoard::rowAfterPage() const {
    for (int i = static_cast<int>(TableTiles.size()) - 1; i >= 0; --i) {
        const int row = rowOfTable(TableTiles.at(i)->Label5()->Caption());
        if (row >= 0) {
            return row + 1;
        }
    }
    const QueryObject& tables = ctx_.dm.ADO_ct;
    const int c = tables.columnIndex(kRoomName);
    const QString last = TableTiles.last()->Label3()->Caption();
    for (int r = 0; c >= 0 && r < tables.rowCount(); ++r) {
        if (FieldText(tables.valueAt(r, c)) > last) {
            return r;
        }
    }
    return tables.rowCount();
}

// The row of the first tile whose table is still open, or where the first tile's name sorts.
int TableBoard::rowBeforePage() const {
    for (Tcypanel* tile : TableTiles) {
        const int row = rowOfTable(tile->Label5()->Caption());
        if (row >= 0) {
            return row;
        }
    }
    const QueryObject& tables = ctx_.dm.ADO_ct;
    const int c = tables.columnIndex(kRoomName);
    const QString first = TableTiles.first()->Label3()->Caption();
    for (int r = 0; c >= 0 && r < tables.rowCount(); ++r) {
        if (FieldText(tables.valueAt(r, c)) >= first) {
            return r;
        }
    }
    return tables.rowCount();
}

void TableBoard::Button_ct_xyyClick() {
    if (TableTiles.isEmpty()) {
        return;
    }
    QueryObject& tables = ctx_.dm.ADO_ct;
    tables.rerun();
    const int next = rowAfterPage();
    if (next >= tables.rowCount()) {
        tables.last();
        return;
    }
    hideTileArea();
    tables.setCurrentRow(next);
    FillTablePage(false);
}

void TableBoard::Button_ct_syyClick() {
    hideTileArea();
    if (TableTiles.isEmpty()) {
        return;
    }
    QueryObject& tables = ctx_.dm.ADO_ct;
    tables.rerun();
    const int first = rowBeforePage();
    if (first <= 0) {
        return;
    }
    // A fixed step back, whatever fits on a page.
    tables.setCurrentRow(std::max(0, first - Board::kPreviousPageStep));
    FillTablePage(false);
}

int TableBoard::pageStartNow() const {
    if (firstPage_) {
        return 0;
    }
    for (Tcypanel* tile : TableTiles) {
        const int row = rowOfTable(tile->Label5()->Caption());
        if (row >= 0) {
            return row;
        }
    }
    return -1;
}

bool TableBoard::pageTablesChanged(int start) const {
    const QueryObject& tables = ctx_.dm.ADO_ct;
    const int remaining = std::max(0, tables.rowCount() - start);
    // On the area as it is now: a page laid out on another size is laid out again.
    const QSize area = Panel_Left_Client->size();
    const int fits = static_cast<int>(
        Board::LayOutTablePage(area.width(), area.height(), remaining).positions.size());
    if (fits != TableTiles.size()) {
        return true;
    }
    const int c = tables.columnIndex(kRoomId);
    for (int i = 0; i < fits; ++i) {
        if (FieldText(tables.valueAt(start + i, c)) != TableTiles.at(i)->Label5()->Caption()) {
            return true;
        }
    }
    return false;
}

void TableBoard::rebuildPageInPlace(int start) {
    hideTileArea();
    ctx_.dm.ADO_ct.setCurrentRow(start);
    fillPage(firstPage_ && start == 0, false);
}

void TableBoard::relayoutPage() {
    Timer_ct_layout->stop();
    const QSize now = Panel_Left_Client->size();
    // Without the tables read (a tick failed), the next good tick lays the page out.
    if (TableTiles.isEmpty() || now == laidOutFor_ || !ctx_.dm.ADO_ct.isOpen()) {
        return;
    }
    const int many = 1 << 16;
    const auto fits = [many](const QSize& s) {
        return Board::LayOutTablePage(s.width(), s.height(), many).positions.size();
    };
    if (fits(now) == fits(laidOutFor_)) {
        laidOutFor_ = now;  // the same tiles in the same places
        return;
    }
    const int start = firstPage_ ? 0 : rowOfTable(TableTiles.first()->Label5()->Caption());
    if (start < 0) {
        return;  // the next tick decides
    }
    rebuildPageInPlace(start);
}
