#pragma once

#include "ui/TSettingsPanel.h"

// "Audio settings" (pnAudio): the sound codec and how it is made.
class TAudioPanel : public TSettingsPanel {
    Q_OBJECT
public:
    explicit TAudioPanel(QWidget* parent = nullptr);

Q_SIGNALS:
    void BitrateInfoRequested(); // "Bitrate/Sampling info"
};
