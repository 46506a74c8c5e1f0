#include "base/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace Language {

namespace {

// "de_DE.UTF-8@euro" -> "de"; "" for a C or POSIX locale or none.
QString LocaleLanguage(const QString& locale)
{
    QString l = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (l.isEmpty() || l == QLatin1String("C") || l == QLatin1String("POSIX"))
        return {};
    return l.section(QLatin1Char('_'), 0, 0).toLower();
}

// The program's catalogue Install put in place last, and its language.
QPointer<QTranslator>& InstalledCatalogue()
{
    static QPointer<QTranslator> catalogue;
    return catalogue;
}
QString& InstalledLanguage()
{
    static QString lang;
    return lang;
}

bool Known(const QString& lang, const QStringList& translated)
{
    return lang == QLatin1String("en") || translated.contains(lang);
}

} // namespace

const QStringList& Translated()
{
    static const QStringList languages =
        QString::fromLatin1(VEXA_TRANSLATIONS).split(QLatin1Char(','), Qt::SkipEmptyParts);
    return languages;
}

TLocaleVars ProcessLocaleVars()
{
    return {qEnvironmentVariable("LANGUAGE"), qEnvironmentVariable("LC_ALL"),
            qEnvironmentVariable("LC_MESSAGES"), qEnvironmentVariable("LANG")};
}

QString FromLocale(const TLocaleVars& vars, const QStringList& translated)
{
    const QString locale = !vars.lcAll.isEmpty() ? vars.lcAll
                         : !vars.lcMessages.isEmpty() ? vars.lcMessages : vars.lang;
    const QString own = LocaleLanguage(locale);
    if (own.isEmpty())
        return QStringLiteral("en");
    for (const QString& entry : vars.language.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString lang = LocaleLanguage(entry);
        if (Known(lang, translated))
            return lang;
    }
    return Known(own, translated) ? own : QStringLiteral("en");
}

QString Resolve(const QString& choice, const TLocaleVars& vars, const QStringList& translated)
{
    if (Known(choice, translated))
        return choice;
    return FromLocale(vars, translated);
}

QString Current()
{
    return InstalledCatalogue() ? InstalledLanguage() : QStringLiteral("en");
}

QString LocalisedFile(const QString& file, const QString& lang)
{
    if (lang.isEmpty() || lang == QLatin1String("en"))
        return file;
    const QFileInfo fi(file);
    const QString suffix = fi.suffix();
    const QString name = suffix.isEmpty() ? fi.fileName() + QLatin1Char('.') + lang
                                          : fi.completeBaseName() + QLatin1Char('.') + lang + QLatin1Char('.') + suffix;
    const QString localised = fi.dir().filePath(name);
    return QFileInfo(localised).isFile() ? localised : file;
}

QStringList CatalogueDirs(const QString& executableDir)
{
    return {executableDir + QStringLiteral("/translations"),
            QDir::cleanPath(executableDir + QStringLiteral("/../share/vexaconv/translations"))};
}

bool Install(const QString& lang, const QStringList& dirs, QObject* owner)
{
    if (lang == QLatin1String("en") || lang.isEmpty())
        return true;
    // A translator removes itself from the application when it is deleted with its owner.
    auto* qt = new QTranslator(owner);
    if (qt->load(QStringLiteral("qtbase_") + lang, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    auto* own = new QTranslator(owner);
    for (const QString& dir : dirs) {
        if (own->load(QStringLiteral("vexaconv_") + lang, dir)) {
            InstalledCatalogue() = own;
            InstalledLanguage() = lang;
            return QCoreApplication::installTranslator(own);
        }
    }
    return false;
}

} // namespace Language
