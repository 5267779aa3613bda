#include "core/db/DbFailureClassifier.h"

#include <QRegularExpression>

namespace {

// SQLite's primary result codes.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteIoErr = 10;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADb = 26;
constexpr int kSqliteReadOnlyDbMoved = 1032;  // extended: the file was moved or deleted

QStringList AllSqlStates(const DriverError& e) {
    QStringList states = e.sqlStates;
    // Newer Qt versions append the SQLSTATEs to the driver's text: "..., 08S01;01000".
    static const QRegularExpression state(QStringLiteral("^[0-9A-Z]{5}$"));
    const qsizetype comma = e.databaseText.lastIndexOf(QLatin1String(", "));
    if (comma >= 0) {
        const QString tail = e.databaseText.mid(comma + 2);
        if (!tail.contains(QLatin1Char(' '))) {
            for (const QString& s : tail.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                if (state.match(s).hasMatch()) {
                    states << s;
                }
            }
        }
    }
    return states;
}

QList<int> NativeCodes(const QString& codes) {
    QList<int> out;
    for (const QString& c : codes.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = c.trimmed().toInt(&ok);
        if (ok) {
            out << n;
        }
    }
    return out;
}

DbFailure ClassifyOdbc(const DriverError& e) {
    for (const QString& s : AllSqlStates(e)) {
        if (s.startsWith(QLatin1String("08")) || s == QLatin1String("HYT01")) {
            return DbFailure::ConnectionLost;
        }
    }
    for (const int n : NativeCodes(e.nativeCode)) {
        switch (n) {
            // FreeTDS: time-out, read and write failed, unexpected end, dead process.
            case 20003:
            case 20004:
            case 20006:
            case 20017:
            case 20047:
            // Microsoft's drivers: the network link went away.
            case 10053:
            case 10054:
            case 233:
                return DbFailure::ConnectionLost;
            case 1222:  // lock request time-out (SET LOCK_TIMEOUT)
            case 1205:  // chosen as a deadlock victim
                return DbFailure::Busy;
            default:
                break;
        }
    }
    const QString text = e.databaseText + QLatin1Char(' ') + e.driverText;
    static const QStringList lostTexts{
        QStringLiteral("Communication link failure"),
        QStringLiteral("通讯链接失败"),
        QStringLiteral("通信链接失败"),
        QStringLiteral("DBPROCESS is dead"),
        QStringLiteral("Read from the server failed"),
        QStringLiteral("Write to the server failed"),
        QStringLiteral("General network error"),
        QStringLiteral("Connection is broken"),
    };
    for (const QString& t : lostTexts) {
        if (text.contains(t, Qt::CaseInsensitive)) {
            return DbFailure::ConnectionLost;
        }
    }
    for (const QString& s : AllSqlStates(e)) {
        if (s == QLatin1String("HYT00") || s == QLatin1String("40001")) {
            return DbFailure::Busy;
        }
    }
    return DbFailure::Statement;
}

DbFailure ClassifySqlite(const DriverError& e) {
    bool ok = false;
    const int code = e.nativeCode.trimmed().toInt(&ok);
    if (!ok) {
        return DbFailure::Statement;
    }
    if (code == kSqliteReadOnlyDbMoved) {
        return DbFailure::ConnectionLost;
    }
    switch (code & 0xFF) {
        case kSqliteIoErr:
        case kSqliteCorrupt:
        case kSqliteCantOpen:
        case kSqliteNotADb:
            return DbFailure::ConnectionLost;
        case kSqliteBusy:
        case kSqliteLocked:
            return DbFailure::Busy;
        default:
            return DbFailure::Statement;
    }
}

QString FirstCapture(const QString& text, const QList<QRegularExpression>& forms) {
    for (const QRegularExpression& re : forms) {
        const QRegularExpressionMatch m = re.match(text);
        if (m.hasMatch()) {
            return m.captured(1);
        }
    }
    return QString();
}

}  // namespace

DbFailure ClassifyDbFailure(Engine engine, const DriverError& error) {
    return engine == Engine::Sqlite ? ClassifySqlite(error) : ClassifyOdbc(error);
}

QString MissingTableName(const QString& text) {
    static const QList<QRegularExpression> forms{
        QRegularExpression(QStringLiteral("no such table: ([^\\s,;]+)")),
        QRegularExpression(QStringLiteral("Invalid object name '([^']+)'")),
        QRegularExpression(QStringLiteral("对象名\\s*'([^']+)'\\s*无效")),
    };
    return FirstCapture(text, forms);
}

QString MissingColumnName(const QString& text) {
    static const QList<QRegularExpression> forms{
        QRegularExpression(QStringLiteral("no such column: ([^\\s,;]+)")),
        QRegularExpression(QStringLiteral("Invalid column name '([^']+)'")),
        QRegularExpression(QStringLiteral("列名\\s*'([^']+)'\\s*无效")),
    };
    return FirstCapture(text, forms);
}

QString DescribeDbFailure(DbFailure failure, const DriverError& error) {
    QString detail = error.databaseText.trimmed();
    if (detail.isEmpty()) {
        detail = error.driverText.trimmed();
    }
    QString lead;
    switch (failure) {
        case DbFailure::ConnectionLost:
            lead = QStringLiteral("数据库连接中断");
            break;
        case DbFailure::Busy:
            lead = QStringLiteral("数据库正被其他程序锁定，本次操作未完成，请稍后再试");
            break;
        case DbFailure::Statement: {
            const QString table = MissingTableName(detail);
            const QString column = table.isEmpty() ? MissingColumnName(detail) : QString();
            if (!table.isEmpty()) {
                lead = QStringLiteral(
                           "数据库中缺少表 %1：连接的不是檀舟餐饮ERP的数据库，或数据库版本不符")
                           .arg(table);
            } else if (!column.isEmpty()) {
                lead = QStringLiteral("数据库中缺少列 %1：数据库版本与本程序不符").arg(column);
            } else {
                lead = QStringLiteral("数据库语句执行失败");
            }
            break;
        }
    }
    return detail.isEmpty() ? lead : lead + QStringLiteral("（") + detail + QStringLiteral("）");
}
