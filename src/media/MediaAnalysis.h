#pragma once

#include "media/MediaInfoLib.h"
#include "media/ContentSamples.h"
#include "media/VideoFileInfo.h"

#include <QString>

#include <functional>

class QObject;

// Filling a TVideoFileInfo from the MediaInfo library.

// One query: (stream kind, stream number, parameter name) -> the library's text answer,
// empty when there is none. The real one asks an open TMediaInfoHandle; tests hand in
// the answers of a made-up file.
class TAnalysisPool;

using TMediaInfoQuery = std::function<QString(TMediaStreamKind kind, int streamNumber, const wchar_t* parameter)>;

// Runs every query of one analysis and writes the results into info (which it does not
// clear first; FileName and FileSize are left alone). informText becomes MediaInfoFull.
// Duration is the first audio stream's that has one, else the general stream's, else the
// first video stream's.
// A file the library opens but does not recognise (no format, no streams: zero-length or
// junk data) is not an analysis at all: info stays untouched and the result is false.
bool FillVideoFileInfo(const TMediaInfoQuery& query, const QString& informText, TVideoFileInfo& info);

// Analyses fileName with the library at dllPath into info, in a worker process with a
// time limit (media/AnalysisClient.h). On success info is the worker's fresh record with
// its FileName and FileSize kept. Leaves info untouched when the library is missing, the
// file is missing, empty or no regular file, the library cannot read it, or the analysis
// timed out or was aborted. Returns true when info was filled.
bool AnalyzeMediaFile(const QString& fileName, const QString& dllPath, TVideoFileInfo& info);

// The complete analysis with the library at dllPath, in a worker process: a fresh record
// with FileName and FileSize, the analysis, the derived video stream size, and the second
// prober's findings (Probe; with pictures, its picture samples too). info always gets the
// name and size, even when the analysis fails or times out.
void GetVideoFileInfo(const QString& fileName, const QString& dllPath, TVideoFileInfo& info, bool pictures = false);

// GetVideoFileInfo without waiting: done gets the same record later, from the event loop
// (through the analysis pool, ahead of queued requests), unless context is gone by then.
// Returns the pool's ticket, for TAnalysisPool::Cancel; 0 when there was nothing to analyse.
quint64 RequestVideoFileInfo(const QString& fileName, const QString& dllPath, QObject* context,
                             std::function<void(TVideoFileInfo&&)> done, bool pictures = false);
// The same in the given workers (a batch's).
quint64 RequestVideoFileInfo(TAnalysisPool& pool, const QString& fileName, const QString& dllPath, QObject* context,
                             std::function<void(TVideoFileInfo&&)> done);

// The output's complete record and the content probe's samples of it against its source
// (the source's pictures turned by userTurn), the same way; samples left empty when the
// analysis failed. sourcePlaysMs: how long a source cut short plays (0: as its length says).
quint64 RequestOutputComparison(TAnalysisPool& pool, const QString& output, const QString& source, const TGridTurn& userTurn, int sourceSoundTrack,
                                int sourcePlaysMs, const QString& dllPath, QObject* context,
                                std::function<void(TVideoFileInfo&&, TContentSamples&&)> done);

// Where the encoder begins a piece of fileName asked to start at atMs (KeyPictureAtOrBefore,
// media/AvProbe.h), asked of a worker the same way; done gets the time, or -1 when it
// cannot be told (also when the worker timed out or the request was cancelled).
quint64 RequestKeyPictureAtOrBefore(const QString& fileName, int atMs, QObject* context,
                                    std::function<void(int keyMs)> done);

// The two analyses above, run in this process (the worker's side). The complete one
// returns true when the MediaInfo library read the file; the second prober's findings
// fill the length the library left unknown.
bool AnalyzeMediaFileInProcess(const QString& fileName, const QString& dllPath, TVideoFileInfo& info);
// Where MediaInfo gave no length, the second prober's (info.Probe) is taken.
void TakeProbedLength(TVideoFileInfo& info);

bool GetVideoFileInfoInProcess(const QString& fileName, const QString& dllPath, TVideoFileInfo& info,
                               bool pictures = false);

// When the only video stream has no size of its own, it is what the audio streams leave
// of the file. Part of GetVideoFileInfo; callers with a record of their own may use it.
void DeriveVideoStreamSize(TVideoFileInfo& info);
