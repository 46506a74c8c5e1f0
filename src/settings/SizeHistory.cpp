#include "settings/SizeHistory.h"

#include "lib/KeyTable.h"
#include "lib/MemIniFile.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

const char* const Size = "SIZE";

// Each codec's qualities, in the codec's order (TVideoCodec): its name in the keys and its scale.
struct TCodecScale {
    const char* Name;
    int Lowest, Highest;
};
constexpr TCodecScale Scales[] = {{"Xvid", 1, 31}, {"H264", 0, 51}, {"HEVC", 0, 51}, {"AV1", 1, 63}};
constexpr int Codecs = int(std::size(Scales));

constexpr int SlotsBefore(int codec)
{
    int slots = 0;
    for (int c = 0; c < codec; ++c)
        slots += Scales[c].Highest - Scales[c].Lowest + 1;
    return slots;
}
constexpr int Slots = SlotsBefore(Codecs);

struct TSizeReadContext {
    TKeyFallbackSink Fallback; // the settings file reports nothing
};

using K = KeyTable::Rows<TSizeHistory, TSizeReadContext>;

int Slot(int codec, int quality)
{
    if (codec < 0 || codec >= Codecs || quality < Scales[codec].Lowest || quality > Scales[codec].Highest)
        return -1;
    return SlotsBefore(codec) + quality - Scales[codec].Lowest;
}

QList<K::Key> MakeKeys()
{
    QList<K::Key> keys;
    for (int codec = 0; codec < Codecs; ++codec) {
        for (int q = Scales[codec].Lowest; q <= Scales[codec].Highest; ++q) {
            const QString name = QStringLiteral("%1_Q%2").arg(QLatin1String(Scales[codec].Name)).arg(q);
            keys << K::MeasuredSlot(Size, KeyTable::StoredKeyName(name), &TSizeHistory::Values, Slot(codec, q), 4);
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

TSizeHistory::TSizeHistory() : Values(Slots, 0.0) {}

double TSizeHistory::BitsPerPixel(int codec, int quality) const
{
    const int slot = Slot(codec, quality);
    return slot < 0 ? 0 : Values.value(slot);
}

void TSizeHistory::Record(int codec, int quality, double bitsPerPixel)
{
    const int slot = Slot(codec, quality);
    if (slot < 0 || !std::isfinite(bitsPerPixel) || bitsPerPixel <= 0)
        return;
    double& v = Values[slot];
    v = v > 0 ? (v + bitsPerPixel) / 2 : bitsPerPixel;
}

void TSizeHistory::Load(const MemIniFile& ini) { KeyTable::Read(Keys(), ini, *this, TSizeReadContext{}); }

void TSizeHistory::Save(MemIniFile& ini) const { KeyTable::Write(Keys(), ini, *this); }

TSizeHistory TSizeHistory::LoadFromFile(const QString& fileName)
{
    TSizeHistory h;
    MemIniFile ini;
    if (QFileInfo(fileName).isFile() && ini.Load(fileName))
        h.Load(ini);
    return h;
}

TResult TSizeHistory::RecordToFile(const QString& fileName, int codec, int quality, double bitsPerPixel)
{
    MemIniFile ini(fileName);
    TSizeHistory h;
    h.Load(ini);
    h.Record(codec, quality, bitsPerPixel);
    h.Save(ini);
    return ini.UpdateFile();
}
