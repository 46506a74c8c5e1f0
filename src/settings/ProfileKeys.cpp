#include "settings/ProfileKeys.h"

const QList<TProfileKeys::Key>& TProfileKeys::All()
{
    static const QList<Key> keys = [] {
        QList<Key> all;
        for (const TSettingRow& row : SettingRows())
            all << row.Key;
        return all;
    }();
    return keys;
}

const TProfileKeys::Key* TProfileKeys::Find(const QString& name)
{
    return KeyTable::Find(All(), name);
}
