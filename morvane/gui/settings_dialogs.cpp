#include "morvane/gui/settings_dialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>

#include "common/qt/qpainter_canvas.h"
#include "common/qt/qt_text.h"
#include "common/qt/ok_cancel_buttons.h"
#include "morvane/core/axes.h"
#include "morvane/core/colour_gradient.h"
#include "morvane/core/draw.h"
#include "morvane/core/file_set.h"
#include "morvane/core/ranges.h"

namespace morvane {
namespace {

QString Number(float v) { return QString::fromStdString(FormatSetupNumber(v)); }

// A number as "%f" reads it: leading blanks skipped, the longest number at the front taken; NaN when
// the text holds none.
float ReadNumber(const QString& text) {
  float v = NAN;
  const std::string s = text.toStdString();
  if (std::sscanf(s.c_str(), "%f", &v) != 1) return NAN;
  return v;
}

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

GradientStrip::GradientStrip(QWidget* parent) : QWidget(parent) { setMinimumSize(24, 160); }

void GradientStrip::SetColours(Rgb start, Rgb mean, Rgb end) {
  start_ = start;
  mean_ = mean;
  end_ = end;
  update();
}

void GradientStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const auto gradient = BuildGradient(start_, mean_, end_);
  const int h = height();
  for (int y = 0; y < h; ++y) {
    const int j = std::min(kGradientSize - 1, y * kGradientSize / std::max(h, 1));
    painter.setPen(ToQColor(gradient[j]));
    painter.drawLine(0, y, width(), y);
  }
}

CColourSetupDlg::CColourSetupDlg(const ViewerState& st, QWidget* parent) : QDialog(parent) {
  setObjectName("ColourSetup");
  setWindowTitle(QStringLiteral("Colour Setup "));
  auto* layout = new QGridLayout(this);
  const char* names[kGroups] = {"Start Colour", "Middle Colour", "End Colour", "Background", "Text, Border, ...",
                                "Grid Lines"};
  const Rgb colours[kGroups] = {st.StartColor, st.MeanColor, st.EndColor, st.BackColor, st.PenColor, st.GridColor};
  const char* channels[3] = {"Red", "Green", "Blue"};
  for (int c = 0; c < 3; ++c) layout->addWidget(new QLabel(QString::fromLatin1(channels[c]), this), 0, 1 + c);
  for (int g = 0; g < kGroups; ++g) {
    layout->addWidget(new QLabel(QString::fromLatin1(names[g]), this), 1 + g, 0);
    const uint8_t values[3] = {colours[g].r, colours[g].g, colours[g].b};
    for (int c = 0; c < 3; ++c) {
      auto* spin = new QSpinBox(this);
      spin->setRange(0, 255);
      spin->setValue(values[c]);
      connect(spin, &QSpinBox::valueChanged, this, [this] { UpdatePreviews(); });
      fields_[g][c] = spin;
      layout->addWidget(spin, 1 + g, 1 + c);
    }
    previews_[g] = new QLabel(this);
    previews_[g]->setMinimumSize(32, 20);
    previews_[g]->setAutoFillBackground(true);
    layout->addWidget(previews_[g], 1 + g, 4);
  }
  strip_ = new GradientStrip(this);
  layout->addWidget(strip_, 0, 5, kGroups + 1, 1);
  filled_ = new QCheckBox(QStringLiteral("Draw filled diagrams"), this);
  filled_->setChecked(st.FilledDiagrams);
  borderPen_ = new QCheckBox(QStringLiteral("Use Border pen for diagram"), this);
  borderPen_->setChecked(st.BorderPen);
  layout->addWidget(filled_, kGroups + 1, 0, 1, 3);
  layout->addWidget(borderPen_, kGroups + 2, 0, 1, 3);
  layout->addWidget(km::AddOkCancelButtons(this), kGroups + 3, 0, 1, 6);
  UpdatePreviews();
}

Rgb CColourSetupDlg::Colour(int g) const {
  return {static_cast<uint8_t>(fields_[g][0]->value()), static_cast<uint8_t>(fields_[g][1]->value()),
          static_cast<uint8_t>(fields_[g][2]->value())};
}

void CColourSetupDlg::UpdatePreviews() {
  for (int g = 0; g < kGroups; ++g) {
    QPalette palette = previews_[g]->palette();
    palette.setColor(QPalette::Window, ToQColor(Colour(g)));
    previews_[g]->setPalette(palette);
  }
  strip_->SetColours(Colour(0), Colour(1), Colour(2));
}

void CColourSetupDlg::Store(ViewerState& st) const {
  st.StartColor = Colour(0);
  st.MeanColor = Colour(1);
  st.EndColor = Colour(2);
  st.BackColor = Colour(3);
  st.PenColor = Colour(4);
  st.GridColor = Colour(5);
  st.FilledDiagrams = filled_->isChecked();
  st.BorderPen = borderPen_->isChecked();
}

CScalingSetupDlg::CScalingSetupDlg(const ViewerState& st, QWidget* parent)
    : QDialog(parent), state_(st), setup_(OpenScalingSetup(st)) {
  setObjectName("ScalingSetup");
  setWindowTitle(QStringLiteral("Scaling setup"));
  auto* layout = new QGridLayout(this);
  const char* axes[3] = {"X-Range", "Y-Range", "Z-Range"};
  const FloatRange ranges[3] = {setup_.X, setup_.Y, setup_.Z};
  for (int a = 0; a < 3; ++a) {
    auto* group = new QGroupBox(QString::fromLatin1(axes[a]), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("From"), group), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("To"), group), 0, 1);
    for (int e = 0; e < 2; ++e) {
      // The full range of the last reset, above the fields.
      labels_[a][e] = new QLabel(group);
      grid->addWidget(labels_[a][e], 1, e);
      fields_[a][e] = new QLineEdit(Number(e == 0 ? ranges[a].min : ranges[a].max), group);
      grid->addWidget(fields_[a][e], 2, e);
    }
    layout->addWidget(group, a, 0);
  }
  auto* group = new QGroupBox(QStringLiteral(" Scaling "), this);
  auto* box = new QVBoxLayout(group);
  const char* modes[3] = {"Linear", "SQRT", "LOG"};
  for (int m = 0; m < 3; ++m) {
    scaling_[m] = new QCheckBox(QString::fromLatin1(modes[m]), group);
    scaling_[m]->setChecked(setup_.Mode == m);
    box->addWidget(scaling_[m]);
    connect(scaling_[m], &QCheckBox::clicked, this, [this, m] {
      // The three boxes act as one choice: ticking one clears the others.
      for (int k = 0; k < 3; ++k) scaling_[k]->setChecked(k == m);
      ChooseSetupScaling(state_, setup_, m);
      if (!setup_.Individual) fields_[1][1]->setText(Number(setup_.Y.max));
      ShowFullRanges();
    });
  }
  individual_ = new QCheckBox(QStringLiteral("Individual "), group);
  individual_->setChecked(setup_.Individual);
  box->addWidget(individual_);
  connect(individual_, &QCheckBox::toggled, this, [this](bool on) {
    ChooseSetupIndividual(state_, setup_, on);
    fields_[1][1]->setText(Number(setup_.Y.max));
    ShowFullRanges();
  });
  layout->addWidget(group, 0, 1, 3, 1);
  layout->addWidget(km::AddOkCancelButtons(this), 3, 0, 1, 2);
  ShowFullRanges();
}

void CScalingSetupDlg::ShowFullRanges() {
  const FloatRange full[3] = {setup_.FullX, setup_.FullY, setup_.FullZ};
  for (int a = 0; a < 3; ++a) {
    labels_[a][0]->setText(Number(full[a].min));
    labels_[a][1]->setText(Number(full[a].max));
  }
}

ScalingSetup CScalingSetupDlg::Values() const {
  ScalingSetup s = setup_;
  FloatRange* ranges[3] = {&s.X, &s.Y, &s.Z};
  for (int a = 0; a < 3; ++a) {
    ranges[a]->min = ReadNumber(fields_[a][0]->text());
    ranges[a]->max = ReadNumber(fields_[a][1]->text());
  }
  for (int m = 0; m < 3; ++m)
    if (scaling_[m]->isChecked()) s.Mode = m;
  s.Individual = individual_->isChecked();
  return s;
}

CTitleDlg::CTitleDlg(const std::string& title, QWidget* parent) : QDialog(parent) {
  setObjectName("TitleDialog");
  setWindowTitle(QStringLiteral("Title displayed in 3D Graphics"));
  auto* layout = new QVBoxLayout(this);
  edit_ = new QLineEdit(km::FromCp1252(title), this);
  edit_->setMinimumWidth(360);
  layout->addWidget(edit_);
  layout->addWidget(km::AddOkCancelButtons(this));
}

std::string CTitleDlg::Title() const { return km::ToCp1252(edit_->text()); }

LabelPreview::LabelPreview(const ViewerState& st, int clientWidth, int clientHeight, QWidget* parent)
    : QWidget(parent) {
  setFixedSize(320, 200);
  ViewerState& p = preview_;
  p.StartColor = st.StartColor;
  p.MeanColor = st.MeanColor;
  p.EndColor = st.EndColor;
  p.BackColor = st.BackColor;
  p.PenColor = st.PenColor;
  p.GridColor = st.GridColor;
  p.FilledDiagrams = st.FilledDiagrams;
  p.BorderPen = st.BorderPen;
  p.InvertZ = st.InvertZ;
  // A smaller font, so that the labels of the small picture stay apart.
  p.Font = st.Font;
  p.Font.Height = std::max(50, (st.Font.Height != 0 ? std::abs(st.Font.Height) : 80) * 6 / 10);
  CreateDemoSet(p);
  p.ZAxis = st.ZAxis;
  // The picture's cube shrunk to the panel.
  const double fx = 320.0 / std::max(clientWidth, 1), fy = 200.0 / std::max(clientHeight, 1);
  auto shrink = [&](const Rect& r) {
    return Rect{static_cast<int>(r.left * fx), static_cast<int>(r.top * fy), static_cast<int>(r.right * fx),
                static_cast<int>(r.bottom * fy)};
  };
  p.SavedFront = shrink(st.Front);
  p.SavedBack = shrink(st.Back);
  if (!IsValidFace(p.SavedFront) || !IsValidFace(p.SavedBack)) p.SavedFront = p.SavedBack = {};
}

void LabelPreview::Show(const LabelSetup& setup) {
  preview_.LabelPos = setup.LabelPos;
  preview_.DrawGrid = setup.DrawGrid;
  preview_.DrawBox = setup.DrawBox;
  preview_.ZMode = std::clamp(setup.ZMode, 0, 2);
  preview_.XCaption = setup.XLabel;
  preview_.YCaption = setup.YLabel;
  preview_.UserCaptions = !setup.XLabel.empty() || !setup.YLabel.empty();
  picture_ = QImage(size(), QImage::Format_RGB32);
  picture_.fill(Qt::white);
  {
    QPainter painter(&picture_);
    km::QPainterCanvas canvas(painter);
    Paint(canvas, preview_, view_, width(), height());
  }
  update();
}

void LabelPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

CLabelSetupDlg::CLabelSetupDlg(const ViewerState& st, int clientWidth, int clientHeight, QWidget* parent)
    : QDialog(parent), state_(st), setup_(OpenLabelSetup(st)) {
  setObjectName("LabelSetup");
  setWindowTitle(QStringLiteral("Label Setup"));
  auto* layout = new QGridLayout(this);
  const char* positions[3] = {"Label Position X", "Label Position Y", "Label Position Z"};
  for (int a = 0; a < 3; ++a) {
    layout->addWidget(new QLabel(QString::fromLatin1(positions[a]), this), a, 0);
    positions_[a] = new QSpinBox(this);
    positions_[a]->setRange(0, 4);
    positions_[a]->setValue(std::clamp(setup_.LabelPos[a], 0, 4));
    layout->addWidget(positions_[a], a, 1);
  }
  const char* modes[3] = {"Z axis mode 1", "Z axis mode 2", "Z axis mode 3"};
  for (int m = 0; m < 3; ++m) {
    zModes_[m] = new QRadioButton(QString::fromLatin1(modes[m]), this);
    zModes_[m]->setChecked(setup_.ZMode == m);
    layout->addWidget(zModes_[m], m, 2);
    connect(zModes_[m], &QRadioButton::clicked, this, [this, m] {
      ChooseLabelZMode(state_, setup_, m);
      labels_[2]->setText(km::FromCp1252(setup_.ZLabel));
      ShowTicks();
    });
  }
  grid_ = new QCheckBox(QStringLiteral("Draw grid lines"), this);
  grid_->setChecked(setup_.DrawGrid);
  box_ = new QCheckBox(QStringLiteral("Draw box"), this);
  box_->setChecked(setup_.DrawBox);
  layout->addWidget(grid_, 0, 3);
  layout->addWidget(box_, 1, 3);

  const char* axisNames[3] = {"X: Label", "Y: Label", "Z: Label"};
  const std::string* texts[3] = {&setup_.XLabel, &setup_.YLabel, &setup_.ZLabel};
  int row = 3;
  for (int a = 0; a < 3; ++a, row += 2) {
    layout->addWidget(new QLabel(QString::fromLatin1(axisNames[a]), this), row, 0);
    labels_[a] = new QLineEdit(km::FromCp1252(*texts[a]), this);
    layout->addWidget(labels_[a], row, 1, 1, 3);
    const char* tickNames[3] = {"Start", "End", "Increment"};
    std::array<QLineEdit*, 3> ticks{};
    for (int t = 0; t < 3; ++t) {
      auto* cell = new QHBoxLayout;
      cell->addWidget(new QLabel(QString::fromLatin1(tickNames[t]), this));
      ticks[t] = new QLineEdit(this);
      // Only the Z axis's start and increment are the user's to set.
      ticks[t]->setReadOnly(a < 2 || t == 1);
      cell->addWidget(ticks[t]);
      layout->addLayout(cell, row + 1, 1 + t);
    }
    if (a < 2) {
      xyTicks_[a] = ticks;
    } else {
      zStart_ = ticks[0];
      zEnd_ = ticks[1];
      zIncrement_ = ticks[2];
    }
  }
  auto edited = [this] {
    const float start = ReadNumber(zStart_->text()), increment = ReadNumber(zIncrement_->text());
    if (std::isfinite(start) && std::isfinite(increment)) {
      EditLabelZTicks(setup_, start, increment);
      zEnd_->setText(Number(TicksEnd(setup_.Z)));
    }
  };
  connect(zStart_, &QLineEdit::textEdited, this, edited);
  connect(zIncrement_, &QLineEdit::textEdited, this, edited);
  preview_ = new LabelPreview(st, clientWidth, clientHeight, this);
  layout->addWidget(preview_, 0, 4, row, 1);
  // The preview follows every change of the settings.
  for (QSpinBox* spin : positions_) connect(spin, &QSpinBox::valueChanged, this, [this] { preview_->Show(Values()); });
  for (QRadioButton* radio : zModes_) connect(radio, &QRadioButton::toggled, this, [this] { preview_->Show(Values()); });
  for (QCheckBox* check : {grid_, box_}) connect(check, &QCheckBox::toggled, this, [this] { preview_->Show(Values()); });
  for (QLineEdit* label : labels_) connect(label, &QLineEdit::textEdited, this, [this] { preview_->Show(Values()); });
  layout->addWidget(km::AddOkCancelButtons(this), row, 0, 1, 5);
  ShowTicks();
  preview_->Show(Values());
}

void CLabelSetupDlg::ShowTicks() {
  const Ticks xy[2] = {setup_.X, setup_.Y};
  for (int a = 0; a < 2; ++a) {
    xyTicks_[a][0]->setText(Number(xy[a].start));
    xyTicks_[a][1]->setText(Number(xy[a].start + static_cast<float>(xy[a].count) * xy[a].increment));
    xyTicks_[a][2]->setText(Number(xy[a].increment));
  }
  zStart_->setText(Number(setup_.Z.start));
  zIncrement_->setText(Number(setup_.Z.increment));
  zEnd_->setText(Number(TicksEnd(setup_.Z)));
}

void CLabelSetupDlg::accept() {
  // A Z increment that is no positive number, or one that would draw thousands of ticks, is refused.
  const float increment = ReadNumber(zIncrement_->text());
  const double span = std::fabs(static_cast<double>(state_.ZDraw.max) - state_.ZDraw.min);
  if (setup_.ZTicksEdited && (!(increment > 0) || span / increment > 1000)) {
    QMessageBox::warning(this, windowTitle(), QStringLiteral("Invalid Data\nZ Increment must be above %1")
                                                  .arg(Number(static_cast<float>(span / 1000))));
    zIncrement_->setFocus();
    zIncrement_->selectAll();
    return;
  }
  QDialog::accept();
}

const LabelSetup& CLabelSetupDlg::Values() {
  for (int a = 0; a < 3; ++a) setup_.LabelPos[a] = positions_[a]->value();
  for (int m = 0; m < 3; ++m)
    if (zModes_[m]->isChecked()) setup_.ZMode = m;
  setup_.DrawGrid = grid_->isChecked();
  setup_.DrawBox = box_->isChecked();
  setup_.XLabel = km::ToCp1252(labels_[0]->text());
  setup_.YLabel = km::ToCp1252(labels_[1]->text());
  setup_.ZLabel = km::ToCp1252(labels_[2]->text());
  return setup_;
}

}  // namespace morvane
