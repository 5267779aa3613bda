#include "core/session/SessionRegistry.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QRandomGenerator>

#include "core/common/AppTexts.h"
#include "core/common/StationClock.h"
#include "core/db/StatementCatalogue.h"
#include "core/db/TF_dm.h"
#include "core/session/Md5Hex.h"

QString NewLineId(const QDateTime& now, int randomPart) {
    const QDate d = now.date();
    const QTime t = now.time();
    QString id;
    for (int part : {d.year() % 2000, d.month(), d.day(), t.hour(), t.minute(), t.second(),
                     t.msec(), randomPart}) {
        id += QString::number(part);
    }
    return id;
}

QString NewLineId(const StationClock& clock) {
    return NewLineId(clock.now(), static_cast<int>(QRandomGenerator::global()->bounded(1000)));
}

QString ChooseStationAddress(const QList<QHostAddress>& resolved,
                             const QList<QHostAddress>& interfaceAddresses) {
    const auto firstIpv4 = [](const QList<QHostAddress>& list, bool loopbackToo) {
        for (const QHostAddress& a : list) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol && (loopbackToo || !a.isLoopback())) {
                return a.toString();
            }
        }
        return QString();
    };
    const QString named = firstIpv4(resolved, true);
    if (named.isEmpty()) {
        return QStringLiteral("127.0.0.1");
    }
    // Linux names the host 127.0.1.1 in /etc/hosts: every station would look alike in the
    // session table, where Windows gives the PC's network address.
    if (QHostAddress(named).isLoopback()) {
        const QString network = firstIpv4(interfaceAddresses, false);
        if (!network.isEmpty()) {
            return network;
        }
    }
    return named;
}

QString IpAddressOfHost(const QString& hostName) {
    const QHostInfo info = QHostInfo::fromName(hostName);
    if (info.error() == QHostInfo::NoError) {
        for (const QHostAddress& a : info.addresses()) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                return a.toString();
            }
        }
    }
    return QStringLiteral("127.0.0.1");
}

QString LocalIpAddress() {
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    if (info.error() != QHostInfo::NoError) {
        return QStringLiteral("127.0.0.1");
    }
    return ChooseStationAddress(info.addresses(), QNetworkInterface::allAddresses());
}

namespace {

void Execute(TF_dm& dm, const char* name, const QString& sql,
             std::initializer_list<std::pair<const char*, QString>> values) {
    auto q = dm.temporaryQuery(QString::fromLatin1(name));
    q->setSql(sql);
    for (const auto& [marker, value] : values) {
        q->setParam(QString::fromLatin1(marker), value);
    }
    q->execute();
}

}  // namespace

void RegisterSession(TF_dm& dm, const QString& sessionId, const QString& workstation,
                     const QString& operatorCode, const QString& moduleName,
                     const QString& ipAddress) {
    Execute(dm, "RegisterSession", kRegisterSessionSql,
            {{"a1", sessionId},
             {"a2", workstation},
             {"a3", ipAddress},
             {"a4", operatorCode},
             {"a7", moduleName}});
}

void RegisterSession(TF_dm& dm, const QString& sessionId, const QString& workstation,
                     const QString& operatorCode, const QString& moduleName) {
    RegisterSession(dm, sessionId, workstation, operatorCode, moduleName, LocalIpAddress());
}

void TouchSession(TF_dm& dm, const QString& sessionId) {
    Execute(dm, "TouchSession", kTouchSessionSql, {{"a1", sessionId}});
}

void UnregisterSession(TF_dm& dm, const QString& sessionId) {
    Execute(dm, "UnregisterSession", kUnregisterSessionSql, {{"a1", sessionId}});
}

void WriteOperationLog(TF_dm& dm, const StationClock& clock, const QString& heading,
                       const QString& detail, const QString& moduleName,
                       const QString& operatorCode, const QString& workstation, const QString& flag,
                       const QString& moduleShortName) {
    // Identifier and stamp are two readings of the clock, as the ERP's other clients do.
    const QString id = QStringLiteral("RZ") + NewLineId(clock);
    const QString stamp = clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    Execute(dm, "WriteOperationLog", kWriteOperationLogSql,
            {{"a1", id},
             {"a2", stamp},
             {"a3", heading},
             {"a4", detail},
             {"a5", moduleName},
             {"a6", operatorCode},
             {"a7", workstation},
             {"a8", flag},
             {"a9", moduleShortName}});
}

bool VerifyOperatorPassword(TF_dm& dm, const QString& operatorCode, const QString& password) {
    auto q = dm.temporaryQuery(QStringLiteral("LoginPassword"));
    q->setSql(kLoginPasswordSql);
    q->setParam(QStringLiteral("a1"), operatorCode);
    q->open();
    return !q->isEmpty() && PasswordMatches(q->value(QStringLiteral("user_mm")), password);
}

void WriteLoginLog(TF_dm& dm, const StationClock& clock, const QString& operatorCode) {
    WriteOperationLog(dm, clock, kLogHeading, operatorCode + kLoginDetailEnding, kModuleName,
                      operatorCode, kWorkstationName, kLogFlag, kModuleShortName);
}

void WriteLogoutLog(TF_dm& dm, const StationClock& clock, const QString& operatorCode) {
    WriteOperationLog(dm, clock, kLogHeading, operatorCode + kLogoutDetailEnding, kModuleName,
                      operatorCode, kWorkstationName, kLogFlag, kModuleShortName);
}

void RegisterSessionStatements(StatementCatalogue& catalogue) {
    const std::pair<const char*, const QString*> statements[] = {
        {"RegisterSession", &kRegisterSessionSql},
        {"TouchSession", &kTouchSessionSql},
        {"UnregisterSession", &kUnregisterSessionSql},
        {"WriteOperationLog", &kWriteOperationLogSql},
        {"LoginPassword", &kLoginPasswordSql},
        {"LoginOperators", &kLoginOperatorsSql},
    };
    for (const auto& [name, sql] : statements) {
        const QString text = *sql;
        catalogue.add({QString::fromLatin1(name), {}, [text](const Dialect&, const QSet<QString>&) {
                           return text;
                       }});
    }
}
