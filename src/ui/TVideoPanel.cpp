#include "ui/TVideoPanel.h"

#include <QGridLayout>

TVideoPanel::TVideoPanel(QWidget* parent)
    : TSettingsPanel(TSettingPanel::Video, QStringLiteral("pnVideo"), tr("Output file format / Video settings"), parent)
{
    QGridLayout* g = Grid();
    int row = 0;
    for (const char16_t* id : {u"container", u"videoCodec", u"encoder"})
        row = PlaceRow(g, row, id, TWidth::Wide);
    // the size by a bit rate or by a quality: only the setting that counts shows
    for (const char16_t* id : {u"videoRateControl", u"videoBitrate", u"x264Quality", u"xvidQuality", u"hevcQuality",
                               u"av1Quality", u"frameRate", u"videoAspect", u"threads", u"preset", u"twoPass"})
        row = PlaceRow(g, row, id);
    for (const char16_t* id : {u"videoBitrate", u"x264Quality", u"xvidQuality", u"hevcQuality", u"av1Quality"})
        ShowOnlyWhenEnabled(id);
    PlaceRemaining(g, row);
    g->setColumnStretch(1, 1);
}
