#pragma once

#include "ui/TSettingsPanel.h"

// "Output file format / Video settings" (pnVideo).
class TVideoPanel : public TSettingsPanel {
    Q_OBJECT
public:
    explicit TVideoPanel(QWidget* parent = nullptr);
};
