#pragma once

#include "encoding/CmdLineBuilder.h"
#include "encoding/CmdPiece.h"
#include "encoding/EncodingSettings.h"
#include "encoding/RowPlan.h"
#include "encoding/SettingsRules.h"
#include "media/VideoFileInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

// The encoder's parameters for one file, in both forms: the one-string form that the
// preview, the batch file and the error log show, and the argument vector the runner
// starts the encoder with (no shell ever sees it), put together from the pieces' own
// arguments.

// A path as one argument; a relative path starting with "-" gets "./" in front so the
// encoder cannot take it for an option.
QString PathArg(const QString& path);

// The processor count the x264 "Auto" thread count is derived from.
int MachineProcessorCount();

// The six pieces, each text trimmed, and the reader a remedy names before the input.
struct TCmdLinePieces {
    TCmdPiece Reader;
    TCmdPiece VCodec;
    TCmdPiece VParams;
    TCmdPiece ACodec;
    TCmdPiece AParams;
    TCmdPiece AdvParams;
    TCmdPiece AddParams;
};

// "[Reader] \"IN\" VCodec VParams ACodec AParams AdvParams AddParams [-passlogfile \"LOG\"] -o \"OUT\"",
// joined by single blanks even where a piece is empty. vparams is used in place of
// pieces.VParams (the pass form for two passes); an empty passLogFile leaves that pair out.
QString JoinParamString(const QString& input, const TCmdLinePieces& pieces, const TCmdPiece& vparams,
                        const QString& passLogFile, const QString& output);
// The same as an argument vector: the reader's, paths whole, then each piece's arguments.
QStringList ParamArgs(const QString& input, const TCmdLinePieces& pieces, const TCmdPiece& vparams,
                      const QString& passLogFile, const QString& output);

struct TEncoderInvocation {
    QString Params;     // the one-string form
    QStringList Args;   // what the runner passes to the encoder
};

// Everything the conversion planner needs for one file.
struct TEncoderJob {
    bool Ok = false;            // false: a builder failed and its warning was sent
    QString FailedPiece;        // "VParams" or "AParams" when !Ok
    QString FailureMessage;     // that builder's validation message
    TCmdLinePieces Pieces;
    bool TwoPass = false;
    TCmdPiece VParams1;         // VParams for pass 1 and 2 (two passes only)
    TCmdPiece VParams2;
    QList<TEncoderInvocation> Runs;    // one run, or two for two passes
    QString Ext;                // the container's extension, without the dot
    TRowPlan Plan;              // what the runs were built from; the output check reads it too
    int ProcessorCount = 0;     // and where they read, write and log
    QString Input;
    QString Output;
    QString PassLogFile;
};

// A job of the plan with its paths and passes and no runs yet (either engine's builder fills them).
TEncoderJob EmptyJob(const TRowPlan& plan, int processorCount, const QString& input, const QString& output,
                     const QString& passLogFile);
// Builds the plan's pieces in the planner's order (AdvParams, AddParams, VParams, AParams),
// stopping at the first that fails, then both forms of each run.
TEncoderJob BuildEncoderJob(const TRowPlan& plan, int processorCount, const QString& input, const QString& output,
                            const QString& passLogFile, const TWarningSink& warn);
// The job's runs built again from another plan of its row (the remedy's), the same paths.
TEncoderJob RebuiltEncoderJob(const TEncoderJob& job, const TRowPlan& plan);
// The same for the settings and a file's record, planned first.
TEncoderJob BuildEncoderJob(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                            int processorCount, const QString& input, const QString& output,
                            const QString& passLogFile, const TWarningSink& warn);

// The pieces no typed value can make fail, each text trimmed: the reader a remedy names
// before the input, both codecs, the advanced and the additional options. VParams and
// AParams are left empty: GetVideoParams and GetAudioParams build them.
TCmdLinePieces FixedCmdLinePieces(const TRowPlan& plan);
