#include "core/db/Connection.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <memory>
#include <optional>

#include "core/common/TimeText.h"
#include "core/db/DbFailureClassifier.h"
#include "core/db/OdbcDiagnostics.h"

namespace {

std::atomic<int> g_connectionCounter{0};

// Minutes counted on a naive calendar, so a DST change never shifts a boundary.
qint64 MinuteNumber(const QDateTime& t) {
    return t.date().toJulianDay() * 1440 + t.time().hour() * 60 + t.time().minute();
}

// The minute number of a time argument; nothing for null or text that is no time. This runs
// for every row of a dish list, so the stored form "YYYY-MM-DD HH:MM..." is read by position
// and only other forms go through the full parser.
std::optional<qint64> ArgMinute(sqlite3_value* v) {
    if (sqlite3_value_type(v) == SQLITE_NULL) {
        return std::nullopt;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    if (!text) {
        return std::nullopt;
    }
    const int n = sqlite3_value_bytes(v);
    auto digits = [text](int at, int count) {
        int value = 0;
        for (int i = at; i < at + count; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return -1;
            }
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    if (n >= 16 && text[4] == '-' && text[7] == '-' && (text[10] == ' ' || text[10] == 'T') &&
        text[13] == ':' && (n == 16 || text[16] == ':')) {
        const int y = digits(0, 4), mo = digits(5, 2), d = digits(8, 2);
        const int h = digits(11, 2), mi = digits(14, 2);
        const QDate date(y, mo, d);
        if (date.isValid() && h >= 0 && h < 24 && mi >= 0 && mi < 60) {
            return date.toJulianDay() * 1440 + h * 60 + mi;
        }
    }
    const QDateTime t = ParseDbTime(QString::fromUtf8(text, n));
    if (!t.isValid()) {
        return std::nullopt;
    }
    return MinuteNumber(t);
}

void GetDateFunction(sqlite3_context* ctx, int, sqlite3_value**) {
    auto* now = static_cast<Connection::ServerNowText*>(sqlite3_user_data(ctx));
    const QDateTime t = (*now->clock)();
    const qint64 ms = t.toMSecsSinceEpoch();
    if (now->text.isEmpty() || ms != now->msecs) {
        now->msecs = ms;
        now->text = FormatDbTimeMs(t).toUtf8();
    }
    sqlite3_result_text(ctx, now->text.constData(), static_cast<int>(now->text.size()),
                        SQLITE_TRANSIENT);
}

// DATEDIFF(mi, a, b): minute boundaries crossed from a to b.
void DateDiffMinutesFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const std::optional<qint64> a = ArgMinute(argv[0]);
    const std::optional<qint64> b = ArgMinute(argv[1]);
    if (!a || !b) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int64(ctx, *b - *a);
}

// The PC clock as the embedded engine's server clock. The local time of the current
// millisecond is worked out once: getdate() asks for it on every row of a list.
std::function<QDateTime()> SystemServerClock() {
    auto last = std::make_shared<std::pair<qint64, QDateTime>>(-1, QDateTime());
    return [last] {
        const qint64 ms = QDateTime::currentMSecsSinceEpoch();
        if (ms != last->first) {
            *last = {ms, QDateTime::fromMSecsSinceEpoch(ms)};
        }
        return last->second;
    };
}

}  // namespace

Connection::Connection(std::function<QDateTime()> serverClock)
    : name_(QStringLiteral("tzcy-%1").arg(++g_connectionCounter)),
      serverClock_(serverClock ? std::move(serverClock) : SystemServerClock()) {}

Connection::~Connection() {
    closeDatabase();
    QSqlDatabase::removeDatabase(name_);
}

bool Connection::isOpen() const {
    return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

void Connection::closeDatabase() {
    if (QSqlDatabase::contains(name_)) {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
}

void Connection::close() {
    closeDatabase();
    settings_.reset();
    broken_ = false;
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(name_, false);
}

QDateTime Connection::serverNow() const {
    return serverClock_();
}

const QStringList& RequiredTables() {
    // users first: a database of another program lacks it, and its name says most.
    static const QStringList tables{
        QStringLiteral("users"),   QStringLiteral("Consume"),   QStringLiteral("room"),
        QStringLiteral("guest"),   QStringLiteral("area"),      QStringLiteral("roomtype"),
        QStringLiteral("Meal"),    QStringLiteral("SmallType"), QStringLiteral("BigType"),
        QStringLiteral("Kitchen"), QStringLiteral("SaleSit"),   QStringLiteral("Employee"),
        QStringLiteral("khdzt"),   QStringLiteral("logb"),
    };
    return tables;
}

bool Connection::open(const ConnectionSettings& settings, const QString& stationFolder) {
    closeDatabase();
    if (QSqlDatabase::contains(name_)) {
        QSqlDatabase::removeDatabase(name_);
    }
    lastError_.clear();
    settings_.reset();
    broken_ = false;
    engine_ = settings.engine;
    const bool opened = settings.engine == Engine::Sqlite
                            ? openSqlite(SqliteFilePath(settings, stationFolder))
                            : openSqlServer(settings);
    if (!opened || !checkTables()) {
        closeDatabase();
        return false;
    }
    settings_ = settings;
    stationFolder_ = stationFolder;
    return true;
}

bool Connection::checkTables() {
    QSqlQuery q(database());
    for (const QString& table : RequiredTables()) {
        // Constant names of ours, never a value: nothing to bind.
        if (!q.exec(QStringLiteral("select 1 from %1 where 1 = 0").arg(table))) {
            const QSqlError e = q.lastError();
            const DriverError driver{e.databaseText(), e.driverText(), e.nativeErrorCode(),
                                     OdbcSqlStates(q, database())};
            const DbFailure failure = ClassifyDbFailure(engine_, driver);
            QString text = DescribeDbFailure(failure, driver);
            if (failure == DbFailure::Statement && MissingTableName(e.databaseText()).isEmpty()) {
                text = QStringLiteral("无法读取表 %1：").arg(table) + text;
            }
            lastError_ = text;
            return false;
        }
        q.finish();
    }
    return true;
}

bool Connection::openSqlite(const QString& file) {
    sqliteFile_ = file;
    if (!QFileInfo(file).isFile()) {
        lastError_ = QStringLiteral("数据库文件 %1 不存在。").arg(QDir::toNativeSeparators(file));
        return false;
    }
    const FileIdentity before = IdentityOf(file);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kLockWaitMs));
    if (!db.open()) {
        lastError_ = QStringLiteral("无法打开数据库文件 %1（%2）")
                         .arg(QDir::toNativeSeparators(file), db.lastError().text());
        return false;
    }
    QSqlQuery q(db);
    // A file that is not a database fails here rather than at the first list; an empty file
    // opens as a new, empty database, which is not the ERP's either. Both before anything
    // is written to the file.
    if (!q.exec(QStringLiteral("select count(*) from sqlite_master"))) {
        lastError_ = QStringLiteral("%1 不是可用的数据库文件（%2）")
                         .arg(QDir::toNativeSeparators(file), q.lastError().databaseText());
        return false;
    }
    if (!q.next() || q.value(0).toInt() == 0) {
        lastError_ =
            QStringLiteral("数据库文件 %1 中没有任何表。").arg(QDir::toNativeSeparators(file));
        return false;
    }
    q.finish();
    // The file now open is the one the path named before and after: another moved in
    // between would be written through a path that no longer leads to it.
    sqliteIdentity_ = IdentityOf(file);
    if (!before.valid || !(before == sqliteIdentity_)) {
        lastError_ =
            QStringLiteral("数据库文件 %1 在打开时被替换。").arg(QDir::toNativeSeparators(file));
        return false;
    }
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL"))) {
        lastError_ = QStringLiteral("无法把数据库文件 %1 设为预写日志方式（%2）")
                         .arg(QDir::toNativeSeparators(file), q.lastError().text());
        return false;
    }
    q.finish();
    auto* handle = *static_cast<sqlite3* const*>(db.driver()->handle().constData());
    if (!handle) {
        lastError_ = QStringLiteral("无法取得嵌入式数据库的句柄。");
        return false;
    }
    serverNowText_ = ServerNowText{&serverClock_, 0, QByteArray()};
    sqlite3_create_function_v2(handle, "getdate", 0, SQLITE_UTF8, &serverNowText_, GetDateFunction,
                               nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(handle, "tzcy_datediff_mi", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                               nullptr, DateDiffMinutesFunction, nullptr, nullptr, nullptr);
    return true;
}

bool Connection::openSqlServer(const ConnectionSettings& settings) {
    QString error;
    const QString connectionString =
        BuildOdbcConnectionString(settings.odbcDriver, settings.server, kDatabaseName,
                                  kDatabaseAccount, settings.password, &error);
    if (connectionString.isEmpty()) {
        lastError_ = error;
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
    if (!db.isValid()) {
        lastError_ = QStringLiteral("没有安装 Qt 的 ODBC 数据库驱动。");
        return false;
    }
    db.setDatabaseName(connectionString);
    // A dead server must fail in seconds, not hang the station.
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=5;SQL_ATTR_CONNECTION_TIMEOUT=30"));
    if (!db.open()) {
        lastError_ = QStringLiteral("无法连接 SQL Server（%1）").arg(db.lastError().text());
        return false;
    }
    // SQL Server waits for a lock without end by default; the pass must not.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SET LOCK_TIMEOUT %1").arg(kLockWaitMs))) {
        lastError_ = QStringLiteral("无法设置锁等待时间（%1）").arg(q.lastError().text());
        return false;
    }
    return true;
}

void Connection::setFault(std::optional<DbFailure> failure) {
    if (!failure) {
        faultPlan_ = {};
        return;
    }
    QString text;
    switch (*failure) {
        case DbFailure::ConnectionLost:
            text = QStringLiteral("数据库连接中断（模拟故障：08S01 通讯链接失败）");
            break;
        case DbFailure::Busy:
            text = QStringLiteral("数据库正被其他程序锁定，本次操作未完成，请稍后再试（模拟故障）");
            break;
        case DbFailure::Statement:
            text = QStringLiteral("数据库中缺少表 Consume（模拟故障）");
            break;
    }
    const Fault fault{*failure, text};
    faultPlan_ = [fault](const QString&, const QString&, bool) { return fault; };
}

void Connection::markBroken(const QString& reason) {
    closeDatabase();
    broken_ = true;
    lastError_ = reason;
}

void Connection::reopen() {
    if (!settings_) {
        throw DbError(QStringLiteral("数据库连接未打开。"), DbFailure::ConnectionLost);
    }
    const qint64 now = ticks_->ticks();
    if (reopenAttempts_ > 0 && now - lastReopenTick_ < reopenDelayMs_) {
        throw DbError(QStringLiteral("数据库连接中断，稍后自动重新连接（%1）").arg(lastError_),
                      DbFailure::ConnectionLost);
    }
    ++reopenAttempts_;
    lastReopenTick_ = now;
    reopenDelayMs_ = reopenDelayMs_ == 0 ? 1000 : std::min(reopenDelayMs_ * 2, kMaxReopenDelayMs);
    // While a lost connection is simulated, the server cannot be reached either.
    if (faultPlan_) {
        const std::optional<Fault> fault = faultPlan_(QString(), QString(), false);
        if (fault && fault->failure == DbFailure::ConnectionLost) {
            lastError_ = fault->text;
            throw DbError(QStringLiteral("无法重新连接数据库：%1").arg(lastError_),
                          DbFailure::ConnectionLost);
        }
    }
    const ConnectionSettings settings = *settings_;
    const QString folder = stationFolder_;
    if (!open(settings, folder)) {
        // open() forgets nothing it needs: the settings stay for the next try.
        settings_ = settings;
        stationFolder_ = folder;
        broken_ = true;
        throw DbError(QStringLiteral("无法重新连接数据库：%1").arg(lastError_),
                      DbFailure::ConnectionLost);
    }
    ++reopenCount_;
}

void Connection::beforeStatement(const QString& object, const QString& sql, bool write) {
    if (broken_) {
        reopen();
    }
    if (!settings_ || !isOpen()) {
        throw DbError(QStringLiteral("数据库连接未打开。"), DbFailure::ConnectionLost);
    }
    if (faultPlan_) {
        if (const std::optional<Fault> fault = faultPlan_(object, sql, write)) {
            if (fault->failure == DbFailure::ConnectionLost) {
                markBroken(fault->text);
            }
            throw DbError(fault->text, fault->failure);
        }
    }
    // SQLite keeps writing to the file it opened, even after it was deleted, or another
    // database was moved over it (whose index the station's WAL pages then corrupt).
    if (engine_ == Engine::Sqlite && !(IdentityOf(sqliteFile_) == sqliteIdentity_)) {
        const QString text =
            QStringLiteral("数据库文件 %1 已被删除、移走或替换，已断开连接，稍后自动重新打开。")
                .arg(QDir::toNativeSeparators(sqliteFile_));
        // SQLite does not checkpoint a moved file when it closes, and leaves its log beside
        // the path, where the newcomer would take its pages for its own: write them into
        // the file they belong to, and empty the log, first.
        QSqlQuery(database()).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        markBroken(text);
        throw DbError(text, DbFailure::ConnectionLost);
    }
}

DbError Connection::statementFailed(const QSqlQuery& query) {
    const QSqlError e = query.lastError();
    const DriverError driver{e.databaseText(), e.driverText(), e.nativeErrorCode(),
                             OdbcSqlStates(query, database())};
    const DbFailure failure = ClassifyDbFailure(engine_, driver);
    const QString text = DescribeDbFailure(failure, driver);
    if (failure == DbFailure::ConnectionLost) {
        markBroken(text);
    }
    return DbError(text, failure);
}

bool OpenConnection(Connection& conn, const ConnectionSettings& settings,
                    const QString& stationFolder) {
    return conn.open(settings, stationFolder);
}

QString SqliteFilePath(const ConnectionSettings& settings, const QString& stationFolder) {
    const QString file =
        settings.sqliteFile.isEmpty() ? kDatabaseName + QStringLiteral(".db") : settings.sqliteFile;
    return QDir(stationFolder).absoluteFilePath(file);
}
