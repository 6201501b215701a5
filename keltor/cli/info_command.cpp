// keltor-cli info FILE [--data]: the headers of a raw data file, field by field, as one JSON object.
#include <charconv>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "common/core/cp1252.h"
#include "common/core/messages.h"
#include "common/core/raw_file.h"
#include "keltor/cli/commands.h"

namespace keltor::cli {
namespace {

using nlohmann::ordered_json;

// A single-precision value as the shortest decimal that reads back to the same float.
double Shortest(float value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::strtod(std::string(text, end).c_str(), nullptr);
}

template <size_t N>
std::string Text(const char (&field)[N]) {
  return km::Cp1252ToUtf8(km::FieldText(field));
}

// The eight bytes of Magic are not NUL-terminated.
std::string MagicText(const km::RawFileHeader& h) { return km::Cp1252ToUtf8(std::string(h.Magic, 8)); }

template <typename T, size_t N>
ordered_json Array(const T (&values)[N]) {
  ordered_json a = ordered_json::array();
  for (const T& v : values) {
    if constexpr (std::is_same_v<T, float>) a.push_back(Shortest(v));
    else a.push_back(v);
  }
  return a;
}

ordered_json FileHeaderJson(const km::RawFileHeader& h) {
  ordered_json j;
  j["Magic"] = MagicText(h);
  j["CreatorProgram"] = Text(h.CreatorProgram);
  j["CreationTime"] = Text(h.CreationTime);
  j["Title"] = Text(h.Title);
  j["Comment"] = Text(h.Comment);
  j["DiffractometerType"] = h.DiffractometerType;
  j["AngleResolution"] = h.AngleResolution;
  j["Monochromator"] = h.Monochromator;
  j["Radiation"] = h.Radiation;
  j["DetectorType"] = h.DetectorType;
  j["GeneratorVoltage"] = h.GeneratorVoltage;
  j["GeneratorCurrent"] = h.GeneratorCurrent;
  j["WavelengthAlpha1"] = Shortest(h.WavelengthAlpha1);
  j["WavelengthAlpha2"] = Shortest(h.WavelengthAlpha2);
  j["AbsorptionValue"] = Shortest(h.AbsorptionValue);
  j["ScanMode"] = h.ScanMode;
  j["ScanType"] = h.ScanType;
  j["PsdMode"] = h.PsdMode;
  j["PsdOmegaMode"] = h.PsdOmegaMode;
  j["ScanUsage"] = h.ScanUsage;
  j["SampleNumber"] = h.SampleNumber;
  j["SampleCount"] = h.SampleCount;
  j["RangeCount"] = h.RangeCount;
  j["MeasuredRangeCount"] = h.MeasuredRangeCount;
  j["RangeInMeasurement"] = h.RangeInMeasurement;
  j["RelatedFirstNumber"] = h.RelatedFirstNumber;
  j["RelatedFileCount"] = h.RelatedFileCount;
  j["RelatedReserved"] = h.RelatedReserved;
  j["ModificationTime"] = Text(h.ModificationTime);
  j["ModifierProgram"] = Text(h.ModifierProgram);
  j["TotalPointCount"] = +h.TotalPointCount;  // a copy: the field is not 4-byte aligned
  j["InstrumentInfoValid"] = h.InstrumentInfoValid;
  j["LegacyRangeFlags"] = h.LegacyRangeFlags;
  j["LastBlock"] = h.LastBlock;
  j["LastBlockCopy"] = h.LastBlockCopy;
  j["RangeBlock"] = Array(h.RangeBlock);
  j["RangeDataBlocks"] = Array(h.RangeDataBlocks);
  return j;
}

ordered_json RangeHeaderJson(const km::RawRangeHeader& r) {
  ordered_json j;
  j["CollectionStart"] = Text(r.CollectionStart);
  j["CollectionEnd"] = Text(r.CollectionEnd);
  j["PointCount"] = r.PointCount;
  j["BackgroundPointCount"] = r.BackgroundPointCount;
  j["DataFormat"] = r.DataFormat;
  j["ScaleFactor"] = Shortest(r.ScaleFactor);
  j["TwoThetaBegin"] = Shortest(r.TwoThetaBegin);
  j["OmegaBegin"] = Shortest(r.OmegaBegin);
  j["TwoThetaEnd"] = Shortest(r.TwoThetaEnd);
  j["OmegaEnd"] = Shortest(r.OmegaEnd);
  j["TwoThetaStep"] = Shortest(r.TwoThetaStep);
  j["OmegaStep"] = Shortest(r.OmegaStep);
  j["TimePerStep"] = Shortest(r.TimePerStep);
  j["OmegaPosition"] = Shortest(r.OmegaPosition);
  j["LegacySamplePosition"] = Array(r.LegacySamplePosition);
  j["Temperature"] = Shortest(r.Temperature);
  j["TemperatureDeviation"] = Shortest(r.TemperatureDeviation);
  j["PrimaryBeamIntensity"] = Shortest(r.PrimaryBeamIntensity);
  j["PrimaryBeamDeviation"] = Shortest(r.PrimaryBeamDeviation);
  j["DivergenceSlit"] = Shortest(r.DivergenceSlit);
  j["DivergenceSlitEnd"] = Shortest(r.DivergenceSlitEnd);
  j["ReceivingSlit"] = Shortest(r.ReceivingSlit);
  j["SampleArea"] = Shortest(r.SampleArea);
  j["SamplePositionCount"] = r.SamplePositionCount;
  j["RangeFlags"] = r.RangeFlags;
  j["MinIntensity"] = r.MinIntensity;
  j["MaxIntensity"] = r.MaxIntensity;
  j["BackgroundPointIndex"] = Array(r.BackgroundPointIndex);
  j["BackgroundSmooth"] = Shortest(r.BackgroundSmooth);
  j["BackgroundFactor"] = Shortest(r.BackgroundFactor);
  j["BackgroundIntensity"] = Array(r.BackgroundIntensity);
  j["SamplePosition1"] = Shortest(r.SamplePosition1);
  j["SamplePosition2"] = Shortest(r.SamplePosition2);
  return j;
}

int RunInfo(const std::string& path, bool withData) {
  km::ConsoleMessageSink sink;
  km::RawFileContext context;
  context.Path = path;
  if (!km::ReadRawHeader(sink, path, context.Header)) return 1;
  context.MeasuredRanges = context.Header.MeasuredRangeCount;
  context.IsBeingMeasured = context.Header.RangeInMeasurement != 0;

  int result = 0;
  ordered_json ranges = ordered_json::array();
  const int count = context.Header.TotalPointCount == 0 ? 0 : context.MeasuredRanges;
  for (int n = 1; n <= count; ++n) {
    // The range a measuring program is still writing may not be in the file yet: not an error.
    const bool inMeasurement = context.IsBeingMeasured && n == count;
    km::ConsoleMessageSink quiet;
    struct Silent : km::MessageSink {
      void ShowMessage(std::string_view, km::MessageIcon) override {}
      bool AskYesNo(std::string_view, bool) override { return false; }
    } silent;
    km::MessageSink& rangeSink = inMeasurement ? static_cast<km::MessageSink&>(silent) : sink;
    km::RawRangeHeader header = km::ZeroRangeHeader();
    if (!km::ReadRawRange(rangeSink, context, -n, header, {})) {
      if (!inMeasurement) result = 1;
      break;
    }
    ordered_json range;
    range["number"] = n;
    range["header"] = RangeHeaderJson(header);
    if (withData) {
      std::vector<float> data(static_cast<size_t>(std::max<int>(header.PointCount, 1)));
      if (!km::ReadRawRange(rangeSink, context, n, header, data)) {
        if (!inMeasurement) result = 1;
        break;
      }
      ordered_json values = ordered_json::array();
      for (int i = 0; i < header.PointCount; ++i) values.push_back(Shortest(data[static_cast<size_t>(i)]));
      range["data"] = std::move(values);
    }
    ranges.push_back(std::move(range));
  }

  ordered_json out;
  out["file"] = path;
  out["measured_ranges"] = context.MeasuredRanges;
  out["being_measured"] = context.IsBeingMeasured;
  out["header"] = FileHeaderJson(context.Header);
  out["ranges"] = std::move(ranges);
  std::printf("%s\n", out.dump(2).c_str());
  return result;
}

}  // namespace

void AddInfoCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("info", "Print a raw data file's headers, field by field, as one JSON object");
  auto path = std::make_shared<std::string>();
  auto withData = std::make_shared<bool>(false);
  cmd->add_option("FILE", *path, "Raw data file")->required();
  cmd->add_flag("--data", *withData, "Add each range's intensities, as read (after the scale factor)");
  cmd->callback([&exitCode, path, withData] { exitCode = RunInfo(*path, *withData); });
}

}  // namespace keltor::cli
