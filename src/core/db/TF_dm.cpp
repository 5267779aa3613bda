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

bool ProcessLauncher::startDetached(const QString& program, const QStringList& arguments,
                                    QString* error) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    if (process.startDetached()) {
        return true;
    }
    if (error) {
        *error = process.errorString();
    }
    return false;
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

QString ToolErrorArgument(const QString& error) {
    if (error.size() <= kToolErrorMaxChars) {
        return error;
    }
    return error.left(kToolErrorMaxChars) + QStringLiteral("…（以下省略）");
}

SetUpResult SetUpDataModule(TF_dm& dm, const QString& stationFolder, const QString& programFolder,
                            ProgramLauncher& launcher) {
    SetUpResult result;
    result.iniPath = QDir(stationFolder).filePath(kConnectionFileName);
    QString reason;
    if (!QFileInfo::exists(result.iniPath)) {
        reason = QStringLiteral("missing");
        result.error =
            QStringLiteral("找不到连接配置文件 %1。").arg(QDir::toNativeSeparators(result.iniPath));
    } else {
        const ConnectionSettings settings = ReadConnectionSettings(result.iniPath);
        reason = QStringLiteral("failed");
        if (!settings.unknownEngine.isEmpty()) {
            // Taken for SQL Server it would fail with a misleading driver message, or worse,
            // reach a server the file never meant.
            result.error = UnknownEngineText(settings.unknownEngine);
        } else if (OpenConnection(dm.ADOConn, settings, stationFolder)) {
            return result;
        } else {
            result.error = dm.ADOConn.lastError();
        }
    }
    result.tool = FindConfigTool(programFolder);
    if (result.tool.isEmpty()) {
        result.outcome = SetUpOutcome::ToolNotFound;
        return result;
    }
    const QStringList args{QStringLiteral("--home"),   stationFolder,
                           QStringLiteral("--reason"), reason,
                           QStringLiteral("--error"),  ToolErrorArgument(result.error)};
    QString why;
    if (launcher.startDetached(result.tool, args, &why)) {
        result.outcome = SetUpOutcome::ToolStarted;
    } else {
        result.outcome = SetUpOutcome::ToolNotStarted;
        result.toolError = why;
    }
    return result;
}
