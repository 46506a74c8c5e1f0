#pragma once

#include "base/AppParams.h"
#include "lib/Result.h"

#include <QList>
#include <QString>
#include <QStringList>

// The MP3 bit rates each sampling rate allows (the MPEG-1 and MPEG-2 Layer III ranges),
// used for the "Auto" audio bit rate and written out as a small text table for the user.
namespace Mp3BitrateTable {

inline constexpr int MinAutoBitrate = 96;       // kbit/s
inline constexpr int FallbackAutoBitrate = 128; // kbit/s

// 16000, 22050, 24000, 32000, 44100, 48000.
QList<int> SamplingRates();
// The 22 bit rates of the table, 8 to 640 kbit/s.
QList<int> Bitrates();
// The standard steps an "Auto" bit rate is rounded up to, 32 to 320 kbit/s.
QList<int> Steps();

// Smallest and largest allowed bit rate for a sampling rate; 0 for a rate not in the table.
int SmallestBitrate(int samplingRate);
int LargestBitrateAt(int samplingRate);
// Whether bitrate lies within the range of samplingRate.
bool Allowed(int samplingRate, int bitrate);

// The largest bit rate for the audio encoder name (an MP3 encoder: a name containing
// "mp3"); 320 for a rate not in the table.
int LargestBitrate(const QString& codecName, int samplingRate);

// The smallest step that is at least bitrate (0 gives 32); above 320 gives 128.
int RoundUpToStep(int bitrate);

// The table as the text file shows it, one item per line.
QStringList TextLines();
// Writes the lines to fileName with CR LF line ends, replacing the file; a failure says why.
TResult SaveToFile(const QString& fileName);
// The "Bitrate/Sampling info" file, TAppParams::AudioBitratesTxt.
TResult SaveAudioBitratesTxt(const TAppParams& p);

} // namespace Mp3BitrateTable
