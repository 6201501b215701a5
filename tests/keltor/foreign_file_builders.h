#pragma once
// Foreign files for the import tests: Siemens RAW version 2 files built byte by byte, and UDF texts
// from keyword lines and data lines.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace keltor::testing {

struct SiemensRange {
  int points = 10;
  float begin = 10.0f;
  float step = 0.02f;
  float timePerStep = 1.0f;
  int16_t temperature = -1;
  int16_t headerLength = 90;
  float first = 100.0f;  // counts first, first + 1, ...
  int16_t declaredPoints = -1;  // when not -1, the point count written into the header instead
};

class SiemensFile {
 public:
  std::vector<uint8_t> bytes = std::vector<uint8_t>(256, 0);

  explicit SiemensFile(const char* title = "CORKLZ20", const char* anode = "Cu", int16_t declaredRanges = -1) {
    std::memcpy(bytes.data(), "RAW2", 4);
    Text(8, 31, title);
    Text(40, 127, "D5MEAS - Program:SIE.DQL");
    std::memcpy(bytes.data() + 168, "27-Apr-1994 13:36:30", 20);
    std::memcpy(bytes.data() + 188, anode, std::min<size_t>(2, std::strlen(anode)));
    declared_ = declaredRanges;
    Put<int16_t>(4, declaredRanges < 0 ? 0 : declaredRanges);
  }

  SiemensFile& Add(const SiemensRange& r) {
    const size_t start = bytes.size();
    bytes.resize(start + static_cast<size_t>(r.headerLength), 0);
    Put<int16_t>(start, r.headerLength);
    Put<int16_t>(start + 2, static_cast<int16_t>(r.declaredPoints != -1 ? r.declaredPoints : r.points));
    Put<float>(start + 8, r.timePerStep);
    Put<float>(start + 12, r.step);
    Put<float>(start + 16, r.begin);
    Put<int16_t>(start + 46, r.temperature);
    for (int i = 0; i < r.points; ++i) {
      bytes.resize(bytes.size() + 4);
      Put<float>(bytes.size() - 4, r.first + static_cast<float>(i));
    }
    ++ranges_;
    if (declared_ < 0) Put<int16_t>(4, static_cast<int16_t>(ranges_));
    return *this;
  }

 private:
  template <typename T>
  void Put(size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
  }
  void Text(size_t offset, size_t width, const char* text) {
    std::memset(bytes.data() + offset, ' ', width);
    std::memcpy(bytes.data() + offset, text, std::min(width, std::strlen(text)));
  }
  int declared_ = -1;
  int ranges_ = 0;
};

// A UDF file: the keyword lines of an instrument, "RawScan", then the data lines, CR LF.
inline std::string UdfText(const std::vector<std::string>& keywords, const std::vector<std::string>& data,
                           const char* rawScan = "RawScan") {
  std::string text;
  for (const auto& line : keywords) text += line + "\r\n";
  text += std::string(rawScan) + "\r\n";
  for (const auto& line : data) text += line + "\r\n";
  return text;
}

inline std::vector<std::string> UdfKeywords() {
  return {"SampleIdent,zeolite 15.3.95,/", "Title1,Philips Analytical,/", "Title2,PC-APD, Diffraction software,/",
          "DiffrType,PW3710,/",            "Anode,Cu,/",                   "MonochromatorUsed,NO  ,/",
          "GeneratorVoltage,  40,/",       "TubeCurrent,  30,/",           "FileDateTime,15-Mar-1995  9:38,/",
          "DataAngleRange,   2.0000,  69.9600,/", "ScanStepSize,   0.040,/", "ScanType,CONTINUOUS,/",
          "ScanStepTime,    1.00,/"};
}

inline std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace keltor::testing
