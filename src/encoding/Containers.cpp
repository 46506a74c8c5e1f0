#include "encoding/Containers.h"

#include <array>

namespace {

using namespace Qt::StringLiterals;

// Matroska keeps H.264's parameter sets in its header, so x264 must hand them over at the
// start (without, the muxer crashes writing the header). Both lavf muxers write every
// picture's decoding time as the time to show it: with B-pictures a player would show them
// out of order, so x264 (and Xvid) write none there.
constexpr std::array<TContainerRow, 3> Rows{{
    {TContainer::Avi, "AVI"_L1, "avi"_L1, {}, {}, "AVI"_L1, true, "avi"_L1, true, false, true, false, {}, false, false, {}},
    {TContainer::Mp4, "MP4"_L1, "mp4"_L1, "mp4"_L1, "bframes=0"_L1, "MPEG-4"_L1, false, "mp4"_L1, false, true, false, false,
     "mov_text"_L1, true, true, "hvc1"_L1},
    {TContainer::Mkv, "MKV"_L1, "mkv"_L1, "matroska"_L1, "global_header:bframes=0"_L1, "Matroska"_L1, false, "matroska"_L1, false,
     false, false, true, "copy"_L1, false, true, {}},
}};

} // namespace

std::span<const TContainerRow> Containers() { return Rows; }

QStringList MuxerArgs(const TContainerRow& row)
{
    if (row.LavfFormat.isEmpty())
        return {};
    return {QStringLiteral("-of"), QStringLiteral("lavf"), QStringLiteral("-lavfopts"),
            QStringLiteral("format=") + row.LavfFormat};
}

const TContainerRow& ContainerRow(TContainer id)
{
    for (const TContainerRow& row : Rows)
        if (row.Id == id)
            return row;
    return Rows.front();
}

std::optional<TContainer> ContainerFromWord(const QString& word)
{
    const QString trimmed = word.trimmed();
    for (const TContainerRow& row : Rows)
        if (trimmed.compare(row.Word, Qt::CaseInsensitive) == 0)
            return row.Id;
    return std::nullopt;
}

QStringList ContainerWords()
{
    QStringList words;
    for (const TContainerRow& row : Rows)
        words << QString(row.Word);
    return words;
}
