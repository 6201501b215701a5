#pragma once
// The viewer's view: paints the picture through the same drawing routine as the printer, the
// metafile and the command line, and forwards mouse and size events to the cube editing of the core.
// In cube mode the waterfall follows the faces while they are dragged, with the cube drawn over it.
#include <QImage>
#include <QMenu>
#include <QWidget>
#include <functional>

#include "morvane/core/cube_edit.h"
#include "morvane/core/viewer_state.h"

namespace morvane {

class CMorvaneView : public QWidget {
  Q_OBJECT
 public:
  CMorvaneView(ViewerState& state, QWidget* parent = nullptr);

  ViewState& View() { return view_; }
  CubeEdit& Edit() { return edit_; }
  const QImage& Picture() const { return picture_; }

  // A new set or status file was loaded: any zoom under way ends, the cube is laid out anew.
  void OnNewSet();
  // The faces were set for a client of this size, which the window is about to get.
  void ExpectSize(int width, int height) {
    edit_.LayoutWidth = width;
    edit_.LayoutHeight = height;
  }
  // Faces changed by a command (Centre, Default Cube): handles follow.
  void OnFacesChanged();
  // The client rectangle (left, top, right, bottom).
  Rect ClientRect() const { return {0, 0, width(), height()}; }
  // Draws the picture into the off-screen image and shows it at once.
  void Redraw();
  // While printing, size changes leave the cube alone.
  void SetPrinting(bool printing) { view_.Printing = printing; }

  // The context menu's command (Invert Z) is run by whoever owns the commands.
  std::function<void(int commandId)> OnCommand;
  // Frames drawn since the view was made (for the tests: the drag repaints on every move).
  int FramesDrawn() const { return frames_; }
  // The last frame showed only part of the set (a drag of a large set), and how many diagrams the
  // next dragged frame may draw to keep up with the mouse.
  bool LastFrameThinned() const { return lastFrameThinned_; }
  int PreviewCount() const { return previewCount_; }
  void SetPreviewCount(int n) { previewCount_ = n; }

  // A dragged frame should take no longer than this (30 frames a second with room to spare); it
  // shows at least this many diagrams.
  static constexpr double kDragFrameBudgetMs = 25.0;
  static constexpr int kFewestDragDiagrams = 8;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void RenderPicture();
  void DrawCubeOverlay(QImage& image);

  ViewerState& state_;
  ViewState view_;
  CubeEdit edit_;
  QImage picture_;
  int frames_ = 0;
  int previewCount_ = 1 << 30;
  bool lastFrameThinned_ = false;
};

}  // namespace morvane
