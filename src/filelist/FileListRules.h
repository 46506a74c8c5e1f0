#pragma once

#include "filelist/FileListRow.h"
#include "media/VideoFileInfo.h"

#include <QString>
#include <QStringList>

#include <functional>

// The rules by which files enter the list and rows get their texts.

// The extensions a folder scan takes, upper case, without the dot, in dialog order: the
// 46 common ones, then the camcorder and capture kinds (DV, MOD, TOD, M2V, Y4M). A file
// named by the user may have any extension.
const QStringList& SupportedVideoExtensions();
// True when the name's extension (after the last "." of its last path element) is one
// of them, compared without regard to case.
bool IsSupportedVideoFile(const QString& fileName);
// "AVI video files|*.avi|All video files|*.webm;*.avi;...;*.mxf"
QString AddFilesDialogFilter();
// "File list (*.LST)|*.lst"
QString FileListDialogFilter();

// "640 x 480" (digits grouped) when both are non-zero, else empty.
QString ResolutionText(int width, int height);
// Codec name of an audio stream as the list shows it: "(Windows Media Audio)" removed,
// MPEG-1 layer 3 and names with "(MP3)" shortened to "MP3".
QString CleanAudioCodecName(const QString& codec, const QString& profile);
// "MPEG-4 Visual, 1 200 kbit/s, 640 x 480"
QString VideoSummary(const TVideoStreamInfo& v);
// "MP3, 128 kbit/s CBR, Channels: 2"; cleanedCodec as CleanAudioCodecName gives it.
QString AudioSummary(const QString& cleanedCodec, const TAudioStreamInfo& a);
// The Tracks column: "Sound: English, German; Subtitles: German"; empty for a file with one
// untagged sound track and no subtitles.
QString TracksSummary(const TVideoFileInfo& info);

// Fills the duration, video and audio columns of row from the first video and audio
// stream of info. Called only when analysis was on.
void FillRowMedia(TFileListRow& row, const TVideoFileInfo& info);

// Dropped names in the order they are handled: empty ones left out, the rest sorted
// without regard to case (names equal but for case keep their order).
QStringList SortDroppedNames(const QStringList& names);
bool IsFileListFile(const QString& fileName); // extension "lst", any case

// Told the number of files found so far, after every 30th; lets a window stay responsive.
using TScanProgressFn = std::function<void(int filesFound)>;
inline constexpr int ScanProgressInterval = 30;
inline constexpr int FolderScanDepth = 20;

// The supported files of folder and its subfolders (20 levels), in scan order: the
// folder's own files before those of its subfolders, hidden files included. stop, polled
// after each file found, ends the scan early with what was found so far. Names that are
// not UTF-8 come as NativeName keeps them. The subfolders in neverEnter are passed by.
QStringList CollectFolderFiles(const QString& folder, const TScanProgressFn& onProgress = {},
                               const std::function<bool()>& stop = {}, const QStringList& neverEnter = {});
