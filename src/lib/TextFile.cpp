#include "lib/TextFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <cstring>
#include <utility>
#include <unistd.h>

namespace {

// Windows-1252 bytes 0x80..0x9F; the undefined ones (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the C1 control of the same value, as Windows itself converts them.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsAscii(const QByteArray& b)
{
    for (const char c : b) {
        if (uint8_t(c) >= 0x80)
            return false;
    }
    return true;
}

bool StartsWith(const QByteArray& b, const char* bom, int n)
{
    return b.size() >= n && memcmp(b.constData(), bom, size_t(n)) == 0;
}

QString DecodeUtf16(const QByteArray& bytes, qsizetype skip, QStringConverter::Encoding enc)
{
    if (bytes.size() <= skip)
        return QString();
    // A truncated file leaves an odd byte: decode the whole code units only.
    const qsizetype usable = (bytes.size() - skip) & ~qsizetype(1);
    // The BOM is skipped already: a second one is text (U+FEFF), not to be dropped.
    QStringDecoder decoder(enc, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes).sliced(skip, usable));
}

QByteArray EncodeWith(const QString& text, QStringConverter::Encoding enc)
{
    QStringEncoder encoder(enc, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

} // namespace

namespace TextFile {

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString r(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uint8_t(bytes.at(i));
        r[i] = QChar(b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : char16_t(b));
    }
    return r;
}

bool EncodeWindows1252(const QString& text, QByteArray& out)
{
    out.clear();
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32 && found < 0; ++i) {
            if (kHigh[i] == u)
                found = i;
        }
        if (found < 0)
            return false;
        out.append(char(0x80 + found));
    }
    return true;
}

bool IsValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

QString Decode(const QByteArray& bytes, TTextEncoding& encoding)
{
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3)) {
        encoding = TTextEncoding::Utf8Bom;
        QStringDecoder decoder(QStringConverter::Utf8,
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        return decoder.decode(QByteArrayView(bytes).sliced(3));
    }
    if (StartsWith(bytes, "\xFF\xFE", 2)) {
        encoding = TTextEncoding::Utf16LE;
        return DecodeUtf16(bytes, 2, QStringConverter::Utf16LE);
    }
    if (StartsWith(bytes, "\xFE\xFF", 2)) {
        encoding = TTextEncoding::Utf16BE;
        return DecodeUtf16(bytes, 2, QStringConverter::Utf16BE);
    }
    if (IsValidUtf8(bytes)) {
        encoding = TTextEncoding::Utf8;
        return QString::fromUtf8(bytes);
    }
    encoding = TTextEncoding::Windows1252;
    return DecodeWindows1252(bytes);
}

QByteArray Encode(const QString& text, TTextEncoding encoding, TTextEncoding* used)
{
    if (used)
        *used = encoding;
    switch (encoding) {
    case TTextEncoding::Utf8:
        return text.toUtf8();
    case TTextEncoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case TTextEncoding::Utf16LE:
        return QByteArray("\xFF\xFE") + EncodeWith(text, QStringConverter::Utf16LE);
    case TTextEncoding::Utf16BE:
        return QByteArray("\xFE\xFF") + EncodeWith(text, QStringConverter::Utf16BE);
    case TTextEncoding::Windows1252:
        break;
    }
    QByteArray out;
    // Bytes that happen to be valid UTF-8 ("Ã¤" is C3 A4) would be read back as UTF-8.
    if (EncodeWindows1252(text, out) && (IsAscii(out) || !IsValidUtf8(out)))
        return out;
    // Characters the 8-bit code page cannot hold would be lost, and text that would read
    // back as UTF-8 would change: keep them as UTF-8 with a BOM, which the Windows program
    // reads as well.
    if (used)
        *used = TTextEncoding::Utf8Bom;
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

TResult ReadText(const QString& path, QString& text, TTextEncoding& encoding)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return TResult::Failure(f.errorString());
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return TResult::Failure(f.errorString());
    text = Decode(bytes, encoding);
    return {};
}

TResult ReadLines(const QString& path, QStringList& lines, TTextEncoding& encoding)
{
    QString text;
    TResult read = ReadText(path, text, encoding);
    if (read.ok())
        lines = SplitLines(text);
    return read;
}

TResult SaveBytes(const QString& path, const QByteArray& bytes, bool executable)
{
    QSaveFile f(path);
    auto fail = [&](const QString& why) {
        if (f.isOpen())
            f.cancelWriting(); // the temporary file goes, the old file stays
        return TResult::Failure(why.isEmpty() ? QCoreApplication::translate("Files", "Unknown error") : why);
    };
    if (!f.open(QIODevice::WriteOnly))
        return fail(f.errorString());
    // QSaveFile buffers: a write that does not fit (ENOSPC, EDQUOT, EIO) shows only when
    // the buffer is flushed, and commit() would rename the short file over the good one.
    if (f.write(bytes) != bytes.size() || !f.flush() || f.error() != QFileDevice::NoError)
        return fail(f.errorString());
    // Some file systems (network ones, ext4 with delayed allocation under a quota) report
    // the lost data only here. A file system without fsync says EINVAL: that is no error.
    if (::fsync(f.handle()) != 0 && errno != EINVAL && errno != EROFS)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (executable) {
        // Executable for whoever may read it (the umask decided that).
        QFileDevice::Permissions p = f.permissions();
        for (auto [read, exe] : {std::pair{QFileDevice::ReadOwner, QFileDevice::ExeOwner},
                                 std::pair{QFileDevice::ReadUser, QFileDevice::ExeUser},
                                 std::pair{QFileDevice::ReadGroup, QFileDevice::ExeGroup},
                                 std::pair{QFileDevice::ReadOther, QFileDevice::ExeOther}}) {
            if (p & read)
                p |= exe;
        }
        if (!f.setPermissions(p))
            return fail(f.errorString());
    }
    if (!f.commit())
        return fail(f.errorString());
    return {};
}

TResult WriteText(const QString& path, const QString& text, TTextEncoding encoding, TTextEncoding* used)
{
    return SaveBytes(path, Encode(text, encoding, used));
}

TResult WriteLines(const QString& path, const QStringList& lines, TTextEncoding encoding, const QString& lineEnd,
                   TTextEncoding* used)
{
    QString text;
    for (const QString& line : lines)
        text += line + lineEnd;
    return SaveBytes(path, Encode(text, encoding, used));
}

} // namespace TextFile
