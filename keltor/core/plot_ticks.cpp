#include "keltor/core/plot_ticks.h"

#include <cmath>

#include "common/core/raw_format.h"

namespace keltor {

TickSet ChooseTicks(double lo, double hi, bool alignToUnit, int maxCount) {
  const double d = hi - lo;
  // Without a positive finite span the unit search below would never end.
  if (!std::isfinite(lo) || !std::isfinite(hi) || !(d > 0)) return {std::isfinite(lo) ? lo : 0.0, 1.0, 0};

  double unit = 0.01;
  if (d < 0.1) {
    do {
      unit /= 10;
    } while (unit * 10 > d);
  }
  if (maxCount <= 0) maxCount = 10;

  static constexpr int kMultipliers[] = {2, 4, 5, 10};
  double step = unit;
  double count = 0;
  int m = 0;
  while (step * 10 < d || count > maxCount) {
    step = kMultipliers[m] * unit;
    count = std::trunc(d / step + 0.001);
    if (++m == 4) {
      m = 0;
      unit = step;
    }
  }

  const double q = alignToUnit ? unit : step;
  TickSet ticks;
  ticks.step = step;
  ticks.firstTick = km::RoundHalfAway(lo / q) * q;
  ticks.count = static_cast<int>(std::trunc((hi - ticks.firstTick) / step));
  return ticks;
}

}  // namespace keltor
