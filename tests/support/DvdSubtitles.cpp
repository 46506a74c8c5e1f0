#include "support/DvdSubtitles.h"

#include "support/TestSupport.h"

#include <QByteArray>

namespace TestSupport {

namespace {

void Put16(QByteArray& b, int v)
{
    b.append(char((v >> 8) & 0xFF));
    b.append(char(v & 0xFF));
}

// The subpicture unit: the bar's lines run-length coded (each line one code: "colour 1 to
// the end of the line"), top field then bottom field, then two control sequences: show
// at once, hide at untilSec.
QByteArray SubpictureUnit(double untilSec)
{
    const int x1 = 100, x2 = 619, y1 = 440, y2 = 559;
    const int lines = y2 - y1 + 1;
    const QByteArray line("\x00\x01", 2);
    const QByteArray top = line.repeated((lines + 1) / 2), bottom = line.repeated(lines / 2);
    const int control = 4 + int(top.size() + bottom.size());
    const int second = control + 24; // the first sequence's length
    QByteArray show;
    Put16(show, 0);      // at once
    Put16(show, second); // the next sequence
    show.append("\x03\x32\x10", 3);  // colours: index 1 is palette entry 1 (white)
    show.append("\x04\xFF\xF0", 3);  // index 0 transparent, the others opaque
    show.append(char(0x05));         // the area: x1, x2, y1, y2 in 12 bits each
    show.append(char(x1 >> 4)).append(char(((x1 & 15) << 4) | (x2 >> 8))).append(char(x2 & 0xFF));
    show.append(char(y1 >> 4)).append(char(((y1 & 15) << 4) | (y2 >> 8))).append(char(y2 & 0xFF));
    show.append(char(0x06));         // where each field's lines start
    Put16(show, 4);
    Put16(show, 4 + int(top.size()));
    show.append("\x01\xFF", 2);      // show; end of sequence
    QByteArray hide;
    Put16(hide, int(untilSec * 90000 / 1024)); // in units of 1024/90000 s
    Put16(hide, second);                        // the last: points at itself
    hide.append("\x02\xFF", 2);                 // hide; end of sequence
    QByteArray unit;
    Put16(unit, control + int(show.size() + hide.size()));
    Put16(unit, control);
    return unit + top + bottom + show + hide;
}

// One 2048-byte pack of an MPEG program stream carrying the unit at time 0 as private
// stream 1, substream 0x20 (the first subtitle track), filled up with a padding stream.
QByteArray Pack(const QByteArray& unit)
{
    QByteArray pes("\x81\x80\x05\x21\x00\x01\x00\x01\x20", 9); // flags, PTS 0, substream
    pes += unit;
    QByteArray pack("\x00\x00\x01\xBA\x44\x00\x04\x00\x04\x01\x01\x89\xC3\xF8\x00\x00\x01\xBD", 18);
    Put16(pack, int(pes.size()));
    pack += pes;
    const int padding = 2048 - int(pack.size()) - 6;
    pack.append("\x00\x00\x01\xBE", 4);
    Put16(pack, padding);
    return pack + QByteArray(padding, char(0xFF));
}

} // namespace

void WriteDvdSubtitles(const QString& base, const char* lang, double untilSec)
{
    WriteFile(base + QStringLiteral(".sub"), Pack(SubpictureUnit(untilSec)));
    WriteFile(base + QStringLiteral(".idx"),
              QByteArray("# VobSub index file, v7 (do not modify this line!)\n"
                         "size: 720x576\n"
                         "palette: 000000, ffffff, 808080, 404040, 000000, 000000, 000000, 000000, "
                         "000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000\n"
                         "langidx: 0\n"
                         "id: ") + lang + ", index: 0\n"
                         "timestamp: 00:00:00:000, filepos: 000000000\n");
}

} // namespace TestSupport
