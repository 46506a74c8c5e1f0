#include "ui/TVideoPanel.h"

#include <QGridLayout>

TVideoPanel::TVideoPanel(QWidget* parent)
    : TSettingsPanel(TSettingPanel::Video, QStringLiteral("pnVideo"), tr("Output file format / Video settings"), parent)
{
    QGridLayout* g = Grid();
    int row = 0;
    for (const char16_t* id : {u"container", u"videoCodec"})
        row = PlaceRow(g, row, id, TWidth::Wide);
    for (const char16_t* id : {u"videoBitrate", u"frameRate", u"videoAspect", u"threads", u"preset", u"twoPass"})
        row = PlaceRow(g, row, id);
    PlaceRemaining(g, row);
    g->setColumnStretch(1, 1);
}
