#pragma once
// A diagram of thousands of points drawn a few hundred pixels wide puts many outline points on one
// pixel column. Between the first and the last point of such a run only its highest and lowest
// points shape the outline; the others lie on the vertical segment between them. Dropping them
// leaves every pixel of the filled and outlined polygon as it was, and makes drawing much cheaper.
#include <span>

#include "common/core/canvas.h"

namespace morvane {

// Compacts the points in place; returns the points kept (a prefix of pts).
std::span<const km::Point> SimplifyOutline(std::span<km::Point> pts);

// The draft of an outline, drawn while the user drags the cube: in each pixel column only the highest
// point is kept (the first and last points, on the base line, stay). The curve keeps its shape to a
// pixel; the noise within a column is left out. Compacts in place; returns the points kept.
std::span<const km::Point> DraftOutline(std::span<km::Point> pts);

}  // namespace morvane
