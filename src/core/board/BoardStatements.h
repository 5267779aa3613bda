#pragma once

#include <QString>
#include <QStringList>

class Dialect;
class StatementCatalogue;

// The statements of the table board, exactly as the station has always sent them to SQL
// Server; only the minute count differs on the embedded engine.
namespace BoardSql {

// The areas of the area filter.
inline const QString kAreas = QStringLiteral("select area_id,area_name from area");
// The table types, for the type tabs and the table tree.
inline const QString kTableTypes = QStringLiteral("select roomt_id,roomt_name from roomtype");
// The tables in use of one type, for the table tree: type id, "0".
inline const QString kTreeTables = QStringLiteral(
    "select Room_id,Room_name,Room_type from room where Room_type =:a1 and room_state =:a2");
// Tables whose name contains the text: "%" + text + "%".
inline const QString kTableSearch =
    QStringLiteral("select Room_id,Room_name,room_type from room where Room_name like :a1");
// The table of a tree node by its name.
inline const QString kTablePick =
    QStringLiteral("select room_name,room_id,room_type from room where room_name = :a1");

// The served, ordered and cannot-make quantities of a bill: guest_bh, "Y".
QString TileCounters();
// How many open lines of a bill waited longer than their dish allows: guest_bh.
QString TileOverdueCount(const Dialect& d);

// Both of the above for several bills in one round trip, one row per bill that has counted
// lines: consume_guest_bh, dcsl, yscp, wfzz, cscp. Its markers :a1 ... :aN are the bills.
QString PageCounters(const Dialect& d, int bills);

}  // namespace BoardSql

// The occupied-table query of the board with its values in marker order.
struct TableQuery {
    QString sql;
    QStringList values;
};

// typeFilter: paging by type with a type tab other than the first; areaFilter: an area chosen.
TableQuery BuildTableQuery(bool typeFilter, const QString& typeId, bool areaFilter,
                           const QString& areaId);
