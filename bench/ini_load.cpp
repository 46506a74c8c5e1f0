// Time to load, read and save an INI file of many sections, in the dialect the settings
// file and the profiles use. Loading grows with the file, not with its square.
#include "lib/MemIniFile.h"
#include "lib/TextFile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// CPU time: the machine may be shared, and waiting for a core is not the reader's cost.
double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1.0e6;
}

} // namespace

int main(int argc, char** argv)
{
    const int sections = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.ini"));
    QStringList lines;
    for (int i = 0; i < sections; ++i)
        lines << QStringLiteral("[Section%1]").arg(i) << QStringLiteral("Key=%1").arg(i)
              << QStringLiteral("Other=value %1").arg(i);
    if (!TextFile::WriteLines(path, lines, TTextEncoding::Utf8)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }

    QElapsedTimer t;
    t.start();
    double cpu = CpuMs();
    MemIniFile ini;
    if (!ini.Load(path))
        return 1;
    const double loadMs = double(t.nsecsElapsed()) / 1e6, loadCpu = CpuMs() - cpu;

    t.restart();
    cpu = CpuMs();
    qint64 sum = 0;
    for (int i = 0; i < sections; ++i)
        sum += ini.ReadInteger(QStringLiteral("SECTION%1").arg(i), QStringLiteral("key"), 0);
    const double readMs = double(t.nsecsElapsed()) / 1e6, readCpu = CpuMs() - cpu;

    t.restart();
    cpu = CpuMs();
    ini.WriteString(QStringLiteral("Section0"), QStringLiteral("Key"), QStringLiteral("changed"));
    if (!ini.UpdateFile())
        return 1;
    const double saveMs = double(t.nsecsElapsed()) / 1e6, saveCpu = CpuMs() - cpu;

    std::printf("sections: %d (%d lines)\n", sections, int(lines.size()));
    std::printf("load:     %.1f ms CPU (%.1f ms wall)\n", loadCpu, loadMs);
    std::printf("read all: %.1f ms CPU (%.1f ms wall; one key of every section, checksum %lld)\n", readCpu, readMs,
                static_cast<long long>(sum));
    std::printf("save:     %.1f ms CPU (%.1f ms wall; merge with the file on disk, checked write)\n", saveCpu, saveMs);
    return 0;
}
