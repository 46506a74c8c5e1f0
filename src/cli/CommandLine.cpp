#include "cli/CommandLine.h"

namespace {

bool TakesSettings(CliMode m) { return m == CliMode::CmdLine || m == CliMode::Convert || m == CliMode::Script; }
bool TakesOutput(CliMode m) { return m == CliMode::Convert || m == CliMode::Script; }

QString ModeOption(CliMode m)
{
    switch (m) {
    case CliMode::Help: return QStringLiteral("--help");
    case CliMode::Version: return QStringLiteral("--version");
    case CliMode::ToolsInfo: return QStringLiteral("--tools-info");
    case CliMode::Info: return QStringLiteral("--info");
    case CliMode::CmdLine: return QStringLiteral("--cmdline");
    case CliMode::Convert: return QStringLiteral("--convert");
    case CliMode::Script: return QStringLiteral("--script");
    case CliMode::CheckUpdate: return QStringLiteral("--check-update");
    case CliMode::Gui: break;
    }
    return QString();
}

} // namespace

CliParseResult ParseCommandLine(const QStringList& args)
{
    CliParseResult r;
    CliOptions& o = r.options;
    bool modeSet = false;
    bool endOfOptions = false;
    // Options that belong to a mode are checked once the mode is known.
    QStringList settingsOpts, outputOpts;
    bool errorLogGiven = false;

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
        QString name = a, inlineValue;
        bool hasInline = false;
        if (int eq = a.indexOf(QLatin1Char('=')); eq > 2) {
            name = a.left(eq);
            inlineValue = a.mid(eq + 1);
            hasInline = true;
        }
        auto value = [&](QString* out) -> bool {
            if (hasInline) {
                *out = inlineValue;
                return true;
            }
            if (i + 1 >= args.size())
                return false;
            *out = args.at(++i);
            return true;
        };
        auto setMode = [&](CliMode m) -> bool {
            if (modeSet && o.mode != m)
                return false;
            o.mode = m;
            modeSet = true;
            return true;
        };

        static const struct { const char* name; CliMode mode; bool valued; } modes[] = {
            {"--help", CliMode::Help, false},         {"--version", CliMode::Version, false},
            {"--tools-info", CliMode::ToolsInfo, false}, {"--info", CliMode::Info, false},
            {"--cmdline", CliMode::CmdLine, false},   {"--convert", CliMode::Convert, false},
            {"--script", CliMode::Script, true},      {"--check-update", CliMode::CheckUpdate, false},
        };
        bool handled = false;
        for (const auto& m : modes) {
            if (name != QLatin1String(m.name))
                continue;
            handled = true;
            if (!m.valued && hasInline)
                return fail(QStringLiteral("option '%1' takes no value").arg(name));
            if (!setMode(m.mode))
                return fail(QStringLiteral("'%1' cannot be combined with '%2'").arg(name, ModeOption(o.mode)));
            if (m.valued && !value(&o.scriptFile))
                return fail(QStringLiteral("option '%1' needs an argument").arg(name));
        }
        if (handled)
            continue;

        QString v;
        if (name == QLatin1String("--keep-dates")) {
            if (hasInline)
                return fail(QStringLiteral("option '%1' takes no value").arg(name));
            o.keepDates = true;
            outputOpts << name;
            continue;
        }
        static const char* valued[] = {"--home", "--profile", "--set", "--out-dir", "--if-exists", "--error-log"};
        bool known = false;
        for (const char* k : valued)
            known = known || name == QLatin1String(k);
        if (!known)
            return fail(QStringLiteral("unknown option '%1'").arg(name));
        if (!value(&v))
            return fail(QStringLiteral("option '%1' needs an argument").arg(name));

        if (name == QLatin1String("--home")) {
            o.home = v;
        } else if (name == QLatin1String("--profile")) {
            o.profile = v;
            settingsOpts << name;
        } else if (name == QLatin1String("--set")) {
            const int eq = v.indexOf(QLatin1Char('='));
            if (eq <= 0)
                return fail(QStringLiteral("--set needs KEY=VALUE, got '%1'").arg(v));
            o.sets.append({v.left(eq).trimmed(), v.mid(eq + 1)});
            settingsOpts << name;
        } else if (name == QLatin1String("--out-dir")) {
            o.outDir = v;
            outputOpts << name;
        } else if (name == QLatin1String("--if-exists")) {
            const QString p = v.toLower();
            if (p != QLatin1String("rename") && p != QLatin1String("overwrite") && p != QLatin1String("skip"))
                return fail(QStringLiteral("--if-exists takes rename, overwrite or skip, not '%1'").arg(v));
            o.ifExists = p;
            outputOpts << name;
        } else if (name == QLatin1String("--error-log")) {
            o.errorLog = v;
            errorLogGiven = true;
        }
    }

    if (!settingsOpts.isEmpty() && !TakesSettings(o.mode))
        return fail(QStringLiteral("option '%1' needs --cmdline, --convert or --script").arg(settingsOpts.first()));
    if (!outputOpts.isEmpty() && !TakesOutput(o.mode))
        return fail(QStringLiteral("option '%1' needs --convert or --script").arg(outputOpts.first()));
    if (errorLogGiven && o.mode != CliMode::Convert)
        return fail(QStringLiteral("option '--error-log' needs --convert"));

    switch (o.mode) {
    case CliMode::Help:
    case CliMode::Version:
    case CliMode::ToolsInfo:
    case CliMode::CheckUpdate:
        if (!o.inputs.isEmpty())
            return fail(QStringLiteral("unexpected argument '%1'").arg(o.inputs.first()));
        break;
    case CliMode::Info:
    case CliMode::CmdLine:
        if (o.inputs.isEmpty())
            return fail(QStringLiteral("'%1' needs a FILE").arg(ModeOption(o.mode)));
        if (o.inputs.size() > 1)
            return fail(QStringLiteral("unexpected argument '%1'").arg(o.inputs.at(1)));
        break;
    case CliMode::Convert:
    case CliMode::Script:
        if (o.inputs.isEmpty())
            return fail(QStringLiteral("'%1' needs at least one INPUT").arg(ModeOption(o.mode)));
        break;
    case CliMode::Gui:
        break; // the GUI takes the first argument when it names a file and ignores the rest
    }
    return r;
}

QString UsageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  vexaconv [FILE]                  start the program; FILE is added to the list\n"
        "  vexaconv --help | --version\n"
        "  vexaconv --tools-info            report on the encoder and the MediaInfo library\n"
        "  vexaconv --info FILE             the file information report of FILE\n"
        "  vexaconv --cmdline [SETTINGS] FILE\n"
        "                                   the encoder command line for FILE\n"
        "  vexaconv --convert [SETTINGS] [OUTPUT] [--error-log FILE] INPUT...\n"
        "                                   convert every INPUT\n"
        "  vexaconv --script OUT.bat|OUT.sh [SETTINGS] [OUTPUT] INPUT...\n"
        "                                   write the batch as a script instead of running it\n"
        "  vexaconv --check-update          ask the maker's server for a newer version\n"
        "\n"
        "SETTINGS (start from the default encoder settings):\n"
        "  --profile FILE|last              load a profile (last: the last-session settings)\n"
        "  --set KEY=VALUE                  set one profile key (VIDEO, AUDIO, ADVANCED); repeatable\n"
        "\n"
        "OUTPUT:\n"
        "  --out-dir DIR                    write the outputs to DIR (default: beside the input)\n"
        "  --if-exists rename|overwrite|skip  when the output exists (default: rename)\n"
        "  --keep-dates                     give each output its input's file dates\n"
        "\n"
        "INPUT: files, folders and .lst file lists.\n"
        "  --home DIR                       use DIR as the program home\n"
        "  --                               end of options\n"
        "\n"
        "Exit status: 0 all done, 1 a file failed, 2 usage or set-up error, 130 interrupted.\n");
}

QString UsageErrorText(const QString& error)
{
    return QStringLiteral("vexaconv: %1\nTry 'vexaconv --help' for more information.\n").arg(error);
}
