#include "settings/Profile.h"

#include "base/AppInfo.h"
#include "lib/MemIniFile.h"

#include <QFileInfo>

namespace Profile {

void WriteProfile(MemIniFile& ini, const EncodingSettings& s)
{
    ini.WriteString(QStringLiteral("MAIN"), QStringLiteral("AppName"), QLatin1String(AppInfo::ProgramName));
    ini.WriteString(QStringLiteral("MAIN"), QStringLiteral("AppVer"), QLatin1String(FormatVersion));
    for (const TProfileKeys::Key& key : TProfileKeys::All())
        ini.WriteString(QLatin1String(key.Section), QLatin1String(key.Name), key.Write(s));
}

void ReadProfile(const MemIniFile& ini, EncodingSettings& s, const TProfileReadContext& context)
{
    for (const TProfileKeys::Key& key : TProfileKeys::All()) {
        const QString section = QLatin1String(key.Section), name = QLatin1String(key.Name);
        if (ini.ValueExists(section, name)) {
            const QString value = ini.ReadString(section, name);
            key.Read(s, &value, context);
        } else {
            key.Read(s, nullptr, context);
        }
    }
}

bool SaveProfile(const QString& fileName, const EncodingSettings& s, QString* error)
{
    MemIniFile ini(fileName);
    WriteProfile(ini, s);
    return ini.UpdateFile(error);
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
