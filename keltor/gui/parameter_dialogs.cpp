#include "keltor/gui/parameter_dialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "common/qt/qt_text.h"
#include "common/qt/ok_cancel_buttons.h"

namespace keltor {

namespace {

// The header keeps CR LF between comment lines; the edit shows plain line breaks.
QString CommentForEdit(const std::string& text) {
  QString shown = km::FromCp1252(text);
  return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
std::string CommentFromEdit(const QString& text) {
  QString stored = text;
  stored.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return km::ToCp1252(stored);
}

}  // namespace

CTitleDlg::CTitleDlg(const TitleTexts& initial, DialogCheck<TitleTexts> check, QWidget* parent)
    : QDialog(parent), texts_(initial), check_(std::move(check)) {
  setObjectName("CTitleDlg");
  setWindowTitle(QStringLiteral(" Title / Comments"));
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("File Title"), this), 0, 0);
  title_ = new QLineEdit(km::FromCp1252(initial.Title), this);
  title_->setObjectName(ControlName(kTitleEdit));
  title_->setMaxLength(kTitleLimit);
  title_->setMinimumWidth(title_->fontMetrics().averageCharWidth() * 60);
  layout->addWidget(title_, 0, 1);
  layout->addWidget(new QLabel(QStringLiteral("Comments"), this), 1, 0, Qt::AlignTop);
  comment_ = new QPlainTextEdit(CommentForEdit(initial.Comment), this);
  comment_->setObjectName(ControlName(kCommentEdit));
  comment_->setTabChangesFocus(true);
  comment_->setFixedHeight(comment_->fontMetrics().lineSpacing() * 5 + 12);
  connect(comment_, &QPlainTextEdit::textChanged, this, [this] { LimitComment(); });
  layout->addWidget(comment_, 1, 1);
  layout->addWidget(km::AddOkCancelButtons(this), 2, 0, 1, 2);
  title_->setFocus();
}

void CTitleDlg::LimitComment() {
  const QString text = comment_->toPlainText();
  if (CommentFromEdit(text).size() <= static_cast<size_t>(kCommentLimit)) return;
  QString cut = text;
  while (!cut.isEmpty() && CommentFromEdit(cut).size() > static_cast<size_t>(kCommentLimit)) cut.chop(1);
  const QSignalBlocker blocker(comment_);
  comment_->setPlainText(cut);
  comment_->moveCursor(QTextCursor::End);
}

TitleTexts CTitleDlg::CurrentTexts() const {
  return {km::ToCp1252(title_->text()), CommentFromEdit(comment_->toPlainText())};
}

void CTitleDlg::accept() {
  const TitleTexts texts = CurrentTexts();
  if (const int refused = check_(texts); refused != 0) {
    (refused == kTitleEdit ? static_cast<QWidget*>(title_) : comment_)->setFocus();
    return;
  }
  texts_ = texts;
  QDialog::accept();
}

CWavelengthDlg::CWavelengthDlg(km::MessageSink& sink, const WavelengthRequest& request,
                               DialogCheck<WavelengthChoice> check, QWidget* parent)
    : CFieldDialog(sink, parent), request_(request), choice_{request.Selection, request.Wavelength},
      check_(std::move(check)) {
  setObjectName("CWavelengthDlg");
  setWindowTitle(QStringLiteral(" Change Wavelength"));
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Radiation"), this), 0, 0);
  list_ = new QComboBox(this);
  list_->setObjectName(ControlName(kRadiationList));
  for (const std::string& line : request.Lines) list_->addItem(km::FromCp1252(line));
  list_->setCurrentIndex(request.Selection);
  layout->addWidget(list_, 0, 1);
  layout->addWidget(new QLabel(QStringLiteral("Wavelength"), this), 1, 0);
  layout->addWidget(AddEdit(kWavelengthEdit), 1, 1);
  layout->addWidget(km::AddOkCancelButtons(this), 2, 0, 1, 2);
  fields_.resize(1);
  km::RealField(fields_[0], kWavelengthEdit, &choice_.Wavelength, 1, kWavelengthMinimum, kWavelengthMaximum);
  FillFields();
  binder_.EnableDialogField(fields_[0], request.Selection == kUserDefinedRadiation);
  connect(list_, &QComboBox::currentIndexChanged, this, [this](int index) { OnSelectionChanged(index); });
}

void CWavelengthDlg::OnSelectionChanged(int index) {
  choice_.Selection = index;
  const bool user = index == kUserDefinedRadiation;
  if (user) {
    choice_.Wavelength = request_.UserWavelength;
    FillFields();
  }
  binder_.EnableDialogField(fields_[0], user);
}

int CWavelengthDlg::CheckValues() {
  choice_.Selection = list_->currentIndex();
  return check_(choice_);
}

CGeneratorDlg::CGeneratorDlg(km::MessageSink& sink, const GeneratorSettings& initial,
                             DialogCheck<GeneratorSettings> check, QWidget* parent)
    : CFieldDialog(sink, parent), settings_(initial), check_(std::move(check)) {
  setObjectName("CGeneratorDlg");
  setWindowTitle(QStringLiteral(" Generator Settings"));
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("kV "), this), 0, 0);
  layout->addWidget(AddEdit(kVoltageEdit), 0, 1);
  layout->addWidget(new QLabel(QStringLiteral("mA "), this), 1, 0);
  layout->addWidget(AddEdit(kCurrentEdit), 1, 1);
  layout->addWidget(km::AddOkCancelButtons(this), 2, 0, 1, 2);
  fields_.resize(2);
  km::IntegerField(fields_[0], kVoltageEdit, &settings_.Voltage, 1, 0, kVoltageMaximum);
  km::IntegerField(fields_[1], kCurrentEdit, &settings_.Current, 1, 0, kCurrentMaximum);
  FillFields();
  controls_.FocusAndSelectAll(kVoltageEdit);
}

}  // namespace keltor
