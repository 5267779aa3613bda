#include "core/board/TileFigures.h"

#include <QHash>
#include <QSet>
#include <algorithm>

#include "core/board/BoardRules.h"
#include "core/board/BoardStatements.h"
#include "core/db/Connection.h"
#include "core/db/QueryObject.h"
#include "core/db/SqlHelpers.h"

int TileFigures::state() const {
    return Board::TableState(served, ordered, cannotMake, overdue);
}

void ReadTileCounters(QueryObject& scratch, const QString& guestBh, CounterBinding binding,
                      TileFigures& figures) {
    const QString yes = QStringLiteral("Y");
    if (binding == CounterBinding::Positional) {
        OpenSqlParams(scratch, BoardSql::TileCounters(), {guestBh, yes});
    } else {
        scratch.setSql(BoardSql::TileCounters());
        scratch.setParam(QStringLiteral("a1"), guestBh);
        scratch.setParam(QStringLiteral("a2"), yes);
        scratch.open();
    }
    figures.served = scratch.asDouble(QStringLiteral("yscp"));
    figures.ordered = scratch.asDouble(QStringLiteral("dcsl"));
    figures.cannotMake = scratch.asDouble(QStringLiteral("wfzz"));
}

void ReadTileOverdue(QueryObject& scratch, const QString& guestBh, TileFigures& figures) {
    OpenSqlParams(scratch, BoardSql::TileOverdueCount(scratch.connection().dialect()), {guestBh});
    figures.overdue = scratch.asInt(QStringLiteral("cscp"));
}

namespace {

// A bill number as SQL Server's "=" sees it: "ZD1  " (a char column) equals "ZD1".
QString FoldedBill(const QString& bill) {
    qsizetype end = bill.size();
    while (end > 0 && bill.at(end - 1) == QLatin1Char(' ')) {
        --end;
    }
    return bill.left(end).toCaseFolded();
}

// The markers of a statement for n bills: the next power of two, so the server sees a handful
// of statement texts (and caches a handful of plans) whatever the pages hold.
int MarkersFor(int bills) {
    int markers = 1;
    while (markers < bills) {
        markers *= 2;
    }
    return markers;
}

void ReadGroupedRows(QueryObject& scratch, const QStringList& bills, QVector<BillFigures>& rows) {
    const int markers = MarkersFor(static_cast<int>(bills.size()));
    scratch.setSql(BoardSql::PageCounters(scratch.connection().dialect(), markers));
    for (int i = 0; i < markers; ++i) {
        // The last bill fills the markers left: "in" takes a value twice as once.
        scratch.addParam(bills.at(std::min(i, static_cast<int>(bills.size()) - 1)));
    }
    scratch.open();
    for (scratch.first(); !scratch.eof(); scratch.next()) {
        BillFigures row;
        row.bill = scratch.asString(QStringLiteral("consume_guest_bh"));
        row.figures.ordered = scratch.asDouble(QStringLiteral("dcsl"));
        row.figures.served = scratch.asDouble(QStringLiteral("yscp"));
        row.figures.cannotMake = scratch.asDouble(QStringLiteral("wfzz"));
        row.figures.overdue = scratch.asInt(QStringLiteral("cscp"));
        rows.push_back(row);
    }
}

}  // namespace

QVector<TileFigures> AssignBillRows(const QStringList& bills, const QVector<BillFigures>& rows,
                                    bool serverFoldsText) {
    QHash<QString, int> exact;
    QHash<QString, int> folded;  // -1: rows of two texts fold to the same one
    for (int r = 0; r < rows.size(); ++r) {
        const QString& bill = rows.at(r).bill;
        exact.insert(bill, r);
        if (serverFoldsText) {
            // Two statements of one page may both return a bill's row, under the same text.
            const QString key = FoldedBill(bill);
            const int seen = folded.value(key, r);
            folded.insert(key, seen >= 0 && rows.at(seen).bill == bill ? r : -1);
        }
    }
    QVector<TileFigures> out(bills.size());
    for (int i = 0; i < bills.size(); ++i) {
        int r = exact.value(bills.at(i), -1);
        if (r < 0 && serverFoldsText) {
            r = folded.value(FoldedBill(bills.at(i)), -1);
        }
        if (r >= 0) {
            out[i] = rows.at(r).figures;
        }
    }
    return out;
}

QVector<TileFigures> ReadPageFigures(QueryObject& scratch, const QStringList& bills) {
    QStringList distinct;
    QSet<QString> seen;
    for (const QString& bill : bills) {
        if (!seen.contains(bill)) {
            seen.insert(bill);
            distinct << bill;
        }
    }
    QVector<BillFigures> rows;
    for (qsizetype from = 0; from < distinct.size(); from += kBillsPerStatement) {
        ReadGroupedRows(scratch, distinct.mid(from, kBillsPerStatement), rows);
    }
    return AssignBillRows(bills, rows, scratch.connection().engine() == Engine::SqlServer);
}
