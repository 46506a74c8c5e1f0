#include "settings/Profile.h"

#include "base/AppInfo.h"
#include "lib/MemIniFile.h"

#include <QFileInfo>

namespace Profile {

void WriteProfile(MemIniFile& ini, const EncodingSettings& s)
{
    ini.WriteString(QStringLiteral("MAIN"), QStringLiteral("AppName"), QLatin1String(AppInfo::ProgramName));
    ini.WriteString(QStringLiteral("MAIN"), QStringLiteral("AppVer"), QLatin1String(FormatVersion));
    KeyTable::Write(TProfileKeys::All(), ini, s);
}

void ReadProfile(const MemIniFile& ini, EncodingSettings& s, const TProfileReadContext& context)
{
    KeyTable::Read(TProfileKeys::All(), ini, s, context);
}

TResult SaveProfile(const QString& fileName, const EncodingSettings& s)
{
    MemIniFile ini(fileName);
    WriteProfile(ini, s);
    return ini.UpdateFile();
}

bool LoadProfile(const QString& fileName, EncodingSettings& s, const TProfileReadContext& context)
{
    if (!QFileInfo(fileName).isFile())
        return false;
    MemIniFile ini;
    if (!ini.Load(fileName))
        return false;
    ReadProfile(ini, s, context);
    return true;
}

} // namespace Profile
