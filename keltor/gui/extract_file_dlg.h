#pragma once
// " Extract Ranges to File": the name pattern of the extracted files, typed or chosen with "Browse";
// its last character stands for the range digit.
#include <QDialog>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;

namespace keltor {

class CExtractFileDlg : public QDialog {
 public:
  // browse: the save dialog "Browse" opens with the name up to its last "."; nothing for Cancel.
  CExtractFileDlg(const std::string& proposedName,
                  std::function<std::optional<std::string>(const std::string& name)> browse, QWidget* parent = nullptr);

  // The name as typed, once the dialog closed with OK.
  const std::optional<std::string>& Result() const { return result_; }
  QLineEdit* NameEdit() const { return edit_; }
  void OnBrowse();

 public slots:
  void accept() override;

 private:
  QLineEdit* edit_ = nullptr;
  std::function<std::optional<std::string>(const std::string&)> browse_;
  std::optional<std::string> result_;
};

}  // namespace keltor
