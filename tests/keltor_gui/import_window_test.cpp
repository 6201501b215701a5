// File, Import as a user meets it: always offered, the import file chosen in the open dialog, the
// target in the save dialog, and the imported file shown in the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include "common/core/raw_file.h"
#include "common/qt/save_file_dialog.h"
#include "keltor/gui/keltor_app.h"
#include "keltor/gui/menu_commands.h"
#include "tests/keltor_gui/modal_helper.h"
#include "tests/support/recording_sink.h"

namespace keltor {
namespace {

using test::ModalScript;

class ImportWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", dir.path().toUtf8());
    qputenv("KM_PROGRAM_DIRECTORY", dir.path().toUtf8());
    QFile udf(dir.filePath("quartz.udf"));
    ASSERT_TRUE(udf.open(QIODevice::WriteOnly));
    udf.write("SampleIdent,quartz,/\r\nTitle1,Quartz standard,/\r\nAnode,Cu ,/\r\n"
              "DataAngleRange,20.0,20.3,/\r\nScanStepSize,0.1,/\r\nRawScan\r\n 100, 400, 900, 200/\r\n");
  }
  void TearDown() override {
    app.reset();
    savedTmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", savedTmp);
  }

  QTemporaryDir dir;
  QByteArray savedTmp;
  std::unique_ptr<CKeltorApp> app;
};

TEST_F(ImportWindowTest, AnImportedUdfFileIsSavedAndShown) {
  app = std::make_unique<CKeltorApp>();
  ASSERT_TRUE(app->InitInstance(""));
  CMainFrame& frame = *app->Frame();
  ASSERT_TRUE(frame.Action(cmd::Import)->isEnabled());  // with no file open too

  ModalScript script;
  QString openTitle, proposed, saveTitle;
  script
      .Then([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_TRUE(dialog);
        openTitle = dialog->windowTitle();
        dialog->setDirectory(dir.path());
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("quartz.udf");
        QMetaObject::invokeMethod(dialog, "accept");
      })
      .Then([&](QWidget* w) {
        auto* dialog = qobject_cast<km::CSaveFileDlg*>(w);
        ASSERT_TRUE(dialog);
        proposed = dialog->TypedName();
        saveTitle = dialog->windowTitle();
        dialog->SetTypedName("imported");
        dialog->accept();
      });
  ASSERT_TRUE(frame.TriggerCommand(cmd::Import));
  EXPECT_TRUE(script.Done()) << (script.seen.empty() ? "" : script.seen.back());
  EXPECT_EQ(openTitle, " choose file to import");
  EXPECT_EQ(proposed, "quartz.raw");
  EXPECT_EQ(saveTitle, "save imported file as");

  const std::string target = dir.filePath("imported.raw").toStdString();
  EXPECT_EQ(app->Bench().File.DocumentPath, target);
  EXPECT_TRUE(frame.View()->Plot().HasLoadedRanges());
  EXPECT_TRUE(frame.windowTitle().endsWith("imported.raw"));
  km::testing::RecordingSink sink;
  km::RawFileHeader header{};
  ASSERT_TRUE(km::ReadRawHeader(sink, target, header));
  EXPECT_EQ(+header.TotalPointCount, 4);  // a copy: the packed field may lie unaligned
}

}  // namespace
}  // namespace keltor
