#pragma once

#include <QString>

#include <optional>

// Where a row of the list stands. The batch, the list and the front ends pass it as this
// record; it becomes text only where it is saved (an unfinished batch, a list file) or
// shown. The saved text is English data: "Done", "OK - Renamed", "Error (3)" for the
// encoder's exit code, "Error = 3" for a failed second pass, "Error" for a failed check,
// "Converting 45%".
enum class TRowStatusKind {
    None,         // never converted (an empty cell)
    Ready,
    Converting,   // Percent: -1 when not known yet
    Done,
    Renamed,      // done under a new numbered name because the output existed
    Overwritten,  // done over the output that existed
    Skipped,
    ExitCode,     // the encoder failed: ExitCode, Pass (2 for the second pass of two)
    Failed,       // failed, not by the encoder's exit code: the reason says why
    Aborted,
    Interrupted,  // the batch ended before the row did (the program was closed or crashed)
    Refused,      // not a video the program can convert
    Other,        // a saved text this program does not know (kept as it was)
};

struct TRowStatus {
    TRowStatusKind Kind = TRowStatusKind::None;
    int ExitCode = 0;
    int Pass = 1;
    int Percent = -1;
    QString Text; // Other only: the saved text as it was

    static TRowStatus Of(TRowStatusKind kind)
    {
        TRowStatus s;
        s.Kind = kind;
        return s;
    }
    static TRowStatus Converting(int percent = -1)
    {
        TRowStatus s = Of(TRowStatusKind::Converting);
        s.Percent = percent;
        return s;
    }
    // The encoder's exit code of a run; secondPass for the second of two.
    static TRowStatus Exit(int code, bool secondPass)
    {
        TRowStatus s = Of(TRowStatusKind::ExitCode);
        s.ExitCode = code;
        s.Pass = secondPass ? 2 : 1;
        return s;
    }

    bool Is(TRowStatusKind kind) const { return Kind == kind; }
    // Done, Renamed or Overwritten: the row's output is there.
    bool Succeeded() const;
    // ExitCode, Failed or Aborted.
    bool Error() const;
    friend bool operator==(const TRowStatus&, const TRowStatus&) = default;
};

// The status as it is saved ("Error (3)": the exit code as an unsigned 32-bit number).
QString RowStatusData(const TRowStatus& status);
// A saved status read back; an unknown text is kept as Other. "Error (0)", saved before a
// failed check had a status of its own, reads as Failed.
TRowStatus ParseRowStatus(const QString& text);
