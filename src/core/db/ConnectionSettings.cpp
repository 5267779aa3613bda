#include "core/db/ConnectionSettings.h"

#include <QDir>
#include <vector>

#include "core/db/IniFile.h"
#include "core/db/PasswordScrambler.h"

ConnectionSettings ReadConnectionSettings(const QString& iniPath) {
    const IniFile ini(iniPath);
    ConnectionSettings s;
    s.server =
        ini.readString(kConnectionSection, QStringLiteral("sql_servername"), QStringLiteral("."));
    s.password = DescramblePassword(
        ini.readString(kConnectionSection, QStringLiteral("sql_serverpass"), QString()),
        kPasswordSeed);
    const QString engine =
        ini.readString(kConnectionSection, QStringLiteral("sql_engine"), QStringLiteral("mssql"));
    if (engine.compare(QStringLiteral("sqlite"), Qt::CaseInsensitive) == 0) {
        s.engine = Engine::Sqlite;
    } else if (!engine.isEmpty() &&
               engine.compare(QStringLiteral("mssql"), Qt::CaseInsensitive) != 0) {
        s.unknownEngine = engine;
    }
    s.sqliteFile = ini.readString(kConnectionSection, QStringLiteral("sql_file"), QString());
    s.odbcDriver = ini.readString(kConnectionSection, QStringLiteral("sql_odbc_driver"), QString());
    return s;
}

bool WriteConnectionSettings(const QString& iniPath, const ConnectionSettings& s) {
    IniFile ini(iniPath);
    bool ok = ini.writeString(kConnectionSection, QStringLiteral("sql_servername"), s.server);
    ok = ini.writeString(kConnectionSection, QStringLiteral("sql_serverpass"),
                         ScramblePassword(s.password, kPasswordSeed)) &&
         ok;
    ok = ini.writeString(kConnectionSection, QStringLiteral("sql_engine"), EngineKey(s.engine)) &&
         ok;
    ok = ini.writeString(kConnectionSection, QStringLiteral("sql_file"), s.sqliteFile) && ok;
    ok = ini.writeString(kConnectionSection, QStringLiteral("sql_odbc_driver"), s.odbcDriver) && ok;
    return ok;
}

QString UnknownEngineText(const QString& value) {
    return QStringLiteral(
               "连接配置文件中 sql_engine 的值“%1”无法识别：应为 mssql（SQL Server）或 "
               "sqlite（嵌入式数据库文件）。")
        .arg(value);
}

QString EngineKey(Engine engine) {
    return engine == Engine::Sqlite ? QStringLiteral("sqlite") : QStringLiteral("mssql");
}

QString DefaultOdbcDriver() {
#ifdef Q_OS_WIN
    return QStringLiteral("SQL Server");
#else
    return QStringLiteral("FreeTDS");
#endif
}

QString ResolveStationFolder(const QStringList& arguments, const QString& envHome,
                             const QString& executableFolder) {
    for (int i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--home")) {
            return QDir(arguments.at(i + 1)).absolutePath();
        }
    }
    for (const QString& a : arguments) {
        if (a.startsWith(QLatin1String("--home="))) {
            return QDir(a.mid(7)).absolutePath();
        }
    }
    if (!envHome.isEmpty()) {
        return QDir(envHome).absolutePath();
    }
    return executableFolder;
}

namespace {

bool IsFreeTds(const QString& driver) {
    return driver.contains(QLatin1String("freetds"), Qt::CaseInsensitive) ||
           driver.contains(QLatin1String("libtdsodbc"), Qt::CaseInsensitive);
}

// Braces around every value. Microsoft's drivers read "}}" as one "}"; FreeTDS ends a
// braced value at the first "};" and keeps "}}" as it is, so there a value may hold "}"
// anywhere except right before ";".
bool QuoteValue(const QString& value, bool freeTds, QString* out) {
    if (freeTds) {
        if (value.contains(QLatin1String("};"))) {
            return false;
        }
        *out = QLatin1Char('{') + value + QLatin1Char('}');
        return true;
    }
    QString v = value;
    v.replace(QLatin1String("}"), QLatin1String("}}"));
    *out = QLatin1Char('{') + v + QLatin1Char('}');
    return true;
}

// "host,port" (as SQL Server writes it) or "host:port"; an instance name or an IPv6 address
// stays as it is.
bool SplitServerPort(const QString& server, QString* host, QString* port) {
    qsizetype at = server.lastIndexOf(QLatin1Char(','));
    if (at < 0 && server.count(QLatin1Char(':')) == 1) {
        at = server.indexOf(QLatin1Char(':'));
    }
    if (at <= 0) {
        return false;
    }
    const QString p = server.mid(at + 1).trimmed();
    bool ok = false;
    const int n = p.toInt(&ok);
    if (!ok || n <= 0 || n > 65535) {
        return false;
    }
    *host = server.left(at).trimmed();
    *port = QString::number(n);
    return true;
}

}  // namespace

QString BuildOdbcConnectionString(const QString& driver, const QString& server,
                                  const QString& database, const QString& account,
                                  const QString& password, QString* error) {
    const QString drv = driver.isEmpty() ? DefaultOdbcDriver() : driver;
    const bool freeTds = IsFreeTds(drv);
    QString srv = server.trimmed();
    struct Field {
        const char* key;
        QString value;
        const char* shownAs = "";  // what the administrator calls it
    };
    std::vector<Field> extra;
    if (freeTds) {
        // FreeTDS takes the port only as a key of its own.
        QString port;
        if (SplitServerPort(srv, &srv, &port)) {
            extra.push_back({"PORT", port, "端口"});
        }
        // "." and "(local)", alone or before "\instance", mean this machine to Microsoft's
        // drivers only.
        const qsizetype slash = srv.indexOf(QLatin1Char('\\'));
        const QString hostPart = slash < 0 ? srv : srv.left(slash);
        if (hostPart == QLatin1String(".") ||
            hostPart.compare(QLatin1String("(local)"), Qt::CaseInsensitive) == 0) {
            srv = QStringLiteral("127.0.0.1") + (slash < 0 ? QString() : srv.mid(slash));
        }
        // With "tds version = auto" (Debian's default) FreeTDS retries a silent server
        // without end and the login time-out never fires; 7.1 is what SQLOLEDB spoke.
        extra.push_back({"TDS_Version", QStringLiteral("7.1"), "TDS 版本"});
    }
    std::vector<Field> fields{{"DRIVER", drv, "驱动名称"}, {"SERVER", srv, "服务器名称"}};
    fields.insert(fields.end(), extra.begin(), extra.end());
    fields.push_back({"DATABASE", database, "数据库名"});
    fields.push_back({"UID", account, "账号"});
    fields.push_back({"PWD", password, "密码"});
    QString result;
    for (const auto& f : fields) {
        QString quoted;
        if (!QuoteValue(f.value, freeTds, &quoted)) {
            if (error) {
                *error = QStringLiteral("%1中含有“};”，ODBC 驱动 %2 无法接收这样的值。")
                             .arg(QString::fromUtf8(f.shownAs), drv);
            }
            return QString();
        }
        result += QLatin1String(f.key) + QLatin1Char('=') + quoted + QLatin1Char(';');
    }
    return result;
}
