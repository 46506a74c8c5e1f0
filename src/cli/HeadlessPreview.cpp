#include "cli/Headless.h"

#include "base/AppParams.h"
#include "batch/PreviewMaker.h"
#include "lib/Files.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QDir>
#include <QFileInfo>

namespace Headless {

// `--preview [SETTINGS] FILE`: ten seconds of FILE converted into the temp folder; its
// path on stdout (for a player or a script), how long the whole file would take on stderr.
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

    const TAppParams& params = AppParams();
    TPreviewMaker maker(params.mencoder, params.MediaInfoDll);
    QEventLoop loop;
    TResultOf<TPreview> result = TResult::Failure(QString());
    QObject::connect(&maker, &TPreviewMaker::finished, &loop, [&](const TResultOf<TPreview>& r) {
        result = r;
        loop.quit();
    });
    maker.Start(settings.Settings, QDir::current().absoluteFilePath(input));
    loop.exec();
    if (!result) {
        Err(QStringLiteral("vexaconv: %1\n").arg(result.error()));
        return 1;
    }
    const TPreview& p = result.value();
    Out(p.Output);
    if (p.WholeFileMs >= 0)
        Err(PreviewSummary(p) + QLatin1Char('\n'));
    return 0;
}

} // namespace Headless
