#include "ui/TAudioPanel.h"

#include <QGridLayout>
#include <QPushButton>

TAudioPanel::TAudioPanel(QWidget* parent)
    : TSettingsPanel(TSettingPanel::Audio, QStringLiteral("pnAudio"), tr("Audio settings"), parent)
{
    auto* info = new QPushButton(tr("Bitrate/Sampling info"), this);
    info->setObjectName(QStringLiteral("btnInfoAudioBitrates"));
    connect(info, &QPushButton::clicked, this, &TAudioPanel::BitrateInfoRequested);

    QGridLayout* g = Grid();
    g->addWidget(Take(u"noAudio"), 0, 0, 1, 3);
    int row = 1;
    for (const char16_t* id : {u"audioCodec", u"audioBitrate", u"audioRateMode", u"sampleRate", u"audioChannels", u"audioQuality"})
        row = PlaceRow(g, row, id);
    row = PlaceRemaining(g, row);
    g->addWidget(info, row, 1);
    g->setColumnStretch(1, 1);
}
