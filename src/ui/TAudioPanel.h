#pragma once

#include "ui/TSettingsPanel.h"

// "Audio settings" (pnAudio); the audio encoder is always MP3.
class TAudioPanel : public TSettingsPanel {
    Q_OBJECT
public:
    explicit TAudioPanel(QWidget* parent = nullptr);

Q_SIGNALS:
    void BitrateInfoRequested(); // "Bitrate/Sampling info"
};
