#include "media/MediaInfoLib.h"

#include "lib/NativeName.h"

#include <QFile>

#include <array>
#include <cstddef>
#include <string>

#include <dlfcn.h>

namespace {

// The C interface's signatures (wchar_t texts; stream and info kinds are C enums).
using FnNew = void* (*)();
using FnDelete = void (*)(void*);
using FnOpen = size_t (*)(void*, const wchar_t*);
using FnClose = void (*)(void*);
using FnInform = const wchar_t* (*)(void*, size_t);
using FnGet = const wchar_t* (*)(void*, int, size_t, const wchar_t*, int, int);
using FnOption = const wchar_t* (*)(void*, const wchar_t*, const wchar_t*);

constexpr int InfoText = 1; // MediaInfo_Info_Text
constexpr int InfoName = 0; // MediaInfo_Info_Name

// Looked up in this order; the "A" (8-bit) twins are bound too but never called.
enum ExportIndex {
    exNew, exDelete, exOpen, exClose, exInform, exGetI, exGet, exOption, exStateGet, exCountGet,
    exCount = 20
};
constexpr std::array<const char*, exCount> ExportNames = {
    "MediaInfo_New",      "MediaInfo_Delete",    "MediaInfo_Open",      "MediaInfo_Close",
    "MediaInfo_Inform",   "MediaInfo_GetI",      "MediaInfo_Get",       "MediaInfo_Option",
    "MediaInfo_State_Get", "MediaInfo_Count_Get", "MediaInfoA_New",     "MediaInfoA_Delete",
    "MediaInfoA_Open",    "MediaInfoA_Close",    "MediaInfoA_Inform",   "MediaInfoA_GetI",
    "MediaInfoA_Get",     "MediaInfoA_Option",   "MediaInfoA_State_Get", "MediaInfoA_Count_Get",
};

// Process-wide: written once by the first successful load, on the UI thread only.
struct Binding {
    void* library = nullptr;
    std::array<void*, exCount> exports{};
};

Binding& TheBinding()
{
    static Binding b;
    return b;
}

template <typename Fn>
Fn Export(ExportIndex i)
{
    return reinterpret_cast<Fn>(TheBinding().exports[size_t(i)]);
}

// The wide entry points every analysis needs; without one of them the library is of no use.
bool HasWideEntryPoints()
{
    for (ExportIndex i : {exNew, exDelete, exOpen, exClose, exInform, exGet, exOption})
        if (!TheBinding().exports[size_t(i)])
            return false;
    return true;
}

bool IsAllowedCodePoint(char32_t c, bool keepLineBreaks)
{
    if (c == U'\n' || c == U'\r')
        return keepLineBreaks;
    if (c == U'\t')
        return true;
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
        return false; // C0 and C1 controls
    if (c >= 0xD800 && c <= 0xDFFF)
        return false; // surrogates never belong in a UCS-4 string
    if (c > 0x10FFFF || c == 0xFFFD)
        return false;
    if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE)
        return false; // noncharacters
    return true;
}

std::wstring ToWide(const QString& s) { return s.toStdWString(); }

} // namespace

bool LoadMediaInfoLibrary(const QString& dllPath)
{
    Binding& b = TheBinding();
    if (b.library)
        return true;
    if (dllPath.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(dllPath);
    void* lib = dlopen(native.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!lib)
        return false;
    for (size_t i = 0; i < ExportNames.size(); ++i)
        b.exports[i] = dlsym(lib, ExportNames[i]);
    b.library = lib;
    if (!HasWideEntryPoints()) {
        // Not the library we need: forget it so that a later call may try another path.
        b.exports.fill(nullptr);
        b.library = nullptr;
        dlclose(lib);
        return false;
    }
    return true;
}

bool MediaInfoLibraryLoaded() { return TheBinding().library != nullptr; }

int MediaInfoBoundExportCount()
{
    int n = 0;
    for (void* p : TheBinding().exports)
        n += p ? 1 : 0;
    return n;
}

QString CleanMediaInfoText(const wchar_t* text, bool keepLineBreaks)
{
    if (!text || !*text)
        return QString();
    static_assert(sizeof(wchar_t) == sizeof(char32_t), "the library's wide texts are UCS-4 here");
    std::u32string kept;
    for (const wchar_t* p = text; *p; ++p) {
        const char32_t c = char32_t(*p);
        if (IsAllowedCodePoint(c, keepLineBreaks))
            kept.push_back(c);
    }
    return QString::fromUcs4(kept.data(), qsizetype(kept.size()));
}

TMediaInfoHandle::TMediaInfoHandle()
{
    if (MediaInfoLibraryLoaded())
        m_handle = Export<FnNew>(exNew)();
}

TMediaInfoHandle::~TMediaInfoHandle()
{
    if (!m_handle)
        return;
    Export<FnClose>(exClose)(m_handle);
    Export<FnDelete>(exDelete)(m_handle);
}

bool TMediaInfoHandle::Open(const QString& fileName)
{
    if (!m_handle)
        return false;
    // the library turns the name into the locale's bytes: a name that is not UTF-8 goes by a link
    const std::wstring name = ToWide(NativeName::Openable(fileName));
    m_opened = Export<FnOpen>(exOpen)(m_handle, name.c_str()) != 0;
    return m_opened;
}

QString TMediaInfoHandle::Inform()
{
    if (!m_opened)
        return QString();
    return CleanMediaInfoText(Export<FnInform>(exInform)(m_handle, 0), true);
}

QString TMediaInfoHandle::Get(TMediaStreamKind kind, int streamNumber, const wchar_t* parameter)
{
    if (!m_opened || streamNumber < 0)
        return QString();
    return CleanMediaInfoText(
        Export<FnGet>(exGet)(m_handle, int(kind), size_t(streamNumber), parameter, InfoText, InfoName));
}

QString TMediaInfoHandle::Option(const QString& name, const QString& value)
{
    if (!MediaInfoLibraryLoaded())
        return QString();
    const std::wstring n = ToWide(name), v = ToWide(value);
    return CleanMediaInfoText(Export<FnOption>(exOption)(nullptr, n.c_str(), v.c_str()), true);
}
