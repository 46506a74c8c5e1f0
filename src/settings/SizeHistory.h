#pragma once

#include "lib/Result.h"

#include <QList>
#include <QString>

class MemIniFile;

// The picture sizes this machine's outputs reached at each quality, kept in the settings
// file (section "SIZE", one key per codec and quality: "H264_Q22", "Xvid_Q4", "AV1_Q35"), so that the
// forecast before a batch under a quality setting rests on what was measured rather than
// on a guess. A value is bits per pixel of the video stream (per picture); 0 is "never
// measured".
class TSizeHistory {
public:
    TSizeHistory();

    // codec: 0 Xvid (quality 1..31), 1 H.264 (0..51), 2 HEVC (0..51), 3 AV1 (1..63), as
    // TVideoCodec counts them; 0 for a key outside them.
    double BitsPerPixel(int codec, int quality) const;
    // A new measurement counts half against what was known.
    void Record(int codec, int quality, double bitsPerPixel);

    void Load(const MemIniFile& ini);
    void Save(MemIniFile& ini) const;

    static TSizeHistory LoadFromFile(const QString& fileName);
    // Reads the file, records the value and merges the section back in one atomic step.
    static TResult RecordToFile(const QString& fileName, int codec, int quality, double bitsPerPixel);

    QList<double> Values; // Xvid's 1..31, then H.264's 0..51
};
