#pragma once
// Tick positions for one plot axis: a step of 1, 2, 4 or 5 times a power of ten, chosen so that the
// axis holds at most a given number of ticks.
namespace keltor {

struct TickSet {
  double firstTick = 0;  // may lie below the axis' low end; the drawing loops skip such ticks
  double step = 1;
  int count = 0;  // whole steps from firstTick up to the high end
};

// alignToUnit: the first tick is a multiple of the power of ten the step is built on (labels stay
// round numbers); otherwise a multiple of the step itself. maxCount <= 0 counts as 10.
// An empty or reversed interval, or one that is not finite, gives a single tick at lo.
TickSet ChooseTicks(double lo, double hi, bool alignToUnit, int maxCount);

}  // namespace keltor
