#pragma once

#include <QStringList>

class Connection;

// The ERP tables the station uses, for the embedded engine. Written by the demo tool and
// by test fixtures; the station itself never creates tables. Every column is typed, since
// SQLite compares a typed TEXT column with a number as text, as SQL Server's conversion
// of the state code expects.
QStringList EmbeddedSchemaStatements();

// Runs them on an open embedded connection; throws DbError.
void CreateEmbeddedSchema(Connection& connection);

// Creates a new database file holding the schema. False (with *error) when the file exists
// already or cannot be written.
bool CreateEmbeddedDatabaseFile(const QString& path, QString* error);
