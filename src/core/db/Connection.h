#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <optional>

#include "core/common/TickSource.h"
#include "core/db/ConnectionSettings.h"
#include "core/db/DbError.h"
#include "core/db/Dialect.h"
#include "core/db/FileIdentity.h"
#include "core/db/SqlTrace.h"

class QSqlQuery;

// The one database connection of a station (ADOConn). Each instance has its own Qt
// connection name, so tests may hold as many stations as they like.
//
// A connection that is lost (ODBC's connection-class errors, a damaged embedded file) or
// whose embedded file is no longer the file it opened is closed, and reopened with the
// same settings before the next statement. Reopening is tried at once the first time;
// after a failed try the next waits 1 s, then 2, 4, ... at most 25 s, so a dead server
// costs one login time-out now and then rather than one per statement.
class Connection {
public:
    // serverClock is what getdate() reads on the embedded engine (a test pins it); the
    // system clock when empty.
    explicit Connection(std::function<QDateTime()> serverClock = {});
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // How long a statement waits for another program's lock before it fails. Everything
    // runs on the user-interface thread, so this is how long the pass can be frozen.
    static constexpr int kLockWaitMs = 1500;
    static constexpr int kMaxReopenDelayMs = 25000;

    bool isOpen() const;
    // Closed on purpose: not reopened until open() is called again.
    void close();
    QSqlDatabase database() const;
    const QString& connectionName() const { return name_; }
    const Dialect& dialect() const { return DialectFor(engine_); }
    Engine engine() const { return engine_; }
    // Why the last open or reopen failed, or why the connection broke.
    const QString& lastError() const { return lastError_; }

    const SqlTrace& trace() const { return trace_; }
    void setTrace(SqlTrace trace) { trace_ = std::move(trace); }

    // The reopen delays are measured on it; a system tick counter unless a test gives one.
    void setTickSource(const TickSource& ticks) { ticks_ = &ticks; }

    // Closes first when open. SQL Server: through ODBC with a connection string built whole.
    // Embedded: the file must exist already (the station creates no tables). Either way the
    // tables the station works on must be there.
    bool open(const ConnectionSettings& settings, const QString& stationFolder);

    // True between a loss and the reopening that mends it.
    bool broken() const { return broken_; }
    // The next statement of a broken connection tries to reopen at once, whatever the wait:
    // the refresh asks for it, so the first tick after the database is back brings the screen
    // back (its own back-off spaces the tries; a command's or the heartbeat's try in between
    // would otherwise hold it off).
    void reopenAtNextStatement() { lastReopenTick_ = ticks_->ticks() - reopenDelayMs_; }
    int reopenAttempts() const { return reopenAttempts_; }
    int reopenCount() const { return reopenCount_; }

    // The query objects' side. Before a statement: reopen a broken connection, make sure
    // the embedded file is still the one opened; throws DbError when the statement cannot
    // run now. After: what a failed statement means (a lost connection is closed here).
    void beforeStatement(const QString& object, const QString& sql, bool write);
    DbError statementFailed(const QSqlQuery& query);
    void statementSucceeded() { reopenDelayMs_ = 0; }

    // Fault seam for tests: while a fault is set, every statement fails with it (a lost
    // connection also closes the connection and fails every reopening). A plan decides per
    // statement, for randomized faults.
    struct Fault {
        DbFailure failure = DbFailure::Statement;
        QString text;
    };
    using FaultPlan =
        std::function<std::optional<Fault>(const QString& object, const QString& sql, bool write)>;
    void setFault(std::optional<DbFailure> failure);
    void setFaultPlan(FaultPlan plan) { faultPlan_ = std::move(plan); }

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
    bool checkTables();
    void closeDatabase();
    void markBroken(const QString& reason);
    void reopen();

    QString name_;
    Engine engine_ = Engine::SqlServer;
    std::function<QDateTime()> serverClock_;
    ServerNowText serverNowText_;
    SqlTrace trace_{QString()};
    QString lastError_;

    SystemTickSource systemTicks_;
    const TickSource* ticks_ = &systemTicks_;
    std::optional<ConnectionSettings> settings_;  // of the last good open, for reopening
    QString stationFolder_;
    QString sqliteFile_;
    FileIdentity sqliteIdentity_;
    bool broken_ = false;
    int reopenAttempts_ = 0;
    int reopenCount_ = 0;
    int reopenDelayMs_ = 0;
    qint64 lastReopenTick_ = 0;
    FaultPlan faultPlan_;
};

// OpenConnection as the data module calls it: true when open, false on any error,
// never a message.
bool OpenConnection(Connection& conn, const ConnectionSettings& settings,
                    const QString& stationFolder);

// Path of the embedded database file named by the settings.
QString SqliteFilePath(const ConnectionSettings& settings, const QString& stationFolder);

// The tables of the ERP the station reads or writes; a database without one of them is
// not the ERP's (or not of this version).
const QStringList& RequiredTables();
