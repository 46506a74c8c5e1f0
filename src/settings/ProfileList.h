#pragma once

#include "base/AppParams.h" // TAppColor

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// One entry of the profile box.
struct TProfileInfo {
    QString ShortFileName;     // file name without directory
    QString DisplayName;       // after the "[clb=" / "[clf=" cut, escapes not yet replaced
    double SortIndex = -1;
    QString ProfileType;       // not filled
    TAppColor BgColor = 0xFFFFFF;
    TAppColor FontColor = 0xFFFFFF;
};

// The profiles offered in the profile box, in display order. The box holds two fixed
// entries first ("The last session settings", "Default encoder settings"), then one per
// listed profile.
class TProfileList {
public:
    static constexpr int LastSessionIndex = 0;
    static constexpr int DefaultSettingsIndex = 1;
    static constexpr int FirstProfileIndex = 2;

    // Lists the admitted "*.ini" files directly in profilesDir (never lastProfileFile),
    // sorted by name and then by sort index.
    void Rebuild(const QString& profilesDir, const QString& lastProfileFile);

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
    // file name is name (with or without ".ini"), else every one whose box text is name
    // (blanks and line breaks as one space); case-insensitive. Empty when none.
    QStringList FilesNamed(const QString& name) const;

    // The box index of the entry for shortFileName (case-insensitive), or 0 when none.
    int BoxIndexOfFile(const QString& shortFileName) const;

    // Sorts by SortIndex ascending with the quicksort the box has always used, so that
    // entries with equal indexes keep the order users know.
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
