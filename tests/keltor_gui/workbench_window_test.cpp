// The workbench program as a user meets it: start-up with and without a profile, opening files good and
// bad, Save As, Merge, Save List File, the recent files and the list window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "common/core/messages.h"
#include "common/core/raw_file.h"
#include "common/core/user_profile.h"
#include "common/core/workbench_settings.h"
#include "common/qt/save_file_dialog.h"
#include "keltor/gui/keltor_app.h"
#include "keltor/gui/menu_commands.h"
#include "tests/keltor_gui/modal_helper.h"
#include "tests/support/recording_sink.h"

namespace keltor {
namespace {

using test::ModalScript;

// Types a name into the save dialog and presses OK.
ModalScript::Handler SaveAs(QString name) {
  return [name](QWidget* w) {
    auto* dialog = qobject_cast<km::CSaveFileDlg*>(w);
    ASSERT_TRUE(dialog) << w->objectName().toStdString();
    dialog->SetTypedName(name);
    dialog->accept();
  };
}

// Chooses files in the open dialog.
ModalScript::Handler Choose(QStringList paths) {
  return [paths](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_TRUE(dialog) << w->objectName().toStdString();
    QStringList quoted;
    for (const QString& p : paths) quoted << '"' + QFileInfo(p).fileName() + '"';
    dialog->setDirectory(QFileInfo(paths.front()).absolutePath());
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(paths.size() == 1 ? QFileInfo(paths.front()).fileName()
                                                                             : quoted.join(' '));
    QMetaObject::invokeMethod(dialog, "accept");
  };
}

class WorkbenchWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    data = dir.filePath("data");
    program = dir.filePath("prog");
    QDir().mkpath(data);
    QDir().mkpath(program + "/USERS");
    QDir().mkpath(program + "/PROGRAMS");
    QProcess generator;
    generator.start(KM_DEMO_GENERATOR, {data});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitCode(), 0);
    qputenv("KM_PROGRAM_DIRECTORY", program.toUtf8());
    // Working copies go to a temporary directory of this test alone, so that none can hide among others.
    temp = dir.filePath("tmp");
    QDir().mkpath(temp);
    savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.toUtf8());
  }
  void TearDown() override {
    app.reset();
    EXPECT_TRUE(QDir(temp).isEmpty()) << "a working copy was left behind";
    if (savedTmp.isNull())
      qunsetenv("TMPDIR");
    else
      qputenv("TMPDIR", savedTmp);
  }

  // An empty profile of the suite: the directory blocks alone, with a work directory.
  void WriteEmptyProfile(const QString& user) {
    QByteArray bytes(1024, '\0');
    bytes.replace(0, 8, "USR_2.01");
    bytes[32] = 2;  // the first free block follows the directory
    const QByteArray work = data.toUtf8();
    bytes.replace(92, work.size(), work);
    QFile f(program + "/USERS/" + user + ".USR");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }

  std::string Data(const char* name) const { return QDir(data).filePath(name).toStdString(); }
  std::string ProfilePath(const char* user) const {
    return (program + "/USERS/" + user + ".USR").toStdString();
  }

  bool Start(const std::string& commandLine) {
    app = std::make_unique<CKeltorApp>();
    return app->InitInstance(commandLine);
  }
  CMainFrame& Frame() { return *app->Frame(); }
  Workbench& Bench() { return app->Bench(); }

  QTemporaryDir dir;
  QString data, program;
  QString temp;
  QByteArray savedTmp;
  std::unique_ptr<CKeltorApp> app;
};

TEST_F(WorkbenchWindowTest, WithoutAUserNoProfileIsReadAndEveryMenuIsThere) {
  ASSERT_TRUE(Start(""));
  EXPECT_EQ(Frame().windowTitle(), "KELTOR  -  User ");
  const QRect screen = QGuiApplication::primaryScreen()->geometry();  // the default placement
  EXPECT_EQ(Frame().geometry(), QRect(screen.width() / 10, screen.height() / 10, screen.width() * 2 / 3,
                                      screen.height() * 2 / 3));
  const QList<QAction*> menus = Frame().menuBar()->actions();
  ASSERT_EQ(menus.size(), 6);
  EXPECT_EQ(menus[0]->text(), "&File");
  EXPECT_EQ(menus[5]->text(), "&Help");
  const QMenu* file = menus[0]->menu();
  EXPECT_EQ(file->actions().first()->text(), "&Open...");
  EXPECT_EQ(file->actions().first()->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(Frame().Action(cmd::FileOpen)->data().toInt(), 57601);
  // Present and disabled until their commands exist; Save As waits for a file.
  ASSERT_TRUE(Frame().Action(cmd::Alpha2Stripping));
  EXPECT_EQ(Frame().Action(cmd::Alpha2Stripping)->text(), "Alpha&2 Stripping");
  EXPECT_FALSE(Frame().TriggerCommand(cmd::Alpha2Stripping));
  EXPECT_FALSE(Frame().TriggerCommand(cmd::FileSaveAs));
  ASSERT_TRUE(Frame().Action(cmd::RecentFileFirst));
  EXPECT_EQ(Frame().Action(cmd::RecentFileFirst)->text(), "Recent Files");
  EXPECT_FALSE(Frame().Action(cmd::RecentFileFirst)->isEnabled());
  EXPECT_FALSE(Frame().ToolBar()->actions().isEmpty());
  EXPECT_EQ(Frame().Action(cmd::FileOpen)->toolTip(), "Open");
}

TEST_F(WorkbenchWindowTest, AProfileGivesRecentFilesAndIsWrittenBackAtExit) {
  WriteEmptyProfile("lab1");
  const std::string longPath = "/measurements/2024/project-with-a-long-name/sample-series-b/run-0042.raw";
  ASSERT_EQ(longPath.size(), 72u);
  km::testing::RecordingSink sink;
  km::WorkbenchSettings settings = km::DefaultWorkbenchSettings();
  ASSERT_TRUE(km::WriteUserSection(sink, ProfilePath("lab1"), nullptr, km::kWorkbenchSectionId,
                                   {Data("demo.raw"), longPath}, km::SettingsBytes(settings)));

  ASSERT_TRUE(Start("/Ulab1"));
  EXPECT_EQ(Frame().windowTitle(), "KELTOR  -  User lab1");
  EXPECT_EQ(QDir::currentPath(), data);  // the profile's work directory
  Frame().RebuildRecentFiles();
  const QString second = Frame().Action(cmd::RecentFileFirst + 1)->text();
  EXPECT_TRUE(second.startsWith("&2 "));
  EXPECT_LE(second.size(), 3 + 64);  // shortened to at most 64 characters
  EXPECT_TRUE(second.contains("..."));
  EXPECT_TRUE(second.endsWith("run-0042.raw"));

  ASSERT_TRUE(Frame().TriggerCommand(cmd::RecentFileFirst));  // opens demo.raw
  EXPECT_EQ(Bench().File.DocumentPath, Data("demo.raw"));
  EXPECT_EQ(Frame().windowTitle().toStdString(), "KELTOR  -  User lab1   File : " + Data("demo.raw"));
  app->ExitInstance();

  std::vector<std::string> texts;
  km::WorkbenchSettings stored{};
  ASSERT_TRUE(km::ReadUserSection(sink, ProfilePath("lab1"), nullptr, km::kWorkbenchSectionId, texts,
                                  km::SettingsBytes(stored)));
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], Data("demo.raw"));
  EXPECT_STREQ(stored.SettingsMagic, "RAW_1.06");
  EXPECT_GT(stored.MainWindowRect[2] - stored.MainWindowRect[0], 0);
  EXPECT_NE(stored.LastExitTime[0], '\0');
}

TEST_F(WorkbenchWindowTest, AMissingProfileEndsTheStartWithItsMessage) {
  {
    ModalScript script;
    script.Press(QMessageBox::Ok);
    EXPECT_FALSE(Start("/Unobody"));
    ASSERT_EQ(script.seen.size(), 1u);
    EXPECT_EQ(script.seen[0], "User file does not exist.\n\n" + ProfilePath("nobody"));
  }

  QFile damaged(program + "/USERS/bad.USR");
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(QByteArray(1024, 'x'));
  damaged.close();
  ModalScript again;
  again.Press(QMessageBox::Ok);
  EXPECT_FALSE(Start("/Ubad"));
  ASSERT_EQ(again.seen.size(), 1u);
  EXPECT_EQ(again.seen[0], "Invalid file format or version.\n\n" + ProfilePath("bad"));
}

TEST_F(WorkbenchWindowTest, AFileNamedAtStartIsOpenedAndPlotted) {
  ASSERT_TRUE(Start(Data("demo.raw")));
  EXPECT_EQ(Bench().File.DocumentPath, Data("demo.raw"));
  EXPECT_TRUE(Frame().View()->Plot().HasLoadedRanges());
  ASSERT_TRUE(Frame().ListWindow());
  EXPECT_EQ(Frame().ListWindow()->windowTitle(), "demo.raw");
  EXPECT_EQ(Frame().ListWindow()->Scroll().LineCount(), static_cast<int>(Bench().State.ListLines.size()));
  EXPECT_TRUE(Frame().Action(cmd::FileSaveAs)->isEnabled());
}

TEST_F(WorkbenchWindowTest, BadFilesAreRefusedAndTheWindowStaysUsable) {
  QFile text(QString::fromStdString(Data("notes.raw")));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("just some text, not a raw data file\n");
  text.close();

  struct Case {
    const char* file;
    std::string message;
  } cases[] = {
      {"measuring.raw", "This file is currently being measured."},
      {"notes.raw", ""},  // the reader's own message
      {"missing.raw", "Raw file does not exist.\n\n" + Data("missing.raw")},
  };
  for (const Case& c : cases) {
    ModalScript script;
    script.Press(QMessageBox::Ok);
    ASSERT_TRUE(Start(Data(c.file))) << c.file;
    ASSERT_FALSE(script.seen.empty()) << c.file;
    if (!c.message.empty()) {
      EXPECT_EQ(script.seen.back(), c.message);
    }
    EXPECT_TRUE(Bench().File.DocumentPath.empty()) << c.file;
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_FALSE(Frame().ListWindow());
    EXPECT_TRUE(Frame().Action(cmd::FileOpen)->isEnabled());
  }

  ModalScript script;
  script.Press(QMessageBox::Ok);
  ASSERT_TRUE(Start(Data("empty.raw")));  // no data: said so, and the file stays open
  ASSERT_FALSE(script.seen.empty());
  EXPECT_EQ(script.seen.front(), km::CatalogText(km::msg::NoData));
  EXPECT_EQ(Bench().File.DocumentPath, Data("empty.raw"));
}

TEST_F(WorkbenchWindowTest, SaveAsWritesACopyAndKeepsShowingTheOpenedFile) {
  ASSERT_TRUE(Start(Data("demo.raw")));
  ModalScript script;
  script.Then(SaveAs("copy"));
  ASSERT_TRUE(Frame().TriggerCommand(cmd::FileSaveAs));
  EXPECT_TRUE(script.Done());
  km::testing::RecordingSink sink;
  km::RawFileHeader header{};
  ASSERT_TRUE(km::ReadRawHeader(sink, Data("copy.raw"), header));
  EXPECT_EQ(header.MeasuredRangeCount, 3);
  EXPECT_EQ(Bench().File.DocumentPath, Data("demo.raw"));
  EXPECT_FALSE(Bench().File.IsModified);
}

TEST_F(WorkbenchWindowTest, MergeWithNoFileOpenMakesANewFile) {
  ASSERT_TRUE(Start(""));
  ModalScript script;
  script.Then(Choose({QString::fromStdString(Data("demo.raw")), QString::fromStdString(Data("strong.raw"))}))
      .Then(SaveAs("merged"));
  ASSERT_TRUE(Frame().TriggerCommand(cmd::Merge));
  EXPECT_TRUE(script.Done()) << (script.seen.empty() ? "" : script.seen.back());
  km::testing::RecordingSink sink;
  km::RawFileHeader header{};
  ASSERT_TRUE(km::ReadRawHeader(sink, Data("merged.raw"), header));
  EXPECT_EQ(header.MeasuredRangeCount, 4);
  EXPECT_EQ(Bench().File.DocumentPath, Data("merged.raw"));
  EXPECT_TRUE(Frame().View()->Plot().HasLoadedRanges());
  EXPECT_TRUE(Frame().windowTitle().endsWith("merged.raw"));
}

TEST_F(WorkbenchWindowTest, SaveListFileWritesTheListBesideTheFile) {
  ASSERT_TRUE(Start(Data("demo.raw")));
  ModalScript script;
  script.Then([](QWidget* w) {
    auto* dialog = qobject_cast<km::CSaveFileDlg*>(w);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->TypedName(), "demo.lst");  // proposed from the raw file's name
    dialog->accept();
  });
  ASSERT_TRUE(Frame().TriggerCommand(cmd::SaveListFile));
  QFile list(QString::fromStdString(Data("demo.lst")));
  ASSERT_TRUE(list.open(QIODevice::ReadOnly));
  const QByteArray text = list.readAll();
  EXPECT_TRUE(text.startsWith(" \r\n File     : "));
  EXPECT_EQ(text.count("\r\n"), static_cast<qsizetype>(Bench().State.ListLines.size()));
}

TEST_F(WorkbenchWindowTest, ViewListFileClosesRestoresAndFollowsTheFrame) {
  ASSERT_TRUE(Start(Data("demo.raw")));
  ASSERT_TRUE(Frame().ListWindow());
  EXPECT_TRUE(Frame().Action(cmd::ViewListFile)->isChecked());
  Frame().TriggerCommand(cmd::ViewListFile);  // open: closes it
  QApplication::processEvents();
  EXPECT_FALSE(Frame().ListWindow());
  EXPECT_FALSE(Frame().Action(cmd::ViewListFile)->isChecked());
  Frame().TriggerCommand(cmd::ViewListFile);  // none: shows it
  ASSERT_TRUE(Frame().ListWindow());

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

}  // namespace
}  // namespace keltor
