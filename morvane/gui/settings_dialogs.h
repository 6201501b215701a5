#pragma once
// The Options menu's dialogs: Colour Setup, Scaling setup, Title and Label Setup. Each edits a copy
// of its values and hands them to the state on OK only; the view is repainted by the caller.
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <array>

#include "morvane/core/label_setup.h"
#include "morvane/core/scaling_setup.h"
#include "morvane/core/viewer_state.h"

namespace morvane {

// The gradient as a tall strip of the three colours.
class GradientStrip : public QWidget {
  Q_OBJECT
 public:
  explicit GradientStrip(QWidget* parent = nullptr);
  void SetColours(Rgb start, Rgb mean, Rgb end);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Rgb start_, mean_, end_;
};

class CColourSetupDlg : public QDialog {
  Q_OBJECT
 public:
  CColourSetupDlg(const ViewerState& state, QWidget* parent = nullptr);
  // Group order: Start, Middle, End, Background, Text/Border, Grid.
  static constexpr int kGroups = 6;
  QSpinBox* Field(int group, int channel) const { return fields_[group][channel]; }
  QCheckBox* Filled() const { return filled_; }
  QCheckBox* BorderPen() const { return borderPen_; }
  Rgb Colour(int group) const;
  // OK: every value to the state.
  void Store(ViewerState& state) const;

 private:
  void UpdatePreviews();

  std::array<std::array<QSpinBox*, 3>, kGroups> fields_{};
  std::array<QLabel*, kGroups> previews_{};
  GradientStrip* strip_ = nullptr;
  QCheckBox* filled_ = nullptr;
  QCheckBox* borderPen_ = nullptr;
};

class CScalingSetupDlg : public QDialog {
  Q_OBJECT
 public:
  CScalingSetupDlg(const ViewerState& state, QWidget* parent = nullptr);
  // Axis 0 X, 1 Y, 2 Z; end 0 From, 1 To.
  QLineEdit* Field(int axis, int end) const { return fields_[axis][end]; }
  QCheckBox* ScalingBox(int mode) const { return scaling_[mode]; }
  QCheckBox* Individual() const { return individual_; }
  // The values as the fields hold them now ("%f" reads; text that does not read counts as nothing).
  ScalingSetup Values() const;

 private:
  void ShowFullRanges();

  const ViewerState& state_;
  ScalingSetup setup_;
  std::array<std::array<QLineEdit*, 2>, 3> fields_{};
  std::array<std::array<QLabel*, 2>, 3> labels_{};
  std::array<QCheckBox*, 3> scaling_{};
  QCheckBox* individual_ = nullptr;
};

class CTitleDlg : public QDialog {
  Q_OBJECT
 public:
  CTitleDlg(const std::string& title, QWidget* parent = nullptr);
  QLineEdit* Edit() const { return edit_; }
  std::string Title() const;

 private:
  QLineEdit* edit_ = nullptr;
};

// The Label Setup's preview: the placeholder set drawn small with the picture's colours and cube and
// the dialog's label positions, grid and box.
class LabelPreview : public QWidget {
  Q_OBJECT
 public:
  LabelPreview(const ViewerState& state, int clientWidth, int clientHeight, QWidget* parent = nullptr);
  void Show(const LabelSetup& setup);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ViewerState preview_;
  ViewState view_;
  QImage picture_;
};

class CLabelSetupDlg : public QDialog {
  Q_OBJECT
 public:
  CLabelSetupDlg(const ViewerState& state, int clientWidth = 800, int clientHeight = 600, QWidget* parent = nullptr);
  LabelPreview* Preview() const { return preview_; }
  const LabelSetup& Values();
  QSpinBox* Position(int axis) const { return positions_[axis]; }
  QRadioButton* ZMode(int mode) const { return zModes_[mode]; }
  QLineEdit* Label(int axis) const { return labels_[axis]; }
  QLineEdit* ZStart() const { return zStart_; }
  QLineEdit* ZIncrement() const { return zIncrement_; }
  QLineEdit* ZEnd() const { return zEnd_; }
  void accept() override;

 private:
  void ShowTicks();

  const ViewerState& state_;
  LabelSetup setup_;
  std::array<QSpinBox*, 3> positions_{};
  std::array<QRadioButton*, 3> zModes_{};
  std::array<QLineEdit*, 3> labels_{};
  std::array<std::array<QLineEdit*, 3>, 2> xyTicks_{};
  QLineEdit* zStart_ = nullptr;
  QLineEdit* zIncrement_ = nullptr;
  QLineEdit* zEnd_ = nullptr;
  QCheckBox* grid_ = nullptr;
  QCheckBox* box_ = nullptr;
  LabelPreview* preview_ = nullptr;
};

}  // namespace morvane
