// The viewer's window as a user drives it: open the demo series, drag the cube, zoom, save and load
// a status file, print to PDF, and the profile section written at exit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "common/core/user_profile.h"
#include "morvane/core/file_set.h"
#include "morvane/core/ranges.h"
#include "morvane/gui/diagrams_dialog.h"
#include "morvane/gui/menu_commands.h"
#include "morvane/gui/morvane_app.h"
#include "morvane/gui/settings_dialogs.h"
#include "tests/keltor_gui/modal_helper.h"

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

// Drags from one point to another in steps, the left button held.
void Drag(QWidget* w, QPoint from, QPoint to, int steps = 5) {
  Mouse(w, QEvent::MouseMove, from, Qt::NoButton);
  Mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  for (int i = 1; i <= steps; ++i) Mouse(w, QEvent::MouseMove, from + (to - from) * i / steps, Qt::LeftButton);
  Mouse(w, QEvent::MouseButtonRelease, to, Qt::NoButton, Qt::LeftButton);
}

QPoint At(km::Point p) { return {p.x, p.y}; }

class ViewerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    data = dir.filePath("data");
    QDir().mkpath(data);
    QProcess generator;
    generator.start(KM_DEMO_GENERATOR, {data});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitCode(), 0);
    qputenv("KM_PROGRAM_DIRECTORY", data.toUtf8());
  }
  void TearDown() override {
    app.reset();
    qunsetenv("KM_PROGRAM_DIRECTORY");
  }
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
  QString data;
  std::unique_ptr<CMorvaneApp> app;
};

TEST_F(ViewerWindowTest, StartsWithThePlaceholderSetAndAToolbarWithTips) {
  Start();
  EXPECT_EQ(State().NumDiagrams, 20);
  EXPECT_EQ(Frame()->windowTitle(), "3D Graphic User : ");
  QStringList tips;
  for (QAction* a : Frame()->ToolBar()->actions())
    if (!a->isSeparator()) tips << a->toolTip();
  EXPECT_EQ(tips, (QStringList{"Open", "Print", "Help Topics", "Zoom X", "Zoom Y", "Zoom Z", "View whole diagram",
                               "Cube Mode", "Top View", "Centre", "SQRT", "Linear", "Log", "Recolour"}));
  EXPECT_EQ(Frame()->Action(cmd::Centre)->statusTip(), "Scale the diagram to fit into the window");
  EXPECT_TRUE(Frame()->Action(cmd::Linear)->isChecked());
  Frame()->RebuildRecentFiles();
  EXPECT_EQ(Frame()->Action(cmd::RecentFirst)->text(), "Recent Files");
  EXPECT_FALSE(Frame()->Action(cmd::RecentFirst)->isEnabled());
}

TEST_F(ViewerWindowTest, OpensTheDemoSeriesThroughTheOpenDialog) {
  Start("/Ulab1");
  ModalScript script;
  script.Then(Choose(data, {"series.raw"}));
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::FileOpen));
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(State().NumDiagrams, 12);
  EXPECT_EQ(Frame()->windowTitle(), "3D Graphic User : lab1   File : series.raw");
  ASSERT_FALSE(State().RecentSets.empty());
  EXPECT_EQ(State().RecentSets.front(), Series());
  Frame()->RebuildRecentFiles();
  EXPECT_TRUE(Frame()->Action(cmd::RecentFirst)->text().startsWith("&1 "));
  // A multiple selection loads the files picked; the recent entry then opens the set again.
  script.Then(Choose(data, {"series.001", "series.002", "series.003"}));
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::FileOpen));
  EXPECT_EQ(State().NumDiagrams, 3);
  EXPECT_EQ(State().NumFiles, 4);
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::RecentFirst));
  EXPECT_EQ(State().NumDiagrams, 12);
}

TEST_F(ViewerWindowTest, TheWaterfallFollowsACubeDragLive) {
  StartWithSeries();
  const QImage before = View()->Picture().copy();
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::CubeMode));
  EXPECT_TRUE(Frame()->Action(cmd::CubeMode)->isChecked());
  EXPECT_FALSE(Frame()->Action(cmd::TopView)->isEnabled());
  const Rect front = State().Front;
  const int frames = View()->FramesDrawn();
  const QPoint handle = At(View()->Edit().HandlePoints[kFrontCentre]);
  Mouse(View(), QEvent::MouseMove, handle, Qt::NoButton);
  EXPECT_TRUE(View()->Edit().HandleHit[kFrontCentre]);
  Mouse(View(), QEvent::MouseButtonPress, handle, Qt::LeftButton, Qt::LeftButton);
  for (int i = 1; i <= 4; ++i) Mouse(View(), QEvent::MouseMove, handle + QPoint(-10 * i, 5 * i), Qt::LeftButton);
  // Every move drew the picture anew, the diagrams with the face where the mouse is.
  EXPECT_GE(View()->FramesDrawn() - frames, 4);
  const QImage during = View()->Picture().copy();
  EXPECT_EQ(State().Front, (Rect{front.left - 40, front.top + 20, front.right - 40, front.bottom + 20}));
  EXPECT_NE(during, before);
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
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::CubeMode));
  EXPECT_FALSE(View()->View().CubeMode);
}

TEST_F(ViewerWindowTest, DiagramsOmittedFromTheListLeaveThePictureAndComeBack) {
  StartWithSeries();
  const QImage whole = View()->Picture().copy();
  const auto omitFrontAndBack = [this, &whole](QWidget* w) {
    auto* dialog = qobject_cast<CDiagramsDlg*>(w);
    ASSERT_TRUE(dialog);
    QListWidget* list = dialog->List();
    ASSERT_EQ(list->count(), 12);
    list->item(0)->setSelected(true);
    list->item(11)->setSelected(true);
    dialog->Omit()->click();
    EXPECT_TRUE(list->item(0)->text().startsWith("< "));
    EXPECT_FALSE(list->item(1)->text().startsWith("< "));
    EXPECT_NE(View()->Picture(), whole);  // the picture behind the dialog follows at once
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  };
  ModalScript script;
  script.Then(omitFrontAndBack);
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::ViewDiagrams));
  int omitted = 0;
  for (const Diagram& d : State().Diagrams) omitted += d.Omitted;
  EXPECT_EQ(omitted, 2);
  EXPECT_EQ(Frame()->StatusPane(1)->text(), "10 of 12 diagrams shown");
  // Omit on the same entries shows them again.
  script.Then([](QWidget* w) {
    auto* dialog = qobject_cast<CDiagramsDlg*>(w);
    ASSERT_TRUE(dialog);
    dialog->List()->item(0)->setSelected(true);
    dialog->List()->item(11)->setSelected(true);
    dialog->Omit()->click();
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  });
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::ViewDiagrams));
  for (const Diagram& d : State().Diagrams) EXPECT_FALSE(d.Omitted);
  EXPECT_EQ(View()->Picture(), whole);
  EXPECT_EQ(Frame()->StatusPane(1)->text(), "12 diagrams");
}

TEST_F(ViewerWindowTest, ZoomXNarrowsTheAngleRangeToTheDraggedEdges) {
  StartWithSeries();
  const FloatRange full = State().XDraw;
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::ZoomX));
  EXPECT_TRUE(Frame()->Action(cmd::ZoomX)->isChecked());
  EXPECT_FALSE(Frame()->Action(cmd::ZoomY)->isEnabled());
  EXPECT_FALSE(Frame()->Action(cmd::CubeMode)->isEnabled());
  const int width = State().Front.right - State().Front.left;
  const QPoint edge = At(View()->Edit().HandlePoints[kEdgeTopLeft]);
  Drag(View(), edge, edge + QPoint(width / 4, 0));
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::ZoomX));
  EXPECT_FALSE(View()->View().CubeMode);
  const float quarter = (full.max - full.min) / 4;
  EXPECT_NEAR(State().XDraw.min, full.min + quarter, quarter * 0.05);
  EXPECT_EQ(State().XDraw.max, full.max);
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::ViewWhole));
  EXPECT_EQ(State().XDraw, full);
}

TEST_F(ViewerWindowTest, StatusFileSavedAndLoadedAgain) {
  StartWithSeries();
  State().BackColor = {250, 240, 230};
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::Sqrt));
  const Rect front = State().Front;
  const std::string status = dir.filePath("run.kzs").toStdString();
  ASSERT_TRUE(app->SaveGraphic(status));

  ASSERT_TRUE(Frame()->TriggerCommand(cmd::Linear));
  State().BackColor = {0, 0, 0};
  State().Front = {1, 2, 300, 200};
  ASSERT_TRUE(app->LoadGraphic(status));
  EXPECT_EQ(State().NumDiagrams, 12);
  EXPECT_EQ(State().BackColor, (Rgb{250, 240, 230}));
  EXPECT_EQ(State().Front, front);  // not scaled by the move to the stored window rectangle
  EXPECT_EQ(Frame()->size(), QSize(630, 390));
  EXPECT_TRUE(State().SQRT);
  EXPECT_TRUE(Frame()->Action(cmd::Sqrt)->isChecked());
  View()->Redraw();
  EXPECT_EQ(View()->Picture().pixelColor(2, 2), QColor(250, 240, 230));
}

TEST_F(ViewerWindowTest, DamagedFilesLeaveAUsableWindow) {
  Start();
  const QString damaged = dir.filePath("damaged.kzs");
  QFile f(damaged);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("3DGraphics Status File\r\nMainWin:       1 2 3 4\r\nNumFiles:      3\r\nFile0:         /nowhere\r\nBusy\r\n");
  f.close();
  ModalScript script;
  EXPECT_FALSE(app->LoadGraphic(damaged.toStdString()));
  EXPECT_FALSE(app->LoadGraphic(dir.filePath("missing.kzs").toStdString()));
  EXPECT_FALSE(app->OpenPicked({(data + "/nothere.raw").toStdString()}));
  EXPECT_FALSE(app->OpenPicked({(data + "/demo.raw").toStdString()}));  // not a master file
  QApplication::processEvents();
  EXPECT_EQ(script.seen.size(), 4u);  // one message each, their texts checked with the readers
  EXPECT_EQ(State().NumDiagrams, 20);
  EXPECT_FALSE(State().Busy);
  View()->Redraw();
  EXPECT_GT(View()->FramesDrawn(), 0);
}

TEST_F(ViewerWindowTest, TinyWindowsAndCommandsThatCannotFitKeepTheCube) {
  Start();
  View()->Redraw();
  const Rect front = State().Front;
  Frame()->resize(60, 60);
  QApplication::processEvents();
  View()->Redraw();
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::DefaultCube));
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::Centre));
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::TopView));
  View()->Redraw();
  Frame()->resize(800, 600);
  QApplication::processEvents();
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::TopView));
  View()->Redraw();
  EXPECT_TRUE(IsValidFace(State().Front));
  EXPECT_TRUE(IsValidFace(State().Back));
  EXPECT_NEAR(State().Front.left, front.left, 2);
}

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
        dialog->Field(0, 2)->setValue(300);  // start blue: the spin box holds it at 255
        dialog->Filled()->setChecked(false);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
      })
      .Then(title("reject"))
      .Then(title("accept"))
      .Then([](QWidget* w) {
        auto* dialog = qobject_cast<CLabelSetupDlg*>(w);
        ASSERT_TRUE(dialog);
        const QImage before = dialog->Preview()->Picture().copy();
        dialog->Position(0)->setValue(3);
        dialog->ZMode(1)->click();
        EXPECT_NE(dialog->Preview()->Picture(), before);  // the preview follows
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
      })
      .Then([](QWidget* w) {
        auto* dialog = qobject_cast<CScalingSetupDlg*>(w);
        ASSERT_TRUE(dialog);
        dialog->Field(0, 0)->setText("80");  // X From above To: the full range
        dialog->Field(0, 1)->setText("20");
        dialog->Field(1, 1)->setText("90000");
        dialog->ScalingBox(1)->click();
        EXPECT_EQ(dialog->Field(1, 1)->text(), "223.61");  // the square root of the full 50000
        dialog->Field(1, 1)->setText("90000");
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
      });
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::OptionsColour));
  EXPECT_EQ(State().BackColor, (Rgb{10, 255, 255}));
  EXPECT_EQ(State().StartColor, (Rgb{0, 0, 255}));
  EXPECT_FALSE(State().FilledDiagrams);
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::OptionsTitle));
  EXPECT_EQ(State().Title, "");
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::OptionsTitle));
  EXPECT_EQ(State().Title, "Heating 25\xB0" "C");
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::OptionsLabels));
  EXPECT_EQ(State().LabelPos[0], 3);
  EXPECT_EQ(State().ZMode, 1);
  EXPECT_TRUE(State().UserZAxis);
  EXPECT_EQ(State().ZAxisT.increment, 2.0f);
  ASSERT_TRUE(Frame()->TriggerCommand(cmd::OptionsScaling));
  EXPECT_EQ(State().XDraw, State().FullXRange);
  EXPECT_EQ(State().YDraw.max, 90000.0f);
  EXPECT_TRUE(State().SQRT);
}

TEST_F(ViewerWindowTest, PrintsOneLandscapePageToPdf) {
  Start();
  View()->Redraw();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageOrientation(QPageLayout::Landscape);
  const QString pdf = dir.filePath("page.pdf");
  printer.setOutputFileName(pdf);
  ASSERT_TRUE(Frame()->Printing().PrintTo(printer));
  QFile f(pdf);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.read(5).startsWith("%PDF"));
  EXPECT_GT(f.size(), 2000);
  EXPECT_FALSE(View()->View().Printing);
  EXPECT_FLOAT_EQ(ViewerPrinting::PageScale(3000, 2000, 600, 500), 4.0f);
}

TEST_F(ViewerWindowTest, SavesTheShownPictureAsAnEnhancedMetafile) {
  StartWithSeries();
  ASSERT_TRUE(Frame()->Action(cmd::SaveMetafile)->isEnabled());
  const QString emf = dir.filePath("picture.emf");
  ASSERT_TRUE(Frame()->SaveMetafileTo(emf.toStdString()));
  EXPECT_GT(QFileInfo(emf).size(), 1000);  // its records are checked with the metafile writer
  // A file that cannot be created is reported, and the window goes on.
  ModalScript script;
  EXPECT_FALSE(Frame()->SaveMetafileTo(dir.filePath("no/such/dir/picture.emf").toStdString()));
  QApplication::processEvents();
  EXPECT_EQ(script.seen.size(), 1u);
}

TEST_F(ViewerWindowTest, TheProfileSectionKeepsColoursCubeAndRecentFiles) {
  StartWithSeries("/Ulab1");
  State().GridColor = {1, 2, 3};
  const Rect front = State().Front;
  app->ExitInstance();
  app.reset();

  std::vector<std::string> texts;
  std::vector<uint8_t> settings;
  km::SilentMessageSink silent;
  ASSERT_TRUE(km::ReadUserSection(silent, (data + "/USERS/lab1.USR").toStdString(), nullptr, km::kViewerSectionId,
                                  texts, settings));
  ASSERT_GE(settings.size(), 26u);
  EXPECT_NE(settings[10], 0);  // the exit time
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), Series());

  Start("/Ulab1");
  EXPECT_EQ(State().GridColor, (Rgb{1, 2, 3}));
  EXPECT_EQ(State().SavedFront, front);
}

}  // namespace
}  // namespace morvane
