#pragma once

#include "ui/TSettingsPanel.h"

class QCheckBox;
class QComboBox;
class QLabel;

// "Output file format / Video settings" (pnVideo).
class TVideoPanel : public TSettingsPanel {
    Q_OBJECT
public:
    explicit TVideoPanel(QWidget* parent = nullptr);

    void SetSettings(const EncodingSettings& s) override;
    void GetSettings(EncodingSettings& s) const override;
    void ApplyEnabling(const TEncodingEnabling& e) override;

private:
    QComboBox* m_cbAviVideoCodec = nullptr;
    QComboBox* m_cbOutputFormat = nullptr;
    QComboBox* m_cbAviVideoBitrate = nullptr;
    QComboBox* m_cbAviVideoFPS = nullptr;
    QComboBox* m_cbAviVideoAspect = nullptr;
    QCheckBox* m_chAviVideo2Pass = nullptr;
    QComboBox* m_cbAviVideoThreads = nullptr;
    QComboBox* m_cbVideoPreset = nullptr;
    QLabel* m_lblThreads = nullptr;
    QLabel* m_lblPreset = nullptr;
};
