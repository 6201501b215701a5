#pragma once
// The Parameters menu's dialogs: title and comment, wavelength, generator settings.
#include <QComboBox>
#include <QPlainTextEdit>

#include "keltor/gui/operation_dialogs.h"

namespace keltor {

class CTitleDlg : public QDialog {
  Q_OBJECT
 public:
  CTitleDlg(const TitleTexts& initial, DialogCheck<TitleTexts> check, QWidget* parent);
  // The texts after OK, in Windows-1252; the comment's lines end with CR LF.
  const TitleTexts& Texts() const { return texts_; }
  void accept() override;

 private:
  TitleTexts CurrentTexts() const;
  // Keeps the comment within its field: the part typed beyond it is taken back.
  void LimitComment();

  TitleTexts texts_;
  DialogCheck<TitleTexts> check_;
  QLineEdit* title_ = nullptr;
  QPlainTextEdit* comment_ = nullptr;
};

class CWavelengthDlg : public CFieldDialog {
  Q_OBJECT
 public:
  CWavelengthDlg(km::MessageSink& sink, const WavelengthRequest& request, DialogCheck<WavelengthChoice> check,
                 QWidget* parent);
  const WavelengthChoice& Choice() const { return choice_; }

 protected:
  int CheckValues() override;

 private:
  void OnSelectionChanged(int index);

  WavelengthRequest request_;
  WavelengthChoice choice_;
  DialogCheck<WavelengthChoice> check_;
  QComboBox* list_ = nullptr;
};

class CGeneratorDlg : public CFieldDialog {
  Q_OBJECT
 public:
  CGeneratorDlg(km::MessageSink& sink, const GeneratorSettings& initial, DialogCheck<GeneratorSettings> check,
                QWidget* parent);
  const GeneratorSettings& Settings() const { return settings_; }

 protected:
  int CheckValues() override { return check_(settings_); }

 private:
  GeneratorSettings settings_;
  DialogCheck<GeneratorSettings> check_;
};

}  // namespace keltor
