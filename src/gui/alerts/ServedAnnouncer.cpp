#include "gui/alerts/ServedAnnouncer.h"

#include "core/alerts/Announcement.h"
#include "gui/common/StationSounds.h"

ServedAnnouncer::ServedAnnouncer(StationContext& ctx, QString programFolder, QObject* parent)
    : QObject(parent), ctx_(ctx), programFolder_(std::move(programFolder)) {}

std::optional<QString> ServedAnnouncer::ChooseVoice(const QList<SpeechVoice>& voices) {
    std::optional<QString> described;
    std::optional<QString> plain;
    std::optional<QString> variant;
    for (const SpeechVoice& v : voices) {
        if (v.description == kChineseVoiceDescription) {
            described = v.name;
        } else if (IsChineseVoice(v)) {
            (v.language.contains(QLatin1Char('-')) ? variant : plain) = v.name;
        }
    }
    return described ? described : plain ? plain : variant;
}

void ServedAnnouncer::AnnounceServedDish(const QString& dishName) {
    if (ctx_.settings.YYBC != QLatin1String("Y")) {
        return;
    }
    if (!voiceKnown_) {
        try {
            voice_ = ChooseVoice(ctx_.speech.voices());
            voiceKnown_ = true;
        } catch (const std::exception&) {
            PlaySoundFile(ctx_.sound, StationSoundPath(programFolder_, StationSound::Failure));
            return;
        }
    }
    SpeakText(voice_, dishName + QStringLiteral("已上"));
}

void ServedAnnouncer::SpeakText(const std::optional<QString>& voice, const QString& text) {
    try {
        if (voice) {
            ctx_.speech.selectVoice(*voice);
        }
        ctx_.speech.setRate(ctx_.settings.YYSD);
        ctx_.speech.speak(StripPunctuation(text));
    } catch (...) {
        // Nothing is said; the pass carries on.
    }
}
