#include "ui/TAdvancedPanel.h"

#include "base/AppParams.h"
#include "encoding/CopyParams.h"
#include "ui/UiMetrics.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <cmath>

namespace {

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& text)
{
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

QSlider* MakeSlider(QWidget* parent, const char* name, double min, double max)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(int(std::lround(min * TAdvancedPanel::SliderScale)), int(std::lround(max * TAdvancedPanel::SliderScale)));
    s->setSingleStep(TAdvancedPanel::SliderScale);
    s->setPageStep(TAdvancedPanel::SliderScale);
    s->setTickInterval(5 * TAdvancedPanel::SliderScale);
    s->setTickPosition(QSlider::TicksBelow);
    return s;
}

// The user drags in whole positions; a profile's fractional position is kept as it is.
void SnapToWholePosition(QSlider* s, int value)
{
    if (s->isSliderDown()) {
        const int snapped = int(std::lround(double(value) / TAdvancedPanel::SliderScale)) * TAdvancedPanel::SliderScale;
        if (snapped != value)
            s->setValue(std::clamp(snapped, s->minimum(), s->maximum()));
    }
}

} // namespace

TAdvancedPanel::TAdvancedPanel(QWidget* parent)
    : TSettingsPanel(QStringLiteral("pnAdvancedSettings"), tr("Advanced settings"), parent)
{
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("sbAdvancedSettings"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* inner = new QWidget(scroll);
    auto* v = new QVBoxLayout(inner);
    v->setContentsMargins(0, 0, 4, 0);
    v->setSpacing(4);
    v->addWidget(BuildResolutionGroup(inner));
    v->addWidget(BuildFilterGroup(inner));

    m_meParams = new QPlainTextEdit(inner);
    m_meParams->setObjectName(QStringLiteral("meParams"));
    m_meParams->setFixedHeight(52);
    m_meParams->setTabChangesFocus(true); // parameters hold no tabs; Tab moves on
    auto* help = new QPushButton(tr("Info"), inner);
    help->setObjectName(QStringLiteral("btnEncoderParams"));
    connect(help, &QPushButton::clicked, this, &TAdvancedPanel::EncoderHelpRequested);
    auto* paramsRow = new QHBoxLayout;
    auto* paramsLabel = new QLabel(tr("Additional encoder command-line parameters:"), inner);
    paramsLabel->setObjectName(QStringLiteral("lblParams"));
    paramsLabel->setWordWrap(true);
    paramsRow->addWidget(paramsLabel, 1);
    paramsRow->addWidget(help);
    v->addLayout(paramsRow);
    v->addWidget(m_meParams);
    v->addStretch();
    scroll->setWidget(inner);
    // Never narrower than the controls: they scroll vertically only.
    scroll->setMinimumWidth(inner->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 2);
    Body()->addWidget(scroll, 1);

    connect(m_tbBrightness, &QSlider::valueChanged, this, [this](int value) {
        SnapToWholePosition(m_tbBrightness, value);
        UpdateValueLabels();
        Q_EMIT Changed();
    });
    connect(m_tbSaturation, &QSlider::valueChanged, this, [this](int value) {
        SnapToWholePosition(m_tbSaturation, value);
        UpdateValueLabels();
        Q_EMIT Changed();
    });
    UpdateValueLabels();
}

QWidget* TAdvancedPanel::BuildResolutionGroup(QWidget* parent)
{
    auto* box = new QGroupBox(tr("Resolution"), parent);
    box->setObjectName(QStringLiteral("gbResolution"));
    auto* g = new QGridLayout(box);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(3);
    m_cbResolution = new QComboBox(box);
    m_cbResolution->setObjectName(QStringLiteral("cbResolution"));
    m_cbResolution->setMaxVisibleItems(20);
    connect(m_cbResolution, &QComboBox::currentIndexChanged, this, &TSettingsPanel::Changed);
    m_spedResWidth = new QSpinBox(box);
    m_spedResWidth->setObjectName(QStringLiteral("spedResWidth"));
    m_spedResHeight = new QSpinBox(box);
    m_spedResHeight->setObjectName(QStringLiteral("spedResHeight"));
    for (QSpinBox* sp : {m_spedResWidth, m_spedResHeight}) {
        sp->setRange(EncodingLists::ResWidthMin, EncodingLists::ResWidthMax);
        connect(sp, &QSpinBox::valueChanged, this, &TSettingsPanel::Changed);
    }
    auto* lw = AddLabel(QStringLiteral("lblResWidth"), tr("Width:"));
    auto* lx = AddLabel(QStringLiteral("lblResX"), tr("X"));
    auto* lh = AddLabel(QStringLiteral("lblResHeight"), tr("Height:"));
    g->addWidget(m_cbResolution, 0, 0, 1, 5);
    g->addWidget(lw, 1, 0);
    g->addWidget(m_spedResWidth, 1, 1);
    g->addWidget(lx, 1, 2);
    g->addWidget(lh, 1, 3);
    g->addWidget(m_spedResHeight, 1, 4);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(4, 1);
    m_customResolution = {m_spedResWidth, m_spedResHeight, lw, lx, lh};
    // The user's list in the home, else the one installed with the program, else the built-in one.
    SetResolutionItems(EncodingSettings::ResolutionItems(ResolutionEntries(AppParams())));
    return box;
}

QWidget* TAdvancedPanel::BuildFilterGroup(QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* g = new QGridLayout(box);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(3);
    m_chBrightness = MakeCheck(box, "chBrightness", tr("Brightness:"));
    m_tbBrightness = MakeSlider(box, "tbBrightness", EncodingLists::BrightnessMin, EncodingLists::BrightnessMax);
    m_lblBrightnessValue = AddLabel(QStringLiteral("lblBrightnessValue"), QString());
    m_chSaturation = MakeCheck(box, "chSaturation", tr("Saturation:"));
    m_tbSaturation = MakeSlider(box, "tbSaturation", EncodingLists::SaturationMin, EncodingLists::SaturationMax);
    m_lblSaturationValue = AddLabel(QStringLiteral("lblSaturationValue"), QString());
    for (QLabel* l : {m_lblBrightnessValue, m_lblSaturationValue})
        l->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0.00")) + 4);
    m_chFlipHorizontal = MakeCheck(box, "chFlipHorizontal", tr("Flip horizontal"));
    m_chFlipVertical = MakeCheck(box, "chFlipVertical", tr("Flip vertical"));
    m_chRotate = MakeCheck(box, "chRotate", tr("Rotate by 90°:"));
    m_cbRotate = AddList(QStringLiteral("cbRotate"), EncodingLists::rotateDirection(), true);
    m_cbInterlacing = AddList(QStringLiteral("cbInterlacing"), EncodingLists::interlacing(), true);
    m_chSkipLimit = MakeCheck(box, "chSkipLimit", tr("Maximum number of skipped frames:"));
    m_cbSkipLimit = AddList(QStringLiteral("cbSkipLimit"), EncodingLists::skipLimit(), false);
    m_chForceEncode = MakeCheck(box, "chForceEncode", tr("Force encoding of duplicate frames"));
    for (QCheckBox* c : {m_chBrightness, m_chSaturation, m_chRotate, m_chSkipLimit})
        connect(c, &QCheckBox::toggled, this, &TSettingsPanel::Changed);

    int row = 0;
    g->addWidget(m_chBrightness, row, 0);
    g->addWidget(m_tbBrightness, row, 1);
    g->addWidget(m_lblBrightnessValue, row++, 2);
    g->addWidget(m_chSaturation, row, 0);
    g->addWidget(m_tbSaturation, row, 1);
    g->addWidget(m_lblSaturationValue, row++, 2);
    g->addWidget(m_chFlipHorizontal, row, 0);
    g->addWidget(m_chFlipVertical, row++, 1, 1, 2);
    g->addWidget(m_chRotate, row, 0);
    g->addWidget(m_cbRotate, row++, 1, 1, 2);
    g->addWidget(AddLabel(QStringLiteral("lblInterlacing"), tr("Deinterlacing:")), row, 0);
    g->addWidget(m_cbInterlacing, row++, 1, 1, 2);
    g->addWidget(m_chSkipLimit, row, 0, 1, 2);
    g->addWidget(m_cbSkipLimit, row++, 2);
    g->addWidget(m_chForceEncode, row++, 0, 1, 3);
    g->setColumnStretch(1, 1);
    return box;
}

void TAdvancedPanel::SetResolutionItems(const QStringList& items)
{
    const QSignalBlocker block(m_cbResolution);
    const int index = m_cbResolution->currentIndex();
    m_cbResolution->clear();
    m_cbResolution->addItems(items);
    StyleResolutionItems(m_cbResolution);
    m_cbResolution->setCurrentIndex(index >= 0 && index < items.size() ? index : 0);
}

// "Auto" and "Custom" bold, and the entries grouped by their aspect in light colours,
// so a long list is quick to scan.
void TAdvancedPanel::StyleResolutionItems(QComboBox* cb)
{
    auto* model = qobject_cast<QStandardItemModel*>(cb->model());
    if (!model)
        return;
    for (int i = 0; i < model->rowCount(); ++i) {
        QStandardItem* item = model->item(i);
        const QString t = item->text();
        if (i < 2) {
            QFont f = cb->font();
            f.setBold(true);
            item->setFont(f);
        }
        QColor back;
        if (i == 1)
            back = QColor(UiMetrics::NoteBackground);
        else if (t.contains(QLatin1Char('%')))
            back = QColor(UiMetrics::ScaledSizeBackground);
        else if (t.contains(QLatin1String("16:9")) || t.contains(QLatin1String("16/9")))
            back = QColor(UiMetrics::WideSizeBackground);
        else if ((t.contains(QLatin1String("4:3")) || t.contains(QLatin1String("4/3"))) && !t.contains(QLatin1String("64")))
            back = QColor(UiMetrics::NarrowSizeBackground);
        if (back.isValid())
            item->setBackground(back);
    }
}

void TAdvancedPanel::SetSettings(const EncodingSettings& s)
{
    const QSignalBlocker block(this);
    QStringList shown;
    for (int i = 0; i < m_cbResolution->count(); ++i)
        shown << m_cbResolution->itemText(i);
    if (shown != s.resolutionItems)
        SetResolutionItems(s.resolutionItems);
    SetIndex(m_cbResolution, s.resolution);
    m_spedResWidth->setValue(RoundHalfEven(s.resolutionWidth));
    m_spedResHeight->setValue(RoundHalfEven(s.resolutionHeight));
    m_chBrightness->setChecked(s.brightnessOn);
    m_tbBrightness->setValue(int(std::lround(s.brightness * SliderScale)));
    m_chSaturation->setChecked(s.saturationOn);
    m_tbSaturation->setValue(int(std::lround(s.saturation * SliderScale)));
    m_chFlipHorizontal->setChecked(s.flipHorizontal);
    m_chFlipVertical->setChecked(s.flipVertical);
    m_chRotate->setChecked(s.rotate);
    SetIndex(m_cbRotate, s.rotateDirection);
    SetIndex(m_cbInterlacing, s.interlacing);
    m_chSkipLimit->setChecked(s.skipLimitOn);
    SetIndex(m_cbSkipLimit, s.skipLimit);
    m_chForceEncode->setChecked(s.forceDuplicates);
    m_meParams->setPlainText(s.extraParameters);
    UpdateValueLabels();
}

void TAdvancedPanel::GetSettings(EncodingSettings& s) const
{
    s.resolutionItems.clear();
    for (int i = 0; i < m_cbResolution->count(); ++i)
        s.resolutionItems << m_cbResolution->itemText(i);
    s.resolution = m_cbResolution->currentIndex();
    s.resolutionWidth = m_spedResWidth->value();
    s.resolutionHeight = m_spedResHeight->value();
    s.brightnessOn = m_chBrightness->isChecked();
    s.brightness = double(m_tbBrightness->value()) / SliderScale;
    s.saturationOn = m_chSaturation->isChecked();
    s.saturation = double(m_tbSaturation->value()) / SliderScale;
    s.flipHorizontal = m_chFlipHorizontal->isChecked();
    s.flipVertical = m_chFlipVertical->isChecked();
    s.rotate = m_chRotate->isChecked();
    s.rotateDirection = m_cbRotate->currentIndex();
    s.interlacing = m_cbInterlacing->currentIndex();
    s.skipLimitOn = m_chSkipLimit->isChecked();
    s.skipLimit = m_cbSkipLimit->currentIndex();
    s.forceDuplicates = m_chForceEncode->isChecked();
    s.extraParameters = m_meParams->toPlainText();
}

void TAdvancedPanel::ApplyEnabling(const TEncodingEnabling& e)
{
    m_tbBrightness->setEnabled(e.brightness);
    m_lblBrightnessValue->setEnabled(e.brightness);
    m_tbSaturation->setEnabled(e.saturation);
    m_lblSaturationValue->setEnabled(e.saturation);
    m_cbRotate->setEnabled(e.rotateDirection);
    m_cbSkipLimit->setEnabled(e.skipLimit);
    for (QWidget* w : m_customResolution)
        w->setEnabled(e.CustomResolution);
    UpdateValueLabels();
}

void TAdvancedPanel::UpdateValueLabels()
{
    m_lblBrightnessValue->setText(BrightnessValueText(double(m_tbBrightness->value()) / SliderScale));
    m_lblSaturationValue->setText(SaturationValueText(double(m_tbSaturation->value()) / SliderScale));
}
