#include "base/Platform.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace Platform {

static bool CodesetIsUtf8()
{
    const char* cs = nl_langinfo(CODESET);
    return cs && (std::strcmp(cs, "UTF-8") == 0 || std::strcmp(cs, "utf8") == 0);
}

bool EnsureUtf8CType()
{
    if (CodesetIsUtf8())
        return true;
    if (std::setlocale(LC_CTYPE, "C.UTF-8") && CodesetIsUtf8())
        return true;
    return std::setlocale(LC_CTYPE, "C.utf8") && CodesetIsUtf8();
}

} // namespace Platform
