#pragma once

#include "encoding/EncodingSettings.h"

#include <QList>
#include <QString>

#include <functional>

// The keys of the sections "VIDEO", "AUDIO" and "ADVANCED" of a profile, each with the
// text it is written as and the rule it is read by. The profile loader and the
// headless `--set KEY=VALUE` share these readers, so the two can never disagree.

// Told when a value cannot be used as it stands: why, and what is used instead (as the
// panel shows it: "Auto", "16", "H.264 / MPEG-4 AVC", "no selection").
using TProfileFallbackSink = std::function<void(const QString& why, const QString& used)>;

struct TProfileReadContext {
    int DefaultVideoCodec = 0;      // the options dialog's default encoder: 0 Xvid, 1 H.264
    TProfileFallbackSink Fallback;  // may be empty
};

class TProfileKeys {
public:
    using Writer = QString (*)(const EncodingSettings&);
    // value is null for a missing key: the key's rule for "missing" applies.
    using Reader = void (*)(EncodingSettings&, const QString* value, const TProfileReadContext&);

    struct Key {
        const char* Section;
        const char* Name;
        Writer Write;
        Reader Read;
    };

    // Every key, section by section ("VIDEO", "AUDIO", "ADVANCED"), in writing order.
    static const QList<Key>& All();

    // The key named name (case-insensitive) in any of the three sections; null if none.
    static const Key* Find(const QString& name);
};
