#include "encoding/Mp3BitrateTable.h"

#include "lib/TextFile.h"

namespace Mp3BitrateTable {

QList<int> SamplingRates() { return {16000, 22050, 24000, 32000, 44100, 48000}; }

QList<int> Bitrates()
{
    return {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448, 512, 576, 640};
}

QList<int> Steps() { return {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}; }

// MPEG-2 rates (below 32 kHz) allow 8..160, MPEG-1 rates 32..320.
static bool IsMpeg2Rate(int samplingRate)
{
    return samplingRate == 16000 || samplingRate == 22050 || samplingRate == 24000;
}

int SmallestBitrate(int samplingRate)
{
    if (!SamplingRates().contains(samplingRate))
        return 0;
    return IsMpeg2Rate(samplingRate) ? 8 : 32;
}

int LargestBitrateAt(int samplingRate)
{
    if (!SamplingRates().contains(samplingRate))
        return 0;
    return IsMpeg2Rate(samplingRate) ? 160 : 320;
}

bool Allowed(int samplingRate, int bitrate)
{
    return SamplingRates().contains(samplingRate) && bitrate >= SmallestBitrate(samplingRate)
        && bitrate <= LargestBitrateAt(samplingRate);
}

int LargestBitrate(const QString& codecName, int samplingRate)
{
    // The table has one column, MP3's; other encoders get no cap below 320.
    if (codecName.contains(QLatin1String("mp3"), Qt::CaseInsensitive) && SamplingRates().contains(samplingRate))
        return LargestBitrateAt(samplingRate);
    return 320;
}

int RoundUpToStep(int bitrate)
{
    const QList<int> steps = Steps();
    if (bitrate > steps.last())
        return 128;
    for (int step : steps)
        if (step >= bitrate)
            return step;
    return 128;
}

QStringList TextLines()
{
    QStringList lines{QStringLiteral("AUDIO BITRATE INFO"), QString()};
    const QList<int> rates = SamplingRates();
    for (qsizetype i = 0; i < rates.size(); ++i) {
        lines << QStringLiteral("Sampling rate: ") + QString::number(rates[i]);
        QString cells = QStringLiteral(" MP3 bitrate: ");
        for (int br : Bitrates())
            cells += (Allowed(rates[i], br) ? QString::number(br) : QStringLiteral("-")).rightJustified(4, QLatin1Char(' '));
        lines << cells;
        if (i + 1 < rates.size())
            lines << QString();
    }
    return lines;
}

TResult SaveToFile(const QString& fileName)
{
    return TextFile::WriteLines(fileName, TextLines(), TTextEncoding::Utf8);
}

TResult SaveAudioBitratesTxt(const TAppParams& p)
{
    return SaveToFile(p.AudioBitratesTxt);
}

} // namespace Mp3BitrateTable
