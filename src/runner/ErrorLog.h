#pragma once

#include "lib/Result.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// The error log: one numbered report per failed encoder run, kept in memory.
class TErrorLog {
public:
    // Appends one report (see FormatErrorReport) stamped with the current time.
    void AddErrorReport(const QString& report, const QString& input, const QString& output, int number);
    // Empties the text; the numbering lives in the batch state and is not touched.
    void Clear();

    const QStringList& Lines() const { return m_lines; }
    QString Text() const;

    // Writes the lines to fileName (UTF-8, CR LF after every line), replacing the file.
    // A failure when the file cannot be written; the log is unchanged.
    TResult SaveToFile(const QString& fileName) const;

private:
    QStringList m_lines;
};

// The lines of one report: "Error # N" and ten hyphens (only for N > 0), the date and
// time, the input and output file, the report text split at its line breaks, and a rule
// of 69 hyphens.
QStringList FormatErrorReport(const QString& report, const QString& input, const QString& output, int number,
                              const QDateTime& when);

// "ExitCode: N" + CR LF + each output line followed by CR LF; N in unsigned decimal. When
// earlier lines were let go, a note of how many comes before the lines that are kept. A
// reason (one plain sentence) comes first, the command line after the exit code. A row
// that failed without the encoder failing (the output check, a refusal) has no exit code:
// its report is the reason, then the command line and the lines, or the reason alone when
// nothing ran.
QString RunErrorReportText(std::optional<int> exitCode, const QStringList& encoderOutput, qint64 droppedLines = 0,
                           const QString& reason = QString(), const QString& commandLine = QString());

// One report of RunErrorReportText taken apart again, for a window that shows it in the
// user's language: the sentence, the exit code (empty when the encoder did not fail), the
// command line, the note of lines left out, and the encoder's lines. A report in another
// form is all output lines.
struct TErrorReportParts {
    QString Reason;
    QString ExitCode;
    QString CommandLine;
    QString LeftOut;
    QStringList Output;
};
TErrorReportParts SplitErrorReport(const QString& report);

// The default name of the saved log.
inline constexpr const char* DefaultErrorLogName = "VexaConv_Errors.log";

// The actions after a batch ("cbAfterConversion").
enum TAfterConversionAction { acDoNothing = 0, acCloseApplication = 1 };

// Whether the after-conversion action with index actionIndex is to close the program:
// only after a normal end of a batch that had files, was not aborted and had no errors.
bool ShouldCloseAfterConversion(int actionIndex, bool endedNormally, int filesToConvert, bool aborted,
                                int errorCount);
