#include "gui/main/TFsz.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "core/db/IniFile.h"
#include "core/main/StationSettings.h"
#include "core/main/StationSettingsFile.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/RadioGroup.h"
#include "gui/common/SpeechEngine.h"

TFsz::TFsz(StationSettings& settings, IniFile& file, QTimer& reminderTimer, SpeechEngine& speech,
           MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      file_(file),
      reminderTimer_(reminderTimer),
      speech_(speech),
      boxes_(boxes) {
    setObjectName(QStringLiteral("Fsz"));
    setWindowTitle(QStringLiteral("出品划菜设置"));
    setFixedSize(450, 327);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, 8, 10, 8);
    page->setSpacing(6);

    auto* reminder = new QGroupBox(QStringLiteral("超时提醒设置"), this);
    auto* reminderRow = new QHBoxLayout(reminder);
    reminderRow->addWidget(new QLabel(QStringLiteral("每"), reminder));
    EtCstx = new QLineEdit(QStringLiteral("5"), reminder);
    EtCstx->setObjectName(QStringLiteral("EtCstx"));
    EtCstx->setFixedWidth(48);
    EtCstx->installEventFilter(this);
    reminderRow->addWidget(EtCstx);
    reminderRow->addWidget(
        new QLabel(QStringLiteral("分钟进行一次菜品超时提醒，0表示不启用此功能"), reminder), 1);
    page->addWidget(reminder);

    auto* dishInfo = new QGroupBox(QStringLiteral("菜品信息"), this);
    auto* dishRows = new QVBoxLayout(dishInfo);
    Chek_sdsr = new QCheckBox(QStringLiteral("菜品信息处不允许手动输入查询"), dishInfo);
    Chek_sdsr->setObjectName(QStringLiteral("Chek_sdsr"));
    Chek_order = new QCheckBox(QStringLiteral("未上菜品中有优先顺序的菜品提示"), dishInfo);
    Chek_order->setObjectName(QStringLiteral("Chek_order"));
    dishRows->addWidget(Chek_sdsr);
    dishRows->addWidget(Chek_order);
    page->addWidget(dishInfo);

    auto* voice = new QGroupBox(QStringLiteral("语音报菜"), this);
    auto* voiceGrid = new QGridLayout(voice);
    voiceGrid->setVerticalSpacing(3);
    Chk_yybc = new QCheckBox(QStringLiteral("使用扫描枪扫描上菜进行语音报菜"), voice);
    Chk_yybc->setObjectName(QStringLiteral("Chk_yybc"));
    voiceGrid->addWidget(Chk_yybc, 0, 0, 1, 2);
    voiceGrid->addWidget(new QLabel(QStringLiteral("语速设置："), voice), 1, 0);
    Tb_ys = new QSlider(Qt::Horizontal, voice);
    Tb_ys->setObjectName(QStringLiteral("Tb_ys"));
    Tb_ys->setRange(-10, 10);
    Tb_ys->setSingleStep(1);
    Tb_ys->setPageStep(1);
    Tb_ys->setTickPosition(QSlider::TicksBelow);
    Tb_ys->setTickInterval(5);
    Tb_ys->setEnabled(false);
    voiceGrid->addWidget(Tb_ys, 1, 1);
    auto* marks = new QHBoxLayout;
    for (const char* mark : {"-10", "-5", "0", "5", "10"}) {
        if (marks->count() > 0) {
            marks->addStretch(1);
        }
        marks->addWidget(new QLabel(QString::fromLatin1(mark), voice));
    }
    voiceGrid->addLayout(marks, 2, 1);
    auto* note =
        new QLabel(QStringLiteral("注：需要安装微软中文语音库 SimpChinese Speech Package."), voice);
    voiceGrid->addWidget(note, 3, 0, 1, 2);
    Label7 = new QLabel(kChineseVoiceInstalledText, voice);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setWordWrap(true);
    voiceGrid->addWidget(Label7, 4, 0, 1, 2);
    Label8 =
        new QLabel(QStringLiteral("运行程序安装目录中的Microsoft_TTS_51_chs.msi进行安装。"), voice);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setStyleSheet(QStringLiteral("color: #c0392b;"));
    Label8->hide();
    voiceGrid->addWidget(Label8, 5, 0, 1, 2);
    voiceGrid->setColumnStretch(1, 1);
    page->addWidget(voice, 1);

    Rg_tmgxzt = new RadioGroup(QStringLiteral("条码枪扫描定位时，状态设置"),
                               {QStringLiteral("不更新菜品状态"), QStringLiteral("更新为无法制作"),
                                QStringLiteral("更新为开始制作"), QStringLiteral("更新为制作完成"),
                                QStringLiteral("更新为加急制作"), QStringLiteral("更新为菜品已上")},
                               3, this);
    Rg_tmgxzt->setObjectName(QStringLiteral("Rg_tmgxzt"));
    Rg_tmgxzt->hide();

    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("取消"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(80);
    }
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    page->addLayout(buttons);

    const ErrorGuard guard(boxes_, this);
    connect(Chk_yybc, &QCheckBox::toggled, this,
            guard.wrap([this] { Tb_ys->setEnabled(Chk_yybc->isChecked()); }));
    connect(Button1, &QPushButton::clicked, this, guard.wrap([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, guard.wrap([this] { QDialog::reject(); }));

    detectSpeech();
}

void TFsz::detectSpeech() {
    chineseVoice_ = false;
    Label7->setText(kChineseVoiceMissingText);
    Label8->show();
    ErrorGuard(boxes_, this).run([this] {
        chineseVoice_ = HasChineseVoice(speech_.voices());
        Label7->setText(chineseVoice_ ? kChineseVoiceInstalledText : kChineseVoiceMissingText);
        Label8->setVisible(!chineseVoice_);
    });
}

void TFsz::fillFromSettings() {
    EtCstx->setText(QString::number(settings_.Et_cstx));
    Rg_tmgxzt->setItemIndex(settings_.Rg_tmgxzt);
    if (settings_.YYBC == QLatin1String("Y")) {
        Chk_yybc->setChecked(true);
        Tb_ys->setValue(settings_.YYSD);
    } else {
        Chk_yybc->setChecked(false);
    }
    Tb_ys->setEnabled(Chk_yybc->isChecked());
    Chek_sdsr->setChecked(settings_.SDSR != QLatin1String("Y"));
    Chek_order->setChecked(settings_.MEAL_ORDER == QLatin1String("Y"));
}

void TFsz::Button1Click() {
    const QString text = EtCstx->text().trimmed();
    if (text.isEmpty()) {
        EtCstx->setText(QStringLiteral("5"));
        return;
    }
    bool ok = false;
    const int minutes = text.toInt(&ok);
    if (!ok) {
        throw std::runtime_error(QStringLiteral("“%1”不是有效的整数").arg(text).toStdString());
    }
    if (minutes < 0) {
        boxes_.show(this, QMessageBox::Information, QStringLiteral("信息提示"),
                    QStringLiteral("提醒时间不能小于零"), QMessageBox::Ok);
        EtCstx->setFocus();
        return;
    }
    reminderTimer_.stop();
    if (minutes != 0) {
        reminderTimer_.setInterval(ReminderIntervalMs(minutes));
        reminderTimer_.start();
    }
    DialogSettings values;
    values.reminderMinutes = minutes;
    values.scanRadioGroup = Rg_tmgxzt->itemIndex();
    values.voice = Chk_yybc->isChecked();
    values.speechRate = Tb_ys->value();
    values.noManualInput = Chek_sdsr->isChecked();
    values.servingOrderPrompt = Chek_order->isChecked();
    // Settings that only live until the next start are no saved settings: say so and stay.
    if (!WriteDialogSettings(file_, values)) {
        throw std::runtime_error(QStringLiteral("无法写入设置文件 %1")
                                     .arg(QDir::toNativeSeparators(file_.path()))
                                     .toStdString());
    }
    ApplyDialogSettings(settings_, values);
    accept();
}

namespace {

bool AsciiDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// Digits, Backspace and Enter are typed into the box; keys without text (arrows, Delete) and
// the dialog's own keys (Tab, Escape) are no characters. Anything else is discarded: letters,
// signs, full-width digits, a character of two UTF-16 units, control characters.
bool ReminderBoxTakes(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Backspace:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return true;
        default:
            break;
    }
    const QString text = key.text();
    return text.isEmpty() || AsciiDigits(text);
}

}  // namespace

bool TFsz::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EtCstx) {
        if (event->type() == QEvent::KeyPress &&
            !ReminderBoxTakes(*static_cast<QKeyEvent*>(event))) {
            return true;  // only a paste can bring other characters
        }
        // An input method's text (a Chinese character, a full-width digit) never lands.
        if (event->type() == QEvent::InputMethod) {
            const auto* im = static_cast<QInputMethodEvent*>(event);
            if (!im->preeditString().isEmpty() || !AsciiDigits(im->commitString())) {
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
