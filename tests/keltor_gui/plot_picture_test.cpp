// keltor-cli plot draws what the window draws, headless; the list prints on any printer.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "keltor/core/plot_settings.h"
#include "keltor/gui/list_printing.h"

namespace keltor {
namespace {

class PlotPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QProcess generator;
    generator.start(KM_DEMO_GENERATOR, {dir.path()});
    ASSERT_TRUE(generator.waitForFinished(60000));
  }
  int Plot(const QStringList& args) {
    QProcess cli;
    cli.start(KM_KELTOR_CLI, QStringList{"plot"} + args);
    cli.waitForFinished(60000);
    errors = cli.readAllStandardError().toStdString();
    return cli.exitCode();
  }
  QString File(const char* name) const { return dir.filePath(name); }
  QTemporaryDir dir;
  std::string errors;
};

bool HasColour(const QImage& image, QRect area, km::Rgb c) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixelColor(x, y) == QColor(c.r, c.g, c.b)) return true;
  return false;
}

TEST_F(PlotPictureTest, DrawsColouredRangesAboveAndGreyOnesBelow) {
  ASSERT_EQ(Plot({File("demo.raw"), "-o", File("demo.png"), "--size", "600x400"}), 0) << errors;
  const QImage image(File("demo.png"));
  ASSERT_EQ(image.size(), QSize(600, 400));
  const QRect upper(0, 0, 600, 200), lower(0, 200, 600, 200);
  EXPECT_TRUE(HasColour(image, upper, kLoadedRangeColors[0]));
  EXPECT_FALSE(HasColour(image, lower, kLoadedRangeColors[0]));
  EXPECT_TRUE(HasColour(image, lower, kUnchangedRangeColor));

  ASSERT_EQ(Plot({File("demo.raw"), "-o", File("demo.svg")}), 0) << errors;
  QFile svg(File("demo.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("2Theta"));
  ASSERT_EQ(Plot({File("demo.raw"), "-o", File("demo.pdf")}), 0) << errors;
  EXPECT_GT(QFile(File("demo.pdf")).size(), 1000);
}

TEST_F(PlotPictureTest, RefusesWhatTheWorkbenchRefuses) {
  EXPECT_EQ(Plot({File("measuring.raw"), "-o", File("m.png")}), 1);
  EXPECT_NE(errors.find("This file is currently being measured."), std::string::npos) << errors;
  EXPECT_EQ(Plot({File("empty.raw"), "-o", File("e.png")}), 1);
  EXPECT_NE(errors.find("does not contain any data"), std::string::npos) << errors;
  EXPECT_FALSE(QFile::exists(File("m.png")));
  EXPECT_EQ(Plot({File("demo.raw"), "-o", File("x.bmp")}), 2);  // a usage error
  EXPECT_EQ(Plot({File("demo.raw"), "-o", File("demo.raw")}), 2);  // never over its input
}

TEST(ListPrinting, PrintsEveryLineOnLandscapePages) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile saved(dir.filePath("list.lst"));
  ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
  saved.write(" \r\n File     : a.raw\r\nlast");
  saved.close();
  const auto lines = ReadTextLines(dir.filePath("list.lst").toStdString());
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, (std::vector<std::string>{" ", " File     : a.raw", "last"}));

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("list.pdf"));
  printer.setPageOrientation(QPageLayout::Landscape);
  std::vector<std::string> many(200, std::string(90, 'x'));
  ASSERT_TRUE(PrintLines(printer, many, "list"));
  EXPECT_GT(QFile(dir.filePath("list.pdf")).size(), 1000);
}

}  // namespace
}  // namespace keltor
