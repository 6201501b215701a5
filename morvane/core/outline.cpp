#include "morvane/core/outline.h"

namespace morvane {

std::span<const km::Point> SimplifyOutline(std::span<km::Point> pts) {
  const size_t n = pts.size();
  size_t out = 0;
  size_t i = 0;
  while (i < n) {
    size_t end = i + 1;
    while (end < n && pts[end].x == pts[i].x) ++end;
    if (end - i <= 4) {
      for (size_t j = i; j < end; ++j) pts[out++] = pts[j];
    } else {
      size_t lo = i, hi = i;
      for (size_t j = i + 1; j < end; ++j) {
        if (pts[j].y < pts[lo].y) lo = j;
        if (pts[j].y > pts[hi].y) hi = j;
      }
      const km::Point first = pts[i], last = pts[end - 1];
      const km::Point a = pts[lo < hi ? lo : hi], b = pts[lo < hi ? hi : lo];
      pts[out++] = first;
      if (a != first) pts[out++] = a;
      if (b != a) pts[out++] = b;
      if (last != b) pts[out++] = last;
    }
    i = end;
  }
  return pts.first(out);
}

std::span<const km::Point> DraftOutline(std::span<km::Point> pts) {
  const size_t n = pts.size();
  if (n <= 2) return pts;
  size_t out = 1;  // the first point, on the base line
  for (size_t i = 1; i + 1 < n;) {
    size_t end = i + 1;
    size_t top = i;
    while (end + 1 < n && pts[end].x == pts[i].x) {
      if (pts[end].y < pts[top].y) top = end;
      ++end;
    }
    pts[out++] = pts[top];
    i = end;
  }
  pts[out++] = pts[n - 1];
  return pts.first(out);
}

}  // namespace morvane
