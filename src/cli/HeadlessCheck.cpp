#include "cli/Headless.h"

#include "base/AppParams.h"
#include "frontend/ListModelRows.h"
#include "batch/Preflight.h"
#include "filelist/FileListInput.h"
#include "filelist/FileListModel.h"

#include <QCoreApplication>

namespace Headless {

// `--check [SETTINGS] [OUTPUT] INPUT...`: the check the window makes before a batch,
// one line per problem on stdout, one "note: " line per adjustment, then the forecast.
// Exit 0 without problems (notes alone included), else 1.
int RunCheck(const CliOptions& o)
{
    const TAppParams& params = AppParams();
    THeadlessSettings settings;
    if (!ResolveSettings(o, settings))
        return 2;
    WarnIfNoMediaInfo(TUnanalysed::Files);

    TFileListModel model(params);
    // An input that cannot be added (missing, no media file, ...) is a problem of the batch.
    const TInputResult added = AddInputPaths(model, o.inputs);
    if (model.CheckedCount() == 0 && added.Errors.isEmpty()) {
        Err(QStringLiteral("vexaconv: %1\n")
                .arg(QCoreApplication::translate("Headless", "no input file was accepted")));
        return 2;
    }

    TListModelRows rows(model);
    const TPreflightReport report = CheckBatch(rows, settings.Settings, BatchOptionsFor(o), params);
    QString text;
    for (const QString& problem : added.Errors + report.Problems)
        text += problem + QLatin1Char('\n');
    // Notes are what the batch does on its own: printed, but no reason for a failing status.
    for (const QString& note : report.Notes)
        //: A line of --check: something the batch adjusts on its own
        text += QCoreApplication::translate("Headless", "note: %1").arg(note) + QLatin1Char('\n');
    Out(text + report.ForecastText() + QLatin1Char('\n'));
    return report.HasProblems() || !added.Errors.isEmpty() ? 1 : 0;
}

} // namespace Headless
