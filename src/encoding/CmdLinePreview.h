#pragma once

#include "encoding/EncodingSettings.h"
#include "encoding/SettingsRules.h"
#include "media/VideoFileInfo.h"

#include <QString>
#include <QStringList>

// The text of the command-line preview window.
struct TCmdLinePreview {
    QString Text;
    bool Failed = false;   // a builder met an invalid value; its piece is left out of Text
    QStringList Messages;  // the failed builders' validation messages (already sent as warnings)
};

inline const QString InputFilePlaceholder = QStringLiteral("<input_file>");
inline const QString OutputFilePlaceholder = QStringLiteral("<output_file>");

// inputFile empty: no row selected, the placeholder stays. CurrentFileInfo is the
// selected file's analysis (a cleared record without one). Two passes give two lines
// with an empty line between them (CR LF). A row the second engine converts shows its
// ffmpeg command lines (ffmpegEncoders: what that program has, FfmpegEncoders).
TCmdLinePreview GetCmdLinePreview(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                                  int processorCount, const QString& inputFile,
                                  const QString& passLogFile1, const TWarningSink& warn,
                                  const QStringList& ffmpegEncoders = {});
