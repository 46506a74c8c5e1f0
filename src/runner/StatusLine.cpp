#include "runner/StatusLine.h"

#include "lib/Conversion.h"

#include <QStringList>

namespace {

// The encoder prints its time field and its remaining-time field six and four characters
// wide; from 1000 s (and 1000 min) on the value runs into its label ("Pos:1000.0s").
// Splitting such a token back into label and value keeps the later tokens in place.
QStringList SplitGluedLabels(const QStringList& tokens)
{
    QStringList out;
    out.reserve(tokens.size() + 2);
    for (const QString& t : tokens) {
        for (QLatin1String label : {QLatin1String("Pos:"), QLatin1String("Trem:")}) {
            if (t.size() > label.size() && t.startsWith(label)) {
                out << QString(label) << t.mid(label.size());
                goto next;
            }
        }
        out << t;
    next:;
    }
    return out;
}

bool ReadInt(const QString& text, int* value)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (ok)
        *value = v;
    return ok;
}

} // namespace

bool ParseStatusLine(const QString& line, TStatusLine* status)
{
    QString s = line.trimmed();
    if (!s.startsWith(QLatin1String("Pos:")))
        return false;
    TStatusLine rec;
    const qsizetype padded = s.indexOf(QLatin1String("( "));
    if (padded >= 0)
        s.replace(padded, 2, QStringLiteral("("));

    const QStringList tokens = SplitGluedLabels(s.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    if (tokens.size() < 10)
        return false;

    QString frame = tokens[2];
    if (frame.endsWith(QLatin1Char('f')))
        frame.chop(1);
    if (!ReadInt(frame, &rec.Frame) || rec.Frame < 0) // a negative count is no frame count
        return false;

    QString position = tokens[1];
    if (position.endsWith(QLatin1Char('s')))
        position.chop(1);
    if (double seconds = -1.0; TryFloatAnySep(position, seconds))
        rec.Seconds = seconds;

    QString percent = tokens[3];
    if (percent.startsWith(QLatin1Char('(')))
        percent.remove(0, 1);
    const qsizetype pc = percent.indexOf(QLatin1Char('%'));
    if (pc >= 0)
        ReadInt(percent.left(pc), &rec.Percent);

    const QString& speed = tokens[4];
    const qsizetype fpsAt = speed.indexOf(QLatin1String("fps"));
    if (fpsAt >= 0) {
        double fps = -1.0;
        rec.Fps = TryFloatAnySep(speed.left(fpsAt), fps) ? fps : -1.0;
    }

    const QString size = tokens[7].toUpper();
    const qsizetype mb = size.indexOf(QLatin1String("MB"));
    rec.SizeMB = 0;
    if (mb >= 0)
        ReadInt(size.left(mb), &rec.SizeMB);

    if (status)
        *status = rec;
    return true;
}
