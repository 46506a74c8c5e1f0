// The update check: version numbers, the verdict on a version file, and the one HTTP
// request against a scripted server on 127.0.0.1 (pieces, pauses, errors, silence).
#include "support/ScriptedHttpServer.h"
#include "support/TestSupport.h"
#include "update/HttpTextFetch.h"
#include "update/UpdateCheck.h"
#include "update/UpdateVersion.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct FetchResult {
    bool finished = false;
    QByteArray text;
};

// Runs one fetch to its end (or until a generous guard time runs out).
FetchResult Fetch(const QString& url, int timeoutMs = UpdateCheck::TimeoutMs)
{
    THttpTextFetch fetch;
    fetch.SetTimeoutMs(timeoutMs);
    FetchResult r;
    QEventLoop loop;
    QObject::connect(&fetch, &THttpTextFetch::Finished, &loop, [&](const QByteArray& text) {
        r.finished = true;
        r.text = text;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs + 10000, &loop, &QEventLoop::quit);
    fetch.Start(QUrl(url));
    loop.exec();
    return r;
}

QByteArray VersionFile(const QByteArray& lastVersion)
{
    return "[VersionInfo]\r\nLastVersion=" + lastVersion + "\r\nReleaseDate=2020.03.01\r\n";
}

TUpdateVerdict CheckAgainst(ScriptedHttpServer& server)
{
    return UpdateCheck::Evaluate(Fetch(server.Url()).text);
}

} // namespace

TEST(UpdateVersion, ParsingAndTheCombinedValue)
{
    const struct {
        const char* text;
        qint64 combined; // -1: not a version
    } cases[] = {
        {"1.0", 10000},   {"1,1", 10001},    {"2 . 0", 20000}, {"1.5", 10005},  {"0.9", 9},
        {"1.1000", 101000}, {"1.999", 10999}, {"10.20", 100020}, {" 3,4 ", 30004}, {"1,2,3", -1},
        {"1.0.1", -1},    {"1", -1},         {"", -1},         {"a.b", -1},     {"1.", -1},
        {".5", -1},       {"1.-5", -1},      {"99999999999999999999.0", -1},
        {"922337203685477580.0", -1}, // major x 10 still fits, the digits after it do not
    };
    for (const auto& c : cases) {
        const auto v = UpdateVersion::Parse(QString::fromUtf8(c.text));
        if (c.combined < 0) {
            EXPECT_FALSE(v.has_value()) << c.text;
        } else {
            ASSERT_TRUE(v.has_value()) << c.text;
            EXPECT_EQ(v->Combined, c.combined) << c.text;
        }
    }
    EXPECT_EQ(UpdateVersion::Own().Combined, 10000);
    // The combined rule, not the usual order: 1.1000 ranks above 2.0.
    EXPECT_GT(UpdateVersion::Parse(QStringLiteral("1.1000"))->Combined, UpdateVersion::Parse(QStringLiteral("2.0"))->Combined);
}

TEST(UpdateVerdict, EachOutcomeWithItsMessageAndLatestVersion)
{
    const struct {
        const char* last;
        TUpdateOutcome outcome;
        const char* latest;
    } cases[] = {
        {"1.0", TUpdateOutcome::NoUpdates, "1.0"},
        {"1,1", TUpdateOutcome::UpdateAvailable, "1,1"},
        {"1.0.1", TUpdateOutcome::NoVersionInfo, ""},
        {"1.5", TUpdateOutcome::UpdateAvailable, "1.5"},
        {"0.9", TUpdateOutcome::ServerOlder, "0.9"},
        {"2 . 0", TUpdateOutcome::UpdateAvailable, "2 . 0"},
        {"1.1000", TUpdateOutcome::UpdateAvailable, "1.1000"},
        {"", TUpdateOutcome::NoVersionInfo, ""},
    };
    for (const auto& c : cases) {
        const TUpdateVerdict v = UpdateCheck::Evaluate(VersionFile(c.last));
        EXPECT_EQ(v.Outcome, c.outcome) << c.last;
        EXPECT_EQ(v.LatestVersion, QString::fromUtf8(c.latest)) << c.last;
    }
    EXPECT_EQ(UpdateCheck::Evaluate(VersionFile("1.0")).Message,
              QStringLiteral("No updates available.\r\nYou have the latest version."));
    EXPECT_EQ(UpdateCheck::Evaluate(VersionFile("1.5")).Message,
              QStringLiteral("A new version is available.\r\n\r\nLatestVersion=1.5\r\nReleaseDate=2020.03.01"));
    EXPECT_EQ(UpdateCheck::Evaluate("[VersionInfo]\nLastVersion=1.5\n").Message,
              QStringLiteral("A new version is available.\r\n\r\nLatestVersion=1.5\r\nReleaseDate="));
    // The server-older case ends with a verdict of its own, not with "Please wait...".
    const TUpdateVerdict older = UpdateCheck::Evaluate(VersionFile("0.9"));
    EXPECT_TRUE(older.Reached());
    EXPECT_FALSE(older.Message.contains(QLatin1String("Please wait")));
    EXPECT_TRUE(older.Message.startsWith(QLatin1String("No updates available.")));
    EXPECT_EQ(older.Status(), TUpdateStatus::None);
    EXPECT_EQ(UpdateCheck::Evaluate(VersionFile("1.0.1")).Message,
              QStringLiteral("Unable to retrieve version information.\r\nPlease try again in a few minutes."));
    EXPECT_EQ(UpdateCheck::Evaluate(QByteArray()).Message,
              QStringLiteral("Can not connect to the server.\r\nPlease try again in a few minutes."));
    // Other sections and a wrong section name do not count.
    EXPECT_EQ(UpdateCheck::Evaluate("[Other]\nLastVersion=2.0\n").Outcome, TUpdateOutcome::NoVersionInfo);
    EXPECT_EQ(UpdateCheck::Evaluate("[Other]\nLastVersion=2.0\n[VersionInfo]\nLastVersion=1.0\n").Outcome,
              TUpdateOutcome::NoUpdates);
    // Read as 8-bit text up to the first zero byte.
    EXPECT_EQ(UpdateCheck::Evaluate(QByteArray("[VersionInfo]\nLastVersion=1.0\n\0[VersionInfo]\nLastVersion=3.0\n", 60)).Outcome,
              TUpdateOutcome::NoUpdates);
    EXPECT_EQ(UpdateCheck::Evaluate(QByteArray("\0[VersionInfo]\nLastVersion=3.0\n", 32)).Outcome,
              TUpdateOutcome::NoVersionInfo);
    // Only the first 1024 bytes are looked at.
    const QByteArray padding = "; " + QByteArray(1030, 'x') + "\r\n";
    EXPECT_EQ(UpdateCheck::Evaluate(padding + VersionFile("2.0")).Outcome, TUpdateOutcome::NoVersionInfo);
}

TEST(UpdateVerdict, TheAddressAndItsReplacement)
{
    qunsetenv("VEXACONV_UPDATE_URL");
    EXPECT_TRUE(UpdateCheck::VersionFileUrl().endsWith(QLatin1String("/products/vexa-converter/ver.ini")));
    EXPECT_TRUE(UpdateCheck::DownloadPageUrl().endsWith(QLatin1String("/products/vexa-converter/")));
    qputenv("VEXACONV_UPDATE_URL", "http://127.0.0.1:1/elsewhere.txt");
    EXPECT_EQ(UpdateCheck::VersionFileUrl(), QStringLiteral("http://127.0.0.1:1/elsewhere.txt"));
    qunsetenv("VEXACONV_UPDATE_URL");
}

TEST(UpdateFetch, EveryVersionCaseThroughTheServer)
{
    const struct {
        const char* last;
        TUpdateOutcome outcome;
    } cases[] = {
        {"1.0", TUpdateOutcome::NoUpdates},         {"1,1", TUpdateOutcome::UpdateAvailable},
        {"1.0.1", TUpdateOutcome::NoVersionInfo},   {"1.5", TUpdateOutcome::UpdateAvailable},
        {"0.9", TUpdateOutcome::ServerOlder},       {"2 . 0", TUpdateOutcome::UpdateAvailable},
        {"1.1000", TUpdateOutcome::UpdateAvailable},
    };
    for (const auto& c : cases) {
        ScriptedHttpServer server;
        server.ReplyWith(VersionFile(c.last));
        EXPECT_EQ(CheckAgainst(server).Outcome, c.outcome) << c.last;
    }
}

TEST(UpdateFetch, TheRequestAsTheServerReceivedIt)
{
    ScriptedHttpServer server;
    server.ReplyWith(VersionFile("1.0"));
    ASSERT_EQ(CheckAgainst(server).Outcome, TUpdateOutcome::NoUpdates);
    ASSERT_EQ(server.Requests().size(), 1);
    EXPECT_TRUE(server.Requests().first().startsWith("GET /products/vexa-converter/ver.ini HTTP/1.1\r\n"))
        << server.Requests().first().constData();
    EXPECT_EQ(server.Header("User-Agent"), QByteArray("Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1)"));
    EXPECT_EQ(server.Header("Accept"), QByteArray("*/*"));
    EXPECT_EQ(server.Header("Cache-Control"), QByteArray("no-cache"));
    EXPECT_EQ(server.Header("Host"), QStringLiteral("127.0.0.1:%1").arg(server.Port()).toLatin1());
    // A second check asks the server again: nothing comes from a cache.
    server.ReplyWith(VersionFile("1.5"));
    EXPECT_EQ(CheckAgainst(server).Outcome, TUpdateOutcome::UpdateAvailable);
    EXPECT_EQ(server.Requests().size(), 2);
}

TEST(UpdateFetch, ReplyInPiecesWithPausesIsReadWhole)
{
    ScriptedHttpServer server;
    const QByteArray body = VersionFile("1.5");
    const QByteArray all = ScriptedHttpServer::Response(body);
    // Headers and half the section name first, the rest after a pause.
    const qsizetype cut = all.indexOf("[Version") + 8;
    server.SetScript({{0, all.left(cut)}, {400, all.mid(cut, 10)}, {300, all.mid(cut + 10)}});
    const FetchResult r = Fetch(server.Url());
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.text, body);
    EXPECT_EQ(UpdateCheck::Evaluate(r.text).Outcome, TUpdateOutcome::UpdateAvailable);
}

TEST(UpdateFetch, ReadStopsAt1024BytesEvenWhenTheServerGoesOn)
{
    // No length, no end: the server sends 1100 bytes and keeps the connection open.
    ScriptedHttpServer server;
    QByteArray body = VersionFile("1.5");
    body += "; " + QByteArray(1100 - body.size() - 3, 'x') + '\n';
    server.SetScript({{0, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body.left(600)}, {200, body.mid(600)}},
                     false);
    const FetchResult r = Fetch(server.Url(), 5000);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.text, body.left(1024));
    EXPECT_EQ(UpdateCheck::Evaluate(r.text).Outcome, TUpdateOutcome::UpdateAvailable);

    // The section after the first 1024 bytes is never seen.
    ScriptedHttpServer late;
    late.ReplyWith("; " + QByteArray(1030, 'x') + "\r\n" + VersionFile("2.0"));
    EXPECT_EQ(CheckAgainst(late).Outcome, TUpdateOutcome::NoVersionInfo);
}

TEST(UpdateFetch, FailuresGiveCanNotConnect)
{
    {
        // An error status with a valid-looking body still counts as no answer.
        ScriptedHttpServer server;
        server.ReplyWith(VersionFile("2.0"), 404);
        const FetchResult r = Fetch(server.Url());
        ASSERT_TRUE(r.finished);
        EXPECT_TRUE(r.text.isEmpty());
        EXPECT_EQ(UpdateCheck::Evaluate(r.text).Outcome, TUpdateOutcome::ConnectFailed);
    }
    {
        ScriptedHttpServer server;
        server.ReplyWith(VersionFile("2.0"), 500);
        EXPECT_EQ(CheckAgainst(server).Outcome, TUpdateOutcome::ConnectFailed);
    }
    {
        // Accepts and never answers: given up after the time-out, not before.
        ScriptedHttpServer server;
        server.NeverAnswer();
        QElapsedTimer clock;
        clock.start();
        const FetchResult r = Fetch(server.Url(), 800);
        ASSERT_TRUE(r.finished);
        EXPECT_TRUE(r.text.isEmpty());
        EXPECT_GE(clock.elapsed(), 700);
        EXPECT_EQ(server.Requests().size(), 1);
    }
    {
        // Headers, then silence: a reply cut short by the time-out is no reply.
        ScriptedHttpServer server;
        server.SetScript({{0, "HTTP/1.1 200 OK\r\nContent-Length: 500\r\n\r\n[VersionInfo]\r\nLastVersion=2.0\r\n"}}, false);
        const FetchResult r = Fetch(server.Url(), 800);
        ASSERT_TRUE(r.finished);
        EXPECT_TRUE(r.text.isEmpty());
    }
    {
        // An empty body is no answer either.
        ScriptedHttpServer server;
        server.ReplyWith(QByteArray());
        EXPECT_EQ(CheckAgainst(server).Outcome, TUpdateOutcome::ConnectFailed);
    }
    {
        const FetchResult r = Fetch(QStringLiteral("http://127.0.0.1:%1/ver.ini").arg(ClosedPort()));
        ASSERT_TRUE(r.finished);
        EXPECT_TRUE(r.text.isEmpty());
    }
    EXPECT_EQ(UpdateCheck::TimeoutMs, 20000);
}

TEST(UpdateFetch, ANewStartDropsTheRunningRequest)
{
    ScriptedHttpServer slow;
    slow.NeverAnswer();
    ScriptedHttpServer fast;
    fast.ReplyWith(VersionFile("1.0"));
    THttpTextFetch fetch;
    QList<QByteArray> results;
    QEventLoop loop;
    QObject::connect(&fetch, &THttpTextFetch::Finished, &loop, [&](const QByteArray& t) {
        results << t;
        loop.quit();
    });
    fetch.Start(QUrl(slow.Url()));
    fetch.Start(QUrl(fast.Url()));
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results.first(), VersionFile("1.0"));
    EXPECT_FALSE(fetch.Running());
}

namespace {

// vexaconv --check-update against the server, the test's event loop serving meanwhile.
TestSupport::RunResult RunCheckUpdate(const QString& url)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VEXACONV_UPDATE_URL"), url);
    env.insert(QStringLiteral("VEXACONV_HOME"), TestSupport::ScratchDir() + QStringLiteral("/update-home"));
    p.setProcessEnvironment(env);
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    p.start(TestSupport::VexaconvPath(), {QStringLiteral("--check-update")});
    loop.exec();
    TestSupport::RunResult r;
    r.timedOut = p.state() != QProcess::NotRunning;
    if (r.timedOut) {
        p.kill();
        p.waitForFinished();
    }
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace

TEST(UpdateHeadless, PrintsTheFinalMessageAndExitsByVerdict)
{
    const struct {
        QByteArray body;
        int status;
        const char* out;
        int exitCode;
    } cases[] = {
        {VersionFile("1.0"), 200, "No updates available.\nYou have the latest version.\n", 0},
        {VersionFile("1.5"), 200, "A new version is available.\n\nLatestVersion=1.5\nReleaseDate=2020.03.01\n", 0},
        {VersionFile("0.9"), 200, "No updates available.\nYour version (1.0) is newer than the latest release (0.9).\n", 0},
        {VersionFile("x"), 200, "Unable to retrieve version information.\nPlease try again in a few minutes.\n", 1},
        {VersionFile("1.5"), 404, "Can not connect to the server.\nPlease try again in a few minutes.\n", 1},
    };
    for (const auto& c : cases) {
        ScriptedHttpServer server;
        server.ReplyWith(c.body, c.status);
        const TestSupport::RunResult r = RunCheckUpdate(server.Url());
        ASSERT_FALSE(r.timedOut);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.out;
        EXPECT_EQ(r.out, QByteArray(c.out));
    }
    const TestSupport::RunResult refused = RunCheckUpdate(QStringLiteral("http://127.0.0.1:%1/v.ini").arg(ClosedPort()));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.startsWith("Can not connect to the server."));
}
