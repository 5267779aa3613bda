#include "ToolArguments.h"

#include <QDir>
#include <QFileInfo>

#include "core/db/Connection.h"
#include "core/db/IniFile.h"

const char* const kToolUsage =
    "用法：rod_edididu [--home 目录] [--reason missing|failed] [--error 文字]\n"
    "      rod_edididu [--home 目录] --write|--test [--engine mssql|sqlite] [--server 服务器]\n"
    "                  [--password 密码] [--driver 驱动] [--file 文件]\n"
    "不带 --write 或 --test 时打开设置窗口。未给出的项保持现有 sql_config.ini 中的值。\n";

std::optional<ToolArguments> ParseToolArguments(const QStringList& arguments, QString* problem) {
    ToolArguments a;
    const QStringList valued{QStringLiteral("--home"),   QStringLiteral("--reason"),
                             QStringLiteral("--error"),  QStringLiteral("--engine"),
                             QStringLiteral("--server"), QStringLiteral("--password"),
                             QStringLiteral("--driver"), QStringLiteral("--file")};
    for (int i = 0; i < arguments.size(); ++i) {
        QString name = arguments.at(i);
        if (name == QLatin1String("--write")) {
            a.write = true;
            continue;
        }
        if (name == QLatin1String("--test")) {
            a.test = true;
            continue;
        }
        if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            a.help = true;
            continue;
        }
        QString value;
        const int eq = name.indexOf(QLatin1Char('='));
        if (name.startsWith(QLatin1String("--")) && eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            if (!valued.contains(name)) {
                *problem = QStringLiteral("未知的选项 %1").arg(name);
                return std::nullopt;
            }
        } else if (!valued.contains(name)) {
            *problem = QStringLiteral("未知的参数 %1").arg(name);
            return std::nullopt;
        } else if (i + 1 < arguments.size()) {
            value = arguments.at(++i);
        } else {
            *problem = QStringLiteral("%1 后面缺少值").arg(name);
            return std::nullopt;
        }
        if (name == QLatin1String("--home")) {
            a.home = value;
        } else if (name == QLatin1String("--reason")) {
            a.reason = value;
        } else if (name == QLatin1String("--error")) {
            a.error = value;
        } else if (name == QLatin1String("--engine")) {
            if (value == QLatin1String("mssql")) {
                a.engine = Engine::SqlServer;
            } else if (value == QLatin1String("sqlite")) {
                a.engine = Engine::Sqlite;
            } else {
                *problem = QStringLiteral("--engine 应为 mssql 或 sqlite，而不是“%1”").arg(value);
                return std::nullopt;
            }
        } else if (name == QLatin1String("--server")) {
            a.server = value;
        } else if (name == QLatin1String("--password")) {
            a.password = value;
        } else if (name == QLatin1String("--driver")) {
            a.driver = value;
        } else if (name == QLatin1String("--file")) {
            a.file = value;
        }
    }
    if (a.write && a.test) {
        *problem = QStringLiteral("--write 和 --test 是两个单独的步骤，只能给出其中一个");
        return std::nullopt;
    }
    const bool fields = a.engine || a.server || a.password || a.driver || a.file;
    if (fields && !a.write && !a.test) {
        *problem = QStringLiteral("给出连接设置时需要 --write 或 --test");
        return std::nullopt;
    }
    return a;
}

ConnectionSettings ApplyFields(const ToolArguments& args, ConnectionSettings s) {
    if (args.engine) {
        s.engine = *args.engine;
        s.unknownEngine.clear();
    }
    if (args.server) {
        s.server = *args.server;
    }
    if (args.password) {
        s.password = *args.password;
    }
    if (args.driver) {
        s.odbcDriver = *args.driver;
    }
    if (args.file) {
        s.sqliteFile = *args.file;
    }
    if (s.engine == Engine::Sqlite && s.sqliteFile.trimmed().isEmpty()) {
        s.sqliteFile = kDatabaseName + QStringLiteral(".db");
    }
    return s;
}

ConnectionSettings LoadSettingsOrDefaults(const QString& stationFolder) {
    const QString ini = QDir(stationFolder).filePath(kConnectionFileName);
    if (QFileInfo::exists(ini)) {
        return ReadConnectionSettings(ini);
    }
    return ConnectionSettings();
}

QString SettingsProblem(const ConnectionSettings& s) {
    if (!s.unknownEngine.isEmpty()) {
        return UnknownEngineText(s.unknownEngine);
    }
    // The INI format keeps one line per value, trimmed: such a value would come back changed.
    const auto lineSafe = [](const QString& v) {
        return !v.contains(QLatin1Char('\n')) && !v.contains(QLatin1Char('\r'));
    };
    if (!lineSafe(s.server) || !lineSafe(s.odbcDriver) || !lineSafe(s.sqliteFile) ||
        !lineSafe(s.password)) {
        return QStringLiteral("连接设置中不能含有换行符。");
    }
    if (s.password.contains(QChar(0))) {
        return QStringLiteral("密码中不能含有空字符。");
    }
    // The file keeps the password in GBK; anything GBK cannot hold would be read back as "?".
    if (DecodeGbk(EncodeGbk(s.password)) != s.password) {
        return QStringLiteral("密码中含有 GBK 编码无法保存的字符。");
    }
    if (s.engine == Engine::SqlServer && s.server.trimmed().isEmpty()) {
        return QStringLiteral("请填写服务器名称。");
    }
    if (s.engine == Engine::Sqlite && s.sqliteFile.trimmed().isEmpty()) {
        return QStringLiteral("请填写数据库文件。");
    }
    return QString();
}

bool TryConnection(const ConnectionSettings& settings, const QString& stationFolder,
                   QString* error) {
    Connection conn;
    if (OpenConnection(conn, settings, stationFolder)) {
        conn.close();
        return true;
    }
    if (error) {
        *error = conn.lastError();
    }
    return false;
}
