#pragma once

#include "ui/TSettingsPanel.h"

class QComboBox;

// "Advanced settings" (pnAdvancedSettings): resolution, filters, frame handling and the
// additional encoder parameters, in a vertically scrolling box.
class TAdvancedPanel : public TSettingsPanel {
    Q_OBJECT
public:
    explicit TAdvancedPanel(QWidget* parent = nullptr);

    // The items of resolution ("Auto", "Custom", then the list's entries).
    void SetResolutionItems(const QStringList& items);

    // Also gives the list's items, which the settings carry.
    void GetSettings(EncodingSettings& s) const override;

Q_SIGNALS:
    void EncoderHelpRequested(); // the "Info" button beside the parameters

protected:
    void ItemsRefilled(QStringView id, QComboBox* box) override;

private:
    QWidget* BuildResolutionGroup(QWidget* parent);
    QWidget* BuildFilterGroup(QWidget* parent);
    static void StyleResolutionItems(QComboBox* cb);
};
