#pragma once

#include "ui/TSettingsPanel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;

// "Advanced settings" (pnAdvancedSettings): resolution, filters, frame handling and the
// additional encoder parameters, in a vertically scrolling box.
class TAdvancedPanel : public TSettingsPanel {
    Q_OBJECT
public:
    explicit TAdvancedPanel(QWidget* parent = nullptr);

    // The items of resolution ("Auto", "Custom", then the list's entries).
    void SetResolutionItems(const QStringList& items);

    void SetSettings(const EncodingSettings& s) override;
    void GetSettings(EncodingSettings& s) const override;
    void ApplyEnabling(const TEncodingEnabling& e) override;

    // Track-bar positions are kept in hundredths so that a profile's 1.5 survives.
    static constexpr int SliderScale = 100;

Q_SIGNALS:
    void EncoderHelpRequested(); // the "Info" button beside the parameters

private:
    QWidget* BuildResolutionGroup(QWidget* parent);
    QWidget* BuildFilterGroup(QWidget* parent);
    void UpdateValueLabels();
    static void StyleResolutionItems(QComboBox* cb);

    QComboBox* m_cbResolution = nullptr;
    QSpinBox* m_spedResWidth = nullptr;
    QSpinBox* m_spedResHeight = nullptr;
    QList<QWidget*> m_customResolution;
    QCheckBox* m_chBrightness = nullptr;
    QSlider* m_tbBrightness = nullptr;
    QLabel* m_lblBrightnessValue = nullptr;
    QCheckBox* m_chSaturation = nullptr;
    QSlider* m_tbSaturation = nullptr;
    QLabel* m_lblSaturationValue = nullptr;
    QCheckBox* m_chFlipHorizontal = nullptr;
    QCheckBox* m_chFlipVertical = nullptr;
    QCheckBox* m_chRotate = nullptr;
    QComboBox* m_cbRotate = nullptr;
    QComboBox* m_cbInterlacing = nullptr;
    QCheckBox* m_chSkipLimit = nullptr;
    QComboBox* m_cbSkipLimit = nullptr;
    QCheckBox* m_chForceEncode = nullptr;
    QPlainTextEdit* m_meParams = nullptr;
};
