#include "settings/HeadlessSettings.h"

#include "settings/AppSettings.h"
#include "settings/Profile.h"
#include "settings/ProfileKeys.h"

#include <QFileInfo>

EncodingSettings THeadlessSettings::Defaults(const TAppParams& params, int* defaultVideoCodec)
{
    // Only the default encoder is wanted; the screen size does not matter here.
    TAppSettings app;
    app.LoadFromFile(params.IniName, 1 << 20, 1 << 20);
    EncodingSettings s;
    s.cbResolution_Items = EncodingSettings::ResolutionItems(ResolutionEntries(params));
    SetDefaultParams(s, app.DefaultVideoCodec);
    if (defaultVideoCodec)
        *defaultVideoCodec = app.DefaultVideoCodec;
    return s;
}

THeadlessSettings THeadlessSettings::Resolve(const TAppParams& params, const QString& profile,
                                             const QList<QPair<QString, QString>>& sets)
{
    THeadlessSettings r;
    int defaultVideoCodec = 0;
    r.Settings = Defaults(params, &defaultVideoCodec);

    if (!profile.isEmpty()) {
        const QString file = profile == QLatin1String("last") ? params.LastProfileFile
                                                              : QFileInfo(profile).absoluteFilePath();
        TProfileReadContext context;
        context.DefaultVideoCodec = defaultVideoCodec;
        if (!QFileInfo(file).isFile()) {
            r.Ok = false;
            r.Error = QStringLiteral("no such profile: %1").arg(profile == QLatin1String("last") ? file : profile);
            return r;
        }
        if (!Profile::LoadProfile(file, r.Settings, context)) {
            r.Ok = false;
            r.Error = QStringLiteral("cannot read the profile: %1").arg(file);
            return r;
        }
    }

    for (const auto& [name, rawValue] : sets) {
        const TProfileKeys::Key* key = TProfileKeys::Find(name.trimmed());
        if (!key) {
            r.Ok = false;
            r.Error = QStringLiteral("unknown settings key: %1").arg(name);
            return r;
        }
        // Profile values are trimmed when the file is read; a --set value is read alike.
        const QString value = rawValue.trimmed();
        TProfileReadContext context;
        context.DefaultVideoCodec = defaultVideoCodec;
        context.Fallback = [&](const QString& why, const QString& used) {
            r.Warnings << QStringLiteral("warning: --set %1=%2: %3; %4 is used instead")
                              .arg(QLatin1String(key->Name), rawValue, why, used);
        };
        key->Read(r.Settings, &value, context);
    }
    return r;
}
