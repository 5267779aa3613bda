#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/common/AppTexts.h"
#include "core/db/TF_dm.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/SoundPlayer.h"
#include "gui/common/SpeechEngine.h"
#include "gui/main/StationStartup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The title names the program in the task bar; window captions stay exactly their own.
    QApplication::setApplicationName(kApplicationTitle);
    // Standard buttons in Chinese ("确定", "取消") where Qt's translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }
    QtMessageBoxes boxes;
    ProcessLauncher launcher;
    EspeakSpeechEngine speech;
    QtSoundPlayer sound;
    StartupEnvironment env;
    env.arguments = QApplication::arguments();
    env.home = qEnvironmentVariable("TZCY_HOME");
    env.sqlTrace = qEnvironmentVariable("TZCY_SQL_TRACE");
    env.programFolder = QApplication::applicationDirPath();
    return StationStartup(boxes, launcher, speech, sound).run(env);
}
