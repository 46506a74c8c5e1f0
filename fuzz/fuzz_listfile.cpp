// List files: any bytes are decoded (BOM, UTF-8 or Windows-1252), split into lines and
// each line into folder and name, as the list does when it loads one. The text written
// back in the encoding it was read in must decode to the same text.
#include "FuzzSupport.h"

#include "lib/Files.h"
#include "lib/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzSupport::MemFile input;

    QStringList lines;
    TTextEncoding encoding = TTextEncoding::Utf8;
    FuzzSupport::Require(TextFile::ReadLines(input.Put(data, size), lines, encoding).ok(), "a memory file reads");
    for (const QString& line : lines) {
        FuzzSupport::Require(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')),
                             "no line end inside a line");
        const qsizetype slash = line.lastIndexOf(QLatin1Char('/'));
        (void)StripDirEnd(line.left(slash + 1));
    }

    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TTextEncoding found = TTextEncoding::Utf8;
    const QString text = TextFile::Decode(bytes, found);
    FuzzSupport::Require(found == encoding, "the same bytes give the same encoding");
    if (text.isValidUtf16()) {
        TTextEncoding used = found;
        const QByteArray written = TextFile::Encode(text, found, &used);
        TTextEncoding reread = found;
        FuzzSupport::Require(TextFile::Decode(written, reread) == text, "written text reads back the same");
        FuzzSupport::Require(reread == used, "written text reads back in the encoding it was written in");
    }
    return 0;
}
