#include "runner/ErrorLog.h"

#include "lib/TextFile.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <cstdint>

namespace {

// The user's long time format without its time-zone part: the log shows wall-clock time
// as the desktop's clock does.
QString LongTimeText(const QTime& time)
{
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    format.replace(zone, QString());
    return QLocale().toString(time, format.trimmed());
}

} // namespace

QStringList FormatErrorReport(const QString& report, const QString& input, const QString& output, int number,
                              const QDateTime& when)
{
    // The heading and the field names stay English in every language: tools read them.
    QStringList lines;
    if (number > 0) {
        lines << QStringLiteral("Error # %1").arg(number);
        lines << QString(10, QLatin1Char('-'));
    }
    lines << QStringLiteral("Date & Time: ") + QLocale().toString(when.date(), QLocale::ShortFormat)
                 + QStringLiteral(" / ") + LongTimeText(when.time());
    lines << QStringLiteral("Input file: ") + input;
    lines << QStringLiteral("Output file: ") + output;
    // the report's own line breaks (CR LF, LF or CR) make further lines
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    lines << report.split(breaks);
    lines << QString(69, QLatin1Char('-'));
    return lines;
}

namespace {

QString LeftOutNote()
{
    return QCoreApplication::translate("Runner", "[%1 earlier lines of the encoder's output are left out]");
}

// The note as LeftOutNote writes it in the language in place, any number in place of %1.
QRegularExpression LeftOutPattern()
{
    const QStringList around = LeftOutNote().split(QStringLiteral("%1"));
    QStringList escaped;
    for (const QString& piece : around)
        escaped << QRegularExpression::escape(piece);
    return QRegularExpression(QLatin1Char('^') + escaped.join(QStringLiteral("\\d+")) + QLatin1Char('$'));
}

} // namespace

QString RunErrorReportText(std::optional<int> exitCode, const QStringList& encoderOutput, qint64 droppedLines,
                           const QString& reason, const QString& commandLine)
{
    static const QString crlf = QStringLiteral("\r\n");
    QString text = reason.isEmpty() ? QString() : reason + crlf;
    if (exitCode)
        text += QStringLiteral("ExitCode: ") + QString::number(static_cast<uint32_t>(*exitCode)) + crlf;
    if (!commandLine.isEmpty())
        text += QStringLiteral("Command line: ") + commandLine + crlf;
    if (droppedLines > 0)
        text += LeftOutNote().arg(droppedLines) + crlf;
    for (const QString& line : encoderOutput)
        text += line + crlf;
    return text;
}

TErrorReportParts SplitErrorReport(const QString& report)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    static const QString exitKey = QStringLiteral("ExitCode: ");
    static const QString commandKey = QStringLiteral("Command line: ");
    QStringList lines = report.split(breaks);
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the break after the last line
    TErrorReportParts parts;
    const qsizetype exitAt = lines.indexOf(QRegularExpression(QStringLiteral("^ExitCode: \\d+$")));
    qsizetype next = 0;
    if (exitAt == 0 || exitAt == 1) {
        if (exitAt == 1)
            parts.Reason = lines.at(0);
        parts.ExitCode = lines.at(exitAt).mid(exitKey.size());
        next = exitAt + 1;
    } else if (lines.size() == 1 || (lines.size() > 1 && lines.at(1).startsWith(commandKey))) {
        // without an exit code: the sentence alone, or before the command line
        parts.Reason = lines.at(0);
        next = 1;
    } else {
        parts.Output = lines;
        return parts;
    }
    if (next < lines.size() && lines.at(next).startsWith(commandKey))
        parts.CommandLine = lines.at(next++).mid(commandKey.size());
    if (next < lines.size() && LeftOutPattern().match(lines.at(next)).hasMatch())
        parts.LeftOut = lines.at(next++);
    parts.Output = lines.mid(next);
    return parts;
}

void TErrorLog::AddErrorReport(const QString& report, const QString& input, const QString& output, int number)
{
    m_lines << FormatErrorReport(report, input, output, number, QDateTime::currentDateTime());
}

void TErrorLog::Clear() { m_lines.clear(); }

QString TErrorLog::Text() const { return m_lines.join(QLatin1Char('\n')); }

TResult TErrorLog::SaveToFile(const QString& fileName) const
{
    return TextFile::WriteLines(fileName, m_lines, TTextEncoding::Utf8);
}

bool ShouldCloseAfterConversion(int actionIndex, bool endedNormally, int filesToConvert, bool aborted,
                                int errorCount)
{
    return actionIndex == acCloseApplication && endedNormally && filesToConvert > 0 && !aborted && errorCount == 0;
}
