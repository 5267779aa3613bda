#pragma once

#include <QString>
#include <QStringList>

class MessageBoxes;
class ProgramLauncher;
class SoundPlayer;
class SpeechEngine;

// What the program entry reads from its surroundings.
struct StartupEnvironment {
    QStringList arguments;  // --home DIR
    QString home;           // TZCY_HOME
    QString sqlTrace;       // TZCY_SQL_TRACE
    QString programFolder;  // the executable's folder
    QString lockFolder;     // where the single-instance guard lives; empty: the temp folder
    int loginPauseMs = 2000;
};

// The start-up sequence: single-instance guard, data module, hidden main window with its
// creation steps, modal login, message loop. Needs a QApplication; returns the exit code.
class StationStartup {
public:
    StationStartup(MessageBoxes& boxes, ProgramLauncher& launcher, SpeechEngine& speech,
                   SoundPlayer& sound)
        : boxes_(boxes), launcher_(launcher), speech_(speech), sound_(sound) {}

    int run(const StartupEnvironment& env);

private:
    MessageBoxes& boxes_;
    ProgramLauncher& launcher_;
    SpeechEngine& speech_;
    SoundPlayer& sound_;
};

inline const QString kAlreadyRunningText = QStringLiteral("程序已经运行!");
inline const QString kAlreadyRunningCaption = QStringLiteral("提示信息");
