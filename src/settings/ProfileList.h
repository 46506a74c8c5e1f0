#pragma once

#include "base/AppParams.h" // TAppColor

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// One entry of the profile box.
struct TProfileInfo {
    QString ShortFileName;     // file name without directory
    QString Path;              // the full path
    QString DisplayName;       // after the "[clb=" / "[clf=" cut, escapes not yet replaced
    QString StoredName;        // DisplayName as the file has it (a shipped one's is English)
    bool Shipped = false;      // came with the program: read-only, listed after the user's
    double SortIndex = -1;
    QString ProfileType;       // not filled
    TAppColor BgColor = 0xFFFFFF;
    TAppColor FontColor = 0xFFFFFF;
};

// The profiles offered in the profile box, in display order. The box holds two fixed
// entries first ("The last session settings", "Default encoder settings"), then one per
// listed profile: the user's own, then the ones that came with the program.
class TProfileList {
public:
    static constexpr int LastSessionIndex = 0;
    static constexpr int DefaultSettingsIndex = 1;
    static constexpr int FirstProfileIndex = 2;

    // Lists the admitted "*.ini" files directly in profilesDir (never lastProfileFile),
    // sorted by name and then by sort index; then, sorted alike, those of shippedDir.
    void Rebuild(const QString& profilesDir, const QString& lastProfileFile, const QString& shippedDir = QString());

    // Examines one file and appends its entry when it is a profile of this program.
    bool AP_AddProfile(const QString& path);

    const QList<TProfileInfo>& Items() const { return m_items; }
    QString ProfilesDir() const { return m_profilesDir; }

    // The box's texts: the two fixed entries, then each display name with its
    // backslash-n and backslash-t escapes replaced.
    QStringList BoxItems() const;

    // The profile file that box entry boxIndex applies; empty for the two fixed entries
    // and for an empty list. An index past the end applies the first profile.
    QString ProfileFileForBoxIndex(int boxIndex) const;

    // The listed profiles a name given by the user means, as full paths: the one whose
    // file name is name (with or without ".ini"; the user's before a shipped one), else
    // every one whose box text is name (blanks and line breaks as one space; a shipped
    // profile's English name too); case-insensitive. Empty when none.
    QStringList FilesNamed(const QString& name) const;

    // Whether box entry boxIndex is a profile that came with the program.
    bool IsShippedEntry(int boxIndex) const;

    // A shipped profile's name as shown, in the user's language: the program's own name
    // for its file (by file name), else the file's storedName.
    static QString ShippedDisplayName(const QString& shortFileName, const QString& storedName);

    // The box index of the entry for shortFileName (case-insensitive), or 0 when none.
    int BoxIndexOfFile(const QString& shortFileName) const;

    // Sorts by SortIndex ascending with the quicksort of ProfileList.cpp, not a stable sort:
    // it puts entries with equal indexes in the order users know from the profile box.
    static void SortBySortIndex(QList<TProfileInfo>& items);

    // Display name of a file's "DisplayName" value (empty: fileName without extension),
    // cut at the first "[clb=" and then at the first "[clf=" (case-insensitive).
    static QString CutDisplayName(const QString& displayName, const QString& fileName);

    // Backslash-n becomes CR LF and backslash-t a tab.
    static QString DisplayText(const QString& displayName);

    // "SortIndex" text as a number: the first "." read as the decimal separator; -1 when
    // it is no number.
    static double ParseSortIndex(const QString& text);

    // The two fixed entries, in the user's language (the box is read by its index).
    static QString LastSessionText()
    {
        return QCoreApplication::translate("Settings", "The last session settings");
    }
    static QString DefaultSettingsText()
    {
        return QCoreApplication::translate("Settings", "Default encoder settings");
    }

private:
    QString m_profilesDir;
    QList<TProfileInfo> m_items;
};
