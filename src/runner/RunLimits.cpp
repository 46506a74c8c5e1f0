#include "runner/RunLimits.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cmath>

namespace {

// A positive number of milliseconds from the environment; 0 when unset or not one.
qint64 EnvironmentMs(const char* name)
{
    bool ok = false;
    const qint64 ms = qEnvironmentVariable(name).toLongLong(&ok);
    return ok && ms > 0 ? ms : 0;
}

} // namespace

TRunLimits RunLimitsFor(double mediaMs)
{
    TRunLimits limits;
    const qint64 stall = EnvironmentMs("VEXACONV_ENCODER_STALL_MS");
    limits.StallMs = stall > 0 ? int(std::min<qint64>(stall, DefaultStallMs)) : DefaultStallMs;
    if (const qint64 total = EnvironmentMs("VEXACONV_ENCODER_TOTAL_MS"); total > 0)
        limits.TotalMs = total;
    else if (mediaMs > 0 && std::isfinite(mediaMs))
        limits.TotalMs = TotalFloorMs + qint64(std::min(mediaMs, 1e12) * TotalPerMediaMs);
    return limits;
}
