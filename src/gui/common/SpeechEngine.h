#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QProcess;

struct SpeechVoice {
    QString name;         // what selectVoice takes
    QString description;  // as the engine describes it
    QString language;
};

// Text to speech as the station uses it. Speaking never waits and cuts off earlier speech.
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;
    // Throws std::runtime_error when the engine cannot be reached at all.
    virtual QList<SpeechVoice> voices() = 0;
    virtual void selectVoice(const QString& name) = 0;
    virtual void setRate(int rate) = 0;  // -10 .. 10
    virtual void speak(const QString& text) = 0;
};

inline const QString kChineseVoiceDescription = QStringLiteral("Microsoft Simplified Chinese");

// The voice the station looks for: the Windows description, or a Mandarin voice of engines
// that name voices differently.
bool IsChineseVoice(const SpeechVoice& voice);
bool HasChineseVoice(const QList<SpeechVoice>& voices);

// espeak-ng, one process per utterance: a new utterance kills the one still speaking, and
// nothing ever waits for audio, so a machine without a sound device cannot hang the station.
class EspeakSpeechEngine final : public QObject, public SpeechEngine {
public:
    explicit EspeakSpeechEngine(QString program = QStringLiteral("espeak-ng"),
                                QObject* parent = nullptr);
    ~EspeakSpeechEngine() override;

    QList<SpeechVoice> voices() override;
    void selectVoice(const QString& name) override { voice_ = name; }
    void setRate(int rate) override;
    void speak(const QString& text) override;

    int wordsPerMinute() const;

private:
    void stopSpeaking();

    QString program_;
    QString voice_ = QStringLiteral("cmn");
    int rate_ = 0;
    QProcess* speaking_ = nullptr;
};

// Parses the table `espeak-ng --voices` prints.
QList<SpeechVoice> ParseEspeakVoices(const QString& listing);
