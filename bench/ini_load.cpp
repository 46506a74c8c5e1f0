// Time to load, read and save an INI file of many sections, in the dialect the settings
// file and the profiles use. Loading grows with the file, not with its square.
#include "lib/MemIniFile.h"
#include "lib/TextFile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

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
    MemIniFile ini;
    if (!ini.Load(path))
        return 1;
    const double loadMs = double(t.nsecsElapsed()) / 1e6;

    t.restart();
    qint64 sum = 0;
    for (int i = 0; i < sections; ++i)
        sum += ini.ReadInteger(QStringLiteral("SECTION%1").arg(i), QStringLiteral("key"), 0);
    const double readMs = double(t.nsecsElapsed()) / 1e6;

    t.restart();
    ini.WriteString(QStringLiteral("Section0"), QStringLiteral("Key"), QStringLiteral("changed"));
    if (!ini.UpdateFile())
        return 1;
    const double saveMs = double(t.nsecsElapsed()) / 1e6;

    std::printf("sections: %d (%d lines)\n", sections, int(lines.size()));
    std::printf("load:     %.1f ms\n", loadMs);
    std::printf("read all: %.1f ms (one key of every section, checksum %lld)\n", readMs, static_cast<long long>(sum));
    std::printf("save:     %.1f ms (merge with the file on disk, checked write)\n", saveMs);
    return 0;
}
