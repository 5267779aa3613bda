// Any server and password: the connection string the station builds is either refused or,
// read back as the driver reads it, has exactly the station's keys and the password whole:
// nothing in a value can end it early or add a key.
#include <cstdint>
#include <optional>

#include "FuzzCheck.h"
#include "core/db/ConnectionSettings.h"

namespace {

using Fields = QList<std::pair<QString, QString>>;

// KEY={value}; ... as the driver parses it: Microsoft's read "}}" as "}", FreeTDS ends a
// value at the first "};".
std::optional<Fields> Parse(const QString& s, bool freeTds) {
    Fields out;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype eq = s.indexOf(QLatin1Char('='), i);
        if (eq < 0 || eq + 1 >= s.size() || s.at(eq + 1) != QLatin1Char('{')) {
            return std::nullopt;
        }
        const QString key = s.mid(i, eq - i);
        QString value;
        qsizetype j = eq + 2;
        if (freeTds) {
            const qsizetype end = s.indexOf(QLatin1String("};"), j);
            if (end < 0) {
                return std::nullopt;
            }
            value = s.mid(j, end - j);
            j = end + 2;
        } else {
            for (;; ++j) {
                if (j >= s.size()) {
                    return std::nullopt;
                }
                if (s.at(j) == QLatin1Char('}')) {
                    if (j + 1 < s.size() && s.at(j + 1) == QLatin1Char('}')) {
                        value += QLatin1Char('}');
                        ++j;
                        continue;
                    }
                    break;
                }
                value += s.at(j);
            }
            if (j + 1 >= s.size() || s.at(j + 1) != QLatin1Char(';')) {
                return std::nullopt;
            }
            j += 2;
        }
        out.append({key, value});
        i = j;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    // First byte: the driver; then server and password, split at the first NUL.
    const bool freeTds = data[0] & 1;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    const qsizetype cut = rest.indexOf('\0');
    const QString server = QString::fromUtf8(cut < 0 ? rest : rest.left(cut));
    const QString password = cut < 0 ? QString() : QString::fromUtf8(rest.mid(cut + 1));
    const QString driver =
        freeTds ? QStringLiteral("FreeTDS") : QStringLiteral("ODBC Driver 18 for SQL Server");

    QString error;
    const QString built = BuildOdbcConnectionString(driver, server, kDatabaseName, kDatabaseAccount,
                                                    password, &error);
    if (built.isEmpty()) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(built.endsWith(QLatin1Char(';')));
    const std::optional<Fields> fields = Parse(built, freeTds);
    FUZZ_CHECK(fields.has_value());
    QStringList keys;
    for (const auto& [key, value] : *fields) {
        keys << key;
    }
    QStringList expected{QStringLiteral("DRIVER"), QStringLiteral("SERVER")};
    if (freeTds) {
        if (keys.contains(QStringLiteral("PORT"))) {
            expected << QStringLiteral("PORT");
        }
        expected << QStringLiteral("TDS_Version");
    }
    expected << QStringLiteral("DATABASE") << QStringLiteral("UID") << QStringLiteral("PWD");
    FUZZ_CHECK(keys == expected);
    FUZZ_CHECK(fields->last().second == password);
    FUZZ_CHECK(fields->at(fields->size() - 2).second == kDatabaseAccount);
    return 0;
}
