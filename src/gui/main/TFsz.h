#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;
class IniFile;
class MessageBoxes;
class RadioGroup;
class SpeechEngine;
struct StationSettings;

// The station settings dialog: reminder interval, search box input, serving-order prompt,
// voice announcement. OK writes cp_config.ini, updates the settings in memory and re-arms the
// reminder timer of the main window.
class TFsz : public QDialog {
    Q_OBJECT

public:
    TFsz(StationSettings& settings, IniFile& file, QTimer& reminderTimer, SpeechEngine& speech,
         MessageBoxes& boxes, QWidget* parent = nullptr);

    // Filled from memory, as it is opened.
    void fillFromSettings();
    void Button1Click();  // OK
    bool chineseVoiceFound() const { return chineseVoice_; }

    QLineEdit* EtCstx;
    QCheckBox* Chek_sdsr;
    QCheckBox* Chek_order;
    QCheckBox* Chk_yybc;
    QSlider* Tb_ys;
    QLabel* Label7;
    QLabel* Label8;
    RadioGroup* Rg_tmgxzt;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void detectSpeech();

    StationSettings& settings_;
    IniFile& file_;
    QTimer& reminderTimer_;
    SpeechEngine& speech_;
    MessageBoxes& boxes_;
    bool chineseVoice_ = false;
};

inline const QString kChineseVoiceInstalledText =
    QStringLiteral("您的机器已安装中文语音库，可以正常使用语音报菜功能。");
inline const QString kChineseVoiceMissingText =
    QStringLiteral("您的机器没有安装中文语音库，安装后才能使用语音报菜功能。");
