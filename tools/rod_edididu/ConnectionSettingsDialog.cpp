#include "ConnectionSettingsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ToolArguments.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/MessageBoxes.h"

namespace {

const QString kCaption = QStringLiteral("提示信息");

QStringList KnownDrivers() {
    QStringList drivers{DefaultOdbcDriver(), QStringLiteral("FreeTDS"),
                        QStringLiteral("ODBC Driver 18 for SQL Server"),
                        QStringLiteral("ODBC Driver 17 for SQL Server"),
                        QStringLiteral("SQL Server")};
    drivers.removeDuplicates();
    return drivers;
}

}  // namespace

ConnectionSettingsDialog::ConnectionSettingsDialog(QString stationFolder, MessageBoxes& boxes,
                                                   Tester tester, QWidget* parent)
    : QDialog(parent),
      folder_(std::move(stationFolder)),
      boxes_(boxes),
      tester_(tester ? std::move(tester) : Tester(TryConnection)) {
    setObjectName(QStringLiteral("TFsqlconfig"));
    setWindowTitle(QStringLiteral("数据库连接设置"));

    reason_ = new QLabel(this);
    reason_->setObjectName(QStringLiteral("Label_reason"));
    reason_->setWordWrap(true);
    reason_->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0);"));
    reason_->hide();

    engine_ = new QComboBox(this);
    engine_->setObjectName(QStringLiteral("CB_engine"));
    engine_->addItem(QStringLiteral("SQL Server"), EngineKey(Engine::SqlServer));
    engine_->addItem(QStringLiteral("嵌入式数据库文件"), EngineKey(Engine::Sqlite));

    server_ = new QLineEdit(this);
    server_->setObjectName(QStringLiteral("E_server"));
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("E_password"));
    password_->setEchoMode(QLineEdit::Password);
    driver_ = new QComboBox(this);
    driver_->setObjectName(QStringLiteral("CB_driver"));
    driver_->setEditable(true);
    driver_->addItems(KnownDrivers());
    file_ = new QLineEdit(this);
    file_->setObjectName(QStringLiteral("E_file"));
    file_->setPlaceholderText(kDatabaseName + QStringLiteral(".db"));
    browse_ = new QPushButton(QStringLiteral("浏览…"), this);
    browse_->setObjectName(QStringLiteral("Button_browse"));

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse_);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("数据库类型："), engine_);
    form->addRow(QStringLiteral("服务器名称："), server_);
    form->addRow(QStringLiteral("sa 密码："), password_);
    form->addRow(QStringLiteral("ODBC 驱动："), driver_);
    form->addRow(QStringLiteral("数据库文件："), fileRow);

    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("Label_result"));
    result_->setWordWrap(true);

    auto* test = new QPushButton(QStringLiteral("测试连接"), this);
    test->setObjectName(QStringLiteral("Button_test"));
    auto* saveButton = new QPushButton(QStringLiteral("保存"), this);
    saveButton->setObjectName(QStringLiteral("Button_save"));
    saveButton->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("Button_cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(test);
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reason_);
    layout->addLayout(form);
    layout->addWidget(result_);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    const ErrorGuard guard(boxes_, this);
    connect(engine_, &QComboBox::currentIndexChanged, this,
            guard.wrap([this] { engineChanged(); }));
    connect(browse_, &QPushButton::clicked, this, guard.wrap([this] { browse(); }));
    connect(test, &QPushButton::clicked, this, guard.wrap([this] { testConnection(); }));
    connect(saveButton, &QPushButton::clicked, this, guard.wrap([this] {
        if (save()) {
            accept();
        }
    }));
    connect(cancel, &QPushButton::clicked, this, guard.wrap([this] { reject(); }));

    setSettings(LoadSettingsOrDefaults(folder_));
}

QString ConnectionSettingsDialog::iniPath() const {
    return QDir(folder_).filePath(kConnectionFileName);
}

void ConnectionSettingsDialog::setReason(const QString& reason, const QString& error) {
    QString text;
    if (reason == QLatin1String("missing")) {
        text = QStringLiteral("未找到连接配置文件 %1，请设置数据库连接。")
                   .arg(QDir::toNativeSeparators(iniPath()));
    } else if (reason == QLatin1String("failed")) {
        text = QStringLiteral("无法连接数据库：") + error;
    } else if (!error.isEmpty()) {
        text = error;
    }
    reason_->setText(text);
    reason_->setVisible(!text.isEmpty());
}

void ConnectionSettingsDialog::setSettings(const ConnectionSettings& s) {
    engine_->setCurrentIndex(s.engine == Engine::Sqlite ? 1 : 0);
    server_->setText(s.server);
    password_->setText(s.password);
    driver_->setCurrentText(s.odbcDriver.isEmpty() ? DefaultOdbcDriver() : s.odbcDriver);
    file_->setText(s.sqliteFile);
    engineChanged();
}

ConnectionSettings ConnectionSettingsDialog::settings() const {
    ConnectionSettings s;
    s.engine = engine_->currentIndex() == 1 ? Engine::Sqlite : Engine::SqlServer;
    s.server = server_->text().trimmed();
    s.password = password_->text();  // blanks may belong to a password
    s.odbcDriver = driver_->currentText().trimmed();
    s.sqliteFile = file_->text().trimmed();
    // An empty field means the default file; for SQL Server the key stays as it was.
    if (s.engine == Engine::Sqlite && s.sqliteFile.isEmpty()) {
        s.sqliteFile = file_->placeholderText();
    }
    return s;
}

void ConnectionSettingsDialog::engineChanged() {
    const bool embedded = engine_->currentIndex() == 1;
    server_->setEnabled(!embedded);
    password_->setEnabled(!embedded);
    driver_->setEnabled(!embedded);
    file_->setEnabled(embedded);
    browse_->setEnabled(embedded);
}

void ConnectionSettingsDialog::browse() {
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("选择数据库文件"), QDir(folder_).absoluteFilePath(file_->text()),
        QStringLiteral("数据库文件 (*.db *.sqlite);;所有文件 (*)"));
    if (chosen.isEmpty()) {
        return;
    }
    // Inside the station folder the path stays relative, so the folder can move.
    const QString relative = QDir(folder_).relativeFilePath(chosen);
    file_->setText(relative.startsWith(QLatin1String("..")) ? chosen : relative);
}

bool ConnectionSettingsDialog::testConnection() {
    const ConnectionSettings s = settings();
    QString error = SettingsProblem(s);
    const bool ok = error.isEmpty() && tester_(s, folder_, &error);
    const QString text = ok ? QStringLiteral("连接成功。") : QStringLiteral("连接失败：") + error;
    result_->setText(text);
    result_->setStyleSheet(ok ? QStringLiteral("color: rgb(0, 110, 0);")
                              : QStringLiteral("color: rgb(160, 0, 0);"));
    boxes_.show(this, ok ? QMessageBox::Information : QMessageBox::Warning, kCaption, text,
                QMessageBox::Ok);
    return ok;
}

bool ConnectionSettingsDialog::save() {
    const ConnectionSettings s = settings();
    const QString problem = SettingsProblem(s);
    if (!problem.isEmpty()) {
        boxes_.show(this, QMessageBox::Warning, kCaption, problem, QMessageBox::Ok);
        return false;
    }
    if (!WriteConnectionSettings(iniPath(), s)) {
        boxes_.show(this, QMessageBox::Warning, kCaption,
                    QStringLiteral("无法写入 %1。").arg(QDir::toNativeSeparators(iniPath())),
                    QMessageBox::Ok);
        return false;
    }
    boxes_.information(this, kCaption, QStringLiteral("连接配置已保存，请重新启动出品划菜。"));
    return true;
}
