#pragma once

// Process-wide set-up that must follow the creation of the Qt application object.
namespace Platform {

// Qt's application object runs setlocale(LC_ALL, ""); MediaInfo's wide-string
// conversions and non-ASCII file names need a UTF-8 LC_CTYPE, so switch to one
// (C.UTF-8 when the user's locale is not UTF-8). Returns true when LC_CTYPE is UTF-8.
bool EnsureUtf8CType();

} // namespace Platform
