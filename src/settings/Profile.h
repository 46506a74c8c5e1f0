#pragma once

#include "encoding/EncodingSettings.h"
#include "lib/Result.h"
#include "settings/ProfileKeys.h"

#include <QString>

class MemIniFile;

// Profile files: one complete set of encoding settings in the sections "VIDEO", "AUDIO"
// and "ADVANCED", with "MAIN" naming the program and the format version. Saving into an
// existing file keeps its presentation keys ("DisplayName", "SortIndex", colours) and
// every other key the program does not know.
namespace Profile {

inline constexpr const char* FormatVersion = "1.0";

// Writes s (and the "MAIN" identification) into ini, key by key in file order.
void WriteProfile(MemIniFile& ini, const EncodingSettings& s);

// Reads the three settings sections of ini into s, in order; a missing key leaves its
// setting as it is (a text the rules reject becomes "Auto"). "MAIN" is not consulted.
void ReadProfile(const MemIniFile& ini, EncodingSettings& s, const TProfileReadContext& context);

// Saves s to fileName, merging into an existing file, in one atomic step. A failure
// when the file cannot be written.
TResult SaveProfile(const QString& fileName, const EncodingSettings& s);

// Loads fileName over s. A file that does not exist (or is no regular file) changes
// nothing and gives false; so does one that cannot be read.
bool LoadProfile(const QString& fileName, EncodingSettings& s, const TProfileReadContext& context);

} // namespace Profile
