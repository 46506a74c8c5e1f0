#include "settings/ProfileList.h"

#include "base/AppInfo.h"
#include "lib/Colors.h"
#include "lib/Conversion.h"
#include "lib/MemIniFile.h"
#include "settings/Profile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

constexpr TAppColor White = 0xFFFFFF;

// The shown names of the profiles that come with the program, by file name. Each file holds
// its English name too, for anything that reads it without this table.
struct TShippedName {
    const char* File;
    const char* Name;
};
constexpr TShippedName ShippedNames[] = {
    //: A profile that comes with the program, named by what its outputs are for
    {"plays-everywhere.ini", QT_TRANSLATE_NOOP("ShippedProfiles", "Plays everywhere (MP4, H.264)")},
    //: A profile that comes with the program: smaller files for phones and for sending
    {"phones-and-sharing.ini", QT_TRANSLATE_NOOP("ShippedProfiles", "Phones and sharing (smaller)")},
    //: A profile that comes with the program, for television sets and media players
    {"tv-and-media-players.ini", QT_TRANSLATE_NOOP("ShippedProfiles", "TV and media players (MKV)")},
    //: A profile that comes with the program, for DVD players and other old devices
    {"old-players.ini", QT_TRANSLATE_NOOP("ShippedProfiles", "Old players (AVI, Xvid)")},
};

bool SameName(const QString& a, const QString& b) { return a.simplified().compare(b, Qt::CaseInsensitive) == 0; }

// The "*.ini" files directly in dir, full paths, sorted by name without regard to case.
QStringList IniFilesIn(const QString& dir)
{
    QStringList paths;
    const QFileInfoList entries = QDir(dir).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& fi : entries) {
        // Profiles made on Windows may end in ".INI"; the mask matches them there too.
        if (fi.isFile() && fi.fileName().endsWith(QLatin1String(".ini"), Qt::CaseInsensitive))
            paths << fi.absoluteFilePath();
    }
    std::sort(paths.begin(), paths.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return paths;
}

TAppColor ReadColor(const MemIniFile& ini, const QString& key)
{
    TColor colour = White;
    if (!ParseColor(ini.ReadString(QStringLiteral("MAIN"), key, QStringLiteral("#FFFFFF")), colour))
        return White;
    return colour;
}

void QuickSort(QList<TProfileInfo>& items, int l, int r)
{
    int i = l, j = r;
    const double p = items.at((l + r) / 2).SortIndex;
    do {
        while (items.at(i).SortIndex < p)
            ++i;
        while (items.at(j).SortIndex > p)
            --j;
        if (i <= j) {
            items.swapItemsAt(i, j);
            ++i;
            --j;
        }
    } while (i <= j);
    if (l < j)
        QuickSort(items, l, j);
    if (i < r)
        QuickSort(items, i, r);
}

} // namespace

void TProfileList::Rebuild(const QString& profilesDir, const QString& lastProfileFile, const QString& shippedDir)
{
    m_profilesDir = profilesDir;
    m_items.clear();
    const QString last = QDir::cleanPath(QFileInfo(lastProfileFile).absoluteFilePath());
    for (const QString& path : IniFilesIn(profilesDir)) {
        if (QDir::cleanPath(path) != last)
            AP_AddProfile(path);
    }
    SortBySortIndex(m_items);
    // Listed after the user's own, so that the shipped profiles never move the user's in the box.
    const QFileInfo shipped(shippedDir);
    if (shippedDir.isEmpty() || !shipped.isDir() || shipped.canonicalFilePath() == QFileInfo(profilesDir).canonicalFilePath())
        return;
    const QList<TProfileInfo> own = std::exchange(m_items, {});
    for (const QString& path : IniFilesIn(shippedDir))
        AP_AddProfile(path);
    SortBySortIndex(m_items);
    for (TProfileInfo& info : m_items) {
        info.Shipped = true;
        info.DisplayName = ShippedDisplayName(info.ShortFileName, info.StoredName);
    }
    m_items = own + m_items;
}

bool TProfileList::AP_AddProfile(const QString& path)
{
    const QFileInfo fi(path);
    if (!fi.isFile())
        return false;
    MemIniFile ini;
    if (!ini.Load(path))
        return false;
    const QString main = QStringLiteral("MAIN");
    const QString version = ini.ReadString(main, QStringLiteral("AppVer"));
    const QString name = ini.ReadString(main, QStringLiteral("AppName"));
    if (version.compare(QLatin1String(Profile::FormatVersion), Qt::CaseInsensitive) != 0
        || name.compare(QLatin1String(AppInfo::ProgramName), Qt::CaseInsensitive) != 0)
        return false;

    TProfileInfo info;
    info.ShortFileName = fi.fileName();
    info.Path = fi.absoluteFilePath();
    info.DisplayName = CutDisplayName(ini.ReadString(main, QStringLiteral("DisplayName")), fi.fileName());
    info.StoredName = info.DisplayName;
    info.SortIndex = ParseSortIndex(ini.ReadString(main, QStringLiteral("SortIndex"), QStringLiteral("-1")));
    info.BgColor = ReadColor(ini, QStringLiteral("BgColor"));
    info.FontColor = ReadColor(ini, QStringLiteral("FontColor"));
    m_items.append(info);
    return true;
}

QStringList TProfileList::BoxItems() const
{
    QStringList items{LastSessionText(), DefaultSettingsText()};
    for (const TProfileInfo& info : m_items)
        items << DisplayText(info.DisplayName);
    return items;
}

QString TProfileList::ProfileFileForBoxIndex(int boxIndex) const
{
    if (boxIndex < FirstProfileIndex || m_items.isEmpty())
        return QString();
    int i = boxIndex - FirstProfileIndex;
    if (i >= m_items.size())
        i = 0;
    return m_items.at(i).Path;
}

QStringList TProfileList::FilesNamed(const QString& name) const
{
    const QString wanted = name.simplified();
    for (const TProfileInfo& info : m_items) {
        if (info.ShortFileName.compare(wanted, Qt::CaseInsensitive) == 0
            || QFileInfo(info.ShortFileName).completeBaseName().compare(wanted, Qt::CaseInsensitive) == 0)
            return {info.Path};
    }
    // Two profiles may show one text; the caller says which files it could mean.
    QStringList files;
    for (const TProfileInfo& info : m_items) {
        if (SameName(DisplayText(info.DisplayName), wanted) || (info.Shipped && SameName(info.StoredName, wanted)))
            files << info.Path;
    }
    return files;
}

bool TProfileList::IsShippedEntry(int boxIndex) const
{
    const int i = boxIndex - FirstProfileIndex;
    return i >= 0 && i < m_items.size() && m_items.at(i).Shipped;
}

QString TProfileList::ShippedDisplayName(const QString& shortFileName, const QString& storedName)
{
    for (const TShippedName& n : ShippedNames) {
        if (shortFileName.compare(QLatin1String(n.File), Qt::CaseInsensitive) == 0)
            return QCoreApplication::translate("ShippedProfiles", n.Name);
    }
    return storedName;
}

int TProfileList::BoxIndexOfFile(const QString& shortFileName) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i).ShortFileName.compare(shortFileName, Qt::CaseInsensitive) == 0)
            return i + FirstProfileIndex;
    }
    return LastSessionIndex;
}

void TProfileList::SortBySortIndex(QList<TProfileInfo>& items)
{
    if (!items.isEmpty())
        QuickSort(items, 0, int(items.size()) - 1);
}

QString TProfileList::CutDisplayName(const QString& displayName, const QString& fileName)
{
    QString name = displayName.isEmpty() ? QFileInfo(fileName).completeBaseName() : displayName;
    for (const QLatin1String tag : {QLatin1String("[clb="), QLatin1String("[clf=")}) {
        const qsizetype at = name.indexOf(tag, 0, Qt::CaseInsensitive);
        if (at >= 0)
            name.truncate(at);
    }
    return name;
}

QString TProfileList::DisplayText(const QString& displayName)
{
    QString text = displayName;
    text.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
    text.replace(QLatin1String("\\t"), QLatin1String("\t"));
    return text;
}

double TProfileList::ParseSortIndex(const QString& text)
{
    QString t = text;
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        t[dot] = UserDecimalSeparator();
    double value = -1;
    return TryStrToFloat(t, value) ? value : -1;
}
