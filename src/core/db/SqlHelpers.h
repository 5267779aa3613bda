#pragma once

#include <QString>
#include <QStringList>

class QueryObject;

// Replace the text and open it; database errors are swallowed and leave the object closed.
void OpenSql(QueryObject& query, const QString& sql);

// Replace the text, bind the values to the markers by position in the text (the names are
// labels only), open / execute. False when a database error was swallowed.
bool OpenSqlParams(QueryObject& query, const QString& sql, const QStringList& values);
bool ExecSqlParams(QueryObject& query, const QString& sql, const QStringList& values);
