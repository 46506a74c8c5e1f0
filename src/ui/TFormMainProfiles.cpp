// The main window's encoder settings: the panels' value and its copy, paste and
// defaults; the settings file and profiles: the start-up and shutdown hooks, the profile
// box and the load and save actions of the encoder settings.
#include "ui/TFormMain.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "settings/Profile.h"
#include "ui/TAdvancedPanel.h"
#include "ui/TAudioPanel.h"
#include "ui/TMainActions.h"
#include "ui/TOutputStrip.h"
#include "ui/TProfileBox.h"
#include "ui/TVideoPanel.h"
#include "ui/TWindowSettings.h"
#include "ui/UiKit.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QToolButton>
#include <QUrl>

#include <memory>
#include <utility>

namespace {

QString ProfileFilter() { return QCoreApplication::translate("TFormMain", "Ini files (*.ini *.INI)"); }

// The same directory, also through links; compared as the file system names them.
bool SameDirectory(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
    return QDir::cleanPath(QDir(a).absolutePath()) == QDir::cleanPath(QDir(b).absolutePath());
}

// The profiles folder lives in the hidden program home, where no dialog starts: it is one
// click away in the dialog's side bar instead, since the profile box lists what is there.
// The dialog keeps its side bar for every program (Qt's own settings): the place goes again
// before the dialog does, or every program home ever used would pile up there.
class TProfilesPlace {
public:
    explicit TProfilesPlace(QFileDialog& dlg) : m_dlg(dlg), m_places(dlg.sidebarUrls())
    {
        QDir().mkpath(AppParams().ProfilesDir);
        QList<QUrl> places = m_places;
        const QUrl profiles = QUrl::fromLocalFile(AppParams().ProfilesDir);
        if (!places.contains(profiles))
            places << profiles;
        dlg.setSidebarUrls(places);
    }
    ~TProfilesPlace() { m_dlg.setSidebarUrls(m_places); }
    TProfilesPlace(const TProfilesPlace&) = delete;
    TProfilesPlace& operator=(const TProfilesPlace&) = delete;

private:
    QFileDialog& m_dlg;
    const QList<QUrl> m_places;
};

} // namespace

// ---- the panels' settings ----------------------------------------------------------

EncodingSettings TFormMain::Settings() const
{
    EncodingSettings s;
    m_pnVideo->GetSettings(s);
    m_pnAudio->GetSettings(s);
    m_pnAdvanced->GetSettings(s);
    m_output->GetSettings(s);
    return s;
}

void TFormMain::SetSettings(const EncodingSettings& s)
{
    const bool wasUpdating = std::exchange(m_updating, true);
    m_pnVideo->SetSettings(s);
    m_pnAudio->SetSettings(s);
    m_pnAdvanced->SetSettings(s);
    m_output->SetSettings(s);
    m_updating = wasUpdating;
}

// Panel changes go through the settings value, so copy, paste and defaults are the
// library's rules, applied to what the panels show.
void TFormMain::ApplyPanelChange(const std::function<void(EncodingSettings&)>& change)
{
    EncodingSettings s = Settings();
    change(s);
    SetSettings(s);
    InitControls();
}

int TFormMain::DefaultVideoCodec() const
{
    return m_defaultVideoCodec;
}

void TFormMain::actSetDefaultEncoderSettingsExecute()
{
    ApplyPanelChange([this](EncodingSettings& s) { SetDefaultParams(s, DefaultVideoCodec()); });
    if (m_cbProfileNew->count() > 1)
        m_cbProfileNew->setCurrentIndex(1);
}

// Each panel's copy, paste and default actions work on its rows only.
void TFormMain::ConnectPanelActions()
{
    const TMainActions::TActions& a = m_ui->Acts();
    const struct {
        TSettingPanel Panel;
        QAction* Copy;
        QAction* Paste;
        QAction* Reset;
    } panels[] = {
        {TSettingPanel::Video, a.actCopyVideoSettings_Avi, a.actPasteVideoSettings_Avi, a.actDefaultVideoSettings_Avi},
        {TSettingPanel::Audio, a.actCopyAudioSettings, a.actPasteAudioSettings, a.actDefaultAudioSettings},
        {TSettingPanel::Advanced, a.actCopyAdvancedSettings, a.actPasteAdvancedSettings, a.actDefaultAdvancedSettings},
    };
    for (const auto& p : panels) {
        const TSettingPanel panel = p.Panel;
        QAction* paste = p.Paste;
        connect(p.Copy, &QAction::triggered, this, [this, panel, paste] {
            m_panelCopies[size_t(panel)] = CopyPanel(Settings(), panel);
            paste->setEnabled(true);
        });
        connect(paste, &QAction::triggered, this, [this, panel] {
            if (const std::optional<TPanelCopy>& copy = m_panelCopies[size_t(panel)])
                ApplyPanelChange([&copy](EncodingSettings& s) { PastePanel(s, *copy); });
        });
        connect(p.Reset, &QAction::triggered, this, [this, panel] {
            ApplyPanelChange([this, panel](EncodingSettings& s) { ResetPanel(s, panel, DefaultVideoCodec()); });
        });
    }
}

void TFormMain::ConnectSettingsActions()
{
    const TMainActions::TActions& a = m_ui->Acts();
    auto on = [this](QAction* action, void (TFormMain::*handler)()) { m_ui->On(action, this, handler); };
    on(a.actSetDefaultEncoderSettings, &TFormMain::actSetDefaultEncoderSettingsExecute);
    ConnectProfileActions();
    ConnectPanelActions();
}

// ---- start-up and shutdown hooks -------------------------------------------------

void TFormMain::LoadLastSessionProfile()
{
    const QString& file = AppParams().LastProfileFile;
    if (QFileInfo(file).isFile())
        LoadProfileFile(file);
}

TWindowParts TFormMain::Parts()
{
    return {*this, *this, *m_output, *m_ng, *m_ngFooter, *m_foldButton, m_lists->List(), m_formProgress};
}

void TFormMain::LoadSettingsFile()
{
    TWindowSettings::Load(Parts(), AppParams().IniName);
}

void TFormMain::FillProfileList()
{
    const TAppParams& ap = AppParams();
    m_profiles.Rebuild(ap.ProfilesDir, ap.LastProfileFile, ShippedProfilesDir(ap));
    if (auto* box = qobject_cast<TProfileBox*>(m_cbProfileNew))
        box->Fill(m_profiles);
}

TResult TFormMain::SaveSettingsFile()
{
    // Closing goes on whatever happens: the old file stays as it was.
    return TWindowSettings::Save(Parts(), AppParams().IniName);
}

TResult TFormMain::SaveLastSessionProfile()
{
    return Profile::SaveProfile(AppParams().LastProfileFile, Settings());
}

// ---- profiles --------------------------------------------------------------------

void TFormMain::LoadProfileFile(const QString& fileName)
{
    EncodingSettings s = Settings();
    Profile::LoadProfile(fileName, s, TProfileReadContext{DefaultVideoCodec(), {}});
    SetSettings(s);
    InitControls();
}

TResult TFormMain::SaveProfileFile(const QString& fileName)
{
    return Profile::SaveProfile(fileName, Settings());
}

void TFormMain::ApplyProfileEntry(int boxIndex)
{
    const TAppParams& ap = AppParams();
    if (boxIndex == TProfileList::LastSessionIndex) {
        LoadProfileFile(ap.LastProfileFile);
    } else if (boxIndex == TProfileList::DefaultSettingsIndex) {
        actSetDefaultEncoderSettingsExecute();
    } else if (boxIndex >= TProfileList::FirstProfileIndex) {
        const QString file = m_profiles.ProfileFileForBoxIndex(boxIndex);
        if (!file.isEmpty())
            LoadProfileFile(file);
    }
}

void TFormMain::actLoadProfileExecute()
{
    QFileDialog dlg(this, tr("Load encoder settings"), DialogStartFolder(), ProfileFilter());
    dlg.setObjectName(QStringLiteral("dlgLoadProfile"));
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(QStringLiteral("ini"));
    const TProfilesPlace profiles(dlg);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return;
    // Any profile file is applied, whatever program its "MAIN" names; the box stays.
    LoadProfileFile(dlg.selectedFiles().constFirst());
}

void TFormMain::actSaveProfileExecute()
{
    const TAppParams& ap = AppParams();
    // A profile saved in the profiles folder shows in the Profile box: the dialog starts there.
    QDir().mkpath(ap.ProfilesDir);
    const QString start = QFileInfo(ap.ProfilesDir).isDir() ? ap.ProfilesDir : DialogStartFolder();
    std::unique_ptr<QFileDialog> dlg(
        UiKit::MakeSaveDialog(this, tr("Save encoder settings"), start, {ProfileFilter()}, {QStringLiteral("ini")}));
    const TProfilesPlace profiles(*dlg);
    const QString file = dlg->exec() == QDialog::Accepted ? dlg->selectedFiles().value(0) : QString();
    if (file.isEmpty())
        return;
    // The profiles that came with the program stay as they came (an uninstalled build could write there).
    if (const QString shipped = ShippedProfilesDir(ap);
        !shipped.isEmpty() && SameDirectory(QFileInfo(file).absolutePath(), shipped)) {
        QMessageBox box(QMessageBox::Warning, QLatin1String(AppInfo::ProgramName),
                        tr("The profiles that come with the program cannot be changed: save yours in your own "
                           "profiles folder."),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    if (const TResult saved = SaveProfileFile(file); !saved.ok()) {
        QMessageBox box(QMessageBox::Critical, QLatin1String(AppInfo::ProgramName), saved.error(), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    const QFileInfo saved(file);
    if (!SameDirectory(saved.absolutePath(), ap.ProfilesDir))
        return;
    FillProfileList();
    // Selected to show where it went, not applied: it holds what the window shows.
    m_cbProfileNew->setCurrentIndex(m_profiles.BoxIndexOfFile(saved.fileName()));
}

void TFormMain::ConnectProfileActions()
{
    const TMainActions::TActions& a = m_ui->Acts();
    m_ui->On(a.actLoadProfile, this, &TFormMain::actLoadProfileExecute);
    m_ui->On(a.actSaveProfile, this, &TFormMain::actSaveProfileExecute);
    connect(a.actLoadSelectedProfile, &QAction::triggered, this,
            [this] { ApplyProfileEntry(m_cbProfileNew->currentIndex()); });
    // Only the user's pick applies an entry: rebuilding the box or selecting from code
    // (after a save, after "Default encoder settings") must not reload anything.
    connect(m_cbProfileNew, &QComboBox::activated, this, [this](int index) { ApplyProfileEntry(index); });
}
