#pragma once

#include <QString>
#include <QStringList>

// One piece of the encoder's command line in its two forms: the arguments the encoder is
// started with, each whole, and the text the preview, the batch file and the error log
// show. Both are built side by side, so no argument is ever recovered from the text.
struct TCmdPiece {
    QStringList Args;
    QString Text;

    // Appends word as one argument, and to the text behind one blank.
    void Add(const QString& word);
    // The same arguments; the text without blanks around it, as the pieces are joined.
    TCmdPiece Trimmed() const;
    bool operator==(const TCmdPiece&) const = default;
};

// The piece of these arguments, the text each behind one blank.
TCmdPiece PieceOf(const QStringList& args);

// Splits a piece of options the way Windows programs split their command line: a blank
// or tab separates, each double quote toggles grouping and is dropped, a backslash is an
// ordinary character. A quoted empty text ("") is one empty argument.
QStringList SplitArgsWindowsWay(const QString& text);

// Options the user typed, in the batch file's syntax: split here, once.
TCmdPiece UserOptionsPiece(const QString& text);
