#include "cli/CommandLine.h"

#include "base/AppParams.h"
#include "settings/ProfileKeys.h"

#include <QCoreApplication>

#include <algorithm>
#include <initializer_list>

namespace {

// The --help text and the usage errors are in the context "CommandLine"; the option
// table's help texts are translated where --help shows them.
QString Tr(const char* text) { return QCoreApplication::translate("CommandLine", text); }

// The groups of options, in the order --help lists them; a misplaced option is also
// reported in this order.
enum class Group { Mode, Settings, Output, Input, Hidden };

constexpr unsigned ModeBit(CliMode m) { return 1u << unsigned(m); }

constexpr unsigned Modes(std::initializer_list<CliMode> modes)
{
    unsigned bits = 0;
    for (CliMode m : modes)
        bits |= ModeBit(m);
    return bits;
}

// How many free arguments (FILE / INPUT) a mode takes.
enum class Inputs { Any, None, One, AtLeastOne };

// Stores a value; returns the error, or an empty text when the value is fine.
using Store = QString (*)(CliOptions&, const QString& value);

struct Option {
    const char* Name;
    bool TakesValue;
    Group InGroup;
    // A mode option selects its mode and says what free arguments it takes.
    CliMode Selects = CliMode::Gui;
    Inputs ModeInputs = Inputs::Any;
    // The modes the option is allowed in; 0: every mode.
    unsigned AllowedIn = 0;
    Store Set = nullptr;
    // The left and right columns of --help; a row without Usage is not listed.
    const char* Usage = nullptr;
    const char* Help = nullptr;
};

constexpr unsigned SettingsModes =
    Modes({CliMode::CmdLine, CliMode::Convert, CliMode::Script, CliMode::Check, CliMode::Preview});
constexpr unsigned OutputModes = Modes({CliMode::Convert, CliMode::Script, CliMode::Check});

// Every option, in the order --help lists them. A new option is one new row.
const Option Options[] = {
    {"--help", false, Group::Mode, CliMode::Help, Inputs::None, 0, nullptr, "vexaconv --help | --version", nullptr},
    {"--version", false, Group::Mode, CliMode::Version, Inputs::None},
    {"--tools-info", false, Group::Mode, CliMode::ToolsInfo, Inputs::None, 0, nullptr, "vexaconv --tools-info",
     QT_TRANSLATE_NOOP("CommandLine", "report on the encoder and the MediaInfo library")},
    {"--info", false, Group::Mode, CliMode::Info, Inputs::One, 0, nullptr, "vexaconv --info FILE",
     QT_TRANSLATE_NOOP("CommandLine", "the file information report of FILE")},
    {"--cmdline", false, Group::Mode, CliMode::CmdLine, Inputs::One, 0, nullptr, "vexaconv --cmdline [SETTINGS] FILE",
     QT_TRANSLATE_NOOP("CommandLine", "the encoder command line for FILE")},
    {"--preview", false, Group::Mode, CliMode::Preview, Inputs::One, 0, nullptr, "vexaconv --preview [SETTINGS] FILE",
     QT_TRANSLATE_NOOP("CommandLine", "convert ten seconds from the middle of FILE into the temp folder, print the "
                                      "file's path and how long the whole file would take")},
    {"--convert", false, Group::Mode, CliMode::Convert, Inputs::AtLeastOne, 0, nullptr,
     "vexaconv --convert [SETTINGS] [OUTPUT] [--error-log FILE] INPUT...",
     QT_TRANSLATE_NOOP("CommandLine", "convert every INPUT")},
    {"--script", true, Group::Mode, CliMode::Script, Inputs::AtLeastOne, 0,
     [](CliOptions& o, const QString& v) {
         o.scriptFile = v;
         return QString();
     },
     "vexaconv --script OUT.sh|OUT.bat|OUT.jobs [SETTINGS] [OUTPUT] INPUT...",
     QT_TRANSLATE_NOOP("CommandLine", "write the batch as a script instead of running it")},
    {"--check", false, Group::Mode, CliMode::Check, Inputs::AtLeastOne, 0, nullptr,
     "vexaconv --check [SETTINGS] [OUTPUT] INPUT...",
     QT_TRANSLATE_NOOP("CommandLine", "check the batch before converting: problems, then a forecast")},
    {"--check-update", false, Group::Mode, CliMode::CheckUpdate, Inputs::None, 0, nullptr, "vexaconv --check-update",
     QT_TRANSLATE_NOOP("CommandLine", "ask the maker's server for a newer version")},

    {"--profile", true, Group::Settings, CliMode::Gui, Inputs::Any, SettingsModes,
     [](CliOptions& o, const QString& v) {
         o.profile = v;
         return QString();
     },
     "--profile FILE|NAME|last",
     QT_TRANSLATE_NOOP("CommandLine",
                       "load a profile: a file, a profile of the program home's profiles folder or one that comes "
                       "with the program, by the name the window's profile box shows (or its file name), or last: "
                       "the last-session settings")},
    {"--set", true, Group::Settings, CliMode::Gui, Inputs::Any, SettingsModes,
     [](CliOptions& o, const QString& v) {
         const int eq = v.indexOf(QLatin1Char('='));
         if (eq <= 0)
             return QCoreApplication::translate("CommandLine", "--set needs KEY=VALUE, got '%1'").arg(v);
         o.sets.append({v.left(eq).trimmed(), v.mid(eq + 1)});
         return QString();
     },
     "--set KEY=VALUE", QT_TRANSLATE_NOOP("CommandLine", "set one profile key (the KEYS below); repeatable")},

    {"--out-dir", true, Group::Output, CliMode::Gui, Inputs::Any, OutputModes,
     [](CliOptions& o, const QString& v) {
         o.outDir = v;
         return QString();
     },
     "--out-dir DIR", QT_TRANSLATE_NOOP("CommandLine", "write the outputs to DIR (default: beside the input)")},
    {"--if-exists", true, Group::Output, CliMode::Gui, Inputs::Any, OutputModes,
     [](CliOptions& o, const QString& v) {
         const QString p = v.toLower();
         if (p != QLatin1String("rename") && p != QLatin1String("overwrite") && p != QLatin1String("skip"))
             return QCoreApplication::translate("CommandLine", "--if-exists takes rename, overwrite or skip, not '%1'")
                 .arg(v);
         o.ifExists = p;
         return QString();
     },
     "--if-exists rename|overwrite|skip", QT_TRANSLATE_NOOP("CommandLine", "when the output exists (default: rename)")},
    {"--keep-dates", false, Group::Output, CliMode::Gui, Inputs::Any, OutputModes,
     [](CliOptions& o, const QString&) {
         o.keepDates = true;
         return QString();
     },
     "--keep-dates", QT_TRANSLATE_NOOP("CommandLine", "give each output its input's file dates")},
    {"--keep-tree", false, Group::Output, CliMode::Gui, Inputs::Any, OutputModes,
     [](CliOptions& o, const QString&) {
         o.keepTree = true;
         return QString();
     },
     "--keep-tree",
     QT_TRANSLATE_NOOP("CommandLine", "with --out-dir: a file found in an INPUT folder goes to the same subfolder "
                                      "of DIR as it has in that folder")},
    {"--jobs", true, Group::Output, CliMode::Gui, Inputs::Any, Modes({CliMode::Convert}),
     [](CliOptions& o, const QString& v) {
         if (v == QLatin1String("auto")) {
             o.jobs = 0;
             return QString();
         }
         bool ok = false;
         const int n = v.toInt(&ok);
         if (!ok || n < 1 || n > MaxParallelJobs)
             return QCoreApplication::translate("CommandLine", "--jobs takes a number from 1 to %1 or auto, not '%2'")
                 .arg(MaxParallelJobs)
                 .arg(v);
         o.jobs = n;
         return QString();
     },
     "--jobs N|auto", QT_TRANSLATE_NOOP("CommandLine", "convert N files side by side (auto: one per core; default 1)")},

    {"--home", true, Group::Input, CliMode::Gui, Inputs::Any, 0,
     [](CliOptions& o, const QString& v) {
         o.home = v;
         return QString();
     },
     "--home DIR", QT_TRANSLATE_NOOP("CommandLine", "use DIR as the program home")},
    // Handled before the table is searched; listed for --help.
    {"--", false, Group::Input, CliMode::Gui, Inputs::Any, 0, nullptr, "--",
     QT_TRANSLATE_NOOP("CommandLine", "end of options")},

    // Shown in the synopsis of --convert.
    {"--error-log", true, Group::Hidden, CliMode::Gui, Inputs::Any, Modes({CliMode::Convert}),
     [](CliOptions& o, const QString& v) {
         o.errorLog = v;
         return QString();
     }},
};

const Option* FindOption(const QString& name)
{
    for (const Option& o : Options) {
        if (name == QLatin1String(o.Name))
            return &o;
    }
    return nullptr;
}

const Option* ModeOption(CliMode m)
{
    for (const Option& o : Options) {
        if (o.InGroup == Group::Mode && o.Selects == m)
            return &o;
    }
    return nullptr;
}

// "--cmdline, --convert or --script": the mode options of the modes in bits.
QString ModeList(unsigned bits)
{
    QStringList names;
    for (const Option& o : Options) {
        if (o.InGroup == Group::Mode && (bits & ModeBit(o.Selects)))
            names << QLatin1String(o.Name);
    }
    const QString last = names.takeLast();
    if (names.isEmpty())
        return last;
    //: The last two of a list of options: "--convert, --script or --check"
    return QCoreApplication::translate("CommandLine", "%1 or %2").arg(names.join(QLatin1String(", ")), last);
}

} // namespace

CliParseResult ParseCommandLine(const QStringList& args)
{
    CliParseResult r;
    CliOptions& o = r.options;
    const Option* modeOption = nullptr;
    bool endOfOptions = false;
    // Options that belong to some modes are checked once the mode is known.
    QList<const Option*> modeBound;

    auto fail = [&r](const QString& msg) {
        r.ok = false;
        r.error = msg;
        return r;
    };

    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (endOfOptions || !a.startsWith(QLatin1String("--")) || a == QLatin1String("-")) {
            o.inputs << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            endOfOptions = true;
            continue;
        }
        QString name = a, value;
        bool hasInline = false;
        if (int eq = a.indexOf(QLatin1Char('=')); eq > 2) {
            name = a.left(eq);
            value = a.mid(eq + 1);
            hasInline = true;
        }
        const Option* opt = FindOption(name);
        if (!opt || (!opt->Set && opt->InGroup != Group::Mode))
            return fail(QCoreApplication::translate("CommandLine", "unknown option '%1'").arg(name));
        if (!opt->TakesValue && hasInline)
            return fail(QCoreApplication::translate("CommandLine", "option '%1' takes no value").arg(name));
        if (opt->InGroup == Group::Mode) {
            if (modeOption && modeOption->Selects != opt->Selects)
                return fail(QCoreApplication::translate("CommandLine", "'%1' cannot be combined with '%2'")
                                .arg(name, QLatin1String(modeOption->Name)));
            modeOption = ModeOption(opt->Selects);
            o.mode = opt->Selects;
        }
        if (opt->TakesValue && !hasInline) {
            if (i + 1 >= args.size())
                return fail(QCoreApplication::translate("CommandLine", "option '%1' needs an argument").arg(name));
            value = args.at(++i);
        }
        if (opt->Set) {
            if (const QString error = opt->Set(o, value); !error.isEmpty())
                return fail(error);
        }
        if (opt->AllowedIn)
            modeBound << opt;
    }

    for (Group g : {Group::Settings, Group::Output, Group::Input, Group::Hidden}) {
        for (const Option* opt : modeBound) {
            if (opt->InGroup == g && !(opt->AllowedIn & ModeBit(o.mode)))
                //: %2: the options of the modes it belongs to, "--convert, --script or --check"
                return fail(QCoreApplication::translate("CommandLine", "option '%1' needs %2")
                                .arg(QLatin1String(opt->Name), ModeList(opt->AllowedIn)));
        }
    }

    // Beside each input there is no tree to keep: a silent --keep-tree would mislead.
    if (o.keepTree && o.outDir.isEmpty())
        return fail(QCoreApplication::translate("CommandLine", "option '%1' needs %2")
                        .arg(QStringLiteral("--keep-tree"), QStringLiteral("--out-dir")));

    const Option* mode = ModeOption(o.mode);
    switch (mode ? mode->ModeInputs : Inputs::Any) {
    case Inputs::None:
        if (!o.inputs.isEmpty())
            return fail(QCoreApplication::translate("CommandLine", "unexpected argument '%1'").arg(o.inputs.first()));
        break;
    case Inputs::One:
        if (o.inputs.isEmpty())
            //: FILE as in the usage lines of --help
            return fail(QCoreApplication::translate("CommandLine", "'%1' needs a FILE").arg(QLatin1String(mode->Name)));
        if (o.inputs.size() > 1)
            return fail(QCoreApplication::translate("CommandLine", "unexpected argument '%1'").arg(o.inputs.at(1)));
        break;
    case Inputs::AtLeastOne:
        if (o.inputs.isEmpty())
            //: INPUT as in the usage lines of --help
            return fail(QCoreApplication::translate("CommandLine", "'%1' needs at least one INPUT")
                            .arg(QLatin1String(mode->Name)));
        break;
    case Inputs::Any:
        break; // the GUI takes the first argument when it names a file and ignores the rest
    }
    return r;
}

namespace {

// Lines of --help (and so of the man page) stay inside a terminal of 80 columns.
constexpr int HelpWidth = 79;

// text after a first line's start of start characters (indent unless given), broken
// where gap is to fit HelpWidth, every further line indented by indent; a piece longer
// than the room keeps its own line. A list of values breaks at ", " only, so that no value
// is cut in two.
QString Wrapped(const QString& text, int indent, const QString& gap = QStringLiteral(" "), int start = -1)
{
    const QString pad(indent, QLatin1Char(' '));
    const QString joint = gap.trimmed();
    const QStringList pieces = text.split(gap, Qt::SkipEmptyParts);
    QString out, line;
    qsizetype column = start < 0 ? indent : start; // where the line being filled starts
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString piece = pieces.at(i) + (i + 1 < pieces.size() ? joint : QString());
        if (!line.isEmpty() && column + line.size() + 1 + piece.size() > HelpWidth) {
            out += line + QLatin1Char('\n') + pad;
            line.clear();
            column = indent;
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + piece;
    }
    return out + line;
}

// The keys --set takes, one row each: section, key, type and values, straight from the
// setting rows, and under them the row's help from the key's column on (left of the
// values' column, so that wrapped values and help never read as one).
QString SetKeysText()
{
    const QList<TSettingRow>& rows = SettingRows();
    int sectionWidth = 0, nameWidth = 0, typeWidth = 0;
    for (const TSettingRow& row : rows) {
        sectionWidth = std::max(sectionWidth, int(qstrlen(row.Key.Section)));
        nameWidth = std::max(nameWidth, int(qstrlen(row.Key.Name)));
        typeWidth = std::max(typeWidth, int(KeyTable::TypeName(row.Key.Type).size()));
    }
    const int helpColumn = 2 + sectionWidth + 2;
    const int valuesColumn = helpColumn + nameWidth + 2 + typeWidth + 2;
    QString text;
    for (const TSettingRow& row : rows) {
        const TProfileKeys::Key& key = row.Key;
        if (!key.Read || key.Values.isEmpty())
            continue;
        text += QStringLiteral("  %1  %2  %3  ")
                    .arg(QLatin1String(key.Section), -sectionWidth)
                    .arg(QLatin1String(key.Name), -nameWidth)
                    .arg(KeyTable::TypeName(key.Type), -typeWidth)
                + Wrapped(key.Values, valuesColumn, QStringLiteral(", ")) + QLatin1Char('\n');
        if (*row.Help)
            text += QString(helpColumn, QLatin1Char(' '))
                    + Wrapped(QCoreApplication::translate("SettingRows", row.Help), helpColumn) + QLatin1Char('\n');
    }
    return text;
}

} // namespace

QString UsageText()
{
    // The help column starts after 35 characters; a longer left column puts its help on
    // the next line, one that just fits keeps two blanks (and its help's first line starts
    // later). The left column (the usage with its option names and placeholders) is the
    // same in every language.
    constexpr int HelpColumn = 33;
    auto row = [](const QString& usage, const QString& help) {
        QString line = QLatin1String("  ") + usage;
        if (!help.isEmpty()) {
            if (usage.size() > HelpColumn)
                line += QLatin1Char('\n') + QString(HelpColumn + 2, QLatin1Char(' '));
            else
                line += QString(std::max(HelpColumn - int(usage.size()), 2), QLatin1Char(' '));
            const qsizetype start = line.size() - line.lastIndexOf(QLatin1Char('\n')) - 1;
            line += Wrapped(help, HelpColumn + 2, QStringLiteral(" "), int(start));
        }
        return line + QLatin1Char('\n');
    };
    auto group = [&](Group g) {
        QString text;
        for (const Option& o : Options) {
            if (o.InGroup == g && o.Usage)
                text += row(QLatin1String(o.Usage), o.Help ? Tr(o.Help) : QString());
        }
        return text;
    };
    // The capital words name the placeholders of the usage lines, which stay as they are.
    return QCoreApplication::translate("CommandLine", "Usage:") + QLatin1Char('\n')
           + row(QStringLiteral("vexaconv [INPUT...]"),
                 QCoreApplication::translate("CommandLine", "open the window; every INPUT is added to the list"))
           + group(Group::Mode) + QLatin1Char('\n')
           + QCoreApplication::translate("CommandLine", "SETTINGS (start from the default encoder settings):")
           + QLatin1Char('\n') + group(Group::Settings) + QLatin1Char('\n')
           + QCoreApplication::translate("CommandLine",
                                         "KEYS of --set (any case; a value that cannot be used warns and is replaced):")
           + QLatin1Char('\n') + SetKeysText() + QLatin1Char('\n')
           + QCoreApplication::translate("CommandLine", "OUTPUT:") + QLatin1Char('\n') + group(Group::Output)
           + QLatin1Char('\n')
           + QCoreApplication::translate("CommandLine", "INPUT: files, folders and .lst file lists.") + QLatin1Char('\n')
           + group(Group::Input) + QLatin1Char('\n')
           + QCoreApplication::translate("CommandLine",
                                         "Exit status: 0 all done, 1 a file failed, 2 usage or set-up error, 130 "
                                         "interrupted.")
           + QLatin1Char('\n');
}

QString UsageErrorText(const QString& error)
{
    return QStringLiteral("vexaconv: %1\n").arg(error)
           + QCoreApplication::translate("CommandLine", "Try 'vexaconv --help' for more information.")
           + QLatin1Char('\n');
}
