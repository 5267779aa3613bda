#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "gui/common/SpeechEngine.h"
#include "gui/common/StationContext.h"

// AnnounceServedDish: the voice that says a scanned dish's name and "已上" when the setting
// YYBC is "Y". Speaking never waits: the engine cuts off what it was still saying.
class ServedAnnouncer final : public QObject {
    Q_OBJECT

public:
    // programFolder: where wav/ is, for the failure sound when the engine cannot be reached.
    ServedAnnouncer(StationContext& ctx, QString programFolder, QObject* parent = nullptr);

    // The voices are asked for once, at the first announcement, and kept: they do not change
    // while the station runs, and asking on every scan would cost a round to the engine. An
    // engine that cannot list its voices plays the failure sound (and is asked again next
    // time); the dish stays served.
    void AnnounceServedDish(const QString& dishName);

    // Speaks the text once, without its punctuation, with that voice (none: the engine's own
    // choice) at the rate YYSD. Never reports an error.
    void SpeakText(const std::optional<QString>& voice, const QString& text);

    // The voice the station speaks with: the last voice described "Microsoft Simplified
    // Chinese"; on engines that name their voices differently, their Mandarin voice (the plain
    // one before a variant). None when the engine has no Chinese voice.
    static std::optional<QString> ChooseVoice(const QList<SpeechVoice>& voices);

private:
    StationContext& ctx_;
    QString programFolder_;
    bool voiceKnown_ = false;
    std::optional<QString> voice_;
};
