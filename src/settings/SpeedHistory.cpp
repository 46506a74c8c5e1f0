#include "settings/SpeedHistory.h"

#include "encoding/EncodingSettings.h"
#include "encoding/VideoCodecs.h"
#include "lib/MemIniFile.h"
#include "lib/KeyTable.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

const char* const Speed = "SPEED";
// A key's codec (all but Xvid have presets); a number outside the codecs reads as Xvid.
const TVideoCodecRow& Codec(int codec) { return VideoCodecRow(TVideoCodec(codec)); }
constexpr int Bands = 4;

struct TSpeedReadContext {
    TKeyFallbackSink Fallback; // the settings file reports nothing
};

using K = KeyTable::Rows<TSpeedHistory, TSpeedReadContext>;

int Presets() { return int(EncodingLists::preset().size()); }

int Slot(const TSpeedKey& k)
{
    const int preset = k.Codec == 0 ? 0 : k.Preset;
    return (k.Codec * Presets() + preset) * Bands + k.Band;
}

bool Valid(const TSpeedKey& k)
{
    return k.Codec >= 0 && k.Codec < VideoCodecCount() && k.Preset >= 0 && k.Preset < Presets() && k.Band >= 0 && k.Band < Bands;
}

// One row per slot that can hold a speed; written only once measured. A value that is no
// positive number reads as never measured.
QList<K::Key> MakeKeys()
{
    QList<K::Key> keys;
    for (int codec = 0; codec < VideoCodecCount(); ++codec) {
        for (int preset = 0; preset < (codec == 0 ? 1 : Presets()); ++preset) {
            for (int band = 0; band < Bands; ++band) {
                const TSpeedKey key{codec, preset, band};
                keys << K::MeasuredSlot(Speed, KeyTable::StoredKeyName(TSpeedHistory::KeyName(key)), &TSpeedHistory::Speeds,
                                        Slot(key), 3);
            }
        }
    }
    return keys;
}

const QList<K::Key>& Keys()
{
    static const QList<K::Key> keys = MakeKeys();
    return keys;
}

} // namespace

TSpeedHistory::TSpeedHistory() : Speeds(VideoCodecCount() * Presets() * Bands, 0.0) {}

int TSpeedHistory::ResolutionBand(int width, int height)
{
    const qint64 pixels = qint64(width) * height;
    if (pixels <= 720 * 576)
        return 0;
    if (pixels <= 1280 * 720)
        return 1;
    if (pixels <= 1920 * 1088)
        return 2;
    return 3;
}

namespace {

// The band's name: stored ("FullHD") or shown ("Full HD").
QLatin1String BandName(int band, bool shown)
{
    static const char* const bands[Bands] = {"SD", "HD", "FullHD", "UHD"};
    const int b = std::clamp(band, 0, Bands - 1);
    return QLatin1String(shown && b == 2 ? "Full HD" : bands[b]);
}

} // namespace

QString TSpeedHistory::KeyName(const TSpeedKey& key)
{
    const QString codec = QString(Codec(key.Codec).Key);
    const QString preset = key.Codec == 0 ? QStringLiteral("Auto") : EncodingLists::preset().value(key.Preset);
    return codec + QLatin1Char('_') + preset + QLatin1Char('_') + BandName(key.Band, false);
}

QString TSpeedHistory::ShownName(const TSpeedKey& key)
{
    QString codec = QString(Codec(key.Codec).Word);
    if (key.Codec != 0 && key.Preset > 0)
        codec += QLatin1Char(' ') + EncodingLists::preset().value(key.Preset);
    return codec + QStringLiteral(", ") + BandName(key.Band, true);
}

double TSpeedHistory::Speed(const TSpeedKey& key) const { return Valid(key) ? Speeds.value(Slot(key)) : 0; }

void TSpeedHistory::Record(const TSpeedKey& key, double speed)
{
    if (!Valid(key) || !std::isfinite(speed) || speed <= 0)
        return;
    double& s = Speeds[Slot(key)];
    s = s > 0 ? (s + speed) / 2 : speed;
}

void TSpeedHistory::Load(const MemIniFile& ini) { KeyTable::Read(Keys(), ini, *this, TSpeedReadContext{}); }

void TSpeedHistory::Save(MemIniFile& ini) const { KeyTable::Write(Keys(), ini, *this); }

TSpeedHistory TSpeedHistory::LoadFromFile(const QString& fileName)
{
    TSpeedHistory h;
    MemIniFile ini;
    if (QFileInfo(fileName).isFile() && ini.Load(fileName))
        h.Load(ini);
    return h;
}

TResult TSpeedHistory::RecordToFile(const QString& fileName, const TSpeedKey& key, double speed)
{
    MemIniFile ini(fileName);
    TSpeedHistory h;
    h.Load(ini);
    h.Record(key, speed);
    h.Save(ini);
    return ini.UpdateFile();
}
