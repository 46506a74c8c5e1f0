#include "settings/HeadlessSettings.h"

#include "settings/AppSettings.h"
#include "settings/Profile.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileList.h"

#include <QCoreApplication>
#include <QFileInfo>

EncodingSettings THeadlessSettings::Defaults(const TAppParams& params, int* defaultVideoCodec)
{
    // Only the default encoder is wanted; the screen size does not matter here.
    TAppSettings app;
    app.LoadFromFile(params.IniName, 1 << 20, 1 << 20);
    EncodingSettings s;
    s.resolutionItems = EncodingSettings::ResolutionItems(ResolutionEntries(params));
    SetDefaultParams(s, app.DefaultVideoCodec);
    if (defaultVideoCodec)
        *defaultVideoCodec = app.DefaultVideoCodec;
    return s;
}

TResultOf<QString> THeadlessSettings::ProfileFile(const TAppParams& params, const QString& profile)
{
    const auto fail = [](const QString& why) { return TResultOf<QString>(TResult::Failure(why)); };
    if (profile == QLatin1String("last")) {
        const QString file = params.LastProfileFile;
        if (QFileInfo(file).isFile())
            return file;
        return fail(QCoreApplication::translate("Settings", "no such profile: %1").arg(file));
    }
    if (QFileInfo(profile).isFile())
        return QFileInfo(profile).absoluteFilePath();
    // A path names a file; a bare word may also be a name from the profiles folder.
    if (!profile.contains(QLatin1Char('/'))) {
        TProfileList list;
        list.Rebuild(params.ProfilesDir, params.LastProfileFile, ShippedProfilesDir(params));
        const QStringList files = list.FilesNamed(profile);
        if (files.size() == 1)
            return files.first();
        if (files.size() > 1) {
            QStringList names;
            for (const QString& f : files)
                names << QFileInfo(f).fileName();
            return fail(QCoreApplication::translate("Settings",
                                                    "profile name '%1' is shown by several profiles, give one of their "
                                                    "files: %2")
                            .arg(profile, names.join(QStringLiteral(", "))));
        }
        return fail(QCoreApplication::translate("Settings", "no such profile: %1 (neither a file nor a profile in %2)")
                        .arg(profile, params.ProfilesDir));
    }
    return fail(QCoreApplication::translate("Settings", "no such profile: %1").arg(profile));
}

THeadlessSettings THeadlessSettings::Resolve(const TAppParams& params, const QString& profile,
                                             const QList<QPair<QString, QString>>& sets)
{
    THeadlessSettings r;
    int defaultVideoCodec = 0;
    r.Settings = Defaults(params, &defaultVideoCodec);

    if (!profile.isEmpty()) {
        const TResultOf<QString> found = ProfileFile(params, profile);
        if (!found.ok()) {
            r.Status = TResult::Failure(found.error());
            return r;
        }
        const QString& file = found.value();
        TProfileReadContext context;
        context.DefaultVideoCodec = defaultVideoCodec;
        if (!Profile::LoadProfile(file, r.Settings, context)) {
            r.Status =
                TResult::Failure(QCoreApplication::translate("Settings", "cannot read the profile: %1").arg(file));
            return r;
        }
    }

    for (const QPair<QString, QString>& set : sets) {
        // Plain references, not a structured binding: the lambda below captures rawValue.
        const QString& name = set.first;
        const QString& rawValue = set.second;
        const TProfileKeys::Key* key = TProfileKeys::Find(name.trimmed());
        if (!key) {
            r.Status = TResult::Failure(QCoreApplication::translate("Settings", "unknown settings key: %1").arg(name));
            return r;
        }
        // Profile values are trimmed when the file is read; a --set value is read alike.
        const QString value = rawValue.trimmed();
        TProfileReadContext context;
        context.DefaultVideoCodec = defaultVideoCodec;
        context.Fallback = [&](const QString& why, const QString& used) {
            //: %1=%2 is the option's key and value as given, %3 why the value cannot be used,
            //: %4 the value used instead
            r.Warnings << QCoreApplication::translate("Settings", "warning: --set %1=%2: %3; %4 is used instead")
                              .arg(QLatin1String(key->Name), rawValue, why, used);
        };
        key->Read(r.Settings, &value, context);
    }
    return r;
}
