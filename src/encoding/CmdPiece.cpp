#include "encoding/CmdPiece.h"

void TCmdPiece::Add(const QString& word)
{
    Args << word;
    Text += QLatin1Char(' ') + word;
}

TCmdPiece PieceOf(const QStringList& args)
{
    TCmdPiece p;
    for (const QString& word : args)
        p.Add(word);
    return p;
}

TCmdPiece TCmdPiece::Trimmed() const
{
    return {Args, Text.trimmed()};
}

QStringList SplitArgsWindowsWay(const QString& text)
{
    QStringList args;
    QString current;
    bool inQuotes = false;
    bool pending = false; // a quote counts as the start of an argument, even an empty one
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            pending = true;
        } else if (!inQuotes && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (pending)
                args << current;
            current.clear();
            pending = false;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        args << current;
    return args;
}

TCmdPiece UserOptionsPiece(const QString& text)
{
    // Trimmed before the split: the split separates at spaces and tabs only, so a line
    // break or another blank at either end would reach the encoder inside an argument.
    return {SplitArgsWindowsWay(text.trimmed()), text};
}
