#pragma once

#include <QDialog>
#include <functional>

#include "core/db/ConnectionSettings.h"

class MessageBoxes;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// 数据库连接设置: edits the station folder's sql_config.ini. Controls carry object names
// (CB_engine, E_server, E_password, CB_driver, E_file, Button_test, Button_save,
// Button_cancel, Label_reason, Label_result) so tests find them.
class ConnectionSettingsDialog : public QDialog {
public:
    // Tries a connection; false with *error when it fails.
    using Tester = std::function<bool(const ConnectionSettings&, const QString& stationFolder,
                                      QString* error)>;

    ConnectionSettingsDialog(QString stationFolder, MessageBoxes& boxes, Tester tester = {},
                             QWidget* parent = nullptr);

    // Why the station opened the tool: "missing" or "failed" (with the connection error).
    void setReason(const QString& reason, const QString& error);

    void setSettings(const ConnectionSettings& settings);
    ConnectionSettings settings() const;
    QString iniPath() const;

    // The button handlers: true when the connection worked / the file was written.
    bool testConnection();
    bool save();

private:
    void engineChanged();
    void browse();

    QString folder_;
    MessageBoxes& boxes_;
    Tester tester_;
    QLabel* reason_ = nullptr;
    QComboBox* engine_ = nullptr;
    QLineEdit* server_ = nullptr;
    QLineEdit* password_ = nullptr;
    QComboBox* driver_ = nullptr;
    QLineEdit* file_ = nullptr;
    QPushButton* browse_ = nullptr;
    QLabel* result_ = nullptr;
};
