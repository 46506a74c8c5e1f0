// The conversions of MediaInfo's text answers (durations, stream sizes, bit rates,
// decimal marks), on any text.
#include "FuzzSupport.h"

#include "media/MediaAnswers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString answer = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    int ms = -1;
    (void)MediaAnswers::TryAnswerDurationMs(answer, ms);
    (void)MediaAnswers::WithUserDecimalSeparator(answer);
    int percent = -1;
    (void)MediaAnswers::SplitStreamSizeText(answer, percent);
    (void)MediaAnswers::AudioBitrateFromText(answer);
    return 0;
}
