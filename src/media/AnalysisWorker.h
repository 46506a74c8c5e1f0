#pragma once

#include "media/ContentSamples.h"
#include "media/VideoFileInfo.h"

#include <QByteArray>
#include <QString>

// Media analysis in a worker process: the program started with AnalysisWorkerArgument
// reads requests on stdin and writes each filled TVideoFileInfo to stdout. A damaged file
// can make the MediaInfo library spin for minutes inside one call; only a process can be
// stopped there. The parent side is TAnalysisClient (media/AnalysisClient.h).

inline constexpr char AnalysisWorkerArgument[] = "--analysis-worker";

struct TAnalysisRequest {
    QString FileName;
    QString DllPath;        // the MediaInfo library to load
    TFileAnalysis Depth = faFull; // faFull: the complete record (GetVideoFileInfo); else the plain analysis
    bool Pictures = false;  // faFull: the second prober also decodes its picture samples
    // faFull: the file is an output of this source; the content probe compares the two
    // (the source's pictures turned by UserTurn) within ContentBudgetMs
    QString CompareWith;
    TGridTurn UserTurn;
    int SourceSoundTrack = 0; // the source's sound stream the output carries
    qint32 SourcePlaysMs = 0; // a source cut short plays this long; 0: as its length says
    // 0 or more: only where the encoder begins a piece asked to start here (ms), nothing
    // else (KeyPictureAtOrBefore, media/AvProbe.h)
    qint32 KeyPictureAtMs = -1;
};

// The content probe's share of a comparison request; the worker's time limit grows by it.
inline constexpr int ContentBudgetMs = 20000;

struct TAnalysisAnswer {
    bool Filled = false;    // the library read the file
    TVideoFileInfo Info;
    TContentSamples Content; // with CompareWith
    qint32 KeyPictureMs = -1; // with KeyPictureAtMs
};

// The messages both ends exchange: a 4-byte big-endian length, then the payload.
namespace AnalysisProtocol {

QByteArray Frame(const QByteArray& payload);
// Takes one whole frame off the front of buffer; false (buffer untouched) when it has
// none yet. A length beyond any real message is a broken stream: also false, and broken
// is set.
bool TakeFrame(QByteArray& buffer, QByteArray& payload, bool* broken = nullptr);

QByteArray EncodeRequest(const TAnalysisRequest& request);
bool DecodeRequest(const QByteArray& payload, TAnalysisRequest& request);
QByteArray EncodeAnswer(const TAnalysisAnswer& answer);
bool DecodeAnswer(const QByteArray& payload, TAnalysisAnswer& answer);

} // namespace AnalysisProtocol

// One request answered in this process (the worker's side, or a program without workers).
TAnalysisAnswer AnswerRequest(const TAnalysisRequest& request);

// The worker's main loop: answers requests until stdin ends. Exit status 0 at the end of
// input, 1 on a broken request stream. Needs the application object and a UTF-8 LC_CTYPE.
int RunAnalysisWorker();
