#include "core/db/TF_dm.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "core/db/ConnectionSettings.h"

TF_dm::TF_dm(std::function<QDateTime()> serverClock, QObject* parent)
    : QObject(parent),
      ADOConn(std::move(serverClock)),
      ADO_Public(ADOConn, QStringLiteral("ADO_Public"), this),
      ADO_ct(ADOConn, QStringLiteral("ADO_ct"), this),
      ADO_cp(ADOConn, QStringLiteral("ADO_cp"), this),
      ADO_cstx(ADOConn, QStringLiteral("ADO_cstx"), this),
      ADO_ct_temp(ADOConn, QStringLiteral("ADO_ct_temp"), this),
      ADO_Public1(ADOConn, QStringLiteral("ADO_Public1"), this),
      ADO_Public2(ADOConn, QStringLiteral("ADO_Public2"), this),
      ADO_cctc(ADOConn, QStringLiteral("ADO_cctc"), this),
      ADOQcp(ADOConn, QStringLiteral("ADOQcp"), this),
      ADOQlbxf(ADOConn, QStringLiteral("ADOQlbxf"), this),
      ADOQ_finished(ADOConn, QStringLiteral("ADOQ_finished"), this),
      ADO_cstx1(ADOConn, QStringLiteral("ADO_cstx1"), this),
      ADO_Public3(ADOConn, QStringLiteral("ADO_Public3"), this) {
    setObjectName(QStringLiteral("F_dm"));
}

std::unique_ptr<QueryObject> TF_dm::temporaryQuery(const QString& name) {
    return std::make_unique<QueryObject>(ADOConn, name);
}

bool ProcessLauncher::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments, QFileInfo(program).absolutePath());
}

QString FindConfigTool(const QString& programFolder) {
#ifdef Q_OS_WIN
    const QString file = kConfigToolName + QStringLiteral(".exe");
#else
    const QString file = kConfigToolName;
#endif
    const QFileInfo local(QDir(programFolder).filePath(file));
    if (local.isFile() && local.isExecutable()) {
        return local.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(kConfigToolName);
}

SetUpResult SetUpDataModule(TF_dm& dm, const QString& stationFolder, const QString& programFolder,
                            ProgramLauncher& launcher) {
    SetUpResult result;
    result.iniPath = QDir(stationFolder).filePath(kConnectionFileName);
    QString reason;
    if (!QFileInfo::exists(result.iniPath)) {
        reason = QStringLiteral("missing");
        result.error = QStringLiteral("%1 was not found.").arg(result.iniPath);
    } else {
        const ConnectionSettings settings = ReadConnectionSettings(result.iniPath);
        if (OpenConnection(dm.ADOConn, settings, stationFolder)) {
            return result;
        }
        reason = QStringLiteral("failed");
        result.error = dm.ADOConn.lastError();
    }
    const QString tool = FindConfigTool(programFolder);
    const QStringList args{QStringLiteral("--home"),   stationFolder,
                           QStringLiteral("--reason"), reason,
                           QStringLiteral("--error"),  result.error};
    if (!tool.isEmpty() && launcher.startDetached(tool, args)) {
        result.outcome = SetUpOutcome::ToolStarted;
    } else {
        result.outcome = SetUpOutcome::ToolMissing;
    }
    return result;
}
