#pragma once

#include <QStringList>

// Removes blank entries and the encoder's known noise from lines, in place; an entry with
// a library banner glued to a "frame=" report keeps only the report.
void CleanEncoderOutput(QStringList& lines);
// The same for the entries [from, to) only; returns where the entry at to now is.
qsizetype CleanEncoderOutput(QStringList& lines, qsizetype from, qsizetype to);

// How many of the encoder's last lines a run keeps (the rest is counted, not kept), and
// how many the output view shows while the encoder runs.
inline constexpr qsizetype EncoderOutputKeptLines = 2000;
inline constexpr qsizetype OutputViewLines = 500;

// The text of the output view: the last OutputViewLines lines, or "Please wait..." while the output is hidden,
// until the file reached 100 % or the muxer's closing lines arrived.
QString OutputViewText(const QStringList& lines, bool hideOutput, int percent);
