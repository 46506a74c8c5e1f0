#pragma once

#include "encoding/SettingRows.h"

#include <QList>
#include <QString>

// The keys of the sections "VIDEO", "AUDIO" and "ADVANCED" of a profile, each with the
// text it is written as and the rule it is read by: the setting rows' keys, in the rows'
// order. The profile loader and the headless `--set KEY=VALUE` share these readers, so
// the two can never disagree.

using TProfileFallbackSink = TKeyFallbackSink;

class TProfileKeys {
public:
    using Key = TProfileKey;

    // Every key, section by section ("VIDEO", "AUDIO", "ADVANCED"), in writing order.
    static const QList<Key>& All();

    // The key named name (case-insensitive) in any of the three sections; null if none.
    static const Key* Find(const QString& name);
};
