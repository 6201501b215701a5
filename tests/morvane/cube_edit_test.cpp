#include "morvane/core/cube_edit.h"

#include <gtest/gtest.h>

#include "morvane/core/file_set.h"
#include "morvane/core/ranges.h"

namespace morvane {
namespace {

// The default cube of a 640 x 400 client, as View > Default Cube lays it out.
struct CubeEditTest : ::testing::Test {
  ViewerState st;
  ViewState view;
  CubeEdit edit;
  void SetUp() override {
    CreateDemoSet(st);
    ResetRanges(st, view, {0, 0, 640, 400});
    ASSERT_TRUE(DefaultCube(st, {0, 0, 640, 400}));
    edit.HandlePoints = ComputeHandles(st.Front, st.Back);
    view.CubeMode = true;
  }
  // Presses the left button over a handle and drags it to (x, y).
  bool Drag(CubeHandle h, int x, int y) {
    edit.HandleHit = {};
    UpdateHandleHits(edit, edit.HandlePoints[h]);
    EXPECT_TRUE(edit.HandleHit[h]);
    return DragHandles(st, edit, {x, y});
  }
};

TEST_F(CubeEditTest, HandlesAreWithinReachLessThanFourPixelsAway) {
  EXPECT_EQ(edit.HandlePoints[kEdgeTopLeft], (Point{160, 90}));
  EXPECT_TRUE(UpdateHandleHits(edit, {163, 87}));
  EXPECT_TRUE(edit.HandleHit[kEdgeTopLeft]);
  EXPECT_TRUE(UpdateHandleHits(edit, {164, 90}));  // reports the flag that was cleared
  EXPECT_FALSE(edit.HandleHit[kEdgeTopLeft]);
  EXPECT_FALSE(UpdateHandleHits(edit, {0, 0}));
}

// Each drag from the handle's own place, so a handle out of place shows as a wrong face.
TEST_F(CubeEditTest, FreeDragsMoveEdgesCornersAndFaces) {
  struct Case {
    CubeHandle handle;
    Point to;
    Rect front, back;
  } cases[] = {
      {kBackTop, {400, 40}, {110, 130, 530, 370}, {210, 40, 630, 290}},
      {kEdgeTopLeft, {150, 100}, {100, 140, 530, 370}, {200, 60, 630, 290}},  // both corners by (-10, +10)
      {kEdgeBottomRight, {590, 335}, {110, 130, 540, 375}, {210, 50, 640, 295}},
      {kFrontCentre, {330, 240}, {120, 120, 540, 360}, {210, 50, 630, 290}},
      {kCubeCentre, {360, 220}, {100, 140, 520, 380}, {200, 60, 620, 300}},
      // An edge dragged across the opposite one stops one pixel short of it.
      {kFrontLeft, {600, 250}, {529, 130, 530, 370}, {210, 50, 630, 290}},
  };
  for (const Case& c : cases) {
    SetUp();
    EXPECT_TRUE(Drag(c.handle, c.to.x, c.to.y)) << c.handle;
    EXPECT_EQ(st.Front, c.front) << c.handle;
    EXPECT_EQ(st.Back, c.back) << c.handle;
    EXPECT_EQ(edit.HandlePoints, ComputeHandles(st.Front, st.Back));
  }
  SetUp();
  st.TopView = true;  // no free drag in the top view
  EXPECT_FALSE(Drag(kFrontCentre, 300, 300));
}

TEST_F(CubeEditTest, ZoomXMovesTheDepthEdgesWithinTheSavedFaceAndNarrowsTheRange) {
  st.XDraw = {10.0f, 50.0f};
  PressZoom(st, view, edit, ZoomKind::X);
  EXPECT_TRUE(view.CubeMode);
  ASSERT_TRUE(Drag(kEdgeTopLeft, 200, 90));  // 40 pixels right
  EXPECT_EQ(st.Front.left, 150);
  EXPECT_EQ(st.Back.left, 250);  // 210 + 420 x 40 / 420
  EXPECT_TRUE(Drag(kEdgeTopLeft, 100, 90));  // far beyond the saved edge
  EXPECT_EQ(st.Front.left, 110);
  EXPECT_FALSE(Drag(kEdgeBottomLeft, 160 + 420, 330));  // onto the right edge: refused
  EXPECT_FALSE(Drag(kFrontTop, 320, 200));  // only the depth edges act in Zoom X
  EXPECT_EQ(st.Front.top, 130);
  Drag(kEdgeTopLeft, 160 + 42, 90);        // a tenth of the face from the left
  Drag(kEdgeBottomRight, 580 - 105, 330);  // a quarter from the right
  EXPECT_TRUE(PressZoom(st, view, edit, ZoomKind::X));
  EXPECT_NEAR(st.XDraw.min, 14.0f, 1e-4);
  EXPECT_NEAR(st.XDraw.max, 40.0f, 1e-4);
  EXPECT_FALSE(view.CubeMode);
  EXPECT_EQ(st.Front, (Rect{110, 130, 530, 370}));
  EXPECT_EQ(st.Back, (Rect{210, 50, 630, 290}));
}

TEST_F(CubeEditTest, TwoPressesWithoutADragLeaveTheRanges) {
  for (ZoomKind kind : {ZoomKind::X, ZoomKind::Y, ZoomKind::Z}) {
    const ViewerState before = st;
    EXPECT_FALSE(PressZoom(st, view, edit, kind));
    EXPECT_FALSE(PressZoom(st, view, edit, kind == ZoomKind::X ? ZoomKind::Y : ZoomKind::X));  // another zoom: nothing
    EXPECT_TRUE(PressZoom(st, view, edit, kind));
    EXPECT_TRUE(st.XDraw == before.XDraw && st.YDraw == before.YDraw && st.ZDraw == before.ZDraw);
  }
}

TEST_F(CubeEditTest, ZoomYMovesTheFrontTopAndTheBackTopInProportion) {
  st.YDraw = {0.0f, 240.0f};
  PressZoom(st, view, edit, ZoomKind::Y);
  ASSERT_TRUE(Drag(kFrontTop, 320, 190));  // a quarter down
  EXPECT_EQ(st.Front.top, 190);
  EXPECT_EQ(st.Back.top, 50 + 60 * 240 / 240);
  EXPECT_TRUE(PressZoom(st, view, edit, ZoomKind::Y));
  EXPECT_NEAR(st.YDraw.max, 180.0f, 1e-3);  // the top quarter cut off
}

TEST_F(CubeEditTest, ZoomZSlidesTheFrontFaceTowardsTheBackFace) {
  st.ZDraw = {0.0f, 19.0f};
  view.LastDiagram = 20;
  PressZoom(st, view, edit, ZoomKind::Z);
  ASSERT_TRUE(Drag(kFrontLeft, 160, 250));  // half way to the back face
  EXPECT_EQ(st.Front, (Rect{160, 90, 580, 330}));
  EXPECT_FALSE(Drag(kFrontLeft, 230, 210));  // beyond the back face's left edge: refused
  EXPECT_TRUE(PressZoom(st, view, edit, ZoomKind::Z));
  EXPECT_NEAR(st.ZDraw.min, 9.5f, 1e-4);
  EXPECT_NEAR(st.ZDraw.max, 19.0f, 1e-4);
  EXPECT_EQ(view.Highlight, 10);
}

TEST_F(CubeEditTest, AZoomToNothingKeepsTheRange) {
  st.XDraw = {10.0f, 50.0f};
  edit.ZoomFront = st.Front;
  edit.ZoomBack = st.Back;
  st.Front.left = st.Front.right;  // a face of no width, as no drag can make it
  NarrowRanges(st, view, edit, ZoomKind::X);
  edit.ZoomFront.right = edit.ZoomFront.left;  // and a saved face of no width
  NarrowRanges(st, view, edit, ZoomKind::X);
  EXPECT_EQ(st.XDraw, (FloatRange{10.0f, 50.0f}));
}

// A tiny or minimised window leaves the cube as it is for the next size.
TEST_F(CubeEditTest, ResizingScalesEveryCornerSkippingTinyWindows) {
  edit.LayoutWidth = 640;
  edit.LayoutHeight = 400;
  EXPECT_FALSE(ResizeCube(st, edit, 3, 400));
  ASSERT_TRUE(ResizeCube(st, edit, 320, 400));
  EXPECT_EQ(st.Back, (Rect{105, 50, 315, 290}));
  EXPECT_EQ(st.Front, (Rect{55, 130, 265, 370}));
  ASSERT_TRUE(ResizeCube(st, edit, 1280, 800));
  EXPECT_EQ(st.Front, (Rect{220, 260, 1060, 740}));
}

TEST_F(CubeEditTest, CentreFitsTheCubeIntoTheClientAndRefusesWhatCannotBeDrawn) {
  ASSERT_TRUE(CentreCube(st, view, {0, 0, 800, 600}));
  const Rect box{std::min(st.Front.left, st.Back.left), std::min(st.Front.top, st.Back.top),
                 std::max(st.Front.right, st.Back.right), std::max(st.Front.bottom, st.Back.bottom)};
  EXPECT_EQ(box.left, 30);
  EXPECT_EQ(box.top, 30);
  EXPECT_TRUE(box.right <= 800 && box.right > 740 && box.bottom <= 600 && box.bottom > 540);
  // Neither centres nor lays out what cannot be drawn.
  st.Front = {-900, -900, -800, -800};
  st.Back = {-900, -900, -850, -850};
  EXPECT_FALSE(CentreCube(st, view, {0, 0, 800, 600}));
  EXPECT_FALSE(DefaultCube(st, {0, 0, 100, 100}));
  EXPECT_EQ(st.Front, (Rect{-900, -900, -800, -800}));
}

}  // namespace
}  // namespace morvane
