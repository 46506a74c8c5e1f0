// Times the full analysis of many files against a bare MediaInfo loop over the same
// files: the record's queries and conversions should add little to the library's own work.
//
// Usage: bench_media DIR LIBRARY [ROUNDS]

#include "base/Platform.h"
#include "media/MediaAnalysis.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <dlfcn.h>

namespace {

using FnNew = void* (*)();
using FnDelete = void (*)(void*);
using FnOpen = size_t (*)(void*, const wchar_t*);
using FnClose = void (*)(void*);
using FnInform = const wchar_t* (*)(void*, size_t);
using FnOption = const wchar_t* (*)(void*, const wchar_t*, const wchar_t*);

struct BareLibrary {
    FnNew New = nullptr;
    FnDelete Delete = nullptr;
    FnOpen Open = nullptr;
    FnClose Close = nullptr;
    FnInform Inform = nullptr;
    FnOption Option = nullptr;
};

bool LoadBare(const QString& path, BareLibrary& b)
{
    void* lib = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!lib)
        return false;
    b.New = reinterpret_cast<FnNew>(dlsym(lib, "MediaInfo_New"));
    b.Delete = reinterpret_cast<FnDelete>(dlsym(lib, "MediaInfo_Delete"));
    b.Open = reinterpret_cast<FnOpen>(dlsym(lib, "MediaInfo_Open"));
    b.Close = reinterpret_cast<FnClose>(dlsym(lib, "MediaInfo_Close"));
    b.Inform = reinterpret_cast<FnInform>(dlsym(lib, "MediaInfo_Inform"));
    b.Option = reinterpret_cast<FnOption>(dlsym(lib, "MediaInfo_Option"));
    return b.New && b.Delete && b.Open && b.Close && b.Inform && b.Option;
}

// The library's own work: open, report, close, one handle for all files.
qint64 BareRun(const BareLibrary& b, const std::vector<std::wstring>& files, size_t& chars)
{
    QElapsedTimer t;
    t.start();
    void* h = b.New();
    b.Option(nullptr, L"Complete", L"0");
    for (const std::wstring& f : files) {
        if (b.Open(h, f.c_str())) {
            const std::wstring report = b.Inform(h, 0);
            chars += report.size();
        }
        b.Close(h);
    }
    b.Delete(h);
    return t.nsecsElapsed();
}

qint64 FullRun(const QStringList& files, const QString& library, size_t& streams)
{
    QElapsedTimer t;
    t.start();
    for (const QString& f : files) {
        TVideoFileInfo vfi;
        GetVideoFileInfo(f, library, vfi);
        streams += vfi.NumberOfDataStreams;
    }
    return t.nsecsElapsed();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Platform::EnsureUtf8CType();
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fputs("usage: bench_media DIR LIBRARY [ROUNDS]\n", stderr);
        return 2;
    }
    const QDir dir(args.at(1));
    const QString library = args.at(2);
    const int rounds = args.size() > 3 ? std::max(1, args.at(3).toInt()) : 3;
    QStringList files;
    std::vector<std::wstring> wide;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        files << dir.filePath(name);
        wide.push_back(files.last().toStdWString());
    }
    BareLibrary bare;
    if (files.isEmpty() || !LoadBare(library, bare) || !LoadMediaInfoLibrary(library)) {
        std::fputs("bench_media: no files or no MediaInfo library\n", stderr);
        return 2;
    }
    size_t chars = 0, streams = 0;
    BareRun(bare, wide, chars); // warm the page cache and the library
    FullRun(files, library, streams);
    qint64 bestBare = 0, bestFull = 0;
    for (int r = 0; r < rounds; ++r) {
        const qint64 full = FullRun(files, library, streams);
        const qint64 b = BareRun(bare, wide, chars);
        bestFull = r == 0 ? full : std::min(bestFull, full);
        bestBare = r == 0 ? b : std::min(bestBare, b);
        std::printf("round %d: GetVideoFileInfo %.1f ms, bare Open/Inform/Close %.1f ms\n", r + 1, double(full) / 1e6,
                    double(b) / 1e6);
    }
    std::printf("files: %lld\n", static_cast<long long>(files.size()));
    std::printf("GetVideoFileInfo (best of %d): %.1f ms (%.3f ms per file)\n", rounds, double(bestFull) / 1e6,
                double(bestFull) / 1e6 / double(files.size()));
    std::printf("bare MediaInfo loop (best of %d): %.1f ms (%.3f ms per file)\n", rounds, double(bestBare) / 1e6,
                double(bestBare) / 1e6 / double(files.size()));
    std::printf("ratio: %.3f (target at most 1.15)\n", double(bestFull) / double(bestBare));
    return 0;
}
