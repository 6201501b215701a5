#include "keltor/core/operations/add_points.h"

#include "common/core/dialog_fields.h"
#include "keltor/core/operations/truncate_range.h"

namespace keltor {

namespace {

void MoveAxis(float& begin, float& end, float& step, int k, int points) {
  // The new point stands at the centre of its group.
  const double newBegin = begin + 0.5 * (k - 1) * static_cast<double>(step);
  const double newStep = static_cast<double>(k) * step;
  begin = static_cast<float>(newBegin);
  step = static_cast<float>(newStep);
  end = static_cast<float>(newBegin + (points - 1) * newStep);
}

}  // namespace

bool CheckAddPointsCount(km::MessageSink& sink, int count) {
  if (count < kAddPointsMinimum || count > kAddPointsMaximum) {
    sink.ShowPlain(km::InvalidDataText(kAddPointsMinimum, kAddPointsMaximum));
    return false;
  }
  return true;
}

int AddPoints(km::RawRangeHeader& header, std::span<float> values, int k) {
  const int n = static_cast<int>(values.size());
  if (k < 1 || n < k) return 0;
  const int m = n / k;
  for (int j = 0; j < m; ++j) {
    double sum = 0.0;
    for (int i = 0; i < k; ++i) sum += values[static_cast<size_t>(j * k + i)];
    values[static_cast<size_t>(j)] = static_cast<float>(sum);
  }
  MoveAxis(header.TwoThetaBegin, header.TwoThetaEnd, header.TwoThetaStep, k, m);
  MoveAxis(header.OmegaBegin, header.OmegaEnd, header.OmegaStep, k, m);
  header.PointCount = static_cast<int16_t>(m);
  header.BackgroundPointCount = 0;
  SetIntensityExtremes(header, values.first(static_cast<size_t>(m)));
  return m;
}

}  // namespace keltor
