// Time the batch planner spends deciding the outputs of a large batch in script mode,
// without the analysis (the MediaInfo library is left out, so each file's analysis fails
// at once): 1 000, 2 000 and 5 000 files in one folder, once with every output name free
// and once with every output name already taken by a file. The time per row must stay
// flat as the batch grows.
#include "encoding/SettingRows.h"
#include "base/AppParams.h"
#include "batch/BatchPlanner.h"
#include "batch/BatchSink.h"
#include "runner/RunState.h"
#include "runner/ErrorLog.h"
#include "encoding/EncodingSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

class TRows : public IBatchRows {
public:
    QStringList Files;
    int RowCount() const override { return int(Files.size()); }
    bool IsRowChecked(int) const override { return true; }
    QString RowFullFileName(int row) const override { return Files.at(row); }
    void SetRowStatus(int, const TRowStatus&, std::optional<TColor>) override {}
};

class TQuietSink : public IBatchSink {
public:
    void OnWarning(const QString&) override {}
    void OnProgress(const TProgressUpdate&) override {}
};

void Touch(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
}

double PlanMs(const QString& dir, int count, bool outputsTaken)
{
    const QString in = dir + QStringLiteral("/in%1%2").arg(count).arg(outputsTaken ? "t" : "f");
    QDir().mkpath(in);
    TRows rows;
    for (int i = 0; i < count; ++i) {
        const QString name = in + QStringLiteral("/clip_%1").arg(i, 5, 10, QLatin1Char('0'));
        Touch(name + QStringLiteral(".mkv"));
        if (outputsTaken)
            Touch(name + QStringLiteral(".avi"));
        rows.Files << name + QStringLiteral(".mkv");
    }
    TAppParams params;
    FillDefaultAppParams(params, dir, false);
    params.mencoder = dir + QStringLiteral("/mencoder");
    Touch(params.mencoder);
    params.MediaInfoDll = dir + QStringLiteral("/no-library.so");
    EncodingSettings settings;
    SetDefaultParams(settings, 0);
    TBatchOptions options;
    options.ScriptFile = in + QStringLiteral("/out.sh");
    options.SkipWaits = true;
    options.OutputExists = TOutputPolicy::Overwrite; // overwrite: every taken name is also checked against the inputs
    TErrorLog log;
    TQuietSink sink;
    TBatchPlanner planner(params, log);
    QElapsedTimer t;
    t.start();
    const TBatchResult r = planner.Convert(rows, settings, options, sink);
    const double ms = double(t.nsecsElapsed()) / 1.0e6;
    if (!r.ScriptWritten)
        QTextStream(stderr) << "the script was not written\n";
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    QTextStream out(stdout);
    for (const bool taken : {false, true}) {
        for (const int count : {1000, 2000, 5000}) {
            const double ms = PlanMs(tmp.path(), count, taken);
            out << QStringLiteral("%1 rows, output names %2: %3 ms (%4 us per row)")
                       .arg(count, 5)
                       .arg(taken ? QStringLiteral("taken") : QStringLiteral("free "))
                       .arg(QString::number(ms, 'f', 1), 8)
                       .arg(QString::number(ms * 1000.0 / count, 'f', 1))
                << '\n';
            out.flush();
        }
    }
    return 0;
}
