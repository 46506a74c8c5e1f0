#include "conversion/BatchScript.h"

#include "encoding/EncoderCommand.h"
#include "lib/TextFile.h"

#include <QFileInfo>

namespace {

const QString RemSlashes = QString(33, QLatin1Char('/'));

QString ShArray(const QString& name, const QString& piece)
{
    QStringList words;
    for (const QString& w : SplitArgsWindowsWay(piece))
        words << ShellQuote(w);
    return name + QStringLiteral("=(") + words.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// The bash twin of the batch file's pass-log name: the same unique file name, under
// the temporary directory of whoever runs the script.
QString ShPassLogName(const QString& passLogFileBat)
{
    QString name = passLogFileBat;
    name.remove(QStringLiteral("%TEMP%\\"));
    return QStringLiteral("\"${TMPDIR:-/tmp}/") + name + QLatin1Char('"');
}

} // namespace

namespace {

struct TScriptKind {
    const char* Suffix;
    TScriptFormat Format;
};

// One entry per kind of script the batch can be written as.
constexpr TScriptKind ScriptKinds[] = {
    {".bat", TScriptFormat::Bat},
    {".sh", TScriptFormat::Sh},
};

} // namespace

std::optional<TScriptFormat> ScriptFormatFromName(const QString& fileName)
{
    for (const TScriptKind& k : ScriptKinds) {
        const QLatin1String suffix(k.Suffix);
        if (fileName.size() > suffix.size() && fileName.endsWith(suffix, Qt::CaseInsensitive)
            && !fileName.endsWith(QString(QLatin1Char('/')) + suffix, Qt::CaseInsensitive))
            return k.Format;
    }
    return std::nullopt;
}

QString ScriptNameRule()
{
    QStringList suffixes;
    for (const TScriptKind& k : ScriptKinds)
        suffixes << QLatin1String(k.Suffix);
    const QString last = suffixes.takeLast();
    return QStringLiteral("must end in ") + (suffixes.isEmpty() ? last : suffixes.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last);
}

TScriptFormat ScriptFormatFor(const QString& fileName)
{
    return ScriptFormatFromName(fileName).value_or(TScriptFormat::Bat);
}

bool IsBatSafePath(const QString& path)
{
    if (!path.isValidUtf16())
        return false;
    for (const QChar c : path) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) || u == u'"' || u == u'%' || u == u'!'
            || u == 0xFFFD || u == 0x2028 || u == 0x2029)
            return false;
    }
    return true;
}

QString ShellQuote(const QString& word)
{
    QString q = word;
    q.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

void TBatchScript::Begin(const QString& encoderPath, bool twoPass, const QString& passLogFileBat)
{
    m_encoder = encoderPath;
    m_twoPass = twoPass;
    m_passLogBat = passLogFileBat;
    m_files.clear();
}

void TBatchScript::AddFile(const TScriptFileBlock& block) { m_files << block; }

void TBatchScript::Clear()
{
    m_files.clear();
    m_encoder.clear();
}

QString TBatchScript::BatText() const
{
    QStringList l;
    l << QStringLiteral("@echo off") << QStringLiteral("chcp 65001") << QStringLiteral("rem UTF-8 encoding") << QString();
    l << QStringLiteral("set mencoder=\"%1\"").arg(m_encoder);
    for (const TScriptFileBlock& f : m_files) {
        l << QStringLiteral("set VCodec=") + f.VCodec;
        l << QStringLiteral("set ACodec=") + f.ACodec;
        l << QStringLiteral("set AdvParams=") + f.AdvParams;
        l << QStringLiteral("set AddParams=") + f.AddParams;
        if (m_twoPass)
            l << QStringLiteral("set PassLogFile=\"%1\"").arg(m_passLogBat);
        l << QString();
        l << QStringLiteral("rem %1 file %2 %1").arg(RemSlashes).arg(f.FileNo);
        const QString head = QStringLiteral("%mencoder% \"") + f.Input + QStringLiteral("\" %VCodec% ");
        const QString tail = QStringLiteral(" %ACodec% %AParams% %AdvParams% %AddParams% -o \"") + f.Output + QLatin1Char('"');
        if (m_twoPass) {
            l << QStringLiteral("set VParams1=") + f.VParams1 + QStringLiteral(" -passlogfile %PassLogFile%");
            l << QStringLiteral("set VParams2=") + f.VParams2 + QStringLiteral(" -passlogfile %PassLogFile%");
            l << QStringLiteral("set AParams=") + f.AParams;
            l << head + QStringLiteral("%VParams1%") + tail;
            l << head + QStringLiteral("%VParams2%") + tail;
        } else {
            l << QStringLiteral("set VParams=") + f.VParams;
            l << QStringLiteral("set AParams=") + f.AParams;
            l << head + QStringLiteral("%VParams%") + tail;
        }
    }
    if (m_twoPass)
        l << QString() << QStringLiteral("rem Removing log files") << QStringLiteral("if exist %PassLogFile% del %PassLogFile%")
          << QStringLiteral("if exist %PassLogFile%.mbtree del %PassLogFile%.mbtree");
    l << QString() << QStringLiteral("pause");
    return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QString TBatchScript::ShText() const
{
    QStringList l;
    l << QStringLiteral("#!/usr/bin/env bash") << QStringLiteral("# Written by Vexa Video Converter.") << QString();
    l << QStringLiteral("mencoder=") + ShellQuote(m_encoder);
    if (m_twoPass)
        l << QStringLiteral("PassLogFile=") + ShPassLogName(m_passLogBat);
    for (const TScriptFileBlock& f : m_files) {
        l << QString() << QStringLiteral("# %1 file %2 %1").arg(RemSlashes).arg(f.FileNo);
        l << ShArray(QStringLiteral("VCodec"), f.VCodec);
        l << ShArray(QStringLiteral("ACodec"), f.ACodec);
        l << ShArray(QStringLiteral("AdvParams"), f.AdvParams);
        l << ShArray(QStringLiteral("AddParams"), f.AddParams);
        // The words are exactly the runner's argument vector, so no name can inject.
        const QString head = QStringLiteral("\"$mencoder\" ") + ShellQuote(PathArg(f.Input)) + QStringLiteral(" \"${VCodec[@]}\" ");
        QString tail = QStringLiteral(" \"${ACodec[@]}\" \"${AParams[@]}\" \"${AdvParams[@]}\" \"${AddParams[@]}\"");
        if (m_twoPass)
            tail += QStringLiteral(" -passlogfile \"$PassLogFile\"");
        tail += QStringLiteral(" -o ") + ShellQuote(PathArg(f.Output));
        if (m_twoPass) {
            l << ShArray(QStringLiteral("VParams1"), f.VParams1);
            l << ShArray(QStringLiteral("VParams2"), f.VParams2);
            l << ShArray(QStringLiteral("AParams"), f.AParams);
            l << head + QStringLiteral("\"${VParams1[@]}\"") + tail;
            l << head + QStringLiteral("\"${VParams2[@]}\"") + tail;
        } else {
            l << ShArray(QStringLiteral("VParams"), f.VParams);
            l << ShArray(QStringLiteral("AParams"), f.AParams);
            l << head + QStringLiteral("\"${VParams[@]}\"") + tail;
        }
    }
    if (m_twoPass)
        l << QString() << QStringLiteral("# Removing log files") << QStringLiteral("rm -f -- \"$PassLogFile\" \"$PassLogFile.mbtree\"");
    return l.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool TBatchScript::Save(const QString& fileName, QString* error) const
{
    const TScriptFormat format = ScriptFormatFor(fileName);
    return TextFile::SaveBytes(fileName, Text(format).toUtf8(), error, format == TScriptFormat::Sh);
}
