// keltor-cli plot draws what the window draws, headless.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "common/core/file_access.h"
#include "keltor/core/plot_settings.h"
#include "tests/support/picture_compare.h"

namespace keltor {
namespace {

class PlotPictureTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(QProcess::execute(KM_DEMO_GENERATOR, {dir.path()}), 0); }
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

TEST_F(PlotPictureTest, DrawsColouredRangesAboveAndGreyOnesBelow) {
  ASSERT_EQ(Plot({File("demo.raw"), "-o", File("demo.png"), "--size", "600x400"}), 0) << errors;
  const QImage image(File("demo.png"));
  ASSERT_EQ(image.size(), QSize(600, 400));
  const QRect upper(0, 0, 600, 200), lower(0, 200, 600, 200);
  const auto HasColour = [&image](QRect area, km::Rgb c) {
    return km::testing::CountColour(image.copy(area).convertToFormat(QImage::Format_RGB32), qRgb(c.r, c.g, c.b)) > 0;
  };
  EXPECT_TRUE(HasColour(upper, kLoadedRangeColors[0]));
  EXPECT_FALSE(HasColour(lower, kLoadedRangeColors[0]));
  EXPECT_TRUE(HasColour(lower, kUnchangedRangeColor));

  // The other formats are chosen by the extension.
  ASSERT_EQ(Plot({File("demo.raw"), "-o", File("demo.svg")}), 0) << errors;
  ASSERT_EQ(Plot({File("demo.raw"), "-o", File("demo.pdf")}), 0) << errors;
  EXPECT_NE(km::ReadWholeFile(File("demo.svg").toStdString(), 1 << 24).value_or("").find("2Theta"), std::string::npos);
  EXPECT_TRUE(km::ReadWholeFile(File("demo.pdf").toStdString(), 1 << 24).value_or("").starts_with("%PDF"));
}

TEST_F(PlotPictureTest, RefusesWhatTheWorkbenchRefuses) {
  EXPECT_EQ(Plot({File("measuring.raw"), "-o", File("m.png")}), 1);
  EXPECT_NE(errors.find("This file is currently being measured."), std::string::npos) << errors;
  EXPECT_FALSE(QFile::exists(File("m.png")));
  EXPECT_EQ(Plot({File("empty.raw"), "-o", File("e.png")}), 1);
  EXPECT_NE(errors.find("does not contain any data"), std::string::npos) << errors;
  EXPECT_EQ(Plot({File("demo.raw"), "-o", File("x.bmp")}), 2);  // a usage error
  EXPECT_EQ(Plot({File("demo.raw"), "-o", File("demo.raw")}), 2);  // never over its input
}

}  // namespace
}  // namespace keltor
