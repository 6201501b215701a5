#pragma once
// The message catalogue shared with the rest of the instrument suite, and the sink through which every
// operation talks to the user. Operations never throw: they show a message here and return false.
#include <string>
#include <string_view>

namespace km {

// Catalogue ids; the texts are carried exactly as the suite's other programs have them.
namespace msg {
inline constexpr int AppName = 501;
inline constexpr int AppVersion = 502;
inline constexpr int NoMemoryMap = 505;
inline constexpr int ProcessCannotBeExecuted = 506;
inline constexpr int FileDoesNotExist = 507;
inline constexpr int FileCannotBeOpened = 508;
inline constexpr int InvalidFormat = 509;
inline constexpr int FileAlreadyExists = 510;
inline constexpr int FileExistsOverwrite = 511;
inline constexpr int FileCannotBeCreated = 512;
inline constexpr int NoData = 513;
inline constexpr int NoDataForRange = 514;
inline constexpr int CapacityExceeded = 515;
inline constexpr int FileCannotBeAccessed = 516;
inline constexpr int EndOfFile = 517;
inline constexpr int UserfileMutex = 2000;
inline constexpr int SharedMutex = 2001;
}  // namespace msg

// The catalogue text of an id; empty for an id the catalogue does not hold.
std::string_view CatalogText(int id);

// Fills %1 and %2 the way the platform's one- and two-argument formatters do.
std::string FormatMessage(std::string_view pattern, std::string_view arg1, std::string_view arg2 = {});
// Catalogue text id with %1 and %2 filled.
std::string FormatCatalog(int id, std::string_view arg1 = {}, std::string_view arg2 = {});
// Catalogue text id with its one printf-style %d filled.
std::string FormatCatalogNumber(int id, long long value);

enum class MessageIcon { None, Stop, Exclamation, Question };

// Everything an operation may say to the user. Texts are 8-bit Windows-1252, as in the files; each
// implementation converts at its edge. The desktop programs show message boxes titled with the
// application name; the command-line tools write to standard error; tests record.
class MessageSink {
 public:
  virtual ~MessageSink() = default;

  // A message with an OK button and the given icon.
  virtual void ShowMessage(std::string_view text, MessageIcon icon) = 0;
  // A question with Yes and No; defaultNo makes No the default button. True for Yes.
  virtual bool AskYesNo(std::string_view text, bool defaultNo = false) = 0;

  // A box with a caption of its own instead of the program's name, and no icon (the 3D viewer's
  // "Morvane Error Message"). A sink without captions shows it as a plain message.
  virtual void ShowCaptioned(std::string_view caption, std::string_view text) {
    (void)caption;
    ShowMessage(text, MessageIcon::None);
  }

  void ShowError(std::string_view text) { ShowMessage(text, MessageIcon::Stop); }
  void ShowWarning(std::string_view text) { ShowMessage(text, MessageIcon::Exclamation); }
  void ShowPlain(std::string_view text) { ShowMessage(text, MessageIcon::None); }
  void ShowCatalogMessage(int id) { ShowError(CatalogText(id)); }
  void ShowOutOfMemory() { ShowError("Insufficient memory."); }
  void ShowRangeError(int rangeNumber) { ShowError(FormatCatalogNumber(msg::NoDataForRange, rangeNumber)); }
};

// Says nothing and answers No: for fuzzers, benchmarks, and reads whose failure is expected.
class SilentMessageSink : public MessageSink {
 public:
  void ShowMessage(std::string_view, MessageIcon) override {}
  bool AskYesNo(std::string_view, bool = false) override { return false; }
};

// Writes messages to standard error as one line each, "error: " or "warning: " in front, and answers
// every question with a fixed answer (the command-line tools never wait for a person).
class ConsoleMessageSink : public MessageSink {
 public:
  explicit ConsoleMessageSink(bool answerYes = false) : answerYes_(answerYes) {}
  void ShowMessage(std::string_view text, MessageIcon icon) override;
  bool AskYesNo(std::string_view text, bool defaultNo = false) override;
  int ErrorCount() const { return errors_; }

 private:
  bool answerYes_;
  int errors_ = 0;
};

// One line for a terminal: runs of line breaks become one blank, the ends are trimmed, and the
// Windows-1252 bytes are converted to UTF-8.
std::string MessageAsOneLine(std::string_view text);

}  // namespace km
