#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QueryObject;

// What a table's tile shows of its bill, read from the database.
struct TileFigures {
    double served = 0;      // yscp, net of returns
    double ordered = 0;     // dcsl
    double cannotMake = 0;  // wfzz, net of returns
    int overdue = 0;        // cscp

    int state() const;
};

enum class CounterBinding {
    Positional,  // as the board build runs it (OpenSqlParams: a failure shows at the read)
    ByName,      // as the refresh runs it (a failure throws at once)
};

// Runs the counter statement on the scratch object and reads served, ordered, cannot-make.
// A failed statement surfaces as a DbError when its result is read.
void ReadTileCounters(QueryObject& scratch, const QString& guestBh, CounterBinding binding,
                      TileFigures& figures);
// Runs the overdue count on the scratch object and reads it.
void ReadTileOverdue(QueryObject& scratch, const QString& guestBh, TileFigures& figures);

// The bills one grouped statement takes at most: far below SQL Server's 2100 parameters and
// the embedded engine's 999 of old versions. A page holds a few dozen.
inline constexpr int kBillsPerStatement = 512;

// The figures of every bill of a page, what ReadTileCounters and ReadTileOverdue give for
// each, from one statement (one per kBillsPerStatement distinct bills; none for no bills).
// figures[i] belongs to bills[i]; a bill without counted lines has the figures of an empty
// bill. Runs on the scratch object and throws DbError when the statement fails.
QVector<TileFigures> ReadPageFigures(QueryObject& scratch, const QStringList& bills);

// One row of the grouped statement.
struct BillFigures {
    QString bill;  // consume_guest_bh as the server returned it
    TileFigures figures;
};

// Which row belongs to each bill: the row with exactly its text; failing that, when the server
// compares text as SQL Server does (trailing blanks ignored, and letter case in the ERP's
// collation), the one row equal to it in that way. No row: the figures of an empty bill.
QVector<TileFigures> AssignBillRows(const QStringList& bills, const QVector<BillFigures>& rows,
                                    bool serverFoldsText);
