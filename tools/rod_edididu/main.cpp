// The connection settings tool: a dialog, or with --write / --test a command-line step.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <memory>

#include "ConnectionSettingsDialog.h"
#include "ToolArguments.h"
#include "gui/common/MessageBoxes.h"

namespace {

int Fail(const QString& text, int code = 2) {
    QTextStream(stderr) << "rod_edididu: " << text << '\n';
    return code;
}

QString StationFolder(const ToolArguments& args) {
    QStringList homeArgs;
    if (!args.home.isEmpty()) {
        homeArgs << QStringLiteral("--home") << args.home;
    }
    return ResolveStationFolder(homeArgs, qEnvironmentVariable("TZCY_HOME"),
                                QCoreApplication::applicationDirPath());
}

int RunHeadless(const ToolArguments& args) {
    if (args.help) {
        QTextStream(stdout) << QString::fromUtf8(kToolUsage);
        return 0;
    }
    const QString folder = StationFolder(args);
    if (!QFileInfo(folder).isDir()) {
        return Fail(QStringLiteral("站点目录 %1 不存在").arg(QDir::toNativeSeparators(folder)));
    }
    const ConnectionSettings s = ApplyFields(args, LoadSettingsOrDefaults(folder));
    const QString problem = SettingsProblem(s);
    if (!problem.isEmpty()) {
        return Fail(problem);
    }
    if (args.test) {
        QString error;
        if (!TryConnection(s, folder, &error)) {
            return Fail(QStringLiteral("连接失败：%1").arg(error), 1);
        }
        QTextStream(stdout) << QStringLiteral("rod_edididu: 连接成功\n");
        return 0;
    }
    const QString ini = QDir(folder).filePath(kConnectionFileName);
    if (!WriteConnectionSettings(ini, s)) {
        return Fail(QStringLiteral("无法写入 %1").arg(QDir::toNativeSeparators(ini)), 1);
    }
    QTextStream(stdout) << QStringLiteral("rod_edididu: 已写入 ") << QDir::toNativeSeparators(ini)
                        << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList raw;
    for (int i = 1; i < argc; ++i) {
        raw << QString::fromLocal8Bit(argv[i]);
    }
    QString problem;
    const auto args = ParseToolArguments(raw, &problem);
    // The command-line steps need no display.
    if (!args || args->headless()) {
        QCoreApplication app(argc, argv);
        if (!args) {
            QTextStream(stderr) << "rod_edididu: " << problem << '\n'
                                << QString::fromUtf8(kToolUsage);
            return 2;
        }
        return RunHeadless(*args);
    }
    QApplication app(argc, argv);
    QtMessageBoxes boxes;
    ConnectionSettingsDialog dialog(StationFolder(*args), boxes);
    dialog.setReason(args->reason, args->error);
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
