#include "common/core/text.h"

#include <cstdarg>
#include <cstdio>

#include "common/core/c_locale.h"

namespace km {

size_t TrimmedLength(std::string_view text) {
  size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return n;
}

int FirstNonBlank(std::string_view text) {
  const size_t end = TrimmedLength(text);
  for (size_t i = 0; i < end; ++i) {
    if (text[i] != ' ') return static_cast<int>(i + 1);
  }
  return 0;
}

void NormalizeBlanks(std::string& text, BlankRule rule) {
  size_t out = 0;
  bool pendingBlank = false;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      pendingBlank = out > 0;
      continue;
    }
    if (pendingBlank) text[out++] = ' ';
    pendingBlank = false;
    text[out++] = c;
  }
  if (pendingBlank && rule == BlankRule::KeepOneTrailing) text[out++] = ' ';
  text.resize(out);
}

void TrimAndNormalize(std::string& text) {
  constexpr std::string_view kWhite = " \t\r\n";
  const size_t first = text.find_first_not_of(kWhite);
  if (first == std::string::npos) {
    text.clear();
    return;
  }
  const size_t last = text.find_last_not_of(kWhite);
  text = text.substr(first, last - first + 1);
  NormalizeBlanks(text);
}

void ReplaceChar(std::string& text, char from, char to) {
  for (char& c : text) {
    if (c == from) c = to;
  }
}

namespace {

// Calls visit(start, length) for each token until it returns false.
template <typename Visit>
void ForEachToken(std::string_view text, std::string_view delimiters, Visit visit) {
  size_t i = 0;
  while (i < text.size()) {
    const size_t start = text.find_first_not_of(delimiters, i);
    if (start == std::string_view::npos) return;
    size_t end = text.find_first_of(delimiters, start);
    if (end == std::string_view::npos) end = text.size();
    if (!visit(start, end - start)) return;
    i = end;
  }
}

}  // namespace

int CountTokens(std::string_view text, std::string_view delimiters) {
  int count = 0;
  ForEachToken(text, delimiters, [&](size_t, size_t) {
    ++count;
    return true;
  });
  return count;
}

size_t GetToken(std::string& out, int k, std::string_view text, std::string_view delimiters) {
  out.clear();
  if (k < 1) return 0;
  size_t position = 0;
  int index = 0;
  ForEachToken(text, delimiters, [&](size_t start, size_t length) {
    if (++index < k) return true;
    out.assign(text.substr(start, length));
    position = start + 1;
    return false;
  });
  return position;
}

void TabifyBlanks(std::string& text) {
  for (char& c : text) {
    if (c == ' ') {
      c = '\t';
    } else if (c == '+') {
      c = ' ';
    }
  }
}

std::string PadText(std::string_view text, char fill, size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, fill);
  return out;
}

void WriteLine(std::string& textFile, std::string_view text) {
  textFile.append(text);
  textFile.append("\r\n");
}

std::string Printf(const char* format, ...) {
  const CLocaleScope cLocale;
  char small[256];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (length < 0) {
    va_end(again);
    return out;
  }
  if (static_cast<size_t>(length) < sizeof small) {
    out.assign(small, static_cast<size_t>(length));
  } else {
    out.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(out.data(), out.size(), format, again);
    out.resize(static_cast<size_t>(length));
  }
  va_end(again);
  return out;
}

}  // namespace km
