#include "update/UpdateCheck.h"

#include "base/AppInfo.h"
#include "lib/MemIniFile.h"
#include "update/UpdateVersion.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

const QString Crlf = QStringLiteral("\r\n");

// The maker's web server; the product pages live below it.
QString MakerHost() { return QStringLiteral("https://www.vexasoft.net"); }

} // namespace

TUpdateStatus TUpdateVerdict::Status() const
{
    switch (Outcome) {
    case TUpdateOutcome::ConnectFailed:
    case TUpdateOutcome::NoVersionInfo: return TUpdateStatus::Failed;
    case TUpdateOutcome::NoUpdates: return TUpdateStatus::NoUpdates;
    case TUpdateOutcome::UpdateAvailable: return TUpdateStatus::UpdateAvailable;
    case TUpdateOutcome::ServerOlder: break;
    }
    return TUpdateStatus::None;
}

namespace UpdateCheck {

QString UserAgent() { return QStringLiteral("Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1)"); }

QString DefaultVersionFileUrl() { return MakerHost() + QStringLiteral("/products/vexa-converter/ver.ini"); }

QString VersionFileUrl()
{
    const QString env = qEnvironmentVariable("VEXACONV_UPDATE_URL");
    return env.isEmpty() ? DefaultVersionFileUrl() : env;
}

QString DownloadPageUrl() { return MakerHost() + QStringLiteral("/products/vexa-converter/"); }

// Each line of a message is a text of its own; the lines are joined with CR LF.
QString WaitText()
{
    return QCoreApplication::translate("UpdateCheck", "Checking available updates.") + Crlf
           + QCoreApplication::translate("UpdateCheck", "Please wait...");
}

QString ConnectFailedText()
{
    return QCoreApplication::translate("UpdateCheck", "Can not connect to the server.") + Crlf
           + QCoreApplication::translate("UpdateCheck", "Please try again in a few minutes.");
}

QString NoVersionInfoText()
{
    return QCoreApplication::translate("UpdateCheck", "Unable to retrieve version information.") + Crlf
           + QCoreApplication::translate("UpdateCheck", "Please try again in a few minutes.");
}

QString DecodeReply(const QByteArray& reply)
{
    const QByteArray head = reply.left(MaxReplyBytes);
    const qsizetype zero = head.indexOf('\0');
    return QString::fromLatin1(zero >= 0 ? head.left(zero) : head);
}

TUpdateVerdict Evaluate(const QByteArray& reply)
{
    TUpdateVerdict v;
    v.DownloadedText = DecodeReply(reply);
    if (reply.isEmpty()) {
        v.Outcome = TUpdateOutcome::ConnectFailed;
        v.Message = ConnectFailedText();
        return v;
    }
    MemIniFile ini;
    ini.SetLines(v.DownloadedText.split(QRegularExpression(QStringLiteral("\r\n|\n|\r"))));
    const QString section = QStringLiteral("VersionInfo");
    const QString latest = ini.ReadString(section, QStringLiteral("LastVersion"));
    const auto server = UpdateVersion::Parse(latest);
    if (!ini.SectionExists(section) || latest.isEmpty() || !server) {
        v.Outcome = TUpdateOutcome::NoVersionInfo;
        v.Message = NoVersionInfoText();
        return v;
    }
    v.LatestVersion = latest;
    v.ReleaseDate = ini.ReadString(section, QStringLiteral("ReleaseDate"));
    const qint64 own = UpdateVersion::Own().Combined;
    if (server->Combined == own) {
        v.Outcome = TUpdateOutcome::NoUpdates;
        v.Message = QCoreApplication::translate("UpdateCheck", "No updates available.") + Crlf
                    + QCoreApplication::translate("UpdateCheck", "You have the latest version.");
    } else if (server->Combined > own) {
        v.Outcome = TUpdateOutcome::UpdateAvailable;
        // the version and its date as "Name=value" lines, alike in every language
        v.Message = QCoreApplication::translate("UpdateCheck", "A new version is available.") + Crlf + Crlf
                    + QStringLiteral("LatestVersion=") + latest + Crlf + QStringLiteral("ReleaseDate=") + v.ReleaseDate;
    } else {
        v.Outcome = TUpdateOutcome::ServerOlder;
        v.Message = QCoreApplication::translate("UpdateCheck", "No updates available.") + Crlf
                    + QCoreApplication::translate("UpdateCheck", "Your version (%1) is newer than the latest release (%2).")
                          .arg(QLatin1String(AppInfo::ProgramVersion), latest);
    }
    return v;
}

} // namespace UpdateCheck
