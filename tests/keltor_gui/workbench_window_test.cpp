// The workbench program as a user meets it: start-up with and without a profile, opening files good and
// bad, Save As, Merge, Import, Save List File, the recent files and the list window.
#include <gtest/gtest.h>

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QProcess>
#include <QTemporaryDir>

#include "common/core/messages.h"
#include "common/core/raw_file.h"
#include "common/core/user_profile.h"
#include "common/core/workbench_settings.h"
#include "common/qt/save_file_dialog.h"
#include "keltor/gui/keltor_app.h"
#include "keltor/gui/menu_commands.h"
#include "tests/keltor_gui/modal_helper.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_dir.h"

namespace keltor {
namespace {

using test::ModalScript;

// Notes the name the save dialog proposes, types another unless name is empty, and presses OK.
ModalScript::Handler SaveAs(QString name, QString* proposed = nullptr) {
  return [=](QWidget* w) {
    auto* dialog = qobject_cast<km::CSaveFileDlg*>(w);
    ASSERT_TRUE(dialog) << w->objectName().toStdString();
    if (proposed) *proposed = dialog->TypedName();
    if (!name.isEmpty()) dialog->SetTypedName(name);
    dialog->accept();
  };
}

// Chooses files of one directory in the open dialog.
ModalScript::Handler Choose(QString directory, QStringList names) {
  return [=](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_TRUE(dialog) << w->objectName().toStdString();
    dialog->setDirectory(directory);
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText('"' + names.join("\" \"") + '"');
    QMetaObject::invokeMethod(dialog, "accept");
  };
}

class WorkbenchWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const QString& d : {data, program + "/USERS", program + "/PROGRAMS", temp}) QDir().mkpath(d);
    ASSERT_EQ(QProcess::execute(KM_DEMO_GENERATOR, {data}), 0);
  }
  void TearDown() override {
    app.reset();
    EXPECT_TRUE(QDir(temp).isEmpty()) << "a working copy was left behind";
  }

  // An empty profile of the suite: the directory blocks alone, with a work directory.
  void WriteEmptyProfile(const char* user) {
    QByteArray bytes(1024, '\0');
    bytes.replace(0, 8, "USR_2.01");
    bytes[32] = 2;  // the first free block follows the directory
    bytes.replace(92, data.toUtf8().size(), data.toUtf8());
    km::testing::WriteBytes(ProfilePath(user), bytes);
  }
  // The header of a written raw file, all zero if it cannot be read.
  km::RawFileHeader HeaderOf(const char* name) const {
    km::testing::RecordingSink sink;
    km::RawFileHeader header{};
    return km::ReadRawHeader(sink, Data(name), header) ? header : km::RawFileHeader{};
  }

  std::string Data(const char* name) const { return QDir(data).filePath(name).toStdString(); }
  std::string ProfilePath(const char* user) const { return (program + "/USERS/" + user + ".USR").toStdString(); }

  bool Start(const std::string& commandLine) {
    app.reset();
    app = std::make_unique<CKeltorApp>();
    return app->InitInstance(commandLine);
  }
  CMainFrame& Frame() { return *app->Frame(); }
  Workbench& Bench() { return app->Bench(); }

  QTemporaryDir dir;
  QString data = dir.filePath("data"), program = dir.filePath("prog");
  km::testing::ScopedEnv programDirectory{"KM_PROGRAM_DIRECTORY", program.toStdString()};
  // Working copies go to a temporary directory of this test alone, so that none can hide among others.
  QString temp = dir.filePath("tmp");
  km::testing::ScopedEnv tmp{"TMPDIR", temp.toStdString()};
  std::unique_ptr<CKeltorApp> app;
};

TEST_F(WorkbenchWindowTest, AProfileGivesRecentFilesAndIsWrittenBackAtExit) {
  WriteEmptyProfile("lab1");
  const std::string longPath = "/measurements/2024/project-with-a-long-name/sample-series-b/run-0042.raw";
  km::testing::RecordingSink sink;
  ASSERT_TRUE(km::WriteUserSection(sink, ProfilePath("lab1"), nullptr, km::kWorkbenchSectionId,
                                   {Data("demo.raw"), longPath}, km::SettingsBytes(km::DefaultWorkbenchSettings())));

  ASSERT_TRUE(Start("/Ulab1"));
  EXPECT_EQ(Frame().windowTitle(), "KELTOR  -  User lab1");
  EXPECT_EQ(QDir::currentPath(), data);  // the profile's work directory
  Frame().RebuildRecentFiles();
  const QString second = Frame().Action(cmd::RecentFileFirst + 1)->text();
  EXPECT_TRUE(second.startsWith("&2 ") && second.endsWith("run-0042.raw"));
  EXPECT_LE(second.size(), 3 + 64);  // shortened to at most 64 characters

  ASSERT_TRUE(Frame().TriggerCommand(cmd::RecentFileFirst));  // opens demo.raw
  EXPECT_EQ(Frame().windowTitle().toStdString(), "KELTOR  -  User lab1   File : " + Data("demo.raw"));
  app->ExitInstance();

  std::vector<std::string> texts;
  km::WorkbenchSettings stored{};
  ASSERT_TRUE(km::ReadUserSection(sink, ProfilePath("lab1"), nullptr, km::kWorkbenchSectionId, texts,
                                  km::SettingsBytes(stored)));
  EXPECT_EQ(texts.at(0), Data("demo.raw"));
  EXPECT_GT(stored.MainWindowRect[2] - stored.MainWindowRect[0], 0);
}

TEST_F(WorkbenchWindowTest, AMissingOrDamagedProfileEndsTheStartWithItsMessage) {
  km::testing::WriteBytes(ProfilePath("bad"), std::string(1024, 'x'));
  for (const auto& [user, message] :
       {std::pair{"nobody", "User file does not exist."}, {"bad", "Invalid file format or version."}}) {
    ModalScript script;  // closes the message box
    EXPECT_FALSE(Start(std::string("/U") + user));
    EXPECT_EQ(script.seen, std::vector<std::string>{message + ("\n\n" + ProfilePath(user))});
  }
}

TEST_F(WorkbenchWindowTest, BadFilesAreRefusedAndTheWindowStaysUsable) {
  km::testing::WriteBytes(Data("notes.raw"), std::string("just some text, not a raw data file\n"));
  struct Case {
    const char* file;
    std::string message;  // empty: the reader's own
    bool staysOpen;
  } cases[] = {
      {"measuring.raw", "This file is currently being measured.", false},
      {"notes.raw", "", false},
      {"missing.raw", "Raw file does not exist.\n\n" + Data("missing.raw"), false},
      {"empty.raw", std::string(km::CatalogText(km::msg::NoData)), true},  // said so, and kept open
  };
  for (const Case& c : cases) {
    ModalScript script;  // closes the message box
    ASSERT_TRUE(Start(Data(c.file))) << c.file;
    ASSERT_FALSE(script.seen.empty()) << c.file;
    EXPECT_EQ(script.seen.front(), c.message.empty() ? script.seen.front() : c.message);
    EXPECT_EQ(Bench().File.DocumentPath, c.staysOpen ? Data(c.file) : "") << c.file;
    EXPECT_TRUE(Frame().isVisible() && Frame().Action(cmd::FileOpen)->isEnabled());
    EXPECT_EQ(Frame().ListWindow() != nullptr, c.staysOpen) << c.file;
  }
}

TEST_F(WorkbenchWindowTest, AFileNamedAtStartIsListedBesideItAndSavedAsACopy) {
  ASSERT_TRUE(Start(Data("demo.raw")));
  ASSERT_TRUE(Frame().ListWindow());
  EXPECT_EQ(Frame().ListWindow()->windowTitle(), "demo.raw");
  ModalScript script;
  script.Then(SaveAs("copy"));
  ASSERT_TRUE(Frame().TriggerCommand(cmd::FileSaveAs));
  EXPECT_EQ(HeaderOf("copy.raw").MeasuredRangeCount, 3);
  EXPECT_EQ(Bench().File.DocumentPath, Data("demo.raw"));  // a copy: the window keeps its file
}

TEST_F(WorkbenchWindowTest, WithoutAUserOrAFileMergeMakesANewFile) {
  ASSERT_TRUE(Start(""));
  EXPECT_EQ(Frame().windowTitle(), "KELTOR  -  User ");
  EXPECT_FALSE(Frame().TriggerCommand(cmd::Alpha2Stripping) || Frame().TriggerCommand(cmd::FileSaveAs));
  EXPECT_FALSE(Frame().Action(cmd::RecentFileFirst)->isEnabled());
  ModalScript script;
  script.Then(Choose(data, {"demo.raw", "strong.raw"})).Then(SaveAs("merged"));
  ASSERT_TRUE(Frame().TriggerCommand(cmd::Merge));
  EXPECT_TRUE(script.Done()) << (script.seen.empty() ? "" : script.seen.back());
  EXPECT_EQ(HeaderOf("merged.raw").MeasuredRangeCount, 4);
  EXPECT_EQ(Bench().File.DocumentPath, Data("merged.raw"));
}

TEST_F(WorkbenchWindowTest, AUdfFileImportedWithNoFileOpenIsSavedAndShown) {
  km::testing::WriteBytes(Data("quartz.udf"), std::string("SampleIdent,quartz,/\r\nTitle1,Quartz standard,/\r\n"
                                                          "Anode,Cu ,/\r\nDataAngleRange,20.0,20.3,/\r\n"
                                                          "ScanStepSize,0.1,/\r\nRawScan\r\n 100, 400, 900, 200/\r\n"));
  ASSERT_TRUE(Start(""));
  ModalScript script;
  QString proposed;
  script
      .Then([&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), " choose file to import");
        Choose(data, {"quartz.udf"})(w);
      })
      .Then([&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "save imported file as");
        SaveAs("imported", &proposed)(w);
      });
  ASSERT_TRUE(Frame().TriggerCommand(cmd::Import));
  EXPECT_TRUE(script.Done()) << (script.seen.empty() ? "" : script.seen.back());
  EXPECT_EQ(proposed, "quartz.raw");
  EXPECT_EQ(Bench().File.DocumentPath, Data("imported.raw"));
  EXPECT_EQ(+HeaderOf("imported.raw").TotalPointCount, 4);  // a copy: the packed field may lie unaligned
}

TEST_F(WorkbenchWindowTest, ViewListFileClosesRestoresAndFollowsTheFrame) {
  ASSERT_TRUE(Start(Data("demo.raw")));
  Frame().TriggerCommand(cmd::ViewListFile);  // open: closes it
  QApplication::processEvents();
  EXPECT_FALSE(Frame().ListWindow() || Frame().Action(cmd::ViewListFile)->isChecked());
  Frame().TriggerCommand(cmd::ViewListFile);  // none: shows it

  Frame().showMinimized();  // the frame takes the list window with it
  QApplication::processEvents();
  EXPECT_TRUE(Frame().IsListWindowMinimized());
  Frame().showNormal();
  Frame().TriggerCommand(cmd::ViewListFile);  // minimised: shown again, not closed
  ASSERT_TRUE(Frame().ListWindow());
  EXPECT_FALSE(Frame().IsListWindowMinimized());

  // The owner answers line requests from its list, cut to the window's buffer.
  char buffer[8];
  EXPECT_EQ(Frame().OnListLineRequest(1, buffer), 7);
  EXPECT_STREQ(buffer, " File  ");
  EXPECT_EQ(Frame().OnListLineRequest(100000, buffer), 0);
}

// Range editing: the menu items follow the file, and Truncate Range runs its two dialogs.
TEST_F(WorkbenchWindowTest, TruncateRangeThroughTheDialogsChangesTheLowerPlotAndTheList) {
  for (const char* file : {"scaled.raw", "demo.raw"}) {  // one range: only Truncate applies; three: all
    ASSERT_TRUE(Start(Data(file)));
    for (int id : {cmd::TruncateRange, cmd::DeleteRange, cmd::ExtractRange, cmd::CombineRange, cmd::AddRanges})
      EXPECT_EQ(Frame().Action(id)->isEnabled(), id == cmd::TruncateRange || file[0] == 'd') << file << id;
  }
  ModalScript script;
  script
      .Then([](QWidget* w) {
        auto* list = w->findChild<QListWidget*>("ctl1000");
        list->setCurrentRow(1);
        list->clearSelection();
        list->item(1)->setSelected(true);
        // The angular range dialog runs inside the button's handler: pressed once this one returned.
        QTimer::singleShot(0, w->findChild<QPushButton*>("ctl1004"), &QPushButton::click);
      })
      .Then([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), " Change Angular Range 2");
        for (const auto& [id, text] : {std::pair{"ctl1004", "45.031"}, {"ctl1008", "60"}}) {
          w->findChild<QLineEdit*>(id)->setText(text);
          w->findChild<QLineEdit*>(id)->setModified(true);
        }
        QMetaObject::invokeMethod(qobject_cast<QDialog*>(w), "accept", Qt::QueuedConnection);
      })
      .Then([](QWidget* w) { QMetaObject::invokeMethod(qobject_cast<QDialog*>(w), "accept", Qt::QueuedConnection); });
  ASSERT_TRUE(Frame().TriggerCommand(cmd::TruncateRange));
  EXPECT_TRUE(script.Done()) << (script.seen.empty() ? "" : script.seen.back());
  EXPECT_TRUE(Bench().File.IsRangeModified(2));
  EXPECT_TRUE(std::ranges::any_of(Bench().State.ListLines,
                                  [](const std::string& l) { return l.find("45.040   60.000") != std::string::npos; }));
  Bench().File.DropChanges();
}

TEST_F(WorkbenchWindowTest, AbsorptionCorrectionFromTheMenuCorrectsEveryRangeOnce) {
  // The demo program directory's table, in this test's program directory.
  ASSERT_TRUE(QFile::copy(QString::fromStdString(Data("PROGRAMS/CYLABS.DAT")), program + "/PROGRAMS/CYLABS.DAT"));
  ASSERT_TRUE(Start(Data("capillary.raw")));
  std::vector<WorkbenchFile::WholeRange> before, after, again;
  ASSERT_TRUE(Bench().File.ReadWorkbenchRanges(Bench().Ui(), before));
  ModalScript script;
  script.Then([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), " Absorption Correction");
    auto* edit = w->findChild<QLineEdit*>("ctl1005");
    edit->setText("1.5");
    edit->setModified(true);
    QMetaObject::invokeMethod(qobject_cast<QDialog*>(w), "accept", Qt::QueuedConnection);
  });
  ASSERT_TRUE(Frame().TriggerCommand(cmd::AbsorptionCorrection));
  EXPECT_TRUE(script.Done()) << (script.seen.empty() ? "" : script.seen.back());
  ASSERT_TRUE(Bench().File.ReadWorkbenchRanges(Bench().Ui(), after));
  ASSERT_EQ(after.size(), before.size());
  for (size_t r = 0; r < after.size(); ++r) {
    EXPECT_TRUE(Bench().File.IsRangeModified(static_cast<int>(r) + 1));
    EXPECT_NE(after[r].Header.RangeFlags & km::kFlagAbsorptionCorrected, 0);
    EXPECT_GT(after[r].Header.MaxIntensity, before[r].Header.MaxIntensity);  // absorption weakened them
  }
  // Once is enough: the second time is refused with the value applied, and nothing changes.
  Frame().TriggerCommand(cmd::AbsorptionCorrection);
  EXPECT_EQ(script.seen.back(), "Absorption correction already applied ( Mu * R = 1.500 )");
  ASSERT_TRUE(Bench().File.ReadWorkbenchRanges(Bench().Ui(), again));
  for (size_t r = 0; r < after.size(); ++r) EXPECT_EQ(again[r].Data, after[r].Data);
  Bench().File.DropChanges();
}

}  // namespace
}  // namespace keltor
