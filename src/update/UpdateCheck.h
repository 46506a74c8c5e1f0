#pragma once

#include <QByteArray>
#include <QString>

// What the version file on the server says, compared with the running program.
enum class TUpdateOutcome {
    ConnectFailed,   // no reply, an HTTP error, no answer in time
    NoVersionInfo,   // a reply without a usable "LastVersion"
    NoUpdates,       // the same version
    UpdateAvailable, // the server names a newer one
    ServerOlder,     // the server names an older one (a pre-release is running)
};

// The four colour sets of the message box.
enum class TUpdateStatus { None, Failed, NoUpdates, UpdateAvailable };

struct TUpdateVerdict {
    TUpdateOutcome Outcome = TUpdateOutcome::ConnectFailed;
    QString DownloadedText; // the reply as read (8-bit, up to the first zero byte)
    QString LatestVersion;  // "LastVersion" as written in the file
    QString ReleaseDate;
    QString Message;        // the message box's final text, CR LF line breaks

    TUpdateStatus Status() const;
    // The check came to a verdict (the headless mode exits 0).
    bool Reached() const { return Outcome != TUpdateOutcome::ConnectFailed && Outcome != TUpdateOutcome::NoVersionInfo; }
};

namespace UpdateCheck {

// Only this much of the reply is read; a longer one is cut.
inline constexpr int MaxReplyBytes = 1024;
// No complete answer within this time counts as no connection.
inline constexpr int TimeoutMs = 20000;

QString UserAgent();

// The version file on the maker's server, unless $VEXACONV_UPDATE_URL names another
// address (a distribution's own server, a test's).
QString DefaultVersionFileUrl();
QString VersionFileUrl();
// Where "Download..." leads: the product home page.
QString DownloadPageUrl();

QString WaitText();          // "Checking available updates.\r\nPlease wait..."
QString ConnectFailedText(); // "Can not connect to the server.\r\n..."
QString NoVersionInfoText(); // "Unable to retrieve version information.\r\n..."

// The reply as 8-bit text, cut at the first zero byte.
QString DecodeReply(const QByteArray& reply);

// The verdict on a reply; an empty reply is a failed connection.
TUpdateVerdict Evaluate(const QByteArray& reply);

} // namespace UpdateCheck
