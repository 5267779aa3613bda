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
    close();
    QSqlDatabase::removeDatabase(name_);
}

bool Connection::isOpen() const {
    return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

void Connection::close() {
    if (QSqlDatabase::contains(name_)) {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(name_, false);
}

QDateTime Connection::serverNow() const {
    return serverClock_();
}

bool Connection::open(const ConnectionSettings& settings, const QString& stationFolder) {
    close();
    if (QSqlDatabase::contains(name_)) {
        QSqlDatabase::removeDatabase(name_);
    }
    lastError_.clear();
    engine_ = settings.engine;
    if (settings.engine == Engine::Sqlite) {
        return openSqlite(SqliteFilePath(settings, stationFolder));
    }
    return openSqlServer(settings);
}

bool Connection::openSqlite(const QString& file) {
    if (!QFileInfo(file).isFile()) {
        lastError_ = QStringLiteral("The database file %1 does not exist.").arg(file);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=8000"));
    if (!db.open()) {
        lastError_ = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    // A file that is not a database fails here rather than at the first list; an empty file
    // opens as a new, empty database, which is not the ERP's either. Both before anything
    // is written to the file.
    if (!q.exec(QStringLiteral("select count(*) from sqlite_master"))) {
        lastError_ = q.lastError().text();
        db.close();
        return false;
    }
    if (!q.next() || q.value(0).toInt() == 0) {
        lastError_ = QStringLiteral("The database file %1 holds no tables.").arg(file);
        db.close();
        return false;
    }
    q.finish();
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL"))) {
        lastError_ = q.lastError().text();
        db.close();
        return false;
    }
    q.finish();
    auto* handle = *static_cast<sqlite3* const*>(db.driver()->handle().constData());
    if (!handle) {
        lastError_ = QStringLiteral("No SQLite handle.");
        db.close();
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
        lastError_ = QStringLiteral("The Qt ODBC driver is not installed.");
        return false;
    }
    db.setDatabaseName(connectionString);
    // A dead server must fail in seconds, not hang the station.
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=5;SQL_ATTR_CONNECTION_TIMEOUT=30"));
    if (!db.open()) {
        lastError_ = db.lastError().text();
        return false;
    }
    return true;
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
