// The INI dialect of the settings file and the profiles: a file of any bytes is read,
// every value is read back in each type, the document is saved and read again, and the
// second reading must give the same document.
#include "FuzzSupport.h"

#include "lib/MemIniFile.h"

#include <QFile>

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzSupport::MemFile input;
    static const QString saved = FuzzSupport::ScratchDir() + QStringLiteral("/saved.ini");

    MemIniFile ini;
    FuzzSupport::Require(ini.Load(input.Put(data, size)), "a readable file loads");
    const QStringList lines = ini.Lines();
    for (const QString& section : ini.Sections()) {
        FuzzSupport::Require(ini.SectionExists(section), "a listed section exists");
        for (const QString& key : ini.ReadSection(section)) {
            FuzzSupport::Require(ini.ValueExists(section, key), "a listed key exists");
            (void)ini.ReadString(section, key);
            (void)ini.ReadInteger(section, key, -1);
            (void)ini.ReadInt64(section, key, -1);
            (void)ini.ReadBool(section, key, false);
            (void)ini.ReadFloat(section, key, -1.0);
        }
        (void)ini.ReadSectionValues(section);
    }

    FuzzSupport::Require(ini.SaveAs(saved).ok(), "the document saves");
    MemIniFile again;
    FuzzSupport::Require(again.Load(saved), "the saved file loads");
    if (again.Lines() != lines) {
        std::fprintf(stderr, "read:\n%s\nread back:\n%s\n", qPrintable(lines.join(QLatin1Char('\n'))),
                     qPrintable(again.Lines().join(QLatin1Char('\n'))));
        FuzzSupport::Require(false, "the saved document reads back the same");
    }
    QFile::remove(saved);
    return 0;
}
