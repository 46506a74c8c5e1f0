#include "encoding/VideoCodecs.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr std::array<TVideoCodecRow, 4> Rows{{
    {TVideoCodec::Xvid, "Xvid"_L1, "Xvid"_L1, "MPEG-4 Visual"_L1, "libxvid"_L1, &EncodingSettings::xvidQuality, 1, 31},
    {TVideoCodec::X264, "H.264"_L1, "H264"_L1, "AVC"_L1, "libx264"_L1, &EncodingSettings::x264Quality, 0, 51},
    {TVideoCodec::Hevc, "HEVC"_L1, "HEVC"_L1, "HEVC"_L1, "libx265"_L1, &EncodingSettings::hevcQuality, 0, 51},
    {TVideoCodec::Av1, "AV1"_L1, "AV1"_L1, "AV1"_L1, "libsvtav1"_L1, &EncodingSettings::av1Quality, 1, 63},
}};

} // namespace

const TVideoCodecRow& VideoCodecRow(TVideoCodec id)
{
    for (const TVideoCodecRow& row : Rows)
        if (row.Id == id)
            return row;
    return Rows.front();
}

int VideoCodecCount() { return int(Rows.size()); }
