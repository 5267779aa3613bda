#pragma once

#include <QStringList>

class QSqlDatabase;
class QSqlQuery;

// The SQLSTATEs the ODBC driver posted for the last call on the query's statement and on
// the connection (Qt 6.4 passes on only the texts and native numbers). Empty for another
// driver, or when the station was built without the ODBC headers.
QStringList OdbcSqlStates(const QSqlQuery& query, const QSqlDatabase& db);
