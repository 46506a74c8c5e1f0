#pragma once

#include "lib/Result.h"

#include <QList>
#include <QString>

class MemIniFile;

// The encoding speeds this machine reached, kept in the settings file (section "SPEED",
// one key per codec, preset and resolution band: "Xvid_Auto_SD", "H264_veryfast_HD"), so
// that the check before a batch can say how long the batch will take. A speed is seconds
// of media encoded per second, for one pass; 0 is "never measured".
struct TSpeedKey {
    int Codec = 0;  // 0 Xvid, 1 H.264, 2 HEVC, 3 AV1, as TVideoCodec counts them
    int Preset = 0; // an index of the preset list; Xvid has none (0)
    int Band = 0;   // ResolutionBand
    bool operator==(const TSpeedKey&) const = default;
};

class TSpeedHistory {
public:
    TSpeedHistory();

    // The band of an output size: 0 "SD" up to 720x576, 1 "HD" up to 1280x720, 2 "FullHD"
    // up to 1920x1088, 3 "UHD" beyond.
    static int ResolutionBand(int width, int height);
    // The key's name in the file: "H264_veryfast_HD".
    static QString KeyName(const TSpeedKey& key);
    // The settings a key stands for, as a person reads them: "H.264 veryfast, HD".
    static QString ShownName(const TSpeedKey& key);

    double Speed(const TSpeedKey& key) const;
    // A new measurement counts half against what was known: one odd run (a busy machine)
    // does not throw the forecast far off.
    void Record(const TSpeedKey& key, double speed);

    void Load(const MemIniFile& ini);
    void Save(MemIniFile& ini) const;

    static TSpeedHistory LoadFromFile(const QString& fileName);
    // Reads the file, records the speed and merges the section back in one atomic step
    // (other sections and keys stay). A failure when it cannot be written.
    static TResult RecordToFile(const QString& fileName, const TSpeedKey& key, double speed);

    QList<double> Speeds; // by slot: codec, then preset, then band
};
