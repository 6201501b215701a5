// A range exported as UDF and imported again: the same counts, angles and anode.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "keltor/core/exchange/export_format.h"
#include "keltor/core/exchange/udf_reader.h"
#include "tests/support/raw_file_builder.h"
#include "tests/support/recording_sink.h"

namespace keltor {
namespace {

TEST(ExportUdfRoundTrip, ImportGivesBackTheExportedRange) {
  for (int n : {1, 8, 16, 17, 14501}) {
    auto test = km::testing::Ramp(n, 5.0f, 0.01f, 0.0f);
    for (size_t i = 0; i < test.counts.size(); ++i) test.counts[i] = static_cast<float>((i * 7919) % 250000);
    km::testing::TakeExtremes(test);
    ExportRange range;
    range.File = km::testing::MeasuredHeader("Zeolite");
    range.Range = test.header;
    range.Values = test.counts;
    range.DocumentPath = "/data/ZEOLITE.RAW";
    const std::string text = WriteUdfExport(range);

    km::testing::RecordingSink sink;
    ImportedScan scan;
    ASSERT_TRUE(ReadUdf(sink, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), scan))
        << n << ": " << sink.LastText();
    ASSERT_EQ(scan.Ranges.size(), 1u) << n;
    const ImportedRange& imported = scan.Ranges.front();
    EXPECT_EQ(imported.Data, test.counts) << n;
    EXPECT_NEAR(imported.Header.TwoThetaBegin, 5.0, 1e-4) << n;
    EXPECT_NEAR(imported.Header.TwoThetaStep, 0.01, 1e-4) << n;
    EXPECT_EQ(scan.Header.Radiation, 3) << "copper";
  }
}

}  // namespace
}  // namespace keltor
