// What `vexaconv --convert` finds under its outputs' names, in its output folder and in
// names: an existing output is trusted only when it is whole, the program's own outputs
// are never taken for sources, and a name that is not UTF-8 keeps its bytes. The real
// encoder on one-second clips made with ffmpeg.

#include "lib/NativeName.h"
#include "support/AnalyseFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using TestSupport::Lines;

class HeadlessOutputs : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!TestSupport::HaveTool("mencoder"))
            GTEST_SKIP() << "mencoder not installed";
        m_dir = TestSupport::TestScratch("cli_outputs", {"home", "tmp"});
    }

    TestSupport::RunResult Run(const QStringList& args)
    {
        return TestSupport::RunVexaconv(QStringList{"--home", m_dir + "/home"} + args, {"TMPDIR=" + m_dir + "/tmp"},
                                        300000, m_dir);
    }

    // vexaconv with args, then names as the file system holds them (bytes a QStringList
    // cannot carry), which xargs reads from a file and appends.
    TestSupport::RunResult RunWithNames(const QStringList& args, const QList<QByteArray>& names)
    {
        QByteArray list;
        for (const QByteArray& name : names)
            list += name + '\0';
        const QString file = TestSupport::WriteFile(m_dir + "/names.bin", list);
        return TestSupport::RunProgram("xargs", QStringList{"-0", "-a", file, TestSupport::VexaconvPath(), "--home",
                                                            m_dir + "/home"} + args,
                                       {"TMPDIR=" + m_dir + "/tmp"}, 300000, m_dir);
    }

    // Every entry under dir, hidden ones too, relative to it.
    static QStringList Tree(const QString& dir)
    {
        QStringList found;
        QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(dir).relativeFilePath(it.next());
        found.sort();
        return found;
    }

    QString m_dir;
};

} // namespace

// "Skip file" leaves a whole output alone; an empty one or one cut short (a copy broken
// off, a run killed before outputs were committed) is converted again and replaced, and
// the row says why.
TEST_F(HeadlessOutputs, SkipTrustsOnlyAWholeOutput)
{
    const QString in = TestSupport::MakeShortClip(m_dir + "/in/clip.avi");
    ASSERT_FALSE(in.isEmpty());
    const QString out = m_dir + "/out", existing = out + "/clip.avi";
    ASSERT_EQ(Run({"--convert", "--out-dir", out, in}).exitCode, 0);
    const QByteArray whole = TestSupport::ReadFile(existing);
    ASSERT_GT(whole.size(), 10000);

    const struct {
        const char* Name;
        qsizetype Bytes;
        QString Status;
    } cases[] = {
        {"empty", 0, "OK - Overwritten"},
        {"cut in half", whole.size() / 2, "OK - Overwritten"},
        {"whole", whole.size(), "Skipped"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TestSupport::WriteFile(existing, whole.left(c.Bytes));
        const TestSupport::RunResult r = Run({"--convert", "--if-exists", "skip", "--out-dir", out, in});
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        const QStringList fields = Lines(r.out).value(0).split('\t');
        EXPECT_EQ(fields.mid(0, 3), (QStringList{c.Status, in, existing})) << r.out.constData();
        const bool replaced = c.Status != "Skipped";
        EXPECT_EQ(fields.value(3).startsWith("The existing output was incomplete ("), replaced) << r.out.constData();
        const TVideoFileInfo info = AnalyseFile(existing);
        EXPECT_FALSE(info.Truncated);
        EXPECT_NEAR(info.Duration, 1000, 300);
        EXPECT_EQ(Tree(out), QStringList{"clip.avi"}); // no temporary left, nothing numbered
    }
    EXPECT_EQ(TestSupport::ReadFile(existing), whole);
}

// A folder converted into an output folder inside it, with its tree kept, twice: the
// second run finds only the sources (the output folder is never scanned), and an output
// named as an input is not converted again either.
TEST_F(HeadlessOutputs, ARerunNeverConvertsItsOwnOutputs)
{
    const QString src = m_dir + "/src", conv = src + "/conv";
    ASSERT_FALSE(TestSupport::MakeShortClip(src + "/a.avi").isEmpty());
    ASSERT_FALSE(TestSupport::MakeShortClip(src + "/sub/b.avi").isEmpty());
    const QStringList args{"--convert", "--keep-tree", "--if-exists", "skip", "--out-dir", conv, src};

    TestSupport::RunResult r = Run(args);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out), (QStringList{"Done\t" + src + "/a.avi\t" + conv + "/a.avi",
                                         "Done\t" + src + "/sub/b.avi\t" + conv + "/sub/b.avi"}));

    r = Run(args);
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out), (QStringList{"Skipped\t" + src + "/a.avi\t" + conv + "/a.avi",
                                         "Skipped\t" + src + "/sub/b.avi\t" + conv + "/sub/b.avi"}));

    r = Run(args + QStringList{conv + "/a.avi"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out).value(2), "Skipped\t" + conv + "/a.avi\t" + conv + "/a.avi\tThis file is where this batch puts "
                                     "the output of " + src + "/a.avi: it is not converted again.");
    EXPECT_TRUE(Lines(r.err).contains("Converted: 0, skipped: 3, failed: 0")) << r.err.constData();
    EXPECT_EQ(Tree(src), (QStringList{"a.avi", "conv", "conv/a.avi", "conv/sub", "conv/sub/b.avi", "sub", "sub/b.avi"}));
}

// A Latin-1 name ("caf\xe9"), named on the command line and found by a folder scan: both
// convert, each output keeps its input's bytes, and the links that open them are gone
// after the run.
TEST_F(HeadlessOutputs, NamesThatAreNotUtf8AreConvertedWithTheirBytes)
{
    const QString clip = TestSupport::MakeShortClip(m_dir + "/clip.avi");
    ASSERT_FALSE(clip.isEmpty());
    // Qt cannot remove such names: an earlier run's files go with rm
    const QString names = m_dir + "/names";
    ASSERT_EQ(TestSupport::RunProgram("rm", {"-rf", names}).exitCode, 0);
    const QByteArray dir = QFile::encodeName(names);
    ASSERT_EQ(::mkdir(dir.constData(), 0755), 0);
    ASSERT_EQ(::mkdir((dir + "/scan").constData(), 0755), 0);
    const QByteArray named = dir + "/caf\xe9.avi", scanned = dir + "/scan/b\xe9r.avi", out = dir + "/out";
    for (const QByteArray& name : {named, scanned})
        ASSERT_EQ(::link(QFile::encodeName(clip).constData(), name.constData()), 0);

    const TestSupport::RunResult r = RunWithNames({"--convert", "--out-dir", names + "/out"}, {named, dir + "/scan"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out, "Done\t" + named + "\t" + out + "/caf\xe9.avi\n"
                     "Done\t" + scanned + "\t" + out + "/b\xe9r.avi\n")
        << r.out.toPercentEncoding("/\t ").constData() << "\n" << r.err.constData();
    EXPECT_TRUE(Lines(r.err).contains("Converted: 2, skipped: 0, failed: 0")) << r.err.constData();
    EXPECT_FALSE(r.err.contains("left out")) << r.err.constData();
    for (const QByteArray& output : {out + "/caf\xe9.avi", out + "/b\xe9r.avi"})
        EXPECT_NEAR(AnalyseFile(NativeName::Decode(output)).Duration, 1000, 300) << output.constData();
    EXPECT_EQ(Tree(m_dir + "/tmp").filter("names-"), QStringList());
}
