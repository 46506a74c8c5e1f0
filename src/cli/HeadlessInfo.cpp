#include "cli/Headless.h"

#include "base/AppParams.h"
#include "media/FileInfoReport.h"
#include "media/MediaInfoLib.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Headless {

// `--info FILE`: the file information report, exactly the bytes "Copy" puts on the
// clipboard (CR LF line ends).
int RunInfo(const CliOptions& o)
{
    const QString input = o.inputs.value(0);
    const QFileInfo fi(input);
    if (!fi.exists() || fi.isDir()) {
        Err(QStringLiteral("vexaconv: no such file: %1\n").arg(input));
        return 1;
    }
    const TAppParams& params = AppParams(); // filled (and the settings file's tools applied) at start
    if (params.MediaInfoDll.isEmpty() || !QFileInfo::exists(params.MediaInfoDll)) {
        Err(QStringLiteral("vexaconv: the MediaInfo library was not found\n"));
        return 2;
    }
    // A report without the library would look like a file without streams.
    if (!LoadMediaInfoLibrary(params.MediaInfoDll)) {
        Err(QStringLiteral("vexaconv: the MediaInfo library cannot be loaded: %1\n").arg(params.MediaInfoDll));
        return 2;
    }
    QString report, error;
    if (!FileInfoReportText(fi.absoluteFilePath(), report, error)) {
        Err(QStringLiteral("vexaconv: %1\n").arg(error));
        return 1;
    }
    Out(report);
    return 0;
}

} // namespace Headless
