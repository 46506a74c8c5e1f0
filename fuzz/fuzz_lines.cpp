// The encoder's output: bytes arrive in chunks of any size, are assembled into console
// lines (CR rewrites the status line in place) and every line goes through the status
// line parser. Chunking must not change the lines.
#include "FuzzSupport.h"

#include "runner/LineAssembler.h"
#include "runner/StatusLine.h"

namespace {

QStringList Assemble(const char* data, qsizetype size, qsizetype chunk, int maxLineBytes)
{
    QStringList lines;
    TLineAssembler assembler(lines, maxLineBytes);
    const auto onLine = [&](const QString& line, bool appended) {
        FuzzSupport::Require(!lines.isEmpty() && lines.last() == line, "the delivered line is the last entry");
        (void)appended;
        TStatusLine status;
        if (ParseStatusLine(line, &status))
            FuzzSupport::Require(status.Frame >= 0, "a status line has a frame count");
    };
    for (qsizetype at = 0; at < size; at += chunk)
        assembler.Feed(data + at, std::min(chunk, size - at), onLine);
    assembler.Finish(onLine);
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte picks the chunk size, the second the line limit (small limits reach
    // the cut of long lines).
    const qsizetype chunk = 1 + data[0] % 17;
    const int maxLineBytes = data[1] < 128 ? 4 + data[1] : 20480;
    const char* text = reinterpret_cast<const char*>(data + 2);
    const qsizetype n = qsizetype(size - 2);
    const QStringList whole = Assemble(text, n, n > 0 ? n : 1, maxLineBytes);
    const QStringList chunked = Assemble(text, n, chunk, maxLineBytes);
    if (maxLineBytes == 20480) // with a cut, where a chunk ends may move the cut
        FuzzSupport::Require(whole == chunked, "chunking does not change the lines");
    return 0;
}
