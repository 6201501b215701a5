// The viewer's window as a user drives it: open the demo series, drag the cube, omit diagrams, save and
// load a status file, the settings dialogs and print to PDF.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "morvane/gui/diagrams_dialog.h"
#include "morvane/gui/menu_commands.h"
#include "morvane/gui/morvane_app.h"
#include "morvane/gui/settings_dialogs.h"
#include "tests/keltor_gui/modal_helper.h"
#include "tests/support/temp_dir.h"

namespace morvane {
namespace {

using keltor::test::ModalScript;

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

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons, Qt::MouseButton button = Qt::NoButton) {
  QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

QPoint At(km::Point p) { return {p.x, p.y}; }

class ViewerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(QProcess::execute(KM_DEMO_GENERATOR, {data}), 0); }
  void Start(const std::string& commandLine = "") {
    app = std::make_unique<CMorvaneApp>();
    ASSERT_TRUE(app->InitInstance(commandLine));
    Frame()->resize(800, 600);
    QApplication::processEvents();
  }
  // Starts with the demo series loaded and drawn.
  void StartWithSeries(const std::string& commandLine = "") {
    Start(commandLine);
    ASSERT_TRUE(app->OpenPicked({Series()}));
    View()->Redraw();
  }
  CMainFrame* Frame() { return app->Frame(); }
  CMorvaneView* View() { return Frame()->View(); }
  ViewerState& State() { return app->State(); }
  std::string Series() const { return (data + "/series.raw").toStdString(); }

  QTemporaryDir dir;
  QString data = dir.path();  // the demo files, and the program directory
  km::testing::ScopedEnv programDirectory{"KM_PROGRAM_DIRECTORY", data.toStdString()};
  std::unique_ptr<CMorvaneApp> app;  // gone before the directory
};

TEST_F(ViewerWindowTest, OpensTheDemoSeriesThroughTheOpenDialog) {
  Start("/Ulab1");
  ModalScript script;
  script.Then(Choose(data, {"series.raw"}));
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::FileOpen));
  EXPECT_EQ(State().NumDiagrams, 12);  // not the placeholder set's 20
  EXPECT_EQ(Frame()->windowTitle(), "3D Graphic User : lab1   File : series.raw");
  // A multiple selection loads the files picked; the recent entry then opens the set again.
  script.Then(Choose(data, {"series.001", "series.002", "series.003"}));
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::FileOpen));
  EXPECT_EQ(State().NumDiagrams, 3);
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::RecentFirst));
  EXPECT_EQ(State().NumDiagrams, 12);
}

TEST_F(ViewerWindowTest, TheWaterfallFollowsACubeDragLive) {
  StartWithSeries();
  const QImage before = View()->Picture().copy();
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::CubeMode));
  const Rect front = State().Front;
  const int frames = View()->FramesDrawn();
  const QPoint handle = At(View()->Edit().HandlePoints[kFrontCentre]);
  Mouse(View(), QEvent::MouseMove, handle, Qt::NoButton);
  Mouse(View(), QEvent::MouseButtonPress, handle, Qt::LeftButton, Qt::LeftButton);
  for (int i = 1; i <= 4; ++i) Mouse(View(), QEvent::MouseMove, handle + QPoint(-10 * i, 5 * i), Qt::LeftButton);
  // Every move drew the picture anew, the diagrams with the face where the mouse is.
  EXPECT_GE(View()->FramesDrawn() - frames, 4);
  EXPECT_EQ(State().Front, (Rect{front.left - 40, front.top + 20, front.right - 40, front.bottom + 20}));
  EXPECT_NE(View()->Picture(), before);
  Mouse(View(), QEvent::MouseButtonRelease, handle + QPoint(-40, 20), Qt::NoButton, Qt::LeftButton);
  EXPECT_FALSE(View()->LastFrameThinned());  // the whole set again once the button is up

  // A set too large to keep up with the mouse is thinned out while dragging, and whole on release.
  const QPoint centre = At(View()->Edit().HandlePoints[kCubeCentre]);
  Mouse(View(), QEvent::MouseMove, centre, Qt::NoButton);
  Mouse(View(), QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
  View()->SetPreviewCount(4);
  Mouse(View(), QEvent::MouseMove, centre + QPoint(5, 5), Qt::LeftButton);
  EXPECT_TRUE(View()->LastFrameThinned());
  Mouse(View(), QEvent::MouseButtonRelease, centre + QPoint(5, 5), Qt::NoButton, Qt::LeftButton);
  EXPECT_FALSE(View()->LastFrameThinned());
  for (const Diagram& d : State().Diagrams) EXPECT_FALSE(d.Omitted);
}

TEST_F(ViewerWindowTest, DiagramsOmittedFromTheListLeaveThePictureAndComeBack) {
  StartWithSeries();
  const QImage whole = View()->Picture().copy();
  // Omits the front and the back diagram (or shows them again), the picture behind following at once.
  const auto toggleFrontAndBack = [this, &whole](QWidget* w) {
    auto* dialog = qobject_cast<CDiagramsDlg*>(w);
    ASSERT_TRUE(dialog);
    QListWidget* list = dialog->List();
    ASSERT_EQ(list->count(), 12);
    const bool omitting = !list->item(0)->text().startsWith("< ");
    list->item(0)->setSelected(true);
    list->item(11)->setSelected(true);
    dialog->Omit()->click();
    EXPECT_EQ(list->item(0)->text().startsWith("< "), omitting);
    EXPECT_FALSE(list->item(1)->text().startsWith("< "));
    EXPECT_EQ(View()->Picture() == whole, !omitting);
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  };
  ModalScript script;
  script.Then(toggleFrontAndBack);
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::ViewDiagrams));
  EXPECT_TRUE(State().Diagrams.front().Omitted && State().Diagrams.back().Omitted);
  EXPECT_EQ(Frame()->StatusPane(1)->text(), "10 of 12 diagrams shown");
  script.Then(toggleFrontAndBack);
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::ViewDiagrams));
  for (const Diagram& d : State().Diagrams) EXPECT_FALSE(d.Omitted);
  EXPECT_EQ(View()->Picture(), whole);
  EXPECT_EQ(Frame()->StatusPane(1)->text(), "12 diagrams");
}

TEST_F(ViewerWindowTest, StatusFileSavedAndLoadedAgain) {
  StartWithSeries();
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::Sqrt));
  const Rect front = State().Front;
  const std::string status = dir.filePath("run.kzs").toStdString();
  ASSERT_TRUE(app->SaveGraphic(status));

  ASSERT_TRUE(Frame()->TriggerCommand(cmd::Linear));
  State().Front = {1, 2, 300, 200};
  ASSERT_TRUE(app->LoadGraphic(status));  // what it holds is checked with morvane-cli's round trip
  EXPECT_EQ(State().Front, front);  // not scaled by the move to the stored window rectangle
  EXPECT_EQ(Frame()->size(), QSize(630, 390));
  EXPECT_TRUE(Frame()->Action(cmd::Sqrt)->isChecked());
}

TEST_F(ViewerWindowTest, DamagedFilesLeaveAUsableWindow) {
  Start();
  const std::string damaged = dir.filePath("damaged.kzs").toStdString();
  km::testing::WriteBytes(damaged, std::string("3DGraphics Status File\r\nMainWin:       1 2 3 4\r\n"
                                               "NumFiles:      3\r\nFile0:         /nowhere\r\nBusy\r\n"));
  ModalScript script;
  EXPECT_FALSE(app->LoadGraphic(damaged));
  EXPECT_FALSE(app->LoadGraphic(dir.filePath("missing.kzs").toStdString()));
  EXPECT_FALSE(app->OpenPicked({(data + "/nothere.raw").toStdString()}));
  EXPECT_FALSE(app->OpenPicked({(data + "/demo.raw").toStdString()}));  // not a master file
  QApplication::processEvents();
  EXPECT_EQ(script.seen.size(), 4u);  // one message each, their texts checked with the readers
  EXPECT_EQ(State().NumDiagrams, 20);
  EXPECT_FALSE(State().Busy);
}

// What each dialog computes is checked with the viewer core; here, that OK alone hands it over.
TEST_F(ViewerWindowTest, SettingsDialogsTakeTheirValuesOnOkOnly) {
  Start();
  View()->Redraw();
  // The title dialog: cancelled first, then confirmed.
  auto title = [](const char* button) {
    return [=](QWidget* w) {
      auto* dialog = qobject_cast<CTitleDlg*>(w);
      ASSERT_TRUE(dialog);
      dialog->Edit()->setText(QString::fromUtf8("Heating 25\u00B0C"));
      QMetaObject::invokeMethod(dialog, button, Qt::QueuedConnection);
    };
  };
  ModalScript script;
  script
      .Then([](QWidget* w) {
        auto* dialog = qobject_cast<CColourSetupDlg*>(w);
        ASSERT_TRUE(dialog);
        dialog->Field(3, 0)->setValue(10);  // background red
        dialog->Field(0, 2)->setValue(300);  // start blue: the spin box holds it at 255, not 44
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
      })
      .Then(title("reject"))
      .Then(title("accept"))
      .Then([](QWidget* w) {
        auto* dialog = qobject_cast<CLabelSetupDlg*>(w);
        ASSERT_TRUE(dialog);
        const QImage before = dialog->Preview()->Picture().copy();
        dialog->Position(0)->setValue(3);
        EXPECT_NE(dialog->Preview()->Picture(), before);  // the preview follows
        dialog->ZMode(1)->click();
        dialog->ZIncrement()->setText("0");
        emit dialog->ZIncrement()->textEdited("0");
        QTimer::singleShot(0, [] {
          // The zero increment is refused; a usable one is taken.
          if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
        });
        dialog->accept();
        EXPECT_TRUE(dialog->isVisible());
        dialog->ZIncrement()->setText("2");
        emit dialog->ZIncrement()->textEdited("2");
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
      });
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::OptionsColour));
  EXPECT_EQ(State().BackColor, (Rgb{10, 255, 255}));
  EXPECT_EQ(State().StartColor, (Rgb{0, 0, 255}));
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::OptionsTitle));
  EXPECT_EQ(State().Title, "");
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::OptionsTitle));
  EXPECT_EQ(State().Title, "Heating 25\xB0" "C");
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::OptionsLabels));
  EXPECT_EQ(State().LabelPos[0], 3);
  EXPECT_EQ(State().ZAxisT.increment, 2.0f);
}

// The pictures themselves are checked with the metafile writer and morvane-cli render.
TEST_F(ViewerWindowTest, PrintsALandscapePageAndSavesAMetafileOrSaysWhyNot) {
  StartWithSeries();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setOutputFileName(dir.filePath("page.pdf"));
  ASSERT_TRUE(Frame()->Printing().PrintTo(printer));
  EXPECT_GT(QFileInfo(dir.filePath("page.pdf")).size(), 2000);
  EXPECT_FALSE(View()->View().Printing);  // the window draws for the screen again
  EXPECT_FLOAT_EQ(ViewerPrinting::PageScale(3000, 2000, 600, 500), 4.0f);
  ASSERT_TRUE(Frame()->SaveMetafileTo(dir.filePath("picture.emf").toStdString()));
  ModalScript script;
  EXPECT_FALSE(Frame()->SaveMetafileTo(dir.filePath("no/such/dir/picture.emf").toStdString()));
  QApplication::processEvents();
  EXPECT_EQ(script.seen.size(), 1u);
}

}  // namespace
}  // namespace morvane
