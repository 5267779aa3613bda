#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <climits>

#include "FakeSpeechEngine.h"
#include "ScriptedMessageBoxes.h"
#include "core/db/IniFile.h"
#include "core/main/StationSettingsFile.h"
#include "gui/common/RadioGroup.h"
#include "gui/main/TFsz.h"

namespace {

struct DialogFixture {
    QTemporaryDir dir;
    IniFile file{StationSettingsPath(dir.path())};
    StationSettings settings;
    QTimer reminder;
    FakeSpeechEngine speech;
    ScriptedMessageBoxes boxes;

    DialogFixture() {
        reminder.setInterval(5 * 60000);
        reminder.start();
    }
    std::unique_ptr<TFsz> open() {
        auto d = std::make_unique<TFsz>(settings, file, reminder, speech, boxes);
        d->fillFromSettings();
        return d;
    }
    QString stored(const char* key) {
        IniFile again(file.path());
        return again.readString(kSettingsSection, QString::fromLatin1(key), "<none>");
    }
};

}  // namespace

class TFszTest : public QObject {
    Q_OBJECT

private slots:
    void speechDetection_data();
    void speechDetection();
    void unreachableSpeechStillOpens();
    void filledFromMemory_data();
    void filledFromMemory();
    void reminderBoxTakesDigitsOnly_data();
    void reminderBoxTakesDigitsOnly();
    void reminderBoxRefusesInputMethodText_data();
    void reminderBoxRefusesInputMethodText();
    void rejectedMinutes_data();
    void rejectedMinutes();
    void okReArmsTheReminder_data();
    void okReArmsTheReminder();
    void okWritesAndApplies();
    void okWithoutVoiceKeepsTheRate();
    void cancelSavesNothing();
    void unwritableFileSaysSoAndKeepsTheDialog();
};

void TFszTest::speechDetection_data() {
    QTest::addColumn<QList<SpeechVoice>>("voices");
    QTest::addColumn<bool>("found");
    const SpeechVoice english{"en", "English (America)", "en-us"};
    QTest::newRow("none") << QList<SpeechVoice>{} << false;
    QTest::newRow("english only") << QList<SpeechVoice>{english} << false;
    QTest::newRow("windows description")
        << QList<SpeechVoice>{english, {"v", "Microsoft Simplified Chinese", "zh-CN"}} << true;
    QTest::newRow("espeak mandarin")
        << QList<SpeechVoice>{{"sit/cmn", "Chinese (Mandarin, latin as English)", "cmn"}} << true;
    QTest::newRow("cantonese is not it")
        << QList<SpeechVoice>{{"sit/yue", "Chinese (Cantonese)", "yue"}} << false;
}

void TFszTest::speechDetection() {
    QFETCH(QList<SpeechVoice>, voices);
    QFETCH(bool, found);
    DialogFixture f;
    f.speech.installed = voices;
    auto d = f.open();
    d->show();
    QCOMPARE(d->chineseVoiceFound(), found);
    QCOMPARE(d->Label7->text(), found ? kChineseVoiceInstalledText : kChineseVoiceMissingText);
    QCOMPARE(d->Label8->isVisible(), !found);
    QVERIFY(f.boxes.shown().isEmpty());
}

void TFszTest::unreachableSpeechStillOpens() {
    DialogFixture f;
    f.speech.unreachable = true;
    auto d = f.open();
    QCOMPARE(f.boxes.shown().size(), 1);
    QCOMPARE(f.boxes.shown().at(0).icon, QMessageBox::Critical);
    QCOMPARE(d->Label7->text(), kChineseVoiceMissingText);
    QCOMPARE(d->windowTitle(), QStringLiteral("出品划菜设置"));
}

void TFszTest::filledFromMemory_data() {
    QTest::addColumn<QString>("voice");
    QTest::addColumn<QString>("manual");
    QTest::addColumn<QString>("order");
    QTest::newRow("voice on, typing allowed, prompt on") << "Y"
                                                         << "Y"
                                                         << "Y";
    QTest::newRow("voice off, scanner only, prompt off") << "N"
                                                         << "N"
                                                         << "N";
}

void TFszTest::filledFromMemory() {
    QFETCH(QString, voice);
    QFETCH(QString, manual);
    QFETCH(QString, order);
    DialogFixture f;
    f.settings.Et_cstx = 12;
    f.settings.YYBC = voice;
    f.settings.YYSD = -6;
    f.settings.SDSR = manual;
    f.settings.MEAL_ORDER = order;
    auto d = f.open();
    QCOMPARE(d->EtCstx->text(), QStringLiteral("12"));
    QCOMPARE(d->Chk_yybc->isChecked(), voice == "Y");
    QCOMPARE(d->Tb_ys->isEnabled(), voice == "Y");
    if (voice == "Y") {
        QCOMPARE(d->Tb_ys->value(), -6);
    }
    QCOMPARE(d->Chek_sdsr->isChecked(), manual != "Y");
    QCOMPARE(d->Chek_order->isChecked(), order == "Y");
    QCOMPARE(d->Rg_tmgxzt->itemIndex(), 5);
    QVERIFY(d->Rg_tmgxzt->isHidden());
    d->Chk_yybc->click();
    QCOMPARE(d->Tb_ys->isEnabled(), d->Chk_yybc->isChecked());
}

void TFszTest::reminderBoxTakesDigitsOnly_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");  // the box held "12", the cursor at its end
    QTest::newRow("digit") << int(Qt::Key_3) << "3"
                           << "123";
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b"
                               << "1";
    QTest::newRow("left arrow, no text") << int(Qt::Key_Left) << ""
                                         << "12";
    QTest::newRow("letter") << int(Qt::Key_A) << "a"
                            << "12";
    QTest::newRow("minus") << int(Qt::Key_Minus) << "-"
                           << "12";
    QTest::newRow("blank") << int(Qt::Key_Space) << " "
                           << "12";
    QTest::newRow("full-width digit") << 0 << "３"
                                      << "12";
    QTest::newRow("two units") << 0 << "😀"
                               << "12";
    QTest::newRow("Chinese") << 0 << "五"
                             << "12";
    QTest::newRow("control character") << int(Qt::Key_V) << "\x16"
                                       << "12";
    QTest::newRow("several keys' text") << 0 << "4x"
                                        << "12";
}

void TFszTest::reminderBoxTakesDigitsOnly() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, after);
    DialogFixture f;
    auto d = f.open();
    d->EtCstx->setText("12");
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(d->EtCstx, &press);
    QCOMPARE(d->EtCstx->text(), after);
}

void TFszTest::reminderBoxRefusesInputMethodText_data() {
    QTest::addColumn<QString>("preedit");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("after");
    QTest::newRow("Chinese committed") << ""
                                       << "五"
                                       << "12";
    QTest::newRow("composing") << "wu"
                               << ""
                               << "12";
    QTest::newRow("digits committed") << ""
                                      << "3"
                                      << "123";
}

void TFszTest::reminderBoxRefusesInputMethodText() {
    QFETCH(QString, preedit);
    QFETCH(QString, commit);
    QFETCH(QString, after);
    DialogFixture f;
    auto d = f.open();
    d->EtCstx->setText("12");
    QInputMethodEvent im(preedit, {});
    im.setCommitString(commit);
    QApplication::sendEvent(d->EtCstx, &im);
    QCOMPARE(d->EtCstx->text(), after);
}

void TFszTest::rejectedMinutes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::newRow("blank puts back 5") << "  "
                                       << "5"
                                       << "" << 0;
    QTest::newRow("negative") << "-3"
                              << "-3"
                              << "提醒时间不能小于零" << int(QMessageBox::Information);
    QTest::newRow("not a number") << "1.5"
                                  << "1.5"
                                  << "“1.5”不是有效的整数" << int(QMessageBox::Critical);
}

void TFszTest::rejectedMinutes() {
    QFETCH(QString, typed);
    QFETCH(QString, textAfter);
    QFETCH(QString, message);
    QFETCH(int, icon);
    DialogFixture f;
    auto d = f.open();
    d->show();
    d->EtCstx->setText(typed);  // as a paste would
    QTest::mouseClick(d->Button1, Qt::LeftButton);
    QCOMPARE(d->EtCstx->text(), textAfter);
    QVERIFY(!QFile::exists(f.file.path()));
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QVERIFY(d->isVisible());
    QCOMPARE(f.reminder.isActive(), true);
    QCOMPARE(f.reminder.interval(), 5 * 60000);
    if (message.isEmpty()) {
        QVERIFY(f.boxes.shown().isEmpty());
        return;
    }
    QCOMPARE(f.boxes.texts(), QStringList{message});
    QCOMPARE(int(f.boxes.shown().at(0).icon), icon);
    if (icon == QMessageBox::Information) {
        QCOMPARE(f.boxes.shown().at(0).caption, QStringLiteral("信息提示"));
        QCOMPARE(d->focusWidget(), d->EtCstx);
    }
}

void TFszTest::okReArmsTheReminder_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("active");
    QTest::addColumn<int>("interval");
    QTest::newRow("zero stops it") << "0" << false << 5 * 60000;
    QTest::newRow("seven minutes") << " 7 " << true << 7 * 60000;
    // 40000 minutes in milliseconds overflow an int: the longest interval a timer takes.
    QTest::newRow("more than a timer holds") << "40000" << true << INT_MAX;
}

void TFszTest::okReArmsTheReminder() {
    QFETCH(QString, typed);
    QFETCH(bool, active);
    QFETCH(int, interval);
    DialogFixture f;
    auto d = f.open();
    d->EtCstx->setText(typed);
    QTest::mouseClick(d->Button1, Qt::LeftButton);
    QCOMPARE(f.reminder.isActive(), active);
    QCOMPARE(f.reminder.interval(), interval);
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(f.settings.Et_cstx, typed.trimmed().toInt());
    QCOMPARE(f.stored("Et_cstx"), typed.trimmed());
}

void TFszTest::okWritesAndApplies() {
    DialogFixture f;
    auto d = f.open();
    d->Chk_yybc->setChecked(true);
    d->Tb_ys->setValue(4);
    d->Chek_sdsr->setChecked(true);
    d->Chek_order->setChecked(false);
    QTest::mouseClick(d->Button1, Qt::LeftButton);
    QCOMPARE(f.stored("YYBC"), QStringLiteral("Y"));
    QCOMPARE(f.stored("YYSD"), QStringLiteral("4"));
    QCOMPARE(f.stored("SDSR"), QStringLiteral("N"));
    QCOMPARE(f.stored("MEAL_ORDER"), QStringLiteral("N"));
    QCOMPARE(f.stored("Rg_tmgxzt"), QStringLiteral("5"));
    QCOMPARE(f.settings.YYBC, QStringLiteral("Y"));
    QCOMPARE(f.settings.YYSD, 4);
    QCOMPARE(f.settings.SDSR, QStringLiteral("N"));
    QCOMPARE(f.settings.MEAL_ORDER, QStringLiteral("N"));
}

void TFszTest::okWithoutVoiceKeepsTheRate() {
    DialogFixture f;
    f.file.writeInt(kSettingsSection, "YYSD", -7);
    f.settings.YYBC = "Y";
    f.settings.YYSD = -7;
    auto d = f.open();
    d->Tb_ys->setValue(9);
    d->Chk_yybc->setChecked(false);
    QTest::mouseClick(d->Button1, Qt::LeftButton);
    QCOMPARE(f.stored("YYBC"), QStringLiteral("N"));
    QCOMPARE(f.stored("YYSD"), QStringLiteral("-7"));
    QCOMPARE(f.settings.YYSD, -7);
    QCOMPARE(f.settings.YYBC, QStringLiteral("N"));
}

void TFszTest::cancelSavesNothing() {
    DialogFixture f;
    auto d = f.open();
    d->EtCstx->setText("0");
    QTest::mouseClick(d->Button2, Qt::LeftButton);
    QVERIFY(!QFile::exists(f.file.path()));
    QVERIFY(f.reminder.isActive());
    QCOMPARE(f.settings.Et_cstx, 5);
}

void TFszTest::unwritableFileSaysSoAndKeepsTheDialog() {
    DialogFixture f;
    IniFile blocked(f.dir.filePath(QStringLiteral("no-such-folder/cp_config.ini")));
    TFsz d(f.settings, blocked, f.reminder, f.speech, f.boxes);
    d.fillFromSettings();
    d.show();
    d.EtCstx->setText("9");
    d.Chek_order->setChecked(false);
    QTest::mouseClick(d.Button1, Qt::LeftButton);
    QCOMPARE(f.boxes.shown().size(), 1);
    QCOMPARE(f.boxes.shown().at(0).icon, QMessageBox::Critical);
    QVERIFY(f.boxes.shown().at(0).text.contains(blocked.path()));
    QVERIFY(d.isVisible());
    QCOMPARE(d.result(), 0);
    // Memory keeps what the file still says.
    QCOMPARE(f.settings.Et_cstx, 5);
    QCOMPARE(f.settings.MEAL_ORDER, QStringLiteral("Y"));
}

QTEST_MAIN(TFszTest)
#include "TFszTest.moc"
