#pragma once

#include <QString>
#include <QStringList>

inline const QString kConnectionFileName = QStringLiteral("sql_config.ini");
inline const QString kConnectionSection = QStringLiteral("sql_conn");
inline const QString kDatabaseName = QStringLiteral("tzcyerp");
inline const QString kDatabaseAccount = QStringLiteral("sa");

enum class Engine { SqlServer, Sqlite };

// What "sql_config.ini" says. The keys sql_engine, sql_file and sql_odbc_driver are ours;
// older tools ignore them, and without them the file means SQL Server as it always did.
struct ConnectionSettings {
    QString server = QStringLiteral(".");
    QString password;  // plain text, after descrambling
    Engine engine = Engine::SqlServer;
    QString sqliteFile;  // as written, relative to the station folder
    QString odbcDriver;  // empty: the platform's default
    // sql_engine as written when it is neither mssql nor sqlite (nor empty): such a file
    // opens nothing.
    QString unknownEngine;
};

// What the station and the settings tool say about such a value.
QString UnknownEngineText(const QString& value);

ConnectionSettings ReadConnectionSettings(const QString& iniPath);

// Writes every key; the password is scrambled. Returns false when the file cannot be written.
bool WriteConnectionSettings(const QString& iniPath, const ConnectionSettings& settings);

QString DefaultOdbcDriver();
QString EngineKey(Engine engine);

// The station folder: "--home DIR" on the command line, else TZCY_HOME, else the
// executable's own folder.
QString ResolveStationFolder(const QStringList& arguments, const QString& envHome,
                             const QString& executableFolder);

// The whole ODBC connection string for SQL Server, each value quoted as the driver needs,
// ending with ";". Empty with *error set when a value cannot be quoted for that driver.
// Under FreeTDS a server written "host,port" or "host:port" is sent as SERVER and PORT.
QString BuildOdbcConnectionString(const QString& driver, const QString& server,
                                  const QString& database, const QString& account,
                                  const QString& password, QString* error);
