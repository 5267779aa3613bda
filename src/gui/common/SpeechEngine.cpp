#include "gui/common/SpeechEngine.h"

#include <QProcess>
#include <QRegularExpression>
#include <stdexcept>

bool IsChineseVoice(const SpeechVoice& voice) {
    if (voice.description == kChineseVoiceDescription) {
        return true;
    }
    const QString lang = voice.language.toLower();
    if (lang == QLatin1String("cmn") || lang == QLatin1String("zh-cn") ||
        lang == QLatin1String("zh") || lang.startsWith(QLatin1String("cmn-"))) {
        return true;
    }
    return voice.description.contains(QLatin1String("Mandarin"), Qt::CaseInsensitive);
}

bool HasChineseVoice(const QList<SpeechVoice>& voices) {
    return std::any_of(voices.begin(), voices.end(), IsChineseVoice);
}

QList<SpeechVoice> ParseEspeakVoices(const QString& listing) {
    // Pty Language Age/Gender VoiceName File Other-Languages
    QList<SpeechVoice> out;
    const QStringList lines = listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList cols = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (cols.size() < 5 || cols.at(0) == QLatin1String("Pty")) {
            continue;
        }
        SpeechVoice v;
        v.language = cols.at(1);
        v.description = QString(cols.at(3)).replace(QLatin1Char('_'), QLatin1Char(' '));
        v.name = cols.at(4);  // the voice file names the voice unambiguously
        out << v;
    }
    return out;
}

EspeakSpeechEngine::EspeakSpeechEngine(QString program, QObject* parent)
    : QObject(parent), program_(std::move(program)) {}

EspeakSpeechEngine::~EspeakSpeechEngine() {
    stopSpeaking();
}

QList<SpeechVoice> EspeakSpeechEngine::voices() {
    QProcess p;
    p.start(program_, {QStringLiteral("--voices")});
    if (!p.waitForStarted(3000)) {
        throw std::runtime_error(QStringLiteral("无法启动语音引擎 %1").arg(program_).toStdString());
    }
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(1000);
        throw std::runtime_error(
            QStringLiteral("语音引擎 %1 没有响应").arg(program_).toStdString());
    }
    return ParseEspeakVoices(QString::fromUtf8(p.readAllStandardOutput()));
}

void EspeakSpeechEngine::setRate(int rate) {
    rate_ = std::clamp(rate, -10, 10);
}

int EspeakSpeechEngine::wordsPerMinute() const {
    return 175 + rate_ * 12;
}

void EspeakSpeechEngine::stopSpeaking() {
    if (speaking_ == nullptr) {
        return;
    }
    QProcess* p = speaking_;
    speaking_ = nullptr;
    p->disconnect(this);
    if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(500);
    }
    delete p;
}

void EspeakSpeechEngine::speak(const QString& text) {
    stopSpeaking();
    auto* p = new QProcess(this);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->setStandardOutputFile(QProcess::nullDevice());
    connect(p, &QProcess::finished, this, [this, p] {
        if (speaking_ == p) {
            speaking_ = nullptr;
            p->deleteLater();
        }
    });
    connect(p, &QProcess::errorOccurred, this, [this, p](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart && speaking_ == p) {
            speaking_ = nullptr;
            p->deleteLater();
        }
    });
    speaking_ = p;
    p->start(program_, {QStringLiteral("-v"), voice_, QStringLiteral("-s"),
                        QString::number(wordsPerMinute()), QStringLiteral("--"), text});
}
