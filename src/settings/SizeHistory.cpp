#include "settings/SizeHistory.h"

#include "lib/KeyTable.h"
#include "lib/MemIniFile.h"
#include "encoding/VideoCodecs.h"

#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace {

const char* const Size = "SIZE";

// Each codec's scale of qualities, one slot each, the codecs one after the other.
const TVideoCodecRow& Codec(int codec) { return VideoCodecRow(TVideoCodec(codec)); }

int SlotsBefore(int codec)
{
    int slots = 0;
    for (int c = 0; c < codec; ++c)
        slots += Codec(c).HighestQuality - Codec(c).LowestQuality + 1;
    return slots;
}

struct TSizeReadContext {
    TKeyFallbackSink Fallback; // the settings file reports nothing
};

using K = KeyTable::Rows<TSizeHistory, TSizeReadContext>;

int Slot(int codec, int quality)
{
    if (codec < 0 || codec >= VideoCodecCount() || quality < Codec(codec).LowestQuality ||
        quality > Codec(codec).HighestQuality)
        return -1;
    return SlotsBefore(codec) + quality - Codec(codec).LowestQuality;
}

QList<K::Key> MakeKeys()
{
    QList<K::Key> keys;
    for (int codec = 0; codec < VideoCodecCount(); ++codec) {
        for (int q = Codec(codec).LowestQuality; q <= Codec(codec).HighestQuality; ++q) {
            const QString name = QStringLiteral("%1_Q%2").arg(QString(Codec(codec).Key)).arg(q);
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

TSizeHistory::TSizeHistory() : Values(SlotsBefore(VideoCodecCount()), 0.0) {}

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
