#pragma once

#include <QStringList>

// Removes blank entries and the encoder's known noise from lines, in place; an entry with
// a library banner glued to a "frame=" report keeps only the report.
void CleanEncoderOutput(QStringList& lines);

// The text of the output view: all lines, or "Please wait..." while the output is hidden,
// until the file reached 100 % or the muxer's closing lines arrived.
QString OutputViewText(const QStringList& lines, bool hideOutput, int percent);
