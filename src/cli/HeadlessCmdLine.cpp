#include "cli/Headless.h"

#include "base/AppParams.h"
#include "encoding/CmdLinePreview.h"
#include "media/FfmpegEncoders.h"
#include "media/MediaAnalysis.h"
#include "media/MediaInfoLib.h"
#include "lib/Files.h"
#include "settings/HeadlessSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace Headless {

namespace {

// A builder's message as the window's message box shows it, one line per line.
QString StderrText(const QString& message)
{
    QString text = message;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text + QLatin1Char('\n');
}

} // namespace

// `--cmdline [SETTINGS] FILE`: the command-line preview for FILE, exactly as the
// preview window shows it when FILE is the selected row.
int RunCmdLine(const CliOptions& o)
{
    const QString input = o.inputs.value(0);
    if (!IsRegularFile(input)) {
        Err(UsageErrorText(QCoreApplication::translate("Headless", "no such file: %1").arg(input)));
        return 2;
    }

    const TAppParams& params = AppParams();
    THeadlessSettings settings;
    if (!ResolveSettings(o, settings))
        return 2;
    // Without the library the preview still shows, with the "Auto" values' fallbacks.
    WarnIfNoMediaInfo(TUnanalysed::TheFile);

    const QString fileName = QDir::current().absoluteFilePath(input); // a name's own bytes kept
    TVideoFileInfo info;
    GetVideoFileInfo(fileName, params.MediaInfoDll, info);

    QStringList warnings;
    const TCmdLinePreview preview =
        GetCmdLinePreview(settings.Settings, info, 0, fileName, params.PassLogFile1,
                          [&warnings](const QString& message) { warnings << message; },
                          FfmpegEncoders(FindFfmpeg(params)));
    for (const QString& warning : warnings)
        Err(StderrText(warning));
    Out(preview.Text);
    return preview.Failed ? 2 : 0;
}

} // namespace Headless
