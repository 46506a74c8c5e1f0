#include "ui/TAudioPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TAudioPanel::TAudioPanel(QWidget* parent)
    : TSettingsPanel(QStringLiteral("pnAudio"), tr("Audio settings"), parent)
{
    m_chAudioDontCopy = new QCheckBox(tr("No audio"), this);
    m_chAudioDontCopy->setObjectName(QStringLiteral("chAudioDontCopy"));
    connect(m_chAudioDontCopy, &QCheckBox::toggled, this, &TSettingsPanel::Changed);
    m_cbAudioBitrate = AddEditableList(QStringLiteral("cbAudioBitrate"), EncodingLists::audioBitrate(), false);
    m_cbAudioBitrateMode = AddList(QStringLiteral("cbAudioBitrateMode"), EncodingLists::audioRateMode(), false);
    m_cbAudioSampling = AddEditableList(QStringLiteral("cbAudioSampling"), EncodingLists::sampleRate(), false);
    m_cbAudioChannels = AddList(QStringLiteral("cbAudioChannels"), EncodingLists::audioChannels(), false);
    m_cbAudioAlgoQuality = AddList(QStringLiteral("cbAudioAlgoQuality"), EncodingLists::audioQuality(), false);

    auto* codec = AddLabel(QStringLiteral("lblAudioCodec"), tr("Audio codec: MP3 (LAME)"));
    auto* lBitrate = AddLabel(QStringLiteral("lblAudioBitrate"), tr("Bitrate:"));
    auto* lBitrateUnit = AddLabel(QStringLiteral("lblAudioBitrateUnit"), tr("kbit/s"));
    auto* lMode = AddLabel(QStringLiteral("lblAudioBitrateMode"), tr("Bitrate mode:"));
    auto* lSampling = AddLabel(QStringLiteral("lblAudioSampling"), tr("Sampling freq.:"));
    auto* lSamplingUnit = AddLabel(QStringLiteral("lblAudioSamplingUnit"), tr("Hz"));
    auto* lChannels = AddLabel(QStringLiteral("lblAudioChannels"), tr("Channels:"));
    auto* lQuality = AddLabel(QStringLiteral("lblAudioAlgoQuality"), tr("Algorithm quality:"));
    auto* info = new QPushButton(tr("Bitrate/Sampling info"), this);
    info->setObjectName(QStringLiteral("btnInfoAudioBitrates"));
    connect(info, &QPushButton::clicked, this, &TAudioPanel::BitrateInfoRequested);

    QGridLayout* g = Grid();
    int row = 0;
    g->addWidget(m_chAudioDontCopy, row, 0);
    g->addWidget(codec, row++, 1, 1, 2);
    g->addWidget(lBitrate, row, 0);
    g->addWidget(m_cbAudioBitrate, row, 1);
    g->addWidget(lBitrateUnit, row++, 2);
    g->addWidget(lMode, row, 0);
    g->addWidget(m_cbAudioBitrateMode, row++, 1);
    g->addWidget(lSampling, row, 0);
    g->addWidget(m_cbAudioSampling, row, 1);
    g->addWidget(lSamplingUnit, row++, 2);
    g->addWidget(lChannels, row, 0);
    g->addWidget(m_cbAudioChannels, row++, 1);
    g->addWidget(lQuality, row, 0);
    g->addWidget(m_cbAudioAlgoQuality, row++, 1);
    g->addWidget(info, row++, 1);
    g->setColumnStretch(1, 1);

    m_audioOptions = {m_cbAudioBitrate, m_cbAudioBitrateMode, m_cbAudioSampling, m_cbAudioChannels,
                      m_cbAudioAlgoQuality, lBitrate, lBitrateUnit, lMode, lSampling, lSamplingUnit,
                      lChannels, lQuality};
}

void TAudioPanel::SetSettings(const EncodingSettings& s)
{
    const QSignalBlocker block(this);
    m_chAudioDontCopy->setChecked(s.noAudio);
    SetEditable(m_cbAudioBitrate, s.audioBitrate);
    SetIndex(m_cbAudioBitrateMode, s.audioRateMode);
    SetEditable(m_cbAudioSampling, s.sampleRate);
    SetIndex(m_cbAudioChannels, s.audioChannels);
    SetIndex(m_cbAudioAlgoQuality, s.audioQuality);
}

void TAudioPanel::GetSettings(EncodingSettings& s) const
{
    s.noAudio = m_chAudioDontCopy->isChecked();
    s.audioBitrate = GetEditable(m_cbAudioBitrate);
    s.audioRateMode = m_cbAudioBitrateMode->currentIndex();
    s.sampleRate = GetEditable(m_cbAudioSampling);
    s.audioChannels = m_cbAudioChannels->currentIndex();
    s.audioQuality = m_cbAudioAlgoQuality->currentIndex();
}

void TAudioPanel::ApplyEnabling(const TEncodingEnabling& e)
{
    for (QWidget* w : m_audioOptions)
        w->setEnabled(e.AudioOptions);
}
