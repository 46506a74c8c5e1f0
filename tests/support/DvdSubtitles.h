#pragma once

#include <QString>

namespace TestSupport {

// A DVD subtitle pair, base.idx and base.sub, in the language lang ("de"): one subpicture,
// a white bar over the lower fifth of a 720x576 DVD picture, shown from 0 s to untilSec.
// Players and encoders scale it to the video's size. ffmpeg reads the pair (and copies it
// into Matroska as a VobSub track); it cannot make one.
void WriteDvdSubtitles(const QString& base, const char* lang, double untilSec);

} // namespace TestSupport
