#include "encoding/SettingsRules.h"
// Window tests: the main window's actions, menus and enabling, the settings panels and
// the auxiliary windows, on the offscreen platform.
#include "encoding/SettingRows.h"
#include "test_ui_support.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "encoding/EncodingSettings.h"
#include "ui/TAdvancedPanel.h"
#include "ui/TFormCmdLine.h"
#include "runner/ErrorLog.h"
#include "ui/TFormErrors.h"
#include "ui/TFormFileInfo.h"
#include "ui/TFormMain.h"
#include "ui/TFormProgress.h"
#include "ui/TWordCaptionDelegate.h"
#include "ui/UiKit.h"
#include "runner/ProgressUpdate.h"

#include <QAbstractItemView>
#include <QAction>
#include <QHash>
#include <QImage>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace UiTest;

TEST(UiMainWindow, CaptionSizeAndActionsWithTheirShortcuts)
{
    MainWindowFixture f;
    EXPECT_EQ(f.w->windowTitle(), AppInfo::FullCaption());
    EXPECT_EQ(f.w->size(), QSize(934, 712));
    EXPECT_EQ(f.w->minimumSize(), QSize(650, 400));
    const struct {
        const char* name;
        const char* caption;
        const char* shortcut;
    } expected[] = {
        {"actAddFiles", "Add files...", "Ctrl+O"},
        {"actAddFolder", "Add folder...", "Ctrl+F"},
        {"actCheckAll", "Check all", "Ctrl+A"},
        {"actInvertSelection", "Invert selection", "Ctrl+I"},
        {"actLoadFileList", "Load file list...", "Ctrl+Shift+O"},
        {"actSaveFileList", "Save file list...", "Ctrl+Shift+S"},
        {"actConvert", "Convert", "Ctrl+E"},
        {"actPreview", "Preview...", "F9"},
        {"actSaveBat", "Save script...", ""},
        {"actShowOptions", "Options...", "F12"},
        {"actMinimizeToTray", "Minimize to tray", "Ctrl+Shift+M"},
        {"actShowProgressWindow", "Show progress window", "F8"},
        {"actShowHideFileInfo", "Show / hide video file properties", "F10"},
        {"actShowHideFormErrors", "Show / hide error log", "F11"},
        {"actLoadProfile", "Load encoder settings...", "Ctrl+P"},
        {"actSaveProfile", "Save encoder settings...", "Ctrl+S"},
        {"actLoadSelectedProfile", "<-- Load", ""},
        {"actShowCmdLine", "Encoder command-line parameters...", "F2"},
        {"actToolsInfo", "Tools info...", "Ctrl+Shift+I"},
        {"actCheckUpdate", "Check for updates...", "Ctrl+Shift+U"},
        {"actAbout", "About...", "Ctrl+Shift+F1"},
        {"actManual", "Manual", "F1"},
        {"actExit", "Exit", "Ctrl+Q"},
        {"actRemoveSelected", "Remove selected files from list", "Del"},
        {"actEsc", "", "Esc"},
        {"actColVideoFPSVisible", "Frames/sec.", ""},
        {"actColAudioSamplingVisible", "Sampling", ""},
    };
    for (const auto& e : expected) {
        QAction* a = f.w->Action(QLatin1String(e.name));
        ASSERT_NE(a, nullptr) << e.name;
        EXPECT_EQ(UiKit::WithoutMnemonic(a->text()), QString::fromUtf8(e.caption)) << e.name;
        EXPECT_EQ(a->shortcut().toString(), QLatin1String(e.shortcut)) << e.name;
    }
    // The help item is there for its shortcut-free action only.
    EXPECT_FALSE(f.w->Action(QStringLiteral("actHelp"))->isVisible());
}

// Help › Manual where the guide was left out of the installation says where it looked.
TEST(UiMainWindow, AMissingManualSaysWhereItWasLookedFor)
{
    MainWindowFixture f;
    const QString missing = f.tmp.filePath(QStringLiteral("share/doc/vexaconv/manual.html"));
    EditAppParams().ManualFile = missing;
    ModalWatcher watcher;
    f.w->Action(QStringLiteral("actManual"))->trigger();
    ASSERT_EQ(watcher.boxTexts.size(), 1);
    EXPECT_TRUE(watcher.boxTexts[0].endsWith(QLatin1Char('\n') + missing)) << watcher.boxTexts[0].toStdString();
}

TEST(UiMainWindow, MenusInTheirOrder)
{
    MainWindowFixture f;
    QStringList titles;
    for (QAction* a : f.w->menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&View", "File &list", "&Encoder", "&Help"}));
    EXPECT_EQ(MenuNames(f.w->findChild<QMenu*>(QStringLiteral("mnuFile"))),
              (QStringList{"actConvert", "actPreview", "-", "actSaveBat", "-", "actShowOptions", "actStayOnTop", "-",
                           "actMinimizeToTray", "actExit"}));
    const QStringList columns = MenuNames(f.w->findChild<QMenu*>(QStringLiteral("mnuViewColumns")));
    ASSERT_EQ(columns.size(), 29 + 3);
    EXPECT_EQ(columns.first(), QStringLiteral("actColNoVisible"));
    EXPECT_EQ(columns.at(5), QStringLiteral("-"));
    EXPECT_EQ(columns.last(), QStringLiteral("actColReasonVisible"));
    // The three column menus offer the very same toggles.
    EXPECT_EQ(MenuNames(f.w->findChild<QMenu*>(QStringLiteral("popColumns"))), columns);
    EXPECT_EQ(MenuNames(f.w->findChild<QMenu*>(QStringLiteral("popLvColumns"))), columns);
}

TEST(UiMainWindow, EmptyListDisablesTheListActions)
{
    MainWindowFixture f;
    for (const char* name : {"actConvert", "actSaveBat", "actRemoveChecked", "actSaveFileList", "actClearFileList",
                             "actInvertSelection", "actCheckAll", "actUncheckAll", "actExploreDirectory",
                             "actShowHideFileInfo", "actCheckSelected", "actUncheckSelected"})
        EXPECT_FALSE(f.w->Action(QLatin1String(name))->isEnabled()) << name;
    for (const char* name : {"actAddFiles", "actAddFolder", "actLoadFileList", "actShowCmdLine", "actShowOptions"})
        EXPECT_TRUE(f.w->Action(QLatin1String(name))->isEnabled()) << name;
    EXPECT_EQ(f.w->Action(QStringLiteral("actExploreDirectory"))->text(), QStringLiteral("E&xplore directory "));
    // Nothing to paste before a copy.
    EXPECT_FALSE(f.w->Action(QStringLiteral("actPasteVideoSettings_Avi"))->isEnabled());
    EXPECT_FALSE(f.w->Action(QStringLiteral("actPasteAudioSettings"))->isEnabled());
    EXPECT_FALSE(f.w->Action(QStringLiteral("actPasteAdvancedSettings"))->isEnabled());
}

TEST(UiMainWindow, OutputDirectoryFollowsItsRadioButton)
{
    MainWindowFixture f;
    auto* outputToFolder = f.Find<QRadioButton>("rbOutDir");
    auto* ed = f.Find<QLineEdit>("edOutDir");
    EXPECT_TRUE(f.Find<QRadioButton>("rbOutDirIsInDir")->isChecked());
    EXPECT_EQ(f.Find<QRadioButton>("rbOutDirIsInDir")->text(), "Output directory = Input directory");
    EXPECT_FALSE(ed->isEnabled());
    EXPECT_FALSE(f.Find<QCheckBox>("chKeepTree")->isEnabled()); // a tree is kept only under an output folder
    EXPECT_FALSE(f.w->Action(QStringLiteral("actBrowseOutDir"))->isEnabled());
    outputToFolder->setChecked(true);
    EXPECT_TRUE(ed->isEnabled());
    EXPECT_TRUE(f.Find<QCheckBox>("chKeepTree")->isEnabled());
    EXPECT_TRUE(f.w->Action(QStringLiteral("actBrowseOutDir"))->isEnabled());
    EXPECT_TRUE(f.w->Settings().outputToFolder);
}

TEST(UiSettingsPanels, DefaultsShowTheSettingsValue)
{
    MainWindowFixture f;
    EncodingSettings expected;
    SetDefaultParams(expected, 0);
    expected.outputFolder = f.w->Settings().outputFolder;
    EXPECT_EQ(f.w->Settings(), expected);
    EXPECT_EQ(f.Find<QComboBox>("cbAviVideoCodec")->currentText(), QStringLiteral("Xvid"));
    EXPECT_EQ(f.Find<QComboBox>("cbAviVideoBitrate")->currentText(), QStringLiteral("Auto"));
    EXPECT_EQ(f.Find<QComboBox>("cbResolution")->count(), 17);
    EXPECT_EQ(f.Find<QSpinBox>("spedResWidth")->value(), 854);
    EXPECT_EQ(f.Find<QLabel>("lblSaturationValue")->text(), QStringLiteral("1"));
    EXPECT_EQ(f.Find<QLabel>("lblBrightnessValue")->text(), QStringLiteral("0"));
}

TEST(UiSettingsPanels, SetAndGetRoundTripEveryControl)
{
    MainWindowFixture f;
    EncodingSettings s = f.w->Settings();
    s.videoCodec = TVideoCodec::X264;
    s.container = TContainer::Mp4;
    s.videoBitrate = {-1, QStringLiteral("1234")};
    s.frameRate.SetIndex(8, EncodingLists::frameRate());
    s.videoAspect = {-1, QStringLiteral("2.35:1")};
    s.twoPass = true;
    s.threads = 4;
    s.preset = TX264Preset::Slow;
    s.noAudio = true;
    s.audioBitrate.SetIndex(13, EncodingLists::audioBitrate());
    s.audioRateMode = TAudioRateMode::Abr;
    s.sampleRate = {-1, QStringLiteral("11025")};
    s.audioChannels = 4;
    s.audioQuality = 3;
    s.resolution = 1;
    s.resolutionWidth = 1280;
    s.resolutionHeight = 720;
    s.brightnessOn = true;
    s.brightness = -3;
    s.saturationOn = true;
    s.saturation = 15.5; // a profile's fractional position survives
    s.flipHorizontal = s.flipVertical = s.rotate = true;
    s.rotateDirection = 1;
    s.interlacing = 2;
    s.skipLimitOn = false;
    s.skipLimit = 7;
    s.forceDuplicates = false;
    s.extraParameters = QStringLiteral("-vf-add hqdn3d\n-noskip");
    s.outputExists = TOutputPolicy::Skip;
    s.afterBatch = 1;
    s.keepDates = true;
    s.outputToFolder = true;
    s.outputFolder = QStringLiteral("/tmp/out dir");
    f.w->SetSettings(s);
    EXPECT_EQ(f.w->Settings(), s);
    EXPECT_EQ(f.Find<QLabel>("lblSaturationValue")->text(), SaturationValueText(15.5));
}

TEST(UiSettingsPanels, EnablingRules)
{
    MainWindowFixture f;
    auto* codec = f.Find<QComboBox>("cbAviVideoCodec");
    auto* threads = f.Find<QComboBox>("cbAviVideoThreads");
    auto* preset = f.Find<QComboBox>("cbVideoPreset");
    EXPECT_FALSE(threads->isEnabled());
    codec->setCurrentIndex(1);
    EXPECT_TRUE(threads->isEnabled());
    EXPECT_TRUE(preset->isEnabled());
    preset->setCurrentIndex(3);
    codec->setCurrentIndex(0);
    EXPECT_FALSE(preset->isEnabled());
    EXPECT_EQ(preset->currentIndex(), 3); // a disabled control keeps its value

    f.Find<QCheckBox>("chAudioDontCopy")->setChecked(true);
    for (const char* n : {"cbAudioBitrate", "cbAudioBitrateMode", "cbAudioSampling", "cbAudioChannels", "cbAudioAlgoQuality"})
        EXPECT_FALSE(f.Find<QComboBox>(n)->isEnabled()) << n;
    EXPECT_FALSE(f.Find<QLabel>("lblAudioBitrateUnit")->isEnabled());
    EXPECT_FALSE(f.Find<QLabel>("lblAudioSamplingUnit")->isEnabled());

    EXPECT_FALSE(f.Find<QSlider>("tbBrightness")->isEnabled());
    f.Find<QCheckBox>("chBrightness")->setChecked(true);
    EXPECT_TRUE(f.Find<QSlider>("tbBrightness")->isEnabled());
    f.Find<QSlider>("tbBrightness")->setValue(-3 * TAdvancedPanel::SliderScale);
    EXPECT_EQ(f.Find<QLabel>("lblBrightnessValue")->text(), BrightnessValueText(-3));
    f.Find<QSlider>("tbSaturation")->setValue(0);
    EXPECT_EQ(f.Find<QLabel>("lblSaturationValue")->text(), QStringLiteral("0"));

    EXPECT_FALSE(f.Find<QSpinBox>("spedResWidth")->isEnabled());
    f.Find<QComboBox>("cbResolution")->setCurrentIndex(1);
    EXPECT_TRUE(f.Find<QSpinBox>("spedResWidth")->isEnabled());
    EXPECT_TRUE(f.Find<QLabel>("lblResX")->isEnabled());
    f.Find<QComboBox>("cbResolution")->setCurrentIndex(3);
    EXPECT_FALSE(f.Find<QSpinBox>("spedResHeight")->isEnabled());

    EXPECT_FALSE(f.Find<QComboBox>("cbRotate")->isEnabled());
    f.Find<QCheckBox>("chRotate")->setChecked(true);
    EXPECT_TRUE(f.Find<QComboBox>("cbRotate")->isEnabled());
    EXPECT_TRUE(f.Find<QComboBox>("cbSkipLimit")->isEnabled());
    f.Find<QCheckBox>("chSkipLimit")->setChecked(false);
    EXPECT_FALSE(f.Find<QComboBox>("cbSkipLimit")->isEnabled());
}

// Each setting's help sentence rests on its control and on the caption before it.
TEST(UiSettingsPanels, EveryControlShowsItsRowsHelp)
{
    MainWindowFixture f;
    for (const TSettingRow& row : SettingRows()) {
        auto* control = f.Find<QWidget>(row.ObjectName.toLatin1().constData());
        ASSERT_TRUE(control);
        EXPECT_EQ(control->toolTip(), QString::fromUtf8(row.Help)) << row.ObjectName.toStdString();
    }
    EXPECT_EQ(f.Find<QLabel>("lblVideoPreset")->toolTip(), QString::fromUtf8(FindSettingRow(u"preset")->Help));
    EXPECT_EQ(f.Find<QLabel>("lblAudioBitrateUnit")->toolTip(), f.Find<QWidget>("cbAudioBitrate")->toolTip());
}

// The encoder's speed and tuning words show a plain caption in their open lists only: the
// box, the settings, the profile and the encoder keep the bare word.
TEST(UiSettingsPanels, EncoderWordsShowACaptionAndKeepTheBareWord)
{
    MainWindowFixture f;
    auto* preset = f.Find<QComboBox>("cbVideoPreset");
    auto* tune = f.Find<QComboBox>("cbVideoTune");
    auto shown = [](QComboBox* box, int i) { return TWordCaptionDelegate::ShownText(box->model()->index(i, 0)); };
    EXPECT_EQ(shown(preset, 0), "Auto");
    for (int i = 1; i < preset->count(); ++i)
        EXPECT_TRUE(shown(preset, i).startsWith(EncodingLists::preset().at(i) + QStringLiteral(" \u2014 "))) << i;
    EXPECT_EQ(shown(preset, 3), QStringLiteral("veryfast \u2014 quicker, larger files"));
    EXPECT_EQ(shown(tune, 1), QStringLiteral("film \u2014 live-action footage"));
    EXPECT_GE(preset->view()->minimumWidth(), preset->fontMetrics().horizontalAdvance(shown(preset, 2)));
    preset->setCurrentIndex(3);
    tune->setCurrentIndex(1);
    EXPECT_EQ(preset->currentText(), "veryfast");

    const EncodingSettings s = f.w->Settings();
    EXPECT_EQ(SelectedItem(u"preset", s), "veryfast");
    EXPECT_EQ(SelectedItem(u"x264Tune", s), "film");
    // through the profile's text and back into the window
    EncodingSettings read;
    for (const auto& [id, stored] : {std::pair{"preset", "3"}, std::pair{"x264Tune", "film"}}) {
        const TProfileKey& key = FindSettingRow(QString::fromLatin1(id))->Key;
        const QString text = key.Write(s);
        EXPECT_EQ(text, stored);
        key.Read(read, &text, TProfileReadContext{});
    }
    f.w->SetSettings(read);
    EXPECT_EQ(preset->currentIndex(), 3);
    EXPECT_EQ(tune->currentIndex(), 1);
}

TEST(UiSettingsPanels, CopyPasteAndDefaultsThroughTheHeaderMenus)
{
    MainWindowFixture f;
    auto* fps = f.Find<QComboBox>("cbAviVideoFPS");
    fps->setEditText(QStringLiteral("fast")); // not a number: the paste gives Auto
    f.Find<QCheckBox>("chAviVideo2Pass")->setChecked(true);
    f.w->Action(QStringLiteral("actCopyVideoSettings_Avi"))->trigger();
    EXPECT_TRUE(f.w->Action(QStringLiteral("actPasteVideoSettings_Avi"))->isEnabled());
    EXPECT_FALSE(f.w->Action(QStringLiteral("actPasteAudioSettings"))->isEnabled());
    f.w->Action(QStringLiteral("actDefaultVideoSettings_Avi"))->trigger();
    EXPECT_FALSE(f.Find<QCheckBox>("chAviVideo2Pass")->isChecked());
    f.w->Action(QStringLiteral("actPasteVideoSettings_Avi"))->trigger();
    EXPECT_TRUE(f.Find<QCheckBox>("chAviVideo2Pass")->isChecked());
    EXPECT_EQ(fps->currentText(), QStringLiteral("Auto"));
    EXPECT_EQ(fps->currentIndex(), 0);

    // "Default encoder settings" leaves the output options alone.
    f.Find<QComboBox>("cbOutputExists")->setCurrentIndex(2);
    f.Find<QCheckBox>("chKeepDates")->setChecked(true);
    f.Find<QCheckBox>("chAudioDontCopy")->setChecked(true);
    f.w->Action(QStringLiteral("actSetDefaultEncoderSettings"))->trigger();
    EXPECT_FALSE(f.Find<QCheckBox>("chAudioDontCopy")->isChecked());
    EXPECT_EQ(f.Find<QComboBox>("cbOutputExists")->currentIndex(), 2);
    EXPECT_TRUE(f.Find<QCheckBox>("chKeepDates")->isChecked());
}

TEST(UiMainWindow, EscClosesOnlyWithEscExitAndNoConversion)
{
    {
        MainWindowFixture f;
        EditAppParams().EscExit = false;
        f.w->Action(QStringLiteral("actEsc"))->trigger();
        EXPECT_TRUE(f.w->isVisible());
    }
    {
        MainWindowFixture f;
        EditAppParams().EscExit = true;
        f.w->SetConverting(true);
        f.w->Action(QStringLiteral("actEsc"))->trigger();
        EXPECT_TRUE(f.w->isVisible());
        f.w->SetConverting(false);
        QTest::keyClick(f.w.get(), Qt::Key_Escape);
        EXPECT_FALSE(f.w->isVisible());
        EditAppParams().EscExit = false;
    }
}

TEST(UiMainWindow, F2TogglesTheCommandLineWindow)
{
    MainWindowFixture f;
    TFormCmdLine* cmd = f.w->FormCmdLine();
    QTest::keyClick(f.w.get(), Qt::Key_F2);
    ASSERT_TRUE(cmd->isVisible());
    // No row selected: both placeholders stay.
    EXPECT_TRUE(cmd->Text().startsWith(QStringLiteral("<input_file> "))) << cmd->Text().toStdString();
    EXPECT_TRUE(cmd->Text().endsWith(QStringLiteral("-o <output_file>")));
    f.w->activateWindow();
    f.w->Action(QStringLiteral("actShowCmdLine"))->trigger();
    EXPECT_FALSE(cmd->isVisible());
}

TEST(UiAuxiliaryWindows, EscClosesTheSideWindowsWhereverTheFocusIs)
{
    MainWindowFixture f;
    TFormCmdLine* cmd = f.w->FormCmdLine();
    QTest::keyClick(f.w.get(), Qt::Key_F2);
    ASSERT_TRUE(cmd->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(cmd));
    // The read-only text has the focus and must not swallow the key.
    cmd->activateWindow();
    cmd->Memo()->setFocus();
    QTest::keyClick(cmd->Memo(), Qt::Key_Escape);
    EXPECT_FALSE(cmd->isVisible());
    EXPECT_TRUE(f.w->isVisible()); // Esc in a side window is not the main window's Esc
    for (QWidget* side : {static_cast<QWidget*>(f.w->FormErrors()), static_cast<QWidget*>(f.w->FormFileInfo()),
                          static_cast<QWidget*>(f.w->FormProgress())}) {
        side->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(side));
        QTest::keyClick(side, Qt::Key_Escape);
        EXPECT_FALSE(side->isVisible()) << side->objectName().toStdString();
    }
}

TEST(UiMainWindow, StayOnTopTwiceLeavesAuxiliaryWindowsOnTop)
{
    MainWindowFixture f;
    QAction* a = f.w->Action(QStringLiteral("actStayOnTop"));
    a->trigger();
    EXPECT_TRUE(f.w->StayOnTop());
    EXPECT_TRUE(a->isChecked());
    EXPECT_TRUE(f.w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    a->trigger();
    EXPECT_FALSE(f.w->StayOnTop());
    EXPECT_FALSE(a->isChecked());
    EXPECT_FALSE(f.w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    for (QWidget* aux : f.w->AuxiliaryWindows())
        EXPECT_TRUE(aux->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << aux->objectName().toStdString();
}

TEST(UiMainWindow, DisableAllLocksEveryActionAndEnableAllRestoresTheRules)
{
    MainWindowFixture f;
    f.w->DisableAll();
    for (const char* n : {"actAddFiles", "actEsc", "actShowCmdLine", "actExit", "actColNoVisible"})
        EXPECT_FALSE(f.w->Action(QLatin1String(n))->isEnabled()) << n;
    EXPECT_FALSE(f.Find<QWidget>("pnVideo")->isEnabled());
    EXPECT_FALSE(f.Find<QWidget>("pnMid")->isEnabled());
    EXPECT_FALSE(f.Find<QWidget>("ng")->isEnabled());
    f.w->EnableAll();
    EXPECT_TRUE(f.w->Action(QStringLiteral("actAddFiles"))->isEnabled());
    EXPECT_FALSE(f.w->Action(QStringLiteral("actConvert"))->isEnabled()); // the rules apply again
    EXPECT_FALSE(f.w->Action(QStringLiteral("actPasteAudioSettings"))->isEnabled());
    EXPECT_TRUE(f.Find<QWidget>("pnVideo")->isEnabled());
}

TEST(UiAuxiliaryWindows, ProgressWindowLayoutAndTiming)
{
    MainWindowFixture f;
    TFormProgress* p = f.w->FormProgress();
    EXPECT_EQ(p->windowTitle(), QStringLiteral("Conversion progress"));
    EXPECT_EQ(p->minimumSize(), QSize(600, 300));
    EXPECT_TRUE(p->findChild<QCheckBox*>(QStringLiteral("chCloseAfterConversion"))->isChecked());
    EXPECT_FALSE(p->findChild<QCheckBox*>(QStringLiteral("chHideEncoderOutput"))->isChecked());
    EXPECT_EQ(p->Memo()->palette().color(QPalette::Base), QColor(0x35, 0x35, 0x35));
    // Weights: duration times passes, frames / fps without a duration, 1 with neither.
    EXPECT_DOUBLE_EQ(TFormProgress::FileWeight(10000, 0, 0, 2), 20000);
    EXPECT_DOUBLE_EQ(TFormProgress::FileWeight(0, 250, 25, 1), 10000);
    EXPECT_DOUBLE_EQ(TFormProgress::FileWeight(0, 0, 0, 1), 1);
    EXPECT_EQ(TFormProgress::TimingText(30000, 0.25, 60000, 0.5),
              QStringLiteral("Elapsed: 00:00:30    ::    Left: ~00:01:30    ::    Batch: 50%    ::    Batch left: ~00:01:00"));
    EXPECT_EQ(TFormProgress::TimingText(0, 0, 0, 0),
              QStringLiteral("Elapsed: 00:00:00    ::    Left: ?    ::    Batch: 0%    ::    Batch left: ?"));
}

TEST(UiAuxiliaryWindows, ErrorWindowClearsAndSaves)
{
    MainWindowFixture f;
    TFormErrors* e = f.w->FormErrors();
    e->AddErrorReport(QStringLiteral("ExitCode: 1\r\nboom\r\n"), QStringLiteral("/in/a.avi"), QStringLiteral("/out/a.avi"), 1);
    e->AddErrorReport(RunErrorReportText(2, {"line 1", "line 2"}, 0, "The sentence."), QStringLiteral("/in/b.avi"),
                      QStringLiteral("/out/b.avi"), 2);
    // the reports page: the sentence first, the details open, the encoder's lines folded
    QTreeWidget* reports = e->Reports();
    ASSERT_EQ(reports->topLevelItemCount(), 2);
    EXPECT_EQ(reports->topLevelItem(0)->text(0), "1. The encoder ended with exit code 1. (a.avi)");
    QTreeWidgetItem* b = reports->topLevelItem(1);
    EXPECT_EQ(b->text(0), "2. The sentence. (b.avi)");
    EXPECT_TRUE(b->isExpanded());
    QTreeWidgetItem* out = b->child(b->childCount() - 1);
    EXPECT_EQ(out->childCount(), 2);
    EXPECT_FALSE(out->isExpanded());
    // a failed check names no exit code: the encoder did not fail
    e->AddErrorReport(RunErrorReportText(std::nullopt, {"last"}, 0, "Too short.", "mencoder c"), "/in/c.avi", "/out/c.avi", 3);
    QStringList fields;
    for (QTreeWidgetItem* r : {b, reports->topLevelItem(2)})
        for (int i = 0; i < r->childCount(); ++i)
            fields << r->child(i)->text(0).section(':', 0, 0);
    EXPECT_EQ(reports->topLevelItem(2)->text(0), "3. Too short. (c.avi)");
    EXPECT_EQ(fields.count("Exit code"), 1) << fields.join(", ").toStdString();
    const QString text = e->Memo()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Error # 1\n----------\n")));
    EXPECT_LT(text.indexOf(QStringLiteral("Error # 1")), text.indexOf(QStringLiteral("Error # 2")));
    const QString file = f.home.filePath(QStringLiteral("errors.log"));
    ASSERT_TRUE(e->SaveLogTo(file));
    const QByteArray saved = TestSupport::ReadFile(file);
    EXPECT_TRUE(saved.startsWith("Error # 1\r\n----------\r\n"));
    EXPECT_TRUE(saved.endsWith("\r\n"));
    e->actClearLogExecute();
    EXPECT_TRUE(e->Memo()->toPlainText().isEmpty());
    EXPECT_EQ(reports->topLevelItemCount(), 0);
}

namespace {

// A window's picture has the window's size and is painted: not one flat colour, and the
// background takes less than all of it (a window whose controls failed to paint is a
// blank rectangle).
void ExpectPainted(QWidget* w, const QString& name)
{
    const QImage image = Screenshot(w, name).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(image.isNull()) << name.toStdString();
    EXPECT_EQ(image.deviceIndependentSize().toSize(), w->size()) << name.toStdString();
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x]];
    }
    int most = 0;
    for (int c : counts)
        most = std::max(most, c);
    const qint64 pixels = qint64(image.width()) * image.height();
    EXPECT_GE(counts.size(), 8) << name.toStdString() << ": too few colours for a painted window";
    EXPECT_LT(most, pixels * 98 / 100) << name.toStdString() << ": almost all of it is one colour";
}

} // namespace

TEST(UiAuxiliaryWindows, ScreenshotsOfEveryWindow)
{
    MainWindowFixture f;
    ExpectPainted(f.w.get(), QStringLiteral("main"));
    const QList<QWidget*> windows = f.w->AuxiliaryWindows();
    EXPECT_EQ(windows.size(), 8); // progress, errors, command line, file information, options, tools, update, about
    for (QWidget* aux : windows) {
        aux->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(aux));
        ExpectPainted(aux, aux->objectName());
        aux->hide();
    }
}

TEST(UiAuxiliaryWindows, ProgressWindowShowsAStatusWithoutCuttingIt)
{
    MainWindowFixture f;
    TFormProgress* p = f.w->FormProgress();
    p->BatchStarted(2, 20000);
    p->FileStarted(QStringLiteral("/video/a rather long directory name/clip.avi"),
                   QStringLiteral("<b><font bgcolor=\"#696969\" color=\"#FFFFFF\"> /out/ </font> clip.avi</b>"), 10000);
    p->PassStarted(1, 1);
    TProgressUpdate u;
    u.HasStatus = true;
    u.Percent = 42;
    u.Caption = QStringLiteral("Progress: 42%");
    u.StatusText = QStringLiteral("Converting file <b>1</b> / <b>2</b>    ::    Speed: <b><FONT bgcolor=\"#496954\" "
                                  "color=\"#E0EBE0\">  95.77  </FONT></b> fps    ::    Frame: 401 / ~1 500    ::    "
                                  "Est. output size: <b>~16 MB</b>");
    u.OutputView = QStringLiteral("MEncoder 1.5\nPos:  16.0s    401f (42%) 95.77fps Trem:   0min  16mb  A-V:0.000 [1200:128]");
    p->OnProgress(u);
    EXPECT_EQ(p->windowTitle(), QStringLiteral("Progress: 42%"));
    EXPECT_TRUE(p->TimingLabel()->text().contains(QLatin1String("Batch: 21%"))) << p->TimingLabel()->text().toStdString();
    p->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(p));
    EXPECT_GE(p->StatusLabel()->width(), p->StatusLabel()->sizeHint().width());
    Screenshot(p, QStringLiteral("FormProgress_running"));
    p->hide();
}

TEST(UiAuxiliaryWindows, StatusHtmlFontTagsBecomeStyledSpans)
{
    EXPECT_EQ(UiKit::LabelHtml(QStringLiteral("a <b><FONT bgcolor=\"#496954\" color=\"#E0EBE0\">  9  </FONT></b>    ::")),
              QStringLiteral("<span style=\"white-space:pre\">a <b><span style=\"background-color:#496954;color:#E0EBE0;\">"
                             "  9  </span></b>    ::</span>"));
    EXPECT_EQ(UiKit::LabelHtml(QStringLiteral("<font color=red>x</font>")),
              QStringLiteral("<span style=\"white-space:pre\"><span style=\"color:red;\">x</span></span>"));
    // a narrow window breaks the status line between its parts, never inside one, nor a tag
    EXPECT_EQ(UiKit::WholePhrases(QStringLiteral("Frame: 4 / ~9    ::    Est. output size: <b><FONT bgcolor=\"#4\" color=\"#E\">  ~0 MB</FONT></b>")),
              QStringLiteral("Frame:\u00a04\u00a0/\u00a0~9    ::    Est.\u00a0output\u00a0size:\u00a0<b><FONT bgcolor=\"#4\" color=\"#E\">  ~0\u00a0MB</FONT></b>"));
}
