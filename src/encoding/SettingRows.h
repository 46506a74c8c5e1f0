#pragma once

#include "encoding/EncodingSettings.h"
#include "lib/KeyTable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <variant>

// Every encoder setting is one row of one table: the panel that shows it and how, its
// choices or range, its default, when it is enabled, and its profile key. The panels'
// controls, copy, paste and defaults, the enabling rules, the profile files and the
// headless `--set` are all queries over this table, so a new setting is one row here,
// its member in EncodingSettings and the builder line that puts it on the command line.

enum class TSettingPanel { Video, Audio, Advanced };

// How a setting shows in its panel, and which alternative of TSettingValue it holds.
enum class TControlKind {
    List,         // int: a drop-down's item index (-1: no selection)
    EditableList, // EditableListValue: a drop-down one may type into; the text counts
    Check,        // bool: a check box that carries the caption
    Spin,         // double: a whole number inside Min..Max
    Slider,       // double: a track bar position inside Min..Max, with a value label
    Memo,         // QString: several lines of text
};

using TSettingValue = std::variant<bool, int, double, QString, EditableListValue>;

struct TProfileReadContext {
    int DefaultVideoCodec = 0;  // the options dialog's default encoder: 0 Xvid, 1 H.264
    TKeyFallbackSink Fallback;  // may be empty
};
using TProfileKey = TKeyDescriptor<EncodingSettings, TProfileReadContext>;

struct TSettingRow {
    QString Id;                   // the domain name, as EncodingSettings calls it
    TSettingPanel Panel = TSettingPanel::Video;
    TControlKind Kind = TControlKind::List;
    QString ObjectName;           // the control's object name
    const char* Caption = "";     // the label before the control, or the check box's text
    const char* Unit = "";        // the label after the control
    // One sentence for a newcomer: what the setting does and when to change it. The
    // control's tool tip and --help's table of keys show it.
    const char* Help = "";
    std::function<QStringList(const EncodingSettings&)> Items; // List, EditableList
    // List: the items are the program's words, read back by their index, so they show in
    // the user's language (EncodingLists::Shown). An editable list's items are values and
    // the resolution list is the user's own file: those show as they are.
    bool ShownTranslated = false;
    // List: a plain caption for each of the encoder's own words ("veryfast"), marked for the
    // catalogue (context "Encoding"); the open drop-down shows it beside the word, while the
    // box, the profile and the command line keep the word. Empty for an item without one.
    QStringList (*ItemCaptions)() = nullptr;
    double Min = 0, Max = 0;      // Spin, Slider

    std::function<TSettingValue(const EncodingSettings&)> Get;
    std::function<void(EncodingSettings&, const TSettingValue&)> Set;
    // Puts the panel's default in; defaultVideoCodec is the options dialog's choice.
    std::function<void(EncodingSettings&, int defaultVideoCodec)> Reset;
    // Empty: always enabled.
    std::function<bool(const EncodingSettings&)> EnabledWhen;
    // EditableList: a pasted text that fails this comes back as "Auto".
    std::function<bool(const QString&)> Accepts;
    // Slider: the text of the value label for a position.
    std::function<QString(double position)> ValueText;
    TProfileKey Key;
};

// ---- queries over the table ----

// Every row, in profile-writing order: "VIDEO", then "AUDIO", then "ADVANCED".
const QList<TSettingRow>& SettingRows();
const TSettingRow* FindSettingRow(QStringView id);
QList<const TSettingRow*> PanelRows(TSettingPanel panel);

bool IsSettingEnabled(const TSettingRow& row, const EncodingSettings& s);

// The text of the item a list row id selects in s; empty for no selection.
QString SelectedItem(QStringView id, const EncodingSettings& s);

// One panel's copy buffer. Numbers are copied as whole positions (halves to even);
// pasting puts "Auto" in for a typed text that fails its row's check and never touches
// another panel or the output options.
struct TPanelCopy {
    TSettingPanel Panel = TSettingPanel::Video;
    EncodingSettings Values;
};
TPanelCopy CopyPanel(const EncodingSettings& s, TSettingPanel panel);
void PastePanel(EncodingSettings& s, const TPanelCopy& copy);

// The panel's defaults; defaultVideoCodec is the options dialog's default video
// encoder index (0 Xvid, 1 H.264).
void ResetPanel(EncodingSettings& s, TSettingPanel panel, int defaultVideoCodec);
// All three panels; the output options are left as they are.
void SetDefaultParams(EncodingSettings& s, int defaultVideoCodec);
