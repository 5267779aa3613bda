#pragma once

#include <QString>

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
