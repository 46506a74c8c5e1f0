#pragma once

#include "encoding/EncodingSettings.h"
#include "encoding/RowPlan.h"
#include "lib/Result.h"
#include "lib/ResultOf.h"
#include "media/VideoFileInfo.h"
#include "runner/IProgressSink.h"
#include "runner/RunState.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class TPassRunner;

// A short piece of a file converted with the batch's settings, to look at before a long
// batch: where in the file it begins, the file it was written to, how long it is, and how
// long the whole file would take at the speed the piece was made.
struct TPreview {
    QString Output;
    double FromSeconds = 0;
    bool FromKnown = false;  // the encoder began there; else where it was asked to
    double Seconds = 0;      // the piece's length, read from the piece once it is made
    qint64 EncodeMs = 0;
    qint64 WholeFileMs = -1; // -1: the file's length is unknown
};

// "10 s from 00:01:18, made in 4.2 s; the whole file would take about 00:02:40." ("from
// about" where the beginning is not known)
QString PreviewSummary(const TPreview& preview);

// Ten seconds from the middle of a file of durationMs (the whole file when it is shorter;
// from the start when its length is unknown).
inline constexpr double PreviewSeconds = 10;
struct TPreviewSpan {
    double FromSeconds = 0;
    double Seconds = PreviewSeconds;
};
TPreviewSpan PreviewSpan(double durationMs);
// A run's arguments limited to the span: the encoder seeks, then stops after its length.
// The encoder begins at a key picture: where it seeks from the middle depends on its
// reader, so the maker asks for the one at or before the middle and seeks to it exactly.
QStringList PreviewArgs(const QStringList& runArgs, const TPreviewSpan& span, TEngine engine = TEngine::MEncoder);

// Makes one preview at a time in the temp folder: each run of the job (two passes when
// the settings say so) limited to the span, then the piece measured. Start returns at
// once; finished follows from the event loop with the preview or why there is none. Each
// step that reads a file does so in the analysis workers. The file is the caller's to keep
// or remove; a failed or cancelled preview leaves nothing.
class TPreviewMaker : public QObject, private IProgressSink {
    Q_OBJECT
public:
    TPreviewMaker(QString encoder, QString mediaInfoLibrary, QString home, QObject* parent = nullptr);
    ~TPreviewMaker() override;

    // The encoder and the MediaInfo library, as they are now (the options may change them),
    // and the program home the encoder starts in.
    void SetTools(QString encoder, QString mediaInfoLibrary, QString home);
    // The second engine's program, for the rows the plan gives it (empty: none installed).
    void SetFfmpeg(QString ffmpeg);
    // info: the file's analysis (the caller's, or asked of the analysis workers when its
    // name is empty).
    void Start(const EncodingSettings& settings, const QString& input, TVideoFileInfo info = {});
    void Cancel();
    bool Running() const { return m_busy; }

Q_SIGNALS:
    void finished(const TResultOf<TPreview>& preview);

private:
    void OnProgress(const TProgressUpdate&) override {}
    void OnEncoderLine(const QString& line, bool appended) override;
    void Begin(const EncodingSettings& settings, const QString& input, const TVideoFileInfo& info);
    void Encode(const EncodingSettings& settings, const QString& input, const TVideoFileInfo& info,
                const TPreviewSpan& span);
    void StartRun(int index);
    void OnRunFinished(int exitCode);
    void OnMeasured(const TVideoFileInfo& piece);
    // A step that waited: false, and the preview ends as cancelled, when Cancel came meanwhile.
    bool GoesOn();
    void Finish(const TResultOf<TPreview>& result);

    QString m_encoder;
    QString m_mediaInfo;
    QString m_home;
    QString m_ffmpeg;
    TRunState m_state;
    std::unique_ptr<TPassRunner> m_runner;
    QString m_passLog;
    bool m_busy = false; // from Start to finished
    bool m_cancelled = false;
    TPreview m_preview;
    double m_durationMs = 0;
    double m_writtenSeconds = -1; // the encoder's own count of what it wrote (its status line)
    QElapsedTimer m_clock;
};
