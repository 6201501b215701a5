#include "morvane/core/cube_edit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "morvane/core/int_conversion.h"
#include "morvane/core/ranges.h"

namespace morvane {
namespace {

Point Mid(Point a, Point b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }
Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void Shift(Rect& r, int dx, int dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
}

// Edges set from the mouse stay at least one pixel off the opposite edge.
void SetLeft(Rect& r, int x) { r.left = std::min(x, r.right - 1); }
void SetRight(Rect& r, int x) { r.right = std::max(x, r.left + 1); }
void SetTop(Rect& r, int y) { r.top = std::min(y, r.bottom - 1); }
void SetBottom(Rect& r, int y) { r.bottom = std::max(y, r.top + 1); }

// The free drag of one handle by the mouse movement (dx, dy) from its position, to the mouse itself.
void DragFree(Rect& F, Rect& B, int handle, Point mouse, int dx, int dy) {
  switch (handle) {
    case kBackTop: SetTop(B, mouse.y); break;
    case kBackRight: SetRight(B, mouse.x); break;
    case kBackBottom: SetBottom(B, mouse.y); break;
    case kBackLeft: SetLeft(B, mouse.x); break;
    case kFrontTop: SetTop(F, mouse.y); break;
    case kFrontRight: SetRight(F, mouse.x); break;
    case kFrontBottom: SetBottom(F, mouse.y); break;
    case kFrontLeft: SetLeft(F, mouse.x); break;
    case kEdgeTopLeft:
      for (Rect* r : {&F, &B}) SetLeft(*r, r->left + dx), SetTop(*r, r->top + dy);
      break;
    case kEdgeTopRight:
      for (Rect* r : {&F, &B}) SetRight(*r, r->right + dx), SetTop(*r, r->top + dy);
      break;
    case kEdgeBottomRight:
      for (Rect* r : {&F, &B}) SetRight(*r, r->right + dx), SetBottom(*r, r->bottom + dy);
      break;
    case kEdgeBottomLeft:
      for (Rect* r : {&F, &B}) SetLeft(*r, r->left + dx), SetBottom(*r, r->bottom + dy);
      break;
    case kBackCentre: Shift(B, dx, dy); break;
    case kFrontCentre: Shift(F, dx, dy); break;
    case kCubeCentre:
      Shift(F, dx, dy);
      Shift(B, dx, dy);
      break;
    default: break;
  }
}

// The back face's edge that belongs to a front edge during Zoom X: the same fraction of the saved
// back face as the front edge is of the saved front face.
int ProportionalBackX(const CubeEdit& e, int frontX) {
  const int span = e.ZoomFront.right - e.ZoomFront.left;
  if (span == 0) return e.ZoomBack.left;
  return TruncToInt(e.ZoomBack.left + static_cast<double>(e.ZoomBack.right - e.ZoomBack.left) *
                                          (frontX - e.ZoomFront.left) / span);
}

int ProportionalBackY(const CubeEdit& e, int frontY) {
  const int span = e.ZoomFront.bottom - e.ZoomFront.top;
  if (span == 0) return e.ZoomBack.top;
  return TruncToInt(e.ZoomBack.top + static_cast<double>(frontY - e.ZoomFront.top) *
                                         (e.ZoomBack.bottom - e.ZoomBack.top) / span);
}

bool DragZoomX(ViewerState& st, const CubeEdit& e, int handle, int dx) {
  Rect& F = st.Front;
  Rect& B = st.Back;
  const bool left = handle == kEdgeTopLeft || handle == kEdgeBottomLeft;
  const bool right = handle == kEdgeTopRight || handle == kEdgeBottomRight;
  if (left) {
    // Stops at the saved edge; never reaches the right edge.
    const int x = std::max(F.left + dx, e.ZoomFront.left);
    if (x >= F.right || x == F.left) return false;
    F.left = x;
    B.left = ProportionalBackX(e, x);
    return true;
  }
  if (right) {
    const int x = std::min(F.right + dx, e.ZoomFront.right);
    if (x <= F.left || x == F.right) return false;
    F.right = x;
    B.right = ProportionalBackX(e, x);
    return true;
  }
  if (handle == kCubeCentre) {
    if (dx == 0 || F.left + dx < e.ZoomFront.left || F.right + dx >= e.ZoomFront.right)
      return false;
    F.left += dx;
    F.right += dx;
    B.left = ProportionalBackX(e, F.left);
    B.right = ProportionalBackX(e, F.right);
    return true;
  }
  return false;
}

bool DragZoomY(ViewerState& st, const CubeEdit& e, int handle, int y) {
  Rect& F = st.Front;
  Rect& B = st.Back;
  if (handle == kFrontTop) {
    y = std::max(y, e.ZoomFront.top);
    if (y >= e.ZoomFront.bottom || y >= F.bottom || y == F.top) return false;
    F.top = y;
    B.top = ProportionalBackY(e, y);
    return true;
  }
  if (handle == kFrontBottom) {
    y = std::min(y, e.ZoomFront.bottom);
    if (y <= e.ZoomFront.top || y <= F.top || y == F.bottom) return false;
    F.bottom = y;
    B.bottom = ProportionalBackY(e, y);
    return true;
  }
  return false;
}

// Moves one face along the lines from its saved corners towards the other face's saved corners, so
// that its left edge comes to x.
void SlideFace(Rect& face, const Rect& from, const Rect& to, int x) {
  const double t = static_cast<double>(x - from.left) / (to.left - from.left);
  face.left = x;
  face.top = RoundToInt(from.top + t * (to.top - from.top));
  face.bottom = RoundToInt(from.bottom + t * (to.bottom - from.bottom));
  face.right = RoundToInt(from.right + t * (to.right - from.right));
  face.right = std::max(face.right, face.left + 1);
  face.bottom = std::max(face.bottom, face.top + 1);
}

bool DragZoomZ(ViewerState& st, const CubeEdit& e, int handle, int x) {
  Rect& F = st.Front;
  Rect& B = st.Back;
  const Rect& ZF = e.ZoomFront;
  const Rect& ZB = e.ZoomBack;
  if (ZF.left == ZB.left) return false;  // the faces lie in one line: no depth to slide along
  const bool backRight = ZB.left > ZF.left;
  if (handle == kFrontLeft) {
    const bool inside = backRight ? (ZF.left <= x && x < B.left) : (B.left < x && x <= ZF.left);
    if (!inside || x == F.left) return false;
    SlideFace(F, ZF, ZB, x);
    return true;
  }
  if (handle == kBackLeft) {
    const bool inside = backRight ? (F.left < x && x <= ZB.left) : (ZB.left <= x && x < F.left);
    if (!inside || x == B.left) return false;
    SlideFace(B, ZB, ZF, x);
    return true;
  }
  return false;
}

double Distance(Point a, Point b) {
  const double dx = a.x - b.x, dy = a.y - b.y;
  return std::sqrt(dx * dx + dy * dy);
}

Rect ScaleRect(const Rect& r, double fx, double fy) {
  return {TruncToInt(r.left * fx), TruncToInt(r.top * fy), TruncToInt(r.right * fx), TruncToInt(r.bottom * fy)};
}

}  // namespace

Handles ComputeHandles(const Rect& F, const Rect& B) {
  Handles h{};
  h[kBackTop] = {(B.left + B.right) / 2, B.top};
  h[kBackRight] = {B.right, (B.top + B.bottom) / 2};
  h[kBackBottom] = {(B.left + B.right) / 2, B.bottom};
  h[kBackLeft] = {B.left, (B.top + B.bottom) / 2};
  h[kFrontTop] = {(F.left + F.right) / 2, F.top};
  h[kFrontRight] = {F.right, (F.top + F.bottom) / 2};
  h[kFrontBottom] = {(F.left + F.right) / 2, F.bottom};
  h[kFrontLeft] = {F.left, (F.top + F.bottom) / 2};
  h[kEdgeTopLeft] = Mid({B.left, B.top}, {F.left, F.top});
  h[kEdgeTopRight] = Mid({B.right, B.top}, {F.right, F.top});
  h[kEdgeBottomRight] = Mid({B.right, B.bottom}, {F.right, F.bottom});
  h[kEdgeBottomLeft] = Mid({B.left, B.bottom}, {F.left, F.bottom});
  h[kBackCentre] = Centre(B);
  h[kFrontCentre] = Centre(F);
  h[kCubeCentre] = Mid(h[kBackCentre], h[kFrontCentre]);
  return h;
}

bool UpdateHandleHits(CubeEdit& edit, Point mouse) {
  bool any = false;
  for (int i = 0; i < kHandleCount; ++i) {
    any = any || edit.HandleHit[i];
    const Point p = edit.HandlePoints[i];
    edit.HandleHit[i] = std::abs(p.x - mouse.x) < kHandleReach && std::abs(p.y - mouse.y) < kHandleReach;
    any = any || edit.HandleHit[i];
  }
  return any;
}

bool DragHandles(ViewerState& st, CubeEdit& edit, Point mouse) {
  const Rect front = st.Front, back = st.Back;
  const Handles before = edit.HandlePoints;
  bool changed = false;
  for (int i = 0; i < kHandleCount; ++i) {
    if (!edit.HandleHit[i]) continue;
    const int dx = mouse.x - before[i].x, dy = mouse.y - before[i].y;
    switch (edit.Zoom) {
      case ZoomKind::None:
        if (st.TopView) break;
        DragFree(st.Front, st.Back, i, mouse, dx, dy);
        break;
      case ZoomKind::X: changed = DragZoomX(st, edit, i, dx) || changed; break;
      case ZoomKind::Y: changed = DragZoomY(st, edit, i, mouse.y) || changed; break;
      case ZoomKind::Z: changed = DragZoomZ(st, edit, i, mouse.x) || changed; break;
    }
  }
  changed = changed || st.Front != front || st.Back != back;
  // The handles that moved follow the mouse: they are found again at their new place.
  edit.HandlePoints = ComputeHandles(st.Front, st.Back);
  return changed;
}

void NarrowRanges(ViewerState& st, ViewState& view, const CubeEdit& e, ZoomKind kind) {
  const Rect& ZF = e.ZoomFront;
  const Rect& ZB = e.ZoomBack;
  const Rect& F = st.Front;
  const Rect& B = st.Back;
  FloatRange r;
  switch (kind) {
    case ZoomKind::X: {
      if (ZF.right == ZF.left) return;
      const float u = (st.XDraw.max - st.XDraw.min) / static_cast<float>(ZF.right - ZF.left);
      r = {st.XDraw.min + static_cast<float>(F.left - ZF.left) * u,
           st.XDraw.max - static_cast<float>(ZF.right - F.right) * u};
      if (r.min < r.max) st.XDraw = r;  // a zoom to nothing keeps the range it had
      break;
    }
    case ZoomKind::Y: {
      if (ZF.bottom == ZF.top) return;
      const float u = (st.YDraw.max - st.YDraw.min) / static_cast<float>(ZF.bottom - ZF.top);
      r = {st.YDraw.min - static_cast<float>(F.bottom - ZF.bottom) * u,
           st.YDraw.max + static_cast<float>(ZF.top - F.top) * u};
      if (r.min < r.max) st.YDraw = r;
      break;
    }
    case ZoomKind::Z: {
      const double d0 = Distance({ZF.left, ZF.top}, {ZB.left, ZB.top});
      if (d0 == 0) return;
      double df = Distance({F.left, F.top}, {ZF.left, ZF.top});
      double db = Distance({B.left, B.top}, {ZB.left, ZB.top});
      if (st.InvertZ) std::swap(df, db);
      const double w = st.ZDraw.max - st.ZDraw.min;
      r = {static_cast<float>(st.ZDraw.min + df / d0 * w), static_cast<float>(st.ZDraw.max - db / d0 * w)};
      if (!(r.min <= r.max)) return;
      st.ZDraw = r;
      const int c = view.LastDiagram - view.Highlight;
      view.Highlight += TruncToInt(c * df / d0 + 0.5);
      view.LastDiagram -= TruncToInt(c * db / d0 + 0.5);
      break;
    }
    case ZoomKind::None: break;
  }
}

bool PressZoom(ViewerState& st, ViewState& view, CubeEdit& edit, ZoomKind kind) {
  if (kind == ZoomKind::None) return false;
  if (edit.Zoom == ZoomKind::None) {
    if (st.TopView) return false;
    edit.Zoom = kind;
    view.CubeMode = true;
    edit.ZoomFront = st.Front;
    edit.ZoomBack = st.Back;
    edit.HandlePoints = ComputeHandles(st.Front, st.Back);
    return false;
  }
  if (edit.Zoom != kind) return false;
  edit.Zoom = ZoomKind::None;
  view.CubeMode = false;
  NarrowRanges(st, view, edit, kind);
  st.Front = edit.ZoomFront;
  st.Back = edit.ZoomBack;
  edit.HandlePoints = ComputeHandles(st.Front, st.Back);
  edit.HandleHit = {};
  return true;
}

void ViewWholeDiagram(ViewerState& st, ViewState& view) {
  st.XDraw = st.FullXRange;
  st.YDraw = st.FullYRange;
  if (st.RelativeIntensities) st.YDraw.max = 100.0f;
  st.ZDraw = st.FullZRange;
  view.YZoom = 1.0f;
  view.Highlight = 0;
  view.LastDiagram = st.NumDiagrams;
}

bool DefaultCube(ViewerState& st, const Rect& c) {
  const Rect back{c.left + 210, c.top + 50, c.right - 10, c.bottom - 110};
  const Rect front{c.left + 110, c.top + 130, c.right - 110, c.bottom - 30};
  if (back.right <= back.left || back.bottom <= back.top || front.right <= front.left || front.bottom <= front.top)
    return false;
  st.Back = back;
  st.Front = front;
  return true;
}

bool CentreCube(ViewerState& st, const ViewState& view, const Rect& client) {
  Rect F = st.Front, B = st.Back;
  const int capY = view.CaptionDistanceY, capX = view.CaptionDistanceX;
  const int posX = st.LabelPos[0], posY = st.LabelPos[1];
  for (int pass = 0; pass < 2; ++pass) {
    const Rect box{std::min(F.left, B.left), std::min(F.top, B.top), std::max(F.right, B.right),
                   std::max(F.bottom, B.bottom)};
    int sx0 = client.left - box.left + 30;
    int sy0 = client.top - box.top + 30;
    if (posY == 0 || posY == 3) sx0 -= capY;
    if (posX == 2 || posX == 3) sy0 -= capX;
    const int divX = box.right + 30 + ((posY == 1 || posY == 2) ? capY : 0);
    const int divY = box.bottom + 30 + ((posX == 0 || posX == 1) ? capX : 0);
    if (divX <= 0 || divY <= 0) return false;
    const double fx = static_cast<double>(client.right - client.left - sx0) / divX;
    const double fy = static_cast<double>(client.bottom - client.top - sy0) / divY;
    for (Rect* r : {&F, &B}) {
      r->left += sx0;
      r->top += sy0;
      r->right = TruncToInt(r->right * fx);
      r->bottom = TruncToInt(r->bottom * fy);
    }
  }
  if (!IsValidFace(F) || !IsValidFace(B)) return false;
  st.Front = F;
  st.Back = B;
  return true;
}

bool ResizeCube(ViewerState& st, CubeEdit& edit, int width, int height) {
  if (width < kSmallestClient || height < kSmallestClient) return false;
  if (edit.LayoutWidth <= 0 || edit.LayoutHeight <= 0) {
    edit.LayoutWidth = width;
    edit.LayoutHeight = height;
    return false;
  }
  if (width == edit.LayoutWidth && height == edit.LayoutHeight) return false;
  const double fx = static_cast<double>(width) / edit.LayoutWidth;
  const double fy = static_cast<double>(height) / edit.LayoutHeight;
  st.Front = ScaleRect(st.Front, fx, fy);
  st.Back = ScaleRect(st.Back, fx, fy);
  if (edit.Zoom != ZoomKind::None) {
    edit.ZoomFront = ScaleRect(edit.ZoomFront, fx, fy);
    edit.ZoomBack = ScaleRect(edit.ZoomBack, fx, fy);
  }
  edit.LayoutWidth = width;
  edit.LayoutHeight = height;
  edit.HandlePoints = ComputeHandles(st.Front, st.Back);
  return true;
}

}  // namespace morvane
