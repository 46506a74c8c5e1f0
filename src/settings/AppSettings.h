#pragma once

#include "base/FileAnalysis.h"
#include "base/Language.h"
#include "encoding/EncodingSettings.h"
#include "lib/Result.h"

#include <QList>
#include <QString>

class MemIniFile;
struct TAppParams;

// The values of the settings file's sections "MAIN" and "PROGRESS", without widgets: the
// main window fills it from its controls before saving and applies it after loading.
// Loading reads every key with the member's current value as its default, so a missing
// key leaves the member as the window had it.
struct TColumnSettings {
    QString Name;        // "colNo", "colActive", ...
    int Width = 64;
    int Position = 0;    // place in the display order, 0 = leftmost; -1: where it is
    bool Visible = true;
};

struct TAppSettings {
    // ---- "MAIN", keys only read ----
    bool EscExit = false;
    QString MediaInfoDll;            // as stored; a missing key keeps what the record held
    QString ToolsDir;                // as stored; a missing key keeps what the record held

    // ---- "MAIN" ----
    bool Maximized = false;
    int Left = 0;
    int Top = 0;
    int Width = 934;
    int Height = 712;
    TOutputPolicy outputExists = TOutputPolicy::Rename;
    int afterBatch = 0;       // 0 "Do nothing", 1 "Close application"
    bool OutIn = true;               // outputBesideInput
    QString OutDir;                  // outputFolder
    bool KeepFileDates = false;
    bool KeepTree = false;
    bool GridLines = true;
    bool RowIndicator = true;
    bool GridFooter = true;
    int RowHeight = 20;
    bool AllowRowMoving = true;
    bool AllowColumnMoving = true;
    QString ListFontName = QStringLiteral("Segoe UI");
    int ListFontSize = 8;
    TFileAnalysis FileAnalysis = faFull;
    bool settingsExpanded = true;
    bool OpenFileAfterIconClick = true;
    int DefaultVideoCodec = 0;       // 0 Xvid, 1 H.264
    QString LastDir;
    bool DragAcceptDirectories = true;
    int ParallelJobs = 1;            // "Simultaneous conversions"
    QString Language = QString::fromLatin1(::Language::SystemChoice); // "System", "en", "de": read at start
    QList<TColumnSettings> Columns = DefaultColumns(); // in column key order

    // ---- "PROGRESS" ----
    bool ProgressExists = true;      // the section is written only when the window exists
    bool DontShowEncoderOutput = false;
    int ProgressLeft = 0;            // written only
    int ProgressTop = 0;             // written only
    int ProgressWidth = 0;
    int ProgressHeight = 0;
    bool CloseAfterConversion = true;
    bool AutoScrollMemoToBottom = true;

    // The 29 column names in key order.
    static const QStringList& ColumnNames();
    // The columns that have no visibility key (always shown).
    static bool HasVisibilityKey(const QString& columnName);
    static QList<TColumnSettings> DefaultColumns();

    // Header height of the file list for a font size.
    static int HeaderHeightForFontSize(int fontSize) { return fontSize < 14 ? 22 : 34; }

    // "None"/"Quick"/"Full" as stored, and back (anything but none or quick is Full).
    static QString FileAnalysisText(TFileAnalysis fa);
    static TFileAnalysis ParseFileAnalysis(const QString& text);
    // "H.264" (any case, blanks around) is H.264 (1); anything else Xvid (0).
    static int ParseDefaultVideoCodec(const QString& text);
    static QString DefaultVideoCodecText(int codec);

    // Reads "MAIN" with the clamps of the settings file; screenWidth and screenHeight
    // bound the stored window position.
    void LoadMain(const MemIniFile& ini, int screenWidth, int screenHeight);
    // Reads "PROGRESS" (the progress window does this itself when it is created).
    void LoadProgress(const MemIniFile& ini);
    // Writes "MAIN" and, when ProgressExists, "PROGRESS", in the file's key order.
    void Save(MemIniFile& ini) const;

    // Whole-file helpers: a missing file leaves every member as it is (false). Saving
    // merges into the existing file (unknown keys survive) in one atomic step.
    bool LoadFromFile(const QString& fileName, int screenWidth, int screenHeight);
    TResult SaveToFile(const QString& fileName) const;

    // The tool keys over p: a "MediaInfoDll" that names no file runs the library search
    // again (with the tools directory still the old one), a "ToolsDir" is taken only
    // when that directory exists; then the encoder is resolved again. The members must
    // have been set from p before the file was read, so missing keys change nothing.
    void ApplyToolPaths(TAppParams& p) const;
    // What the start needs before any window or mode: reads p.IniName, if the file exists,
    // applies its tool keys and takes its language choice (p.Language), in one read.
    static void LoadStartValues(TAppParams& p);
    // Reads the settings file into ini; false when there is none or it cannot be read
    // (then nothing is applied and the current values stay).
    static bool ReadFile(const QString& fileName, MemIniFile& ini);
};
