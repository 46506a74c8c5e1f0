#include "cli/Headless.h"

#include "update/HttpTextFetch.h"
#include "update/UpdateCheck.h"

#include <QEventLoop>

namespace Headless {

// The text the window's message box ends with; 0 when the check reached a verdict.
int RunCheckUpdate(const CliOptions&)
{
    THttpTextFetch fetch;
    QEventLoop loop;
    QByteArray reply;
    QObject::connect(&fetch, &THttpTextFetch::Finished, &loop, [&](const QByteArray& text) {
        reply = text;
        loop.quit();
    });
    fetch.Start(QUrl(UpdateCheck::VersionFileUrl()));
    loop.exec();
    const TUpdateVerdict v = UpdateCheck::Evaluate(reply);
    QString text = v.Message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Out(text + QLatin1Char('\n'));
    return v.Reached() ? 0 : 1;
}

} // namespace Headless
