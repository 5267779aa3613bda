#pragma once

#include <QString>
#include <QStringList>

#include "core/db/ConnectionSettings.h"
#include "core/db/DbError.h"

// What the driver said about a failed statement.
struct DriverError {
    QString databaseText;   // the engine's or driver's own text
    QString driverText;     // Qt's stage text ("Unable to execute statement")
    QString nativeCode;     // SQLite's result code; the driver's native error numbers (";")
    QStringList sqlStates;  // ODBC SQLSTATEs read from the handles; none on the embedded engine
};

// ODBC: connection-class SQLSTATEs (08xxx, HYT01) and the drivers' communication errors are
// a lost connection; lock time-outs and deadlocks are Busy. Embedded: a damaged, unreadable
// or vanished file is a lost connection; "database is locked" is Busy.
DbFailure ClassifyDbFailure(Engine engine, const DriverError& error);

// The operator's text: a Chinese sentence for what happened, then the driver's own text.
QString DescribeDbFailure(DbFailure failure, const DriverError& error);

// The table (column) a "no such table" ("no such column") text names; empty otherwise.
QString MissingTableName(const QString& text);
QString MissingColumnName(const QString& text);
