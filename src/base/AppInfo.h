#pragma once

#include <QString>

// The program's name, version and build width, as every caption and report shows them.
namespace AppInfo {

inline constexpr const char* ProgramName = "Vexa Video Converter";
inline constexpr const char* ProgramVersion = "1.0";
inline constexpr const char* ExecutableName = "vexaconv";

// "64" on x86-64, "32" on a 32-bit build: the width of this very executable.
inline QString BuildBits() { return QString::number(int(sizeof(void*) * 8)); }

// "Vexa Video Converter 1.0  [64-bit]" (two blanks before the bracket).
inline QString FullCaption()
{
    return QStringLiteral("%1 %2  [%3-bit]").arg(QLatin1String(ProgramName), QLatin1String(ProgramVersion), BuildBits());
}

} // namespace AppInfo
