#pragma once
// Table-driven editing of dialog fields: each entry ties one edit control to the program's data,
// shows the values, takes edited values back and checks them against an allowed range.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "common/core/messages.h"

namespace km {

inline constexpr int kTextFieldKind = 1;
inline constexpr int kIntegerFieldKind = 2;
inline constexpr int kRealFieldKind = 4;

struct DialogField {
  int ControlId = 0;
  int Kind = 0;        // 1 text, 2 integers, 4 reals
  int ValueCount = 0;  // values shown comma-separated; 0 disables the entry
  int TextLimit = 0;   // kind 1: maximum characters, 0 for no limit
  bool Enabled = true;   // last state set through EnableDialogField
  bool Changed = false;  // set when ReadDialogFields took a new value
  char* Text = nullptr;  // kind 1: the program's text buffer, NUL-terminated
  size_t TextCapacity = 0;  // kind 1: bytes of Text, its NUL included
  int* IntValues = nullptr;     // kind 2: ValueCount integers
  float* RealValues = nullptr;  // kind 4: ValueCount reals
  float Minimum = 0.0f;  // allowed range, checked only when Minimum < Maximum
  float Maximum = 0.0f;
};

// The controls of one dialog as the field tables see them. Texts are 8-bit Windows-1252.
class DialogControls {
 public:
  virtual ~DialogControls() = default;
  virtual std::string ControlText(int controlId) const = 0;
  virtual void SetControlText(int controlId, std::string_view text) = 0;
  virtual void SetTextLimit(int controlId, int limit) = 0;
  // The edit control's own "modified by the user" mark.
  virtual bool IsControlModified(int controlId) const = 0;
  virtual void ClearControlModified(int controlId) = 0;
  virtual bool IsControlEnabled(int controlId) const = 0;
  virtual void EnableControl(int controlId, bool enable) = 0;
  // Puts the focus on the control with its whole text selected.
  virtual void FocusAndSelectAll(int controlId) = 0;
};

// Entry set-up: enabled, not changed, range [minimum, maximum] (no check when minimum >= maximum).
void IntegerField(DialogField& entry, int controlId, int* values, int count, float minimum = 0.0f,
                  float maximum = 0.0f);
void RealField(DialogField& entry, int controlId, float* values, int count, float minimum = 0.0f,
               float maximum = 0.0f);
// A text entry over a buffer of capacity bytes; textLimit 0 limits the control to what the buffer holds.
void TextField(DialogField& entry, int controlId, char* buffer, size_t capacity, int textLimit = 0);
template <size_t N>
void TextField(DialogField& entry, int controlId, char (&buffer)[N], int textLimit = 0) {
  TextField(entry, controlId, buffer, N, textLimit);
}

// The text a field shows for its values: " 1, 2" for integers, " 1.5, 2.0" for reals.
std::string FormatIntegerValues(const int* values, int count);
std::string FormatRealValues(const float* values, int count);

// The range message of a value outside [minimum, maximum].
std::string InvalidDataText(float minimum, float maximum);

// Fills and reads one dialog at a time; remembers the dialog last filled for EnableDialogField.
// Keep it no longer than that dialog lives.
class DialogFieldBinder {
 public:
  // Shows the program's values in the controls and clears the controls' modified marks and Changed.
  void FillDialogFields(DialogControls& dialog, std::span<DialogField> table);

  // Takes back the values of every enabled entry whose control the user modified. Returns the number of
  // entries taken, or -1 after a value outside its range (shown to the user, control focused); the
  // entries before it stay taken.
  int ReadDialogFields(MessageSink& sink, DialogControls& dialog, std::span<DialogField> table);

  // Enables or disables the entry's control in the dialog last filled and records the state.
  void EnableDialogField(DialogField& entry, bool enable);

  void Forget() { dialog_ = nullptr; }

 private:
  DialogControls* dialog_ = nullptr;
};

}  // namespace km
