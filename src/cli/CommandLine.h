#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// What the user asked for on the command line. Parsing comes first, before any
// application object exists, so that the headless modes never need a display.
enum class CliMode { Gui, Help, Version, ToolsInfo, Info, CmdLine, Convert, Script, Check, CheckUpdate, Preview };

struct CliOptions {
    CliMode mode = CliMode::Gui;
    QString home;                              // --home DIR
    QString profile;                           // --profile FILE|last
    QList<QPair<QString, QString>> sets;       // --set KEY=VALUE, in order
    QString outDir;                            // --out-dir DIR
    QString ifExists = QStringLiteral("rename"); // --if-exists rename|overwrite|skip
    bool keepDates = false;                    // --keep-dates
    bool keepTree = false;                     // --keep-tree
    int jobs = 1;                              // --jobs N|auto; 0: auto, one per core
    QString errorLog;                          // --error-log FILE
    QString scriptFile;                        // --script OUT.sh|OUT.bat|OUT.jobs
    QStringList inputs;                        // FILE / INPUT...
};

struct CliParseResult {
    bool ok = true;
    QString error; // one line, without the program name
    CliOptions options;
};

// args without the program name.
CliParseResult ParseCommandLine(const QStringList& args);

QString UsageText();

// "vexaconv: <error>" and the hint to --help, for stderr.
QString UsageErrorText(const QString& error);
