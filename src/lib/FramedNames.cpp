#include "lib/FramedNames.h"

#include "lib/NativeName.h"

#include <QtEndian>

namespace FramedNames {

QByteArray Encode(const QByteArray& marker, const QStringList& names)
{
    QByteArray out = marker;
    for (const QString& name : names) {
        const QByteArray bytes = NativeName::Encode(name);
        const quint32 length = qToBigEndian(quint32(bytes.size()));
        out.append(reinterpret_cast<const char*>(&length), sizeof length).append(bytes);
    }
    return out;
}

bool Decode(const QByteArray& message, const QByteArray& marker, QStringList& names)
{
    if (!message.startsWith(marker))
        return false;
    QStringList found;
    qsizetype at = marker.size();
    while (at < message.size()) {
        if (message.size() - at < qsizetype(sizeof(quint32)))
            return false;
        const quint32 length = qFromBigEndian<quint32>(message.constData() + at);
        at += sizeof(quint32);
        // Compared as unsigned sizes: a length near 2^32 must not wrap.
        if (quint64(length) > quint64(message.size() - at))
            return false;
        found << NativeName::Decode(message.mid(at, length));
        at += length;
    }
    names = found;
    return true;
}

} // namespace FramedNames
