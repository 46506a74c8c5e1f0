#pragma once

#include <QString>

// Run-time binding of the MediaInfo library (its C interface, wide-character entry
// points). The library is loaded once per process and never unloaded; every text the
// library hands back is copied at once and cleaned (see CleanMediaInfoText).

// Stream kinds as the library numbers them.
enum TMediaStreamKind {
    mskGeneral = 0,
    mskVideo = 1,
    mskAudio = 2,
    mskText = 3,
    mskOther = 4,
    mskImage = 5,
    mskMenu = 6,
};

inline constexpr int MediaStreamKindCount = 7;

// Loads the library from dllPath the first time it succeeds; later calls reuse that
// handle whatever the path. Looks up all twenty exports (a missing one stays null).
// True when the library is loaded and its wide entry points are usable.
bool LoadMediaInfoLibrary(const QString& dllPath);

// True once a load has succeeded.
bool MediaInfoLibraryLoaded();

// How many of the twenty exports were found (for diagnostics and tests).
int MediaInfoBoundExportCount();

// A text from the library made safe to show and store: control characters (and, unless
// keepLineBreaks, line breaks), surrogates, code points beyond U+10FFFF, noncharacters and
// U+FFFD (left by broken UTF-8 in tags) are dropped. Tags written by encoders sometimes
// carry padding bytes after their text ("LAME3.100" and binary junk).
QString CleanMediaInfoText(const wchar_t* text, bool keepLineBreaks = false);

// One MediaInfo handle, created on construction and closed and released on destruction,
// so that no handle outlives the analysis that made it.
class TMediaInfoHandle {
public:
    // Needs a loaded library (LoadMediaInfoLibrary); otherwise IsValid() is false.
    TMediaInfoHandle();
    ~TMediaInfoHandle();
    TMediaInfoHandle(const TMediaInfoHandle&) = delete;
    TMediaInfoHandle& operator=(const TMediaInfoHandle&) = delete;

    bool IsValid() const { return m_handle != nullptr; }

    // False when the library does not accept the file.
    bool Open(const QString& fileName);
    // Plain-text report of the opened file, line breaks kept.
    QString Inform();
    // One parameter of one stream as text (kind of information Text, search by Name);
    // empty when the library has no value.
    QString Get(TMediaStreamKind kind, int streamNumber, const wchar_t* parameter);

    // A library-wide option (null handle).
    static QString Option(const QString& name, const QString& value);

private:
    void* m_handle = nullptr;
    bool m_opened = false;
};
