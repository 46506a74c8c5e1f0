#pragma once

#include <QString>

// The fields of the encoder's status line that the display uses.
struct TStatusLine {
    int Frame = -1;
    double Seconds = -1.0; // the position: the length written so far
    int Percent = -1;
    double Fps = -1.0;
    int SizeMB = -1;
};

// Whether line is an encoder status line ("Pos: ..." with at least ten tokens and an
// integer frame count as its third token); fills *status when it is.
bool ParseStatusLine(const QString& line, TStatusLine* status);
