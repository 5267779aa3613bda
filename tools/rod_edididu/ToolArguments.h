#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/db/ConnectionSettings.h"

// The command line of rod_edididu. The station starts it with --home, --reason and --error;
// administrators and scripts use --write or --test with the connection fields.
struct ToolArguments {
    QString home;    // as given; empty: TZCY_HOME or the program's folder
    QString reason;  // "missing", "failed" or empty
    QString error;   // the station's connection error
    bool write = false;
    bool test = false;
    bool help = false;
    // Fields given on the command line; the others keep what the file (or the default) says.
    std::optional<Engine> engine;
    std::optional<QString> server;
    std::optional<QString> password;
    std::optional<QString> driver;
    std::optional<QString> file;

    bool headless() const { return write || test || help; }
};

// arguments without the program name. Nothing, with *problem set, on a bad command line.
std::optional<ToolArguments> ParseToolArguments(const QStringList& arguments, QString* problem);

// The given fields over the base settings.
ConnectionSettings ApplyFields(const ToolArguments& args, ConnectionSettings base);

// The settings in the station folder's sql_config.ini, or the defaults when it is missing.
ConnectionSettings LoadSettingsOrDefaults(const QString& stationFolder);

// Why the fields, as given, cannot be saved; empty when they can.
QString SettingsProblem(const ConnectionSettings& settings);

// Opens a connection with the settings; false with *error when it fails.
bool TryConnection(const ConnectionSettings& settings, const QString& stationFolder,
                   QString* error);

extern const char* const kToolUsage;
