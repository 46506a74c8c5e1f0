// A row's status as saved with an unfinished batch and read back: every status the
// program writes comes back as it was, and texts older versions saved read as before.
#include "base/RowStatus.h"

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for the record.
void PrintTo(const TRowStatus& s, std::ostream* os)
{
    *os << "{kind " << int(s.Kind) << ", exit " << s.ExitCode << ", pass " << s.Pass << ", percent " << s.Percent
        << ", text \"" << s.Text.toStdString() << "\"}";
}

namespace {

TRowStatus Of(TRowStatusKind kind) { return TRowStatus::Of(kind); }

TRowStatus Other(const char* text)
{
    TRowStatus s = Of(TRowStatusKind::Other);
    s.Text = QString::fromUtf8(text);
    return s;
}

} // namespace

TEST(RowStatus, SavedTextsReadBackAsTheStatusTheyWere)
{
    using K = TRowStatusKind;
    const struct {
        const char* saved;
        TRowStatus read;
        const char* written; // nullptr: the saved text again
    } cases[] = {
        {"", TRowStatus(), nullptr},
        {"Ready", Of(K::Ready), nullptr},
        {"Converting", TRowStatus::Converting(), nullptr},
        {"Converting 0%", TRowStatus::Converting(0), nullptr},
        {"Converting 45%", TRowStatus::Converting(45), nullptr},
        {"Converting 100%", TRowStatus::Converting(100), nullptr},
        {"Done", Of(K::Done), nullptr},
        {"OK - Renamed", Of(K::Renamed), nullptr},
        {"OK - Overwritten", Of(K::Overwritten), nullptr},
        {"Skipped", Of(K::Skipped), nullptr},
        {"Error (3)", TRowStatus::Exit(3, false), nullptr},
        {"Error = 139", TRowStatus::Exit(139, true), nullptr},
        {"Error = 0", TRowStatus::Exit(0, true), nullptr},
        // a negative exit code is saved as the unsigned 32-bit number
        {"Error (4294967295)", TRowStatus::Exit(-1, false), nullptr},
        {"Error", Of(K::Failed), nullptr},
        {"Aborted", Of(K::Aborted), nullptr},
        {"Interrupted", Of(K::Interrupted), nullptr},
        {"Refused", Of(K::Refused), nullptr},
        // saved before a failed check had a status of its own
        {"Error (0)", Of(K::Failed), "Error"},
        // texts the program never wrote are kept as they were
        {"Analysing...", Other("Analysing..."), nullptr},
        {"Converting 101%", Other("Converting 101%"), nullptr},
        {"Converting 45", Other("Converting 45"), nullptr},
        {"Converting -1%", Other("Converting -1%"), nullptr},
        {"Error (-1)", Other("Error (-1)"), nullptr},
        {"Error (4294967296)", Other("Error (4294967296)"), nullptr},
        {"Error ()", Other("Error ()"), nullptr},
        {"Error = ", Other("Error = "), nullptr},
        {"Error (3", Other("Error (3"), nullptr},
        {"done", Other("done"), nullptr},
        {" Done", Other(" Done"), nullptr},
    };
    for (const auto& c : cases) {
        const QString saved = QString::fromUtf8(c.saved);
        EXPECT_EQ(ParseRowStatus(saved), c.read) << c.saved;
        EXPECT_EQ(RowStatusData(c.read).toStdString(), c.written ? c.written : c.saved) << c.saved;
    }
}
