#include "keltor/gui/angular_range_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "keltor/core/operations/range_selection.h"

#include "common/qt/ok_cancel_buttons.h"

namespace keltor {

namespace {

enum Field { TwoThetaBegin, TwoThetaEnd, TwoThetaStep, OmegaBegin, OmegaEnd, OmegaStep };
constexpr int kControlIds[6] = {1004, 1008, 1005, 1006, 1009, 1007};

}  // namespace

CAngularRangeDlg::CAngularRangeDlg(const AngularRangeRequest& request, km::MessageSink& sink, QWidget* parent)
    : QDialog(parent),
      request_(request),
      sink_(sink),
      values_{request.TwoThetaBegin, request.TwoThetaEnd, request.TwoThetaStep,
              request.OmegaBegin,    request.OmegaEnd,    request.OmegaStep} {
  setObjectName("KeltorAngularRangeDlg");
  QString title = " Change Angular Range";
  if (request.RangeNumber > 0) title += QString(" %1").arg(request.RangeNumber);
  setWindowTitle(title);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel("Begin", this), 0, 1);
  grid->addWidget(new QLabel("End", this), 0, 2);
  grid->addWidget(new QLabel("Step", this), 0, 3);
  grid->addWidget(new QLabel("2Theta", this), 1, 0);
  grid->addWidget(new QLabel("Omega", this), 2, 0);
  QLineEdit* edits[6];
  for (int i = 0; i < 6; ++i) {
    edits[i] = new QLineEdit(this);
    edits[i]->setObjectName(QString("ctl%1").arg(kControlIds[i]));
    grid->addWidget(edits[i], 1 + i / 3, 1 + i % 3);
    controls_.Bind(kControlIds[i], edits[i]);
  }
  const AngularRangeLimits twoTheta = TwoThetaLimits(request);
  const AngularRangeLimits omega = OmegaLimits(request);
  km::RealField(fields_[TwoThetaBegin], kControlIds[TwoThetaBegin], &values_[TwoThetaBegin], 1, twoTheta.BeginMinimum,
                twoTheta.BeginMaximum);
  km::RealField(fields_[TwoThetaEnd], kControlIds[TwoThetaEnd], &values_[TwoThetaEnd], 1, twoTheta.EndMinimum,
                twoTheta.EndMaximum);
  km::RealField(fields_[TwoThetaStep], kControlIds[TwoThetaStep], &values_[TwoThetaStep], 1);
  km::RealField(fields_[OmegaBegin], kControlIds[OmegaBegin], &values_[OmegaBegin], 1, omega.BeginMinimum,
                omega.BeginMaximum);
  km::RealField(fields_[OmegaEnd], kControlIds[OmegaEnd], &values_[OmegaEnd], 1, omega.EndMinimum, omega.EndMaximum);
  km::RealField(fields_[OmegaStep], kControlIds[OmegaStep], &values_[OmegaStep], 1);
  binder_.FillDialogFields(controls_, fields_);

  // Only the scan axis' begin and end are edited; the rest is shown, read-only and out of the tab order.
  const int scanBegin = request.OmegaScan ? OmegaBegin : TwoThetaBegin;
  const int scanEnd = request.OmegaScan ? OmegaEnd : TwoThetaEnd;
  for (int i = 0; i < 6; ++i) {
    const bool editable = i == scanBegin || i == scanEnd;
    edits[i]->setReadOnly(!editable);
    if (!editable) edits[i]->setFocusPolicy(Qt::ClickFocus);
  }
  setTabOrder(edits[scanBegin], edits[scanEnd]);

  grid->addWidget(km::AddOkCancelButtons(this), 3, 0, 1, 4);
  edits[scanBegin]->setFocus();
  edits[scanBegin]->selectAll();
}

void CAngularRangeDlg::accept() {
  if (binder_.ReadDialogFields(sink_, controls_, fields_) < 0) return;
  const float begin = values_[request_.OmegaScan ? OmegaBegin : TwoThetaBegin];
  const float end = values_[request_.OmegaScan ? OmegaEnd : TwoThetaEnd];
  if (!CheckAngularOrder(sink_, request_, begin, end)) return;
  result_ = AngularRange{begin, end};
  QDialog::accept();
}

}  // namespace keltor
