#include "common/core/dialog_fields.h"

#include <climits>
#include <cstring>
#include <vector>

#include "common/core/numbers.h"
#include "common/core/text.h"

namespace km {

namespace {

// The most of a control's text that is taken.
constexpr size_t kMaxFieldText = 80;

void SetUp(DialogField& entry, int controlId, int kind, int count, float minimum, float maximum) {
  entry = DialogField{};
  entry.ControlId = controlId;
  entry.Kind = kind;
  entry.ValueCount = count > 0 ? count : 0;
  entry.Minimum = minimum;
  entry.Maximum = maximum;
}

// Rounded half away from zero, held inside the range of an int.
int RoundToInt(float value) {
  const double r = value < 0 ? static_cast<double>(value) - 0.5 : static_cast<double>(value) + 0.5;
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(r);
}

bool IsBound(const DialogField& entry) {
  if (entry.ValueCount <= 0) return false;
  switch (entry.Kind) {
    case kTextFieldKind: return entry.Text != nullptr && entry.TextCapacity > 0;
    case kIntegerFieldKind: return entry.IntValues != nullptr;
    case kRealFieldKind: return entry.RealValues != nullptr;
    default: return false;
  }
}

}  // namespace

void IntegerField(DialogField& entry, int controlId, int* values, int count, float minimum, float maximum) {
  SetUp(entry, controlId, kIntegerFieldKind, count, minimum, maximum);
  entry.IntValues = values;
}

void RealField(DialogField& entry, int controlId, float* values, int count, float minimum, float maximum) {
  SetUp(entry, controlId, kRealFieldKind, count, minimum, maximum);
  entry.RealValues = values;
}

void TextField(DialogField& entry, int controlId, char* buffer, size_t capacity, int textLimit) {
  SetUp(entry, controlId, kTextFieldKind, 1, 0.0f, 0.0f);
  entry.Text = buffer;
  entry.TextCapacity = capacity;
  const size_t room = capacity > 0 ? capacity - 1 : 0;
  const size_t limit = textLimit > 0 && static_cast<size_t>(textLimit) < room ? static_cast<size_t>(textLimit) : room;
  entry.TextLimit = limit > INT_MAX ? INT_MAX : static_cast<int>(limit);
}

std::string FormatIntegerValues(const int* values, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += Printf(" %d,", values[i]);
  if (!text.empty()) text.pop_back();
  return text;
}

std::string FormatRealValues(const float* values, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    std::string piece = Printf(" %-12.6g", static_cast<double>(values[i]));
    piece.resize(TrimmedLength(piece));
    if (piece.find('.') == std::string::npos) piece += ".0";
    text += piece;
    if (i + 1 < count) text += ',';
  }
  return text;
}

std::string InvalidDataText(float minimum, float maximum) {
  std::string text = Printf("Invalid Data\nAllowed Range = %12.4g to %12.4g", static_cast<double>(minimum),
                            static_cast<double>(maximum));
  NormalizeBlanks(text);
  return text;
}

void DialogFieldBinder::FillDialogFields(DialogControls& dialog, std::span<DialogField> table) {
  dialog_ = &dialog;
  for (DialogField& entry : table) {
    if (!IsBound(entry)) continue;
    switch (entry.Kind) {
      case kTextFieldKind: {
        if (entry.TextLimit > 0) dialog.SetTextLimit(entry.ControlId, entry.TextLimit);
        // The buffer may be a fixed header field that fills its width without a NUL.
        dialog.SetControlText(entry.ControlId, std::string_view(entry.Text, strnlen(entry.Text, entry.TextCapacity)));
        break;
      }
      case kIntegerFieldKind:
        dialog.SetControlText(entry.ControlId, FormatIntegerValues(entry.IntValues, entry.ValueCount));
        break;
      case kRealFieldKind:
        dialog.SetControlText(entry.ControlId, FormatRealValues(entry.RealValues, entry.ValueCount));
        break;
      default: break;
    }
    dialog.ClearControlModified(entry.ControlId);
    entry.Changed = false;
  }
}

int DialogFieldBinder::ReadDialogFields(MessageSink& sink, DialogControls& dialog, std::span<DialogField> table) {
  int taken = 0;
  std::vector<float> values;
  for (DialogField& entry : table) {
    if (!IsBound(entry) || !dialog.IsControlEnabled(entry.ControlId) || !dialog.IsControlModified(entry.ControlId)) {
      continue;
    }
    ++taken;
    std::string text = dialog.ControlText(entry.ControlId);
    if (text.size() > kMaxFieldText) text.resize(kMaxFieldText);
    if (entry.Kind == kTextFieldKind) {
      size_t length = text.size();
      if (length > entry.TextCapacity - 1) length = entry.TextCapacity - 1;
      if (entry.TextLimit > 0 && length > static_cast<size_t>(entry.TextLimit)) length = static_cast<size_t>(entry.TextLimit);
      std::memcpy(entry.Text, text.data(), length);
      entry.Text[length] = '\0';
    } else {
      values.assign(static_cast<size_t>(entry.ValueCount), 0.0f);
      ParseNumbers(text, values);
      if (entry.Minimum < entry.Maximum) {
        for (float v : values) {
          if (v < entry.Minimum || v > entry.Maximum) {
            sink.ShowPlain(InvalidDataText(entry.Minimum, entry.Maximum));
            dialog.FocusAndSelectAll(entry.ControlId);
            return -1;
          }
        }
      }
      for (size_t i = 0; i < values.size(); ++i) {
        if (entry.Kind == kIntegerFieldKind) {
          entry.IntValues[i] = RoundToInt(values[i]);
        } else {
          entry.RealValues[i] = values[i];
        }
      }
    }
    dialog.ClearControlModified(entry.ControlId);
    entry.Changed = true;
  }
  return taken;
}

void DialogFieldBinder::EnableDialogField(DialogField& entry, bool enable) {
  if (dialog_) dialog_->EnableControl(entry.ControlId, enable);
  entry.Enabled = enable;
}

}  // namespace km
