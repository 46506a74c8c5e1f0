#include "settings/SizeHistory.h"

#include "lib/KeyTable.h"
#include "lib/MemIniFile.h"

#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace {

const char* const Size = "SIZE";
constexpr int XvidLowest = 1, XvidHighest = 31, X264Highest = 51;
constexpr int Slots = (XvidHighest - XvidLowest + 1) + (X264Highest + 1);

struct TSizeReadContext {
    TKeyFallbackSink Fallback; // the settings file reports nothing
};

using K = KeyTable::Rows<TSizeHistory, TSizeReadContext>;

int Slot(int codec, int quality)
{
    if (codec == 0 && quality >= XvidLowest && quality <= XvidHighest)
        return quality - XvidLowest;
    if (codec == 1 && quality >= 0 && quality <= X264Highest)
        return (XvidHighest - XvidLowest + 1) + quality;
    return -1;
}

QList<K::Key> MakeKeys()
{
    QList<K::Key> keys;
    for (int codec = 0; codec < 2; ++codec) {
        for (int q = codec == 0 ? XvidLowest : 0; q <= (codec == 0 ? XvidHighest : X264Highest); ++q) {
            const QString name = QStringLiteral("%1_Q%2").arg(codec == 0 ? QStringLiteral("Xvid") : QStringLiteral("H264")).arg(q);
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
