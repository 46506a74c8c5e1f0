#include "ui/TVideoPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

TVideoPanel::TVideoPanel(QWidget* parent)
    : TSettingsPanel(QStringLiteral("pnVideo"), tr("Output file format / Video settings"), parent)
{
    m_cbOutputFormat = AddList(QStringLiteral("cbOutputFormat"), EncodingLists::cbOutputFormat(), true);
    m_cbAviVideoCodec = AddList(QStringLiteral("cbAviVideoCodec"), EncodingLists::videoCodec(), true);
    m_cbAviVideoBitrate = AddEditableList(QStringLiteral("cbAviVideoBitrate"), EncodingLists::videoBitrate(), false);
    m_cbAviVideoFPS = AddEditableList(QStringLiteral("cbAviVideoFPS"), EncodingLists::frameRate(), false);
    m_cbAviVideoAspect = AddEditableList(QStringLiteral("cbAviVideoAspect"), EncodingLists::videoAspect(), true);
    m_cbAviVideoThreads = AddList(QStringLiteral("cbAviVideoThreads"), EncodingLists::threads(), false);
    m_cbVideoPreset = AddList(QStringLiteral("cbVideoPreset"), EncodingLists::preset(), false);
    m_chAviVideo2Pass = new QCheckBox(tr("2-pass encoding"), this);
    m_chAviVideo2Pass->setObjectName(QStringLiteral("chAviVideo2Pass"));
    connect(m_chAviVideo2Pass, &QCheckBox::toggled, this, &TSettingsPanel::Changed);

    QGridLayout* g = Grid();
    int row = 0;
    g->addWidget(AddLabel(QStringLiteral("lblOutputFormat"), tr("Output format:")), row, 0);
    g->addWidget(m_cbOutputFormat, row++, 1, 1, 2);
    g->addWidget(AddLabel(QStringLiteral("lblAviVideoCodec"), tr("Video codec:")), row, 0);
    g->addWidget(m_cbAviVideoCodec, row++, 1, 1, 2);
    g->addWidget(AddLabel(QStringLiteral("lblAviVideoBitrate"), tr("Bitrate:")), row, 0);
    g->addWidget(m_cbAviVideoBitrate, row, 1);
    g->addWidget(AddLabel(QStringLiteral("lblAviVideoBitrateUnit"), tr("kbit/s")), row++, 2);
    g->addWidget(AddLabel(QStringLiteral("lblAviVideoFPS"), tr("Frames per sec.:")), row, 0);
    g->addWidget(m_cbAviVideoFPS, row++, 1);
    g->addWidget(AddLabel(QStringLiteral("lblAviVideoAspect"), tr("Aspect:")), row, 0);
    g->addWidget(m_cbAviVideoAspect, row++, 1);
    m_lblThreads = AddLabel(QStringLiteral("lblAviVideoThreads"), tr("Threads:"));
    g->addWidget(m_lblThreads, row, 0);
    g->addWidget(m_cbAviVideoThreads, row++, 1);
    m_lblPreset = AddLabel(QStringLiteral("lblVideoPreset"), tr("Preset:"));
    g->addWidget(m_lblPreset, row, 0);
    g->addWidget(m_cbVideoPreset, row++, 1);
    g->addWidget(m_chAviVideo2Pass, row++, 0, 1, 3);
    g->setColumnStretch(1, 1);
}

void TVideoPanel::SetSettings(const EncodingSettings& s)
{
    const QSignalBlocker block(this);
    SetIndex(m_cbAviVideoCodec, s.videoCodec);
    SetIndex(m_cbOutputFormat, int(s.container));
    SetEditable(m_cbAviVideoBitrate, s.videoBitrate);
    SetEditable(m_cbAviVideoFPS, s.frameRate);
    SetEditable(m_cbAviVideoAspect, s.videoAspect);
    m_chAviVideo2Pass->setChecked(s.twoPass);
    SetIndex(m_cbAviVideoThreads, s.threads);
    SetIndex(m_cbVideoPreset, s.preset);
}

void TVideoPanel::GetSettings(EncodingSettings& s) const
{
    s.videoCodec = m_cbAviVideoCodec->currentIndex();
    s.container = ContainerAt(m_cbOutputFormat->currentIndex());
    s.videoBitrate = GetEditable(m_cbAviVideoBitrate);
    s.frameRate = GetEditable(m_cbAviVideoFPS);
    s.videoAspect = GetEditable(m_cbAviVideoAspect);
    s.twoPass = m_chAviVideo2Pass->isChecked();
    s.threads = m_cbAviVideoThreads->currentIndex();
    s.preset = m_cbVideoPreset->currentIndex();
}

void TVideoPanel::ApplyEnabling(const TEncodingEnabling& e)
{
    m_cbAviVideoThreads->setEnabled(e.threads);
    m_lblThreads->setEnabled(e.threads);
    m_cbVideoPreset->setEnabled(e.preset);
    m_lblPreset->setEnabled(e.preset);
}
