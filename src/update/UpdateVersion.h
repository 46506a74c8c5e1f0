#pragma once

#include <QString>

#include <optional>

// A version number as the update check reads it: "1.0", "1,5", "2 . 0".
struct TVersionNumber {
    qint64 Major = 0;
    qint64 Minor = 0;
    // Major's digits followed by minor's padded to three: 1.0 is 10000, 1.1000 is
    // 101000. Versions compare by this value only.
    qint64 Combined = 0;
};

namespace UpdateVersion {

// The first "," becomes ".", blanks go, then major "." minor, both whole numbers.
// Empty when the text is not a version (no ".", "1.0.1", a number too large).
std::optional<TVersionNumber> Parse(const QString& text);

// The running program's own version, parsed.
TVersionNumber Own();

} // namespace UpdateVersion
