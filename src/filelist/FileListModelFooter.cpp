// The footer: per column, the sum or the average of the checked rows' values.
#include "filelist/FileListModel.h"

#include "lib/Conversion.h"
#include "lib/DateTime.h"
#include "lib/Files.h"

#include <QCoreApplication>

#include <cmath>

namespace {

QString AverageText(double sum, int count, int decimals)
{
    //: The footer's average of a column's values
    return QCoreApplication::translate("FileList", "AVG %1").arg(FixedDecimals(sum / count, decimals));
}

int64_t Rounded(double x)
{
    return static_cast<int64_t>(std::nearbyint(x));
}

} // namespace

void TFileListModel::CalcFooter()
{
    for (QString& s : m_footer)
        s.clear();
    if (!m_rows.isEmpty()) {
        int64_t size = 0, videoSize = 0, audioSize = 0;
        double duration = 0;
        double vBitrate = 0, fps = 0, bpp = 0, aBitrate = 0;
        int nvBitrate = 0, nFps = 0, nBpp = 0, naBitrate = 0;
        const auto addPositive = [](double v, double& sum, int& n) {
            if (v > 0) {
                sum += v;
                ++n;
            }
        };
        int checked = 0;
        for (const TFileListRow& r : m_rows) {
            if (!r.Active)
                continue;
            ++checked;
            size += r.Size;
            if (r.Analysed)
                duration += r.Duration;
            if (r.HasVideo) {
                videoSize += r.VideoStreamSize;
                addPositive(r.VideoBitrate, vBitrate, nvBitrate);
                addPositive(r.VideoFPS, fps, nFps);
                addPositive(r.VideoBpp, bpp, nBpp);
            }
            if (r.HasAudio) {
                audioSize += r.AudioStreamSize;
                addPositive(r.AudioBitrate, aBitrate, naBitrate);
            }
        }
        m_footer[colNo] = IntToStrGrouped(m_rows.size());
        m_footer[colActive] = IntToStrGrouped(checked);
        if (size > 0)
            m_footer[colSize] = FormatFileSize(size);
        if (duration > 0)
            m_footer[colDuration] = MsToShortTime(Rounded(duration), true);
        if (vBitrate > 0)
            m_footer[colVideoBitrate] = AverageText(vBitrate, nvBitrate, 2);
        if (fps > 0)
            m_footer[colVideoFPS] = AverageText(fps, nFps, 2);
        if (bpp > 0)
            m_footer[colVideoBpp] = AverageText(bpp, nBpp, 3);
        if (videoSize > 0)
            m_footer[colVideoStreamSize] = FormatFileSize(videoSize);
        if (audioSize > 0)
            m_footer[colAudioStreamSize] = FormatFileSize(audioSize);
        if (aBitrate > 0)
            m_footer[colAudioBitrate] = AverageText(aBitrate, naBitrate, 2);
    }
    Q_EMIT footerChanged();
}

QString TFileListModel::FooterText(int column) const
{
    return column >= 0 && column < FileListColumnCount ? m_footer[size_t(column)] : QString();
}
