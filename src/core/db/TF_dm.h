#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "core/db/Connection.h"
#include "core/db/QueryObject.h"

// The data module: the one connection and the named query objects every list and
// statement of the station runs on. They live as long as the station.
class TF_dm : public QObject {
    Q_OBJECT

public:
    explicit TF_dm(std::function<QDateTime()> serverClock = {}, QObject* parent = nullptr);

    Connection ADOConn;
    QueryObject ADO_Public;
    QueryObject ADO_ct;
    QueryObject ADO_cp;
    QueryObject ADO_cstx;
    QueryObject ADO_ct_temp;
    QueryObject ADO_Public1;
    QueryObject ADO_Public2;
    QueryObject ADO_cctc;
    QueryObject ADOQcp;
    QueryObject ADOQlbxf;
    QueryObject ADOQ_finished;
    QueryObject ADO_cstx1;
    QueryObject ADO_Public3;

    // For the session and log statements: a query object of its own, freed by the caller.
    std::unique_ptr<QueryObject> temporaryQuery(const QString& name);
};

// Starts a program without waiting for it. Tests give their own.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // False with *error (the system's reason) when the program could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               QString* error) = 0;
};

class ProcessLauncher final : public ProgramLauncher {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       QString* error) override;
};

inline const QString kConfigToolName = QStringLiteral("rod_edididu");

// The connection error handed to the settings tool is cut to this many characters: the
// whole text of a huge setting would overflow the argument list (E2BIG) and the tool
// would not start at all.
inline constexpr int kToolErrorMaxChars = 2000;

enum class SetUpOutcome {
    Opened,          // ADOConn is open
    ToolStarted,     // no file or no connection: the settings tool runs, the station ends (0)
    ToolNotFound,    // ... and the tool is neither beside the program nor on the search path
    ToolNotStarted,  // ... and the tool is there but could not be started (toolError says why)
};

struct SetUpResult {
    SetUpOutcome outcome = SetUpOutcome::Opened;
    QString iniPath;
    QString error;      // why the connection failed, when it did
    QString tool;       // the settings tool found, when one was
    QString toolError;  // why it could not be started
};

// The data module's set-up: read sql_config.ini from the station folder, open ADOConn, or
// start the settings tool (the program folder first, then the search path) and report.
SetUpResult SetUpDataModule(TF_dm& dm, const QString& stationFolder, const QString& programFolder,
                            ProgramLauncher& launcher);

// Where the settings tool is: the program folder first, then the search path; empty when
// it is nowhere.
QString FindConfigTool(const QString& programFolder);

// The text as the settings tool receives it: at most kToolErrorMaxChars characters.
QString ToolErrorArgument(const QString& error);
