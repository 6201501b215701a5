// The Parameters menu: title and comment, radiation and wavelength, generator power limits.
#include "keltor/core/operations/header_parameters.h"
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

km::RawFileHeader WithTube(int radiation) {
  km::RawFileHeader h = MeasuredHeader();
  h.Radiation = static_cast<int16_t>(radiation);
  return h;
}

TEST(GeneratorLimitsTest, PowerPerAnodeAndFieldLimitsFirst) {
  struct Case {
    int radiation, kv, ma;
    const char* message;  // nullptr: accepted
  } cases[] = {
      {3, 50, 45, "Maximum power (2200 W) exceeded."},
      {3, 40, 55, "Invalid Data\nAllowed Range = 0 to 50"},  // the field limit comes before the power
      {3, 61, 10, "Invalid Data\nAllowed Range = 0 to 60"},
      {3, 44, 50, nullptr},
      {5, 40, 30, "Maximum power (1000 W) exceeded."},
      {5, 40, 25, nullptr},
      {0, 60, 50, nullptr},  // unknown tube: the user slot's 3000 W
      {9, 60, 50, nullptr},  // a code the table does not hold is treated alike
  };
  RadiationTable table;
  for (const Case& c : cases) {
    km::testing::RecordingSink sink;
    km::RawFileHeader h = WithTube(c.radiation);
    h.GeneratorVoltage = 20;
    h.GeneratorCurrent = 10;
    const int refused = CheckGeneratorSettings(sink, h, table, {c.kv, c.ma});
    EXPECT_EQ(refused == 0, c.message == nullptr) << c.radiation << " " << c.kv << "x" << c.ma;
    EXPECT_EQ(sink.LastText(), c.message ? c.message : "");
  }
  // Values as stored are not checked again: an unchanged setting above the limit closes the dialog.
  km::RawFileHeader strong = WithTube(5);
  strong.GeneratorVoltage = 60;
  strong.GeneratorCurrent = 40;
  km::testing::RecordingSink sink;
  EXPECT_EQ(CheckGeneratorSettings(sink, strong, table, {60, 40}), 0);
  EXPECT_FALSE(ApplyGeneratorSettings(strong, {60, 40}));
}

class ParameterCommandTest : public WorkbenchFixture {
 protected:
  void OpenTube(int radiation) {
    km::RawFileHeader h = WithTube(radiation);
    if (radiation == 1) h.WavelengthAlpha1 = 0.5594075f, h.WavelengthAlpha2 = 0.563798f;
    Open(WriteFile("tube" + std::to_string(radiation) + ".raw", h, {Ramp(20)}));
  }
};

TEST_F(ParameterCommandTest, WavelengthChoicesAndTheUserSlotKeptForTheRun) {
  OpenTube(3);
  ui_.wavelengthAnswers.push_back(WavelengthChoice{1, 0.0f});
  ASSERT_TRUE(wb_.OnParametersWavelength());
  const WavelengthRequest& first = ui_.wavelengthRequests.at(0);
  EXPECT_EQ(first.Selection, 2);
  EXPECT_EQ(first.Lines.at(2), "Cu  ( 1.540598 )");
  EXPECT_EQ(wb_.File.WorkingFile.Header.Radiation, 2);
  EXPECT_FLOAT_EQ(+wb_.File.WorkingFile.Header.WavelengthAlpha1, 0.7093f);

  // Out of range first, then 1.2345: the user's slot, without an Alpha2 line.
  ui_.wavelengthAnswers = {WavelengthChoice{6, 4.5f}, WavelengthChoice{6, 1.2345f}};
  ASSERT_TRUE(wb_.OnParametersWavelength());
  EXPECT_EQ(wb_.File.WorkingFile.Header.Radiation, 7);
  EXPECT_FLOAT_EQ(+wb_.File.WorkingFile.Header.WavelengthAlpha1, 1.2345f);
  EXPECT_EQ(+wb_.File.WorkingFile.Header.WavelengthAlpha2, 0.0f);
  // Another file later in the run proposes the same value.
  wb_.File.DropChanges();
  OpenTube(1);
  ui_.wavelengthAnswers.push_back(WavelengthChoice{0, 0.5594075f});  // silver left as it is
  ASSERT_TRUE(wb_.OnParametersWavelength());
  EXPECT_FLOAT_EQ(ui_.wavelengthRequests.back().UserWavelength, 1.2345f);
  EXPECT_FALSE(wb_.File.IsModified);
}

TEST_F(ParameterCommandTest, UnknownRadiationCodesOpenOnTheUserSlotAndChangeNothingUnlessTold) {
  for (int code : {0, 9}) {
    OpenTube(code);
    ui_.wavelengthAnswers.push_back(WavelengthChoice{6, wb_.File.WorkingFile.Header.WavelengthAlpha1});
    ASSERT_TRUE(wb_.OnParametersWavelength());
    EXPECT_EQ(ui_.wavelengthRequests.back().Selection, 6) << code;
    EXPECT_FALSE(wb_.File.IsModified) << code;
    EXPECT_EQ(wb_.File.WorkingFile.Header.Radiation, code);
  }
  EXPECT_FLOAT_EQ(wb_.State.Radiations.UserWavelength(), 1.54056f);  // took the file's wavelength
}

TEST_F(ParameterCommandTest, TheTitleRefusesWhatItsFieldCannotHoldAndKeepsTheCommentsLines) {
  OpenTube(3);
  ui_.titleAnswers.push_back(TitleTexts{std::string(80, 'x'), ""});
  ui_.titleAnswers.push_back(TitleTexts{"Quartz \xB0", "line 1\r\nline 2"});
  ASSERT_TRUE(wb_.OnParametersTitle());
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{"The title is longer than 79 characters."});
  const km::RawFileHeader& h = wb_.File.WorkingFile.Header;
  EXPECT_EQ(km::FieldText(h.Title), "Quartz \xB0");
  EXPECT_EQ(km::FieldText(h.Comment), "line 1\r\nline 2");
  EXPECT_TRUE(wb_.File.IsModified);
  EXPECT_EQ(observer_.dataChanged, 0);  // the plot shows no header field
}

}  // namespace
}  // namespace keltor::testing
