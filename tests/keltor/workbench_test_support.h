#pragma once
// Drives the workbench without a window: a user interface whose dialogs and answers come from a
// script, an observer that counts notifications, and raw data files built in a private directory
// (whose "tmp" folder is the temporary directory, so working copies can be counted).
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "keltor/core/workbench.h"
#include "tests/support/raw_file_builder.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_dir.h"

namespace keltor::testing {

using km::testing::MeasuredHeader;
using km::testing::Ramp;
using km::testing::TestRange;

class ScriptedUi : public WorkbenchUi {
 public:
  km::testing::RecordingSink sink;
  std::deque<std::optional<OpenFileChoice>> openAnswers;
  std::deque<std::optional<std::vector<std::string>>> openManyAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::vector<SaveFileRequest> saveRequests;

  void ShowMessage(std::string_view text, km::MessageIcon icon) override { sink.ShowMessage(text, icon); }
  bool AskYesNo(std::string_view text, bool defaultNo = false) override { return sink.AskYesNo(text, defaultNo); }

  std::optional<OpenFileChoice> ChooseOpenFile(const OpenFileRequest&) override { return Next(openAnswers); }
  std::optional<std::vector<std::string>> ChooseOpenFiles(const OpenFileRequest&) override {
    return Next(openManyAnswers);
  }
  std::optional<std::string> ChooseSaveFile(const SaveFileRequest& request) override {
    saveRequests.push_back(request);
    return Next(saveAnswers);
  }

  // Export: the export dialog (unset: OK pressed as it opens).
  std::function<std::optional<ExportDialogValues>(const ExportDialogRequest&)> exportDialog;
  std::optional<ExportDialogValues> ChooseExport(const ExportDialogRequest& request) override {
    return exportDialog ? exportDialog(request) : WorkbenchUi::ChooseExport(request);
  }
  // File arithmetic and parameter dialogs: scripted answers in order; an answer the dialog's check
  // refuses is followed by the next one, as when the user corrects it in the open dialog.
  std::deque<std::optional<int>> rangeListAnswers;
  std::vector<RangeListRequest> rangeListRequests;
  std::deque<std::optional<ArithmeticFactors>> factorAnswers;
  std::deque<std::optional<NormalizeChoice>> normalizeAnswers;
  std::deque<std::optional<int>> addPointsAnswers;
  std::vector<int> addPointsProposals;
  std::deque<std::optional<TitleTexts>> titleAnswers;
  std::deque<std::optional<WavelengthChoice>> wavelengthAnswers;
  std::vector<WavelengthRequest> wavelengthRequests;
  std::deque<std::optional<GeneratorSettings>> generatorAnswers;

  std::optional<int> ChooseFromRangeList(const RangeListRequest& request) override {
    rangeListRequests.push_back(request);
    return Next(rangeListAnswers);
  }
  std::optional<ArithmeticFactors> EditArithmeticFactors(const ArithmeticFactors&,
                                                         const DialogCheck<ArithmeticFactors>& check) override {
    return NextChecked(factorAnswers, check);
  }
  std::optional<NormalizeChoice> EditNormalizeChoice(const NormalizeChoice&,
                                                     const DialogCheck<NormalizeChoice>& check) override {
    return NextChecked(normalizeAnswers, check);
  }
  std::optional<int> EditAddPointsCount(int proposed, const DialogCheck<int>& check) override {
    addPointsProposals.push_back(proposed);
    return NextChecked(addPointsAnswers, check);
  }
  std::optional<TitleTexts> EditTitleTexts(const TitleTexts&, const DialogCheck<TitleTexts>& check) override {
    return NextChecked(titleAnswers, check);
  }
  std::optional<WavelengthChoice> EditWavelength(const WavelengthRequest& request,
                                                 const DialogCheck<WavelengthChoice>& check) override {
    wavelengthRequests.push_back(request);
    return NextChecked(wavelengthAnswers, check);
  }
  std::optional<GeneratorSettings> EditGeneratorSettings(const GeneratorSettings&,
                                                         const DialogCheck<GeneratorSettings>& check) override {
    return NextChecked(generatorAnswers, check);
  }

  // Range selection and range editing. In Truncate mode the selection dialog first presses
  // "Truncate" on each range of the next truncateClicks entry (the angular range dialog answering
  // from angularAnswers), then answers from rangeAnswers.
  std::deque<std::optional<RangeSelection>> rangeAnswers;
  std::deque<std::vector<int>> truncateClicks;
  std::vector<RangeSelectRequest> rangeRequests;
  std::deque<std::optional<AngularRange>> angularAnswers;
  std::vector<AngularRangeRequest> angularRequests;
  std::deque<std::optional<std::string>> extractAnswers;
  std::vector<ExtractFileRequest> extractRequests;

  // A selection of ranges, as OK of the selection dialog returns it.
  static RangeSelection Selected(std::vector<int> ranges, int target = 1) { return {std::move(ranges), target}; }

  std::optional<RangeSelection> ChooseRanges(const RangeSelectRequest& request) override {
    rangeRequests.push_back(request);
    if (request.Mode == RangeSelectMode::Truncate && !truncateClicks.empty()) {
      const std::vector<int> clicks = truncateClicks.front();
      truncateClicks.pop_front();
      for (int n : clicks) {
        if (!request.Truncate(n)) return std::nullopt;
      }
    }
    return Next(rangeAnswers);
  }
  std::optional<AngularRange> ChooseAngularRange(const AngularRangeRequest& request) override {
    angularRequests.push_back(request);
    return Next(angularAnswers);
  }
  std::optional<std::string> ChooseExtractFile(const ExtractFileRequest& request) override {
    extractRequests.push_back(request);
    return Next(extractAnswers);
  }

  // Absorption and angle correction: the dialogs' answers, and what they were shown.
  std::deque<std::optional<float>> absorptionAnswers;
  std::vector<AbsorptionRequest> absorptionRequests;
  std::deque<std::optional<AngleCorrectionChoice>> angleAnswers;
  std::vector<AngleCorrectionRequest> angleRequests;
  std::optional<float> ChooseAbsorptionValue(const AbsorptionRequest& request) override {
    absorptionRequests.push_back(request);
    return Next(absorptionAnswers);
  }
  std::optional<AngleCorrectionChoice> ChooseAngleCorrection(const AngleCorrectionRequest& request) override {
    angleRequests.push_back(request);
    return Next(angleAnswers);
  }

 private:
  // An unscripted dialog is cancelled.
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto next = queue.front();
    queue.pop_front();
    return next;
  }
  template <typename T>
  static std::optional<T> NextChecked(std::deque<std::optional<T>>& queue, const DialogCheck<T>& check) {
    for (;;) {
      auto next = Next(queue);
      if (!next || check(*next) == 0) return next;
    }
  }
};

// Runs f on a disk that is full beyond limit bytes per file.
template <typename F>
void WithFileSizeLimit(size_t limit, F f) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = limit;
  ::setrlimit(RLIMIT_FSIZE, &small);
  f();
  ::setrlimit(RLIMIT_FSIZE, &old);
}

struct CountingObserver : WorkbenchObserver {
  int fileChanged = 0, dataChanged = 0, initialUpdates = 0;
  void OnFileChanged() override { ++fileChanged; }
  void OnDataChanged() override { ++dataChanged; }
  void OnInitialUpdate() override { ++initialUpdates; }
};

class WorkbenchFixture : public km::testing::TempDirTest {
 protected:
  std::string WriteFile(const std::string& name, const km::RawFileHeader& header, std::vector<TestRange> ranges) {
    return km::testing::WriteRawFile(PathOf(name), header, std::move(ranges)).Path;
  }
  // A file of ramps of 20, 21, ... points.
  std::string WriteFile(const std::string& name, int rangeCount, const char* title = "Quartz") {
    std::vector<TestRange> ranges;
    for (int i = 0; i < rangeCount; ++i) ranges.push_back(Ramp(20 + i, 10.0f + 20.0f * static_cast<float>(i)));
    return WriteFile(name, MeasuredHeader(title), ranges);
  }
  void Open(const std::string& path) {
    ui_.openAnswers.push_back(OpenFileChoice{path, 1});
    wb_.OnFileOpen();
  }

  // Range n of the open file as the workbench reads it: its header and its PointCount counts.
  std::pair<km::RawRangeHeader, std::vector<float>> WorkbenchRange(int n) {
    std::pair<km::RawRangeHeader, std::vector<float>> range{km::ZeroRangeHeader(),
                                                            std::vector<float>(km::kWorkbenchMaxPoints)};
    EXPECT_TRUE(wb_.File.ReadWorkbenchRange(ui_, n, range.first, range.second)) << ui_.sink.LastText();
    range.second.resize(static_cast<size_t>(std::clamp<int>(range.first.PointCount, 0, km::kWorkbenchMaxPoints)));
    return range;
  }

  // Each range's first value and point count, read straight from a file.
  std::vector<std::pair<float, int>> RangesOf(const std::string& path) {
    km::RawFileContext context;
    context.Path = path;
    km::RawRangeHeader r;
    std::vector<float> data(km::kWorkbenchMaxPoints);
    std::vector<std::pair<float, int>> ranges;
    EXPECT_TRUE(km::ReadRawRange(ui_, context, 0, r, data));
    for (int i = 1; i <= context.MeasuredRanges && km::ReadRawRange(ui_, context, i, r, data); ++i) {
      ranges.emplace_back(data[0], r.PointCount);
    }
    return ranges;
  }

  // Working copies ("RAW") and snapshots ("SCR") now in the temporary directory.
  int TempFiles(const std::string& prefix) const {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_ / "tmp")) {
      n += entry.path().filename().string().rfind(prefix, 0) == 0;
    }
    return n;
  }

  km::testing::ScopedEnv tmp_{"TMPDIR", [this] {
                                std::filesystem::create_directory(dir_ / "tmp");
                                return (dir_ / "tmp").string();
                              }()};
  ScriptedUi ui_;
  CountingObserver observer_;
  Workbench wb_{ui_, observer_};
};

}  // namespace keltor::testing
