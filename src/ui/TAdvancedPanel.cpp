#include "ui/TAdvancedPanel.h"
#include "ui/UiKit.h"

#include "base/AppParams.h"
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

TAdvancedPanel::TAdvancedPanel(QWidget* parent)
    : TSettingsPanel(TSettingPanel::Advanced, QStringLiteral("pnAdvancedSettings"), tr("Advanced settings"), parent)
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

    //: A button beside the additional parameters: opens the encoder's documentation
    auto* help = new QPushButton(tr("Info"), inner);
    help->setObjectName(QStringLiteral("btnEncoderParams"));
    connect(help, &QPushButton::clicked, this, &TAdvancedPanel::EncoderHelpRequested);
    auto* paramsRow = new QHBoxLayout;
    QLabel* paramsLabel = Label(u"extraParameters");
    paramsLabel->setWordWrap(true);
    paramsRow->addWidget(paramsLabel, 1);
    paramsRow->addWidget(help);
    v->addLayout(paramsRow);
    v->addWidget(Take(u"extraParameters"));
    v->addStretch();
    scroll->setWidget(inner);
    UiKit::WheelScrollsPast(scroll);
    // Never narrower than the controls: they scroll vertically only.
    scroll->setMinimumWidth(inner->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 2);
    Body()->addWidget(scroll, 1);
}

QWidget* TAdvancedPanel::BuildResolutionGroup(QWidget* parent)
{
    auto* box = new QGroupBox(tr("Resolution"), parent);
    box->setObjectName(QStringLiteral("gbResolution"));
    auto* g = new QGridLayout(box);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(3);
    //: Between the width and the height of a resolution, as in 640 x 480
    auto* lx = AddLabel(QStringLiteral("lblResX"), tr("X"));
    AddCompanion(u"resolutionWidth", lx);
    g->addWidget(Take(u"resolution"), 0, 0, 1, 5);
    g->addWidget(Label(u"resolutionWidth"), 1, 0);
    g->addWidget(Take(u"resolutionWidth"), 1, 1);
    g->addWidget(lx, 1, 2);
    g->addWidget(Label(u"resolutionHeight"), 1, 3);
    g->addWidget(Take(u"resolutionHeight"), 1, 4);
    g->addWidget(Label(u"maxHeight"), 2, 0, 1, 4);
    g->addWidget(Take(u"maxHeight"), 2, 4);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(4, 1);
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
    int row = 0;
    for (const auto& [check, slider] : {std::pair{u"brightnessOn", u"brightness"}, std::pair{u"saturationOn", u"saturation"}}) {
        g->addWidget(Take(check), row, 0);
        g->addWidget(Take(slider), row, 1);
        g->addWidget(ValueLabel(slider), row++, 2);
    }
    g->addWidget(Take(u"flipHorizontal"), row, 0);
    g->addWidget(Take(u"flipVertical"), row++, 1, 1, 2);
    g->addWidget(Take(u"rotate"), row, 0);
    g->addWidget(Take(u"rotateDirection"), row++, 1, 1, 2);
    g->addWidget(Label(u"interlacing"), row, 0);
    g->addWidget(Take(u"interlacing"), row++, 1, 1, 2);
    g->addWidget(Take(u"skipLimitOn"), row, 0, 1, 2);
    g->addWidget(Take(u"skipLimit"), row++, 2);
    g->addWidget(Take(u"forceDuplicates"), row++, 0, 1, 3);
    PlaceRemaining(g, row);
    g->setColumnStretch(1, 1);
    return box;
}

void TAdvancedPanel::SetResolutionItems(const QStringList& items)
{
    auto* cb = static_cast<QComboBox*>(Control(u"resolution"));
    const QSignalBlocker block(cb);
    const int index = cb->currentIndex();
    cb->clear();
    cb->addItems(items);
    StyleResolutionItems(cb);
    cb->setCurrentIndex(index >= 0 && index < items.size() ? index : 0);
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

void TAdvancedPanel::ItemsRefilled(QStringView id, QComboBox* box)
{
    if (id == u"resolution")
        StyleResolutionItems(box);
}

void TAdvancedPanel::GetSettings(EncodingSettings& s) const
{
    TSettingsPanel::GetSettings(s);
    const auto* cb = static_cast<const QComboBox*>(Control(u"resolution"));
    s.resolutionItems.clear();
    for (int i = 0; i < cb->count(); ++i)
        s.resolutionItems << cb->itemText(i);
}
