#include "core/board/TileFigures.h"

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
