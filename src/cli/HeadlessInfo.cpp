#include "cli/Headless.h"

#include "base/AppParams.h"
#include "media/FileInfoReport.h"
#include "media/MediaInfoLib.h"
#include "lib/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Headless {

// `--info FILE`: the file information report, exactly the bytes "Copy" puts on the
// clipboard (CR LF line ends).
int RunInfo(const CliOptions& o)
{
    const QString input = o.inputs.value(0);
    switch (PathKind(input)) {
    case TPathKind::Regular: break;
    case TPathKind::Special:
        // Reading a FIFO blocks, a device never ends: never opened.
        Err(QStringLiteral("vexaconv: %1\n")
                .arg(QCoreApplication::translate("Headless", "not a regular file (a pipe, socket or device): %1")
                         .arg(input)));
        return 1;
    case TPathKind::Missing:
    case TPathKind::Directory:
        Err(QStringLiteral("vexaconv: %1\n")
                .arg(QCoreApplication::translate("Headless", "no such file: %1").arg(input)));
        return 1;
    }
    const TAppParams& params = AppParams(); // filled (and the settings file's tools applied) at start
    if (params.MediaInfoDll.isEmpty() || !QFileInfo::exists(params.MediaInfoDll)) {
        Err(QStringLiteral("vexaconv: %1\n")
                .arg(QCoreApplication::translate("Headless", "the MediaInfo library was not found")));
        return 2;
    }
    // A report without the library would look like a file without streams.
    if (!LoadMediaInfoLibrary(params.MediaInfoDll)) {
        Err(QStringLiteral("vexaconv: %1\n")
                .arg(QCoreApplication::translate("Headless", "the MediaInfo library cannot be loaded: %1")
                         .arg(params.MediaInfoDll)));
        return 2;
    }
    // QDir, not QFileInfo: a name's bytes that are not UTF-8 are kept
    const TResultOf<QString> report = FileInfoReportText(QDir::current().absoluteFilePath(input), params.MediaInfoDll);
    if (!report.ok()) {
        Err(QStringLiteral("vexaconv: %1\n").arg(report.error()));
        return 1;
    }
    Out(report.value());
    return 0;
}

} // namespace Headless
