#include "cli/Headless.h"
#include "cli/SignalGuard.h"

#include "base/AppParams.h"
#include "batch/PreviewMaker.h"
#include "lib/Files.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QDir>
#include <QFileInfo>

namespace Headless {

// `--preview [SETTINGS] FILE`: ten seconds of FILE converted into the temp folder; its
// path on stdout (for a player or a script); on stderr what was made, from where, and how
// long the whole file would take.
int RunPreview(const CliOptions& o)
{
    const QString input = o.inputs.value(0);
    if (!IsRegularFile(input)) {
        Err(UsageErrorText(QCoreApplication::translate("Headless", "no such file: %1").arg(input)));
        return 2;
    }
    THeadlessSettings settings;
    if (!ResolveSettings(o, settings))
        return 2;
    WarnIfNoMediaInfo(TUnanalysed::TheFile);

    // Ctrl+C cancels: the encoder and the workers go, and so does the unfinished piece.
    TSignalGuard signals;
    if (TSignalGuard::Signalled())
        return ExitInterrupted;
    const TAppParams& params = AppParams();
    TPreviewMaker maker(params.mencoder, params.MediaInfoDll, params.AppDir);
    maker.SetFfmpeg(FindFfmpeg(params));
    signals.SetAborter([&maker] { maker.Cancel(); });
    QEventLoop loop;
    TResultOf<TPreview> result = TResult::Failure(QString());
    QObject::connect(&maker, &TPreviewMaker::finished, &loop, [&](const TResultOf<TPreview>& r) {
        result = r;
        loop.quit();
    });
    maker.Start(settings.Settings, QDir::current().absoluteFilePath(input));
    loop.exec();
    if (TSignalGuard::Signalled()) {
        if (result)
            QFile::remove(result.value().Output);
        return ExitInterrupted;
    }
    if (!result) {
        Err(QStringLiteral("vexaconv: %1\n").arg(result.error()));
        return 1;
    }
    const TPreview& p = result.value();
    Out(p.Output);
    Err(PreviewSummary(p) + QLatin1Char('\n'));
    return 0;
}

} // namespace Headless
