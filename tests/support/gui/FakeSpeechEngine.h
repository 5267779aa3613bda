#pragma once

#include <QStringList>
#include <stdexcept>

#include "gui/common/SpeechEngine.h"

// Records what the station asks of the speech engine; the voices are set by the test.
class FakeSpeechEngine final : public SpeechEngine {
public:
    QList<SpeechVoice> installed;
    bool unreachable = false;
    QString voice;
    int rate = 0;
    QStringList spoken;
    int voiceListings = 0;

    QList<SpeechVoice> voices() override {
        ++voiceListings;
        if (unreachable) {
            throw std::runtime_error("speech engine unreachable");
        }
        return installed;
    }
    void selectVoice(const QString& name) override { voice = name; }
    void setRate(int r) override { rate = r; }
    void speak(const QString& text) override { spoken << text; }
};
