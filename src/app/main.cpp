#include <QApplication>

#include "core/db/TF_dm.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/SoundPlayer.h"
#include "gui/common/SpeechEngine.h"
#include "gui/main/StationStartup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tzcy-station"));
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
