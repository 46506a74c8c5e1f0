#pragma once

#include "ui/TSettingsPanel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// "Audio settings" (pnAudio); the audio encoder is always MP3.
class TAudioPanel : public TSettingsPanel {
    Q_OBJECT
public:
    explicit TAudioPanel(QWidget* parent = nullptr);

    void SetSettings(const EncodingSettings& s) override;
    void GetSettings(EncodingSettings& s) const override;
    void ApplyEnabling(const TEncodingEnabling& e) override;

Q_SIGNALS:
    void BitrateInfoRequested(); // "Bitrate/Sampling info"

private:
    QCheckBox* m_chAudioDontCopy = nullptr;
    QComboBox* m_cbAudioBitrate = nullptr;
    QComboBox* m_cbAudioBitrateMode = nullptr;
    QComboBox* m_cbAudioSampling = nullptr;
    QComboBox* m_cbAudioChannels = nullptr;
    QComboBox* m_cbAudioAlgoQuality = nullptr;
    QList<QWidget*> m_audioOptions; // the controls and labels "No audio" switches off
};
