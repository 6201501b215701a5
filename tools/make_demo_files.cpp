// Writes realistic raw data files through the shared writer: the demo file of the quick start, a
// temperature series for the 3D viewer, files in older format versions, and the awkward cases
// (being measured, no data, scaled counts, 32-bit counts), a capillary scan with the cylinder
// absorption table in PROGRAMS, and a user profile for "lab1" with a stored calibration polynomial.
// Tests, the demo and the benchmarks use it.
//
//   make-demo-files DIR [--series N] [--series-points P] [--only-series]
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/core/installed_data.h"
#include "common/core/messages.h"
#include "common/core/raw_file.h"
#include "common/core/user_profile_format.h"
#include "common/core/user_profile_section.h"
#include "tools/cylinder_absorption.h"

namespace {

using km::RawFileHeader;
using km::RawRangeHeader;

constexpr double kCuAlpha1 = 1.540598;
constexpr double kCuAlpha2 = 1.544426;
constexpr double kDegree = 3.14159265358979323846 / 180.0;

// A fixed, portable pseudo-random sequence, so every run writes the same bytes.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  double Uniform() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }
  // Counting statistics: roughly Poisson, as a normal deviate scaled by the square root.
  double Counts(double mean) {
    double sum = 0;
    for (int i = 0; i < 12; ++i) sum += Uniform();
    return std::max(0.0, mean + (sum - 6.0) * std::sqrt(std::max(mean, 1.0)));
  }

 private:
  uint32_t state_;
};

struct Peak {
  double twoTheta;  // of the Kalpha1 line
  double height;
};

// Silicon-like reflections; the lattice grows with temperature, and a second phase appears when hot.
std::vector<Peak> PeaksAt(double temperature) {
  const double expansion = 1.0 + 2.6e-6 * (temperature - 25.0) * 4.0;
  std::vector<Peak> peaks;
  for (const Peak& p : {Peak{28.443, 10000}, Peak{47.303, 6000}, Peak{56.123, 3500}, Peak{69.131, 900},
                        Peak{76.377, 1300}, Peak{88.032, 1700}, Peak{94.954, 900}}) {
    const double d = kCuAlpha1 / (2 * std::sin(p.twoTheta / 2 * kDegree)) * expansion;
    peaks.push_back({2 * std::asin(kCuAlpha1 / (2 * d)) / kDegree, p.height});
  }
  if (temperature > 180) {
    const double grown = std::min(1.0, (temperature - 180) / 80.0);
    peaks.push_back({31.25, 4200 * grown});
    peaks.push_back({52.80, 2100 * grown});
  }
  return peaks;
}

double Profile(double x, double center, double fwhm) {
  const double g = std::exp(-4 * std::log(2.0) * (x - center) * (x - center) / (fwhm * fwhm));
  const double l = 1 / (1 + 4 * (x - center) * (x - center) / (fwhm * fwhm));
  return 0.6 * g + 0.4 * l;
}

// One scan: every peak as a Kalpha1/Kalpha2 doublet over a falling background.
std::vector<float> Pattern(double begin, double step, int points, const std::vector<Peak>& peaks, double scale,
                           Noise& noise) {
  std::vector<float> data(static_cast<size_t>(points));
  for (int i = 0; i < points; ++i) {
    const double x = begin + i * step;
    double y = 60 + 900 / (x + 5);
    for (const Peak& p : peaks) {
      const double d = kCuAlpha1 / (2 * std::sin(p.twoTheta / 2 * kDegree));
      const double ratio = kCuAlpha2 / (2 * d);
      const double alpha2 = ratio < 1 ? 2 * std::asin(ratio) / kDegree : p.twoTheta;
      const double fwhm = 0.06 + 0.0008 * p.twoTheta;
      y += p.height * (Profile(x, p.twoTheta, fwhm) + 0.5 * Profile(x, alpha2, fwhm));
    }
    data[static_cast<size_t>(i)] = static_cast<float>(noise.Counts(y * scale));
  }
  return data;
}

std::string Stamp(int minutesFromStart) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const int day = 5 + minutesFromStart / (24 * 60);
  const int hour = 9 + (minutesFromStart / 60) % 24;
  char text[32];
  std::snprintf(text, sizeof text, "%02d-%s-%02d %02d:%02d", std::min(day, 28), kMonths[10], 26, hour % 24,
                minutesFromStart % 60);
  return text;
}

RawFileHeader BaseHeader(const std::string& title) {
  RawFileHeader h = km::ZeroFileHeader();
  std::memcpy(h.Magic, km::kRawMagic, 8);
  km::SetFieldText(h.CreatorProgram, "DIFMES");
  km::SetFieldText(h.CreationTime, Stamp(0));
  km::SetFieldText(h.Title, title);
  h.DiffractometerType = 2;
  h.AngleResolution = 1000;
  h.Monochromator = 3;
  h.Radiation = 3;
  h.DetectorType = 1;
  h.GeneratorVoltage = 40;
  h.GeneratorCurrent = 30;
  h.WavelengthAlpha1 = static_cast<float>(kCuAlpha1);
  h.WavelengthAlpha2 = static_cast<float>(kCuAlpha2);
  h.ScanMode = 2;
  h.ScanType = 3;
  h.InstrumentInfoValid = 1;
  return h;
}

RawRangeHeader RangeHeaderFor(double begin, double step, const std::vector<float>& data, float scaleFactor,
                              int startMinute) {
  RawRangeHeader r = km::ZeroRangeHeader();
  km::SetFieldText(r.CollectionStart, Stamp(startMinute));
  km::SetFieldText(r.CollectionEnd, Stamp(startMinute + 25));
  r.PointCount = static_cast<int16_t>(data.size());
  r.ScaleFactor = scaleFactor;
  r.TwoThetaBegin = static_cast<float>(begin);
  r.TwoThetaStep = static_cast<float>(step);
  r.TwoThetaEnd = static_cast<float>(begin + step * (static_cast<double>(data.size()) - 1));
  r.OmegaBegin = r.TwoThetaBegin / 2;
  r.OmegaStep = r.TwoThetaStep / 2;
  r.OmegaEnd = r.TwoThetaEnd / 2;
  r.TimePerStep = 1.0f;
  r.DivergenceSlit = 1.0f;
  r.ReceivingSlit = 0.2f;
  r.SamplePositionCount = 1;
  r.BackgroundSmooth = 1;
  r.BackgroundFactor = 1;
  const double s = scaleFactor > 1 ? scaleFactor : 1.0;
  const auto [lo, hi] = std::minmax_element(data.begin(), data.end());
  r.MinIntensity = km::RoundToCount(*lo * s);
  r.MaxIntensity = km::RoundToCount(*hi * s);
  return r;
}

struct Writer {
  km::ConsoleMessageSink sink;
  std::string dir;
  int failures = 0;

  // Writes a file of the given ranges; returns its path.
  std::string Write(const std::string& name, RawFileHeader header, std::vector<RawRangeHeader> ranges,
                    const std::vector<std::vector<float>>& data, bool beingMeasured = false) {
    km::RawFileContext context;
    context.Path = dir + "/" + name;
    header.RangeCount = static_cast<int16_t>(std::max<size_t>(ranges.size(), 1));
    context.Header = header;
    context.IsBeingMeasured = beingMeasured;
    bool ok = true;
    if (ranges.empty()) ok = km::WriteRawRange(sink, context, 0, *std::make_unique<RawRangeHeader>(km::ZeroRangeHeader()), {});
    for (size_t i = 0; ok && i < ranges.size(); ++i)
      ok = km::WriteRawRange(sink, context, static_cast<int>(i + 1), ranges[i], data[i]);
    if (!ok) ++failures;
    std::printf("%s\n", context.Path.c_str());
    return context.Path;
  }
};

// Rewrites a file's header bytes as an older version of the format would have held them.
void MakeOlderVersion(const std::string& path, char version) {
  FILE* f = std::fopen(path.c_str(), "r+b");
  if (f == nullptr) return;
  unsigned char h[512];
  if (std::fread(h, 1, 512, f) == 512) {
    h[7] = static_cast<unsigned char>(version);
    if (version < '6') {  // modification time and program lived 10 bytes further on
      std::memmove(h + 440, h + 430, 24);
      std::memset(h + 430, ' ', 10);
    }
    if (version < '5') {  // blanks the upgrade normalises away, and the old monochromator number
      std::memcpy(h + 16, " 5-Nov-26\t 9:00", 16);
      const int16_t mono = 4;
      std::memcpy(h + 308, &mono, 2);
      std::memset(h + 32 + 20, ' ', 12);
    }
    if (version < '3') {
      const uint16_t legacyFlags = 0x0003;
      std::memcpy(h + 472, &legacyFlags, 2);
    }
    std::fseek(f, 0, SEEK_SET);
    std::fwrite(h, 1, 512, f);
  }
  std::fclose(f);
}

// Absorption and angle correction: the cylinder table of the build (or of the installation), a
// calibration polynomial as the suite's calibration program stores it, and a capillary measurement.
#ifndef KM_BUILT_CYLINDER_TABLE
#define KM_BUILT_CYLINDER_TABLE ""
#endif

bool CopyCylinderTable(const std::string& dir) {
  std::error_code error;
  std::filesystem::path from = KM_BUILT_CYLINDER_TABLE;
  if (from.empty() || !std::filesystem::exists(from, error))
    from = std::filesystem::path(km::InstalledDataDirectory()) / "PROGRAMS" / "CYLABS.DAT";
  const std::filesystem::path to = std::filesystem::path(dir) / "PROGRAMS" / "CYLABS.DAT";
  std::filesystem::create_directories(to.parent_path(), error);
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
  if (error) {
    std::fprintf(stderr, "make-demo-files: no cylinder absorption table to copy (%s)\n", from.string().c_str());
    return false;
  }
  std::printf("%s\n", to.string().c_str());
  return true;
}

// Section 9 of a profile: "CAL", order 2 at 296, the coefficients from 300, the 2Theta range at 324.
std::vector<uint8_t> CalibrationSection() {
  std::vector<uint8_t> record(332, 0);
  std::memcpy(record.data(), "CAL", 3);
  const int32_t order = 2;
  const float coefficients[] = {0.012f, -0.015f, 0.02f};
  const float range[] = {10.0f, 140.0f};
  std::memcpy(record.data() + 296, &order, 4);
  std::memcpy(record.data() + 300, coefficients, sizeof coefficients);
  std::memcpy(record.data() + 324, range, sizeof range);
  return record;
}

// The intensities a capillary of the given mu*R lets through at each point: the pattern weakened by
// the transmission of the cylinder, taken every 5 degrees of theta and interpolated between.
void Absorb(std::vector<float>& data, double begin, double step, double muR) {
  std::vector<double> transmission;
  const double m[] = {muR};
  for (int k = 0; k <= 18; ++k)
    transmission.push_back(km::cylabs::CylinderTransmission(5.0 * k, m, km::cylabs::TableQuadrature())[0]);
  for (size_t i = 0; i < data.size(); ++i) {
    const double theta = std::clamp((begin + step * static_cast<double>(i)) / 2, 0.0, 90.0);
    const auto k = std::min<size_t>(static_cast<size_t>(theta / 5), 17);
    const double t = theta / 5 - static_cast<double>(k);
    data[i] = static_cast<float>(std::round(data[i] * ((1 - t) * transmission[k] + t * transmission[k + 1])));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
    std::fprintf(stderr, "usage: make-demo-files DIR [--series N] [--series-points P] [--only-series]\n");
    return argc < 2 ? 2 : 0;
  }
  Writer w;
  w.dir = argv[1];
  int seriesCount = 12;
  int seriesPoints = 4001;
  bool onlySeries = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--series") == 0 && i + 1 < argc) {
      seriesCount = std::clamp(std::atoi(argv[++i]), 2, 999);
    } else if (std::strcmp(argv[i], "--series-points") == 0 && i + 1 < argc) {
      seriesPoints = std::clamp(std::atoi(argv[++i]), 2, km::kWorkbenchMaxPoints);
    } else if (std::strcmp(argv[i], "--only-series") == 0) {
      onlySeries = true;
    } else {
      std::fprintf(stderr, "make-demo-files: unknown option %s\n", argv[i]);
      return 2;
    }
  }
  {
    // The folder is made when it is not there yet; one that cannot be made is said so, plainly.
    std::error_code error;
    std::filesystem::create_directories(w.dir, error);
    if (error || !std::filesystem::is_directory(w.dir, error)) {
      std::fprintf(stderr, "make-demo-files: cannot make the folder %s: %s\n", w.dir.c_str(),
                   error ? error.message().c_str() : "a file of that name is in the way");
      return 1;
    }
  }
  Noise noise(7);

  // A temperature series: the master file names series.001 .. series.NNN, heated in steps.
  {
    const double step = (80.0 - 20.0) / (seriesPoints - 1);
    RawFileHeader master = BaseHeader("Silicon with admixture, heating run");
    master.ScanUsage = 4;
    master.RelatedFirstNumber = 1;
    master.RelatedFileCount = static_cast<int16_t>(seriesCount);
    for (int i = 1; i <= seriesCount; ++i) {
      const double temperature = 25.0 + (300.0 - 25.0) * (i - 1) / std::max(1, seriesCount - 1);
      auto data = Pattern(20, step, seriesPoints, PeaksAt(temperature), 1.0, noise);
      RawRangeHeader r = RangeHeaderFor(20, step, data, 1, (i - 1) * 30);
      r.Temperature = static_cast<float>(temperature);
      r.TemperatureDeviation = 0.5f;
      char name[32];
      std::snprintf(name, sizeof name, "series.%03d", i);
      RawFileHeader h = master;
      h.RelatedFileCount = 1;
      w.Write(name, h, {r}, {data});
    }
    auto data = Pattern(20, step, seriesPoints, PeaksAt(25), 1.0, noise);
    w.Write("series.raw", master, {RangeHeaderFor(20, step, data, 1, 0)}, {data});
  }
  if (onlySeries) return w.failures == 0 ? 0 : 1;

  // The quick-start file: three ranges, a two-line comment, background points, a variable slit.
  {
    RawFileHeader h = BaseHeader("Silicon standard SRM 640d");
    km::SetFieldText(h.Comment, "Front-loaded powder, spinning 30 rpm\nCalibration run before the heating series");
    std::vector<RawRangeHeader> ranges;
    std::vector<std::vector<float>> data;
    const double limits[][2] = {{20, 40}, {40, 70}, {70, 100}};
    for (int i = 0; i < 3; ++i) {
      const int points = static_cast<int>(std::lround((limits[i][1] - limits[i][0]) / 0.02)) + 1;
      data.push_back(Pattern(limits[i][0], 0.02, points, PeaksAt(25), 1.0, noise));
      ranges.push_back(RangeHeaderFor(limits[i][0], 0.02, data.back(), 1, i * 30));
    }
    RawRangeHeader& r1 = ranges[0];
    r1.BackgroundPointCount = 4;
    const int16_t index[] = {1, 250, 600, 1001};
    for (int j = 0; j < 4; ++j) {
      r1.BackgroundPointIndex[j] = index[j];
      r1.BackgroundIntensity[j] = km::RoundToCount(data[0][static_cast<size_t>(index[j] - 1)]);
    }
    ranges[1].DivergenceSlitEnd = 2.0f;
    ranges[1].SampleArea = 12.5f;
    w.Write("demo.raw", h, ranges, data);
  }

  // Counts that need 32 bits, and counts stored times ten.
  {
    RawFileHeader h = BaseHeader("Strong reflection, 32-bit counts");
    auto data = Pattern(26, 0.01, 501, {{28.443, 90000}}, 1.0, noise);
    w.Write("strong.raw", h, {RangeHeaderFor(26, 0.01, data, 1, 0)}, {data});
    RawFileHeader s = BaseHeader("Normalised counts, scale factor 10");
    auto scaled = Pattern(20, 0.05, 401, PeaksAt(25), 0.37, noise);
    w.Write("scaled.raw", s, {RangeHeaderFor(20, 0.05, scaled, 10, 0)}, {scaled});
  }

  // A file a measuring program is still writing, and one that holds no data.
  {
    RawFileHeader h = BaseHeader("Measurement in progress");
    auto a = Pattern(20, 0.02, 1001, PeaksAt(25), 1.0, noise);
    auto b = Pattern(40, 0.02, 1001, PeaksAt(25), 1.0, noise);
    w.Write("measuring.raw", h, {RangeHeaderFor(20, 0.02, a, 1, 0), RangeHeaderFor(40, 0.02, b, 1, 30)}, {a, b},
            true);
    w.Write("empty.raw", BaseHeader("No data yet"), {}, {});
  }

  // Range editing: ranges that overlap, one counted twice as long and one off the grid by half a
  // step (combine, add-ranges), and an Omega scan of two overlapping ranges.
  {
    Noise rangeNoise(8);  // a sequence of its own: the files after these keep their bytes
    RawFileHeader h = BaseHeader("Overlapping ranges, unequal counting times");
    auto a = Pattern(20, 0.02, 1251, PeaksAt(25), 1.0, rangeNoise);    // 20 .. 45
    auto b = Pattern(40, 0.02, 1501, PeaksAt(25), 2.0, rangeNoise);    // 40 .. 70, 2 s per step
    auto c = Pattern(41.01, 0.02, 400, PeaksAt(25), 1.0, rangeNoise);  // 41.01 .. 48.99, half a step off
    RawRangeHeader rb = RangeHeaderFor(40, 0.02, b, 1, 30);
    rb.TimePerStep = 2.0f;
    w.Write("overlap.raw", h, {RangeHeaderFor(20, 0.02, a, 1, 0), rb, RangeHeaderFor(41.01, 0.02, c, 1, 90)},
            {a, b, c});

    RawFileHeader o = BaseHeader("Rocking curve, Omega scan");
    o.ScanType = 2;
    std::vector<RawRangeHeader> ranges;
    std::vector<std::vector<float>> data;
    for (const double begin : {10.0, 16.0}) {
      data.push_back(Pattern(begin, 0.01, 901, {{14.2, 6000}, {17.5, 2500}}, 1.0, rangeNoise));
      RawRangeHeader r = RangeHeaderFor(begin, 0.01, data.back(), 1, ranges.empty() ? 0 : 30);
      r.OmegaBegin = static_cast<float>(begin);
      r.OmegaStep = 0.01f;
      r.OmegaEnd = static_cast<float>(begin + 0.01 * 900);
      r.TwoThetaBegin = r.TwoThetaEnd = 28.443f;
      r.TwoThetaStep = 0.0f;
      ranges.push_back(r);
    }
    w.Write("omega.raw", o, ranges, data);
  }
  // A Debye-Scherrer capillary (mu*R = 1.5) for Operations > Absorption Correction, and the program
  // directory's cylinder table it needs.
  {
    RawFileHeader h = BaseHeader("Silicon in a 0.5 mm capillary, mu*R 1.5");
    h.ScanMode = 3;  // Debye-Scherrer
    std::vector<RawRangeHeader> ranges;
    std::vector<std::vector<float>> data;
    const double limits[][2] = {{10, 60}, {60, 120}};
    for (int i = 0; i < 2; ++i) {
      const int points = static_cast<int>(std::lround((limits[i][1] - limits[i][0]) / 0.02)) + 1;
      data.push_back(Pattern(limits[i][0], 0.02, points, PeaksAt(25), 1.0, noise));
      Absorb(data.back(), limits[i][0], 0.02, 1.5);
      ranges.push_back(RangeHeaderFor(limits[i][0], 0.02, data.back(), 1, i * 40));
    }
    w.Write("capillary.raw", h, ranges, data);
    if (!CopyCylinderTable(w.dir)) ++w.failures;
  }

  // The same scan in older layouts, one for each upgrade step.
  for (char version : {'2', '4', '5'}) {
    RawFileHeader h = BaseHeader("Older format version");
    km::SetFieldText(h.ModificationTime, Stamp(90));
    km::SetFieldText(h.ModifierProgram, "QEDIT");
    auto data = Pattern(20, 0.04, 501, PeaksAt(25), 1.0, noise);
    RawRangeHeader r = RangeHeaderFor(20, 0.04, data, 1, 0);
    r.LegacySamplePosition[0] = 1.5f;
    r.LegacySamplePosition[1] = 2.5f;
    const std::string path = w.Write(std::string("version") + version + ".raw", h, {r}, {data});
    MakeOlderVersion(path, version);
  }

  // File arithmetic and Alpha2 stripping: an empty sample holder on the demo file's grid (to subtract
  // from it), and a copper scan through a nickel filter without a monochromator (to strip).
  {
    RawFileHeader holder = BaseHeader("Empty sample holder");
    auto background = Pattern(20, 0.02, 4001, {{21.8, 300}, {64.4, 120}}, 1.0, noise);
    w.Write("holder.raw", holder, {RangeHeaderFor(20, 0.02, background, 1, 0)}, {background});
    RawFileHeader filtered = BaseHeader("Silicon, Ni filter, both Kalpha lines");
    filtered.Monochromator = 0;
    auto doublets = Pattern(20, 0.01, 8001, PeaksAt(25), 1.0, noise);
    w.Write("filtered.raw", filtered, {RangeHeaderFor(20, 0.01, doublets, 1, 0)}, {doublets});
  }

  // A suite directory around the files: USERS/lab1.USR, a fresh profile whose data directory is DIR,
  // so that "keltor /Ulab1" starts with a user as in the suite.
  {
    std::error_code error;
    std::filesystem::create_directories(w.dir + "/USERS", error);
    km::MemoryProfileStore profile(km::NewUserProfile(std::filesystem::absolute(w.dir, error).string()));
    // The calibration program's polynomial, for Operations > Angle Correction.
    const auto calibration = CalibrationSection();
    if (!km::WriteProfileSection(w.sink, "lab1.USR", profile, nullptr, 9, {}, calibration)) ++w.failures;
    const std::string path = w.dir + "/USERS/lab1.USR";
    if (!std::filesystem::exists(path, error)) {
      std::ofstream out(path, std::ios::binary);
      out.write(reinterpret_cast<const char*>(profile.Bytes().data()),
                static_cast<std::streamsize>(profile.Bytes().size()));
      if (!out) ++w.failures;
    }
    std::printf("%s\n", path.c_str());
  }
  return w.failures == 0 ? 0 : 1;
}
