#pragma once

#include "base/AppParams.h"
#include "encoding/EncodingSettings.h"
#include "lib/Result.h"
#include "lib/ResultOf.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The SETTINGS of the headless modes: the default encoder settings, then a profile
// (`--profile FILE|NAME|last`), then each `--set KEY=VALUE` in order, every value read by the
// profile loader's own rules.
struct THeadlessSettings {
    // Failed with a usage error (one line, no program name) when the settings cannot be
    // used; the warnings found before it are kept all the same.
    TResult Status;
    QStringList Warnings;     // one line each: a --set value replaced by a fallback
    EncodingSettings Settings;

    // profile: empty for none, "last" for the last-session profile, otherwise a path
    // relative to the current directory or, when no such file exists and it has no slash,
    // a profile of the profiles folder, or one that came with the program, by name
    // (TProfileList::FilesNamed).
    static THeadlessSettings Resolve(const TAppParams& params, const QString& profile,
                                     const QList<QPair<QString, QString>>& sets);

    // The file profile names (as Resolve reads it), or a one-line usage error.
    static TResultOf<QString> ProfileFile(const TAppParams& params, const QString& profile);

    // The default encoder settings as the window has them at start-up: resolution list
    // of the home, default video encoder of the settings file.
    static EncodingSettings Defaults(const TAppParams& params, int* defaultVideoCodec = nullptr);
};
