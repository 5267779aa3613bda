#pragma once

#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QString>

class StationClock;
class StatementCatalogue;
class TF_dm;

inline const QString kRegisterSessionSql = QStringLiteral(
    "insert into khdzt(khdzt_id,khdzt_gzzdmc,khdzt_gzzdip,khdzt_user,khdzt_dlsj,khdzt_zhgxsj,"
    "khdzt_mkmc) values (:a1,:a2,:a3,:a4,getdate(),getdate(),:a7) ");
// How often the session row is renewed (the heartbeat).
inline constexpr int kHeartbeatMs = 300000;
inline const QString kTouchSessionSql =
    QStringLiteral("update khdzt set khdzt_zhgxsj=getdate() where khdzt_id= :a1");
inline const QString kUnregisterSessionSql =
    QStringLiteral("delete from khdzt where khdzt_id= :a1");
inline const QString kWriteOperationLogSql = QStringLiteral(
    "insert into logb(logb_id,Logb_datetime,Logb_mrzy,Logb_loginfo,Logb_mkmc,Logb_user,Logb_gzzd,"
    "logb_xtbl,Logb_mkjp) values (:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9) ");

inline const QString kLoginOperatorsSql = QStringLiteral("select * from users  order by user_xh");
inline const QString kLoginPasswordSql =
    QStringLiteral("select user_mm from users where user_bh= :a1");

inline const QString kLogHeading = QStringLiteral("操作员登录");
inline const QString kLogFlag = QStringLiteral("N");
inline const QString kLoginDetailEnding = QStringLiteral("登录系统");
inline const QString kLogoutDetailEnding = QStringLiteral("退出登录");

// Identifier text for session and log rows: year % 2000, month, day, hour, minute, second,
// millisecond and a random number 0-999, in decimal without padding. Not unique by design
// of the ERP; the random part makes collisions rare.
QString NewLineId(const QDateTime& now, int randomPart);
QString NewLineId(const StationClock& clock);

// The PC's first IPv4 address; "127.0.0.1" when its name does not resolve. When the name
// resolves to a loopback address only, the PC's first network address instead.
QString LocalIpAddress();
// The first IPv4 address of a host name; "127.0.0.1" when it does not resolve.
QString IpAddressOfHost(const QString& hostName);
// The address of the resolved ones (empty: the name did not resolve) that names this PC.
QString ChooseStationAddress(const QList<QHostAddress>& resolved,
                             const QList<QHostAddress>& interfaceAddresses);

// Session row and operation log. Each statement runs on a query object of its own; database
// errors are not caught (DbError reaches the event that called).
void RegisterSession(TF_dm& dm, const QString& sessionId, const QString& workstation,
                     const QString& operatorCode, const QString& moduleName,
                     const QString& ipAddress);
void RegisterSession(TF_dm& dm, const QString& sessionId, const QString& workstation,
                     const QString& operatorCode, const QString& moduleName);
void TouchSession(TF_dm& dm, const QString& sessionId);
void UnregisterSession(TF_dm& dm, const QString& sessionId);
void WriteOperationLog(TF_dm& dm, const StationClock& clock, const QString& heading,
                       const QString& detail, const QString& moduleName,
                       const QString& operatorCode, const QString& workstation, const QString& flag,
                       const QString& moduleShortName);

// The login check: the operator code exists and the password matches its user_mm.
bool VerifyOperatorPassword(TF_dm& dm, const QString& operatorCode, const QString& password);

// The login and logout rows every station writes.
void WriteLoginLog(TF_dm& dm, const StationClock& clock, const QString& operatorCode);
void WriteLogoutLog(TF_dm& dm, const StationClock& clock, const QString& operatorCode);

void RegisterSessionStatements(StatementCatalogue& catalogue);
