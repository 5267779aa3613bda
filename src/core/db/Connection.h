#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <functional>

#include "core/db/ConnectionSettings.h"
#include "core/db/Dialect.h"
#include "core/db/SqlTrace.h"

// The one database connection of a station (ADOConn). Each instance has its own Qt
// connection name, so tests may hold as many stations as they like.
class Connection {
public:
    // serverClock is what getdate() reads on the embedded engine (a test pins it); the
    // system clock when empty.
    explicit Connection(std::function<QDateTime()> serverClock = {});
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const;
    void close();
    QSqlDatabase database() const;
    const QString& connectionName() const { return name_; }
    const Dialect& dialect() const { return DialectFor(engine_); }
    Engine engine() const { return engine_; }
    const QString& lastError() const { return lastError_; }

    const SqlTrace& trace() const { return trace_; }
    void setTrace(SqlTrace trace) { trace_ = std::move(trace); }

    // Closes first when open. SQL Server: through ODBC with a connection string built whole.
    // Embedded: the file must exist already (the station creates no tables).
    bool open(const ConnectionSettings& settings, const QString& stationFolder);

    QDateTime serverNow() const;

    // What the embedded engine's getdate() reads: it runs once per row, so the text of one
    // millisecond is formatted once.
    struct ServerNowText {
        const std::function<QDateTime()>* clock = nullptr;
        qint64 msecs = 0;
        QByteArray text;
    };

private:
    bool openSqlite(const QString& file);
    bool openSqlServer(const ConnectionSettings& settings);

    QString name_;
    Engine engine_ = Engine::SqlServer;
    std::function<QDateTime()> serverClock_;
    ServerNowText serverNowText_;
    SqlTrace trace_{QString()};
    QString lastError_;
};

// OpenConnection as the data module calls it: true when open, false on any error,
// never a message.
bool OpenConnection(Connection& conn, const ConnectionSettings& settings,
                    const QString& stationFolder);

// Path of the embedded database file named by the settings.
QString SqliteFilePath(const ConnectionSettings& settings, const QString& stationFolder);
