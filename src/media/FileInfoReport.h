#pragma once

#include "lib/ResultOf.h"
#include "media/FileInfoLabels.h"
#include "media/VideoFileInfo.h"

#include <QString>

#include <cstdint>
#include <optional>

// The plain-text file information report ("Copy" and "Save..." of the file information
// window, and `vexaconv --info`). Lines end with CR LF.

// Files above this size get no checksum line: reading them would stall the window.
inline constexpr int64_t InfoReportCrcLimit = 314572800; // 300 MiB

// The product home page, the report's second line.
QString ProductHomePageUrl();

// The report for the freshly analysed record fresh, the general lines taken from the
// labels the window shows (shown), the stream sections from fresh. crc is the file's
// CRC-32 when it was computed (files up to InfoReportCrcLimit).
QString BuildInfoReport(const QString& fullPath, const TVideoFileInfo& fresh, const TFileInfoLabels& shown,
                        std::optional<uint32_t> crc);

// The window's GetInfoAsText: rebuilds the path from the shown labels, analyses the file
// afresh with the MediaInfo library at dllPath, reads its checksum and builds the report.
// A failure when the file cannot be read for the checksum (then there is no report to
// copy or save).
TResultOf<QString> GetInfoAsText(const TFileInfoLabels& shown, const QString& dllPath);

// The name "Save..." proposes: the file's full path followed by "_info.txt".
QString InfoReportFileName(const QString& fullPath);

// The report as the window would give it right after showing fileName with the first
// streams selected, the file analysed with the MediaInfo library at dllPath.
TResultOf<QString> FileInfoReportText(const QString& fileName, const QString& dllPath);
