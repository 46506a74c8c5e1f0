// The names another start of the window sends over its socket: any bytes are a message or
// refused, never a crash or a huge allocation; names that were decoded encode back to
// bytes that decode to the same names.
#include "FuzzSupport.h"

#include "lib/FramedNames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QByteArray marker("M");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList names;
    if (!FramedNames::Decode(bytes, marker, names))
        return 0;
    QStringList again;
    FuzzSupport::Require(FramedNames::Decode(FramedNames::Encode(marker, names), marker, again), "an encoded list decodes");
    FuzzSupport::Require(again == names, "names survive encoding");
    return 0;
}
