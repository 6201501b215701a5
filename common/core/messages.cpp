#include "common/core/messages.h"

#include <cstdio>

#include "common/core/cp1252.h"

namespace km {

std::string_view CatalogText(int id) {
  switch (id) {
    case 501: return "WinQDIF";
    case 502: return "WinQDIF 1.01";
    case 505: return "Cannot create memory-mapped file.\n\n%1";
    case 506: return "Process cannot be executed\n\n%1";
    case 507: return "%1 file does not exist.\n\n%2";
    case 508: return "%1 file cannot be opened.\n\n%2";
    case 509: return "Invalid file format or version.\n\n%1";
    case 510: return "%1 file already exists.\n\n%2";
    case 511: return "%1 file already exists.\n\nDo you wish to overwrite it ?";
    case 512: return "%1 file cannot be created.\n\n%2";
    case 513: return "Raw data file does not contain any data.";
    case 514: return "Raw data file has no data for range number %d.";
    case 515: return "Raw data file capacity exceeded\n\n%1";
    case 516: return "%1 file cannot be accessed.\n\n%2";
    case 517: return "End of file reached: %1";
    case 2000: return "Qdif_Mutex_Userfile";
    case 2001: return "Qdif_Mutex_Shared_1";
    default: return {};
  }
}

std::string FormatMessage(std::string_view pattern, std::string_view arg1, std::string_view arg2) {
  std::string out;
  out.reserve(pattern.size() + arg1.size() + arg2.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      out += pattern[i + 1] == '1' ? arg1 : arg2;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string FormatCatalog(int id, std::string_view arg1, std::string_view arg2) {
  return FormatMessage(CatalogText(id), arg1, arg2);
}

std::string FormatCatalogNumber(int id, long long value) {
  std::string text(CatalogText(id));
  const auto at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(value));
  return text;
}

std::string MessageAsOneLine(std::string_view text) {
  std::string line;
  bool pendingBlank = false;
  for (char c : text) {
    if (c == '\n' || c == '\r') {
      pendingBlank = !line.empty();
      continue;
    }
    if (pendingBlank && c != ' ') line += ' ';
    pendingBlank = false;
    line += c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return Cp1252ToUtf8(line);
}

void ConsoleMessageSink::ShowMessage(std::string_view text, MessageIcon icon) {
  const char* prefix = icon == MessageIcon::Stop ? "error: " : icon == MessageIcon::Exclamation ? "warning: " : "";
  if (icon == MessageIcon::Stop) ++errors_;
  std::fprintf(stderr, "%s%s\n", prefix, MessageAsOneLine(text).c_str());
}

bool ConsoleMessageSink::AskYesNo(std::string_view text, bool /*defaultNo*/) {
  std::fprintf(stderr, "question: %s %s\n", MessageAsOneLine(text).c_str(), answerYes_ ? "yes" : "no");
  return answerYes_;
}

}  // namespace km
