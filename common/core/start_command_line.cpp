#include "common/core/start_command_line.h"

#include <algorithm>
#include <cstddef>

namespace km {

namespace {

constexpr size_t npos = std::string_view::npos;

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A switch is only a switch where a word begins and outside double quotes, so that a quoted path or user
// name holding " /1" stays what it is.
bool CanStartSwitch(std::string_view text, size_t at) {
  if (at != 0 && text[at - 1] != ' ') return false;
  return std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '"') % 2 == 0;
}

size_t FindModeSwitch(std::string_view text, std::string_view name) {
  for (size_t at = text.find(name); at != npos; at = text.find(name, at + 1)) {
    const size_t end = at + name.size();
    if (CanStartSwitch(text, at) && (end == text.size() || text[end] == ' ')) return at;
  }
  return npos;
}

// A user name never holds a "/" (it names a file in the USERS directory), so "/Users/..." is a path.
bool CouldBeUserName(std::string_view afterSwitch) {
  if (!afterSwitch.empty() && afterSwitch.front() == '"') return true;
  return afterSwitch.substr(0, afterSwitch.find(' ')).find('/') == npos;
}

size_t FindUserSwitch(std::string_view text) {
  for (size_t at = text.find("/U"); at != npos; at = text.find("/U", at + 1)) {
    if (CanStartSwitch(text, at) && CouldBeUserName(text.substr(at + 2))) return at;
  }
  return npos;
}

// The file name from what follows the switches: a quoted name is taken from between the last double quote
// and the one before it; a lone quote without its partner is dropped.
std::string FileNameFrom(std::string_view rest) {
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  const size_t last = rest.rfind('"');
  if (last == npos) return std::string(rest);
  const size_t before = last == 0 ? npos : rest.rfind('"', last - 1);
  if (before != npos) return std::string(rest.substr(before + 1, last - before - 1));
  std::string name(rest.substr(0, last));
  name.append(rest.substr(last + 1));
  return std::string(TrimBlanks(name));
}

std::string QuotedWhenBlank(std::string_view argument) {
  if (argument.find(' ') == npos) return std::string(argument);
  std::string quoted = "\"";
  quoted.append(argument).append("\"");
  return quoted;
}

}  // namespace

StartCommandLine ParseStartCommandLine(std::string_view commandLine) {
  StartCommandLine result;
  const std::string_view text = TrimBlanks(commandLine);
  const size_t length = text.size();

  const size_t one = FindModeSwitch(text, "/1");
  const size_t two = FindModeSwitch(text, "/2");
  const size_t user = FindUserSwitch(text);
  if (one == npos && two == npos && user == npos) {
    result.File = FileNameFrom(text);
    return result;
  }

  // end: where the last switch (or the quoted user name) ends; the file follows it.
  size_t end = 0;
  if (one != npos) end = std::max(end, one);
  if (two != npos) {
    result.Mode = 2;
    end = std::max(end, two);
  }
  if (user != npos) {
    const std::string_view afterSwitch = text.substr(user + 2);
    if (!afterSwitch.empty() && afterSwitch.front() == '"') {
      const size_t closing = afterSwitch.find('"', 1);
      if (closing == npos) {
        result.User = std::string(afterSwitch.substr(1));
        end = length;
      } else {
        result.User = std::string(afterSwitch.substr(1, closing - 1));
        end = std::max(end, user + 2 + closing);
      }
    } else {
      result.User = std::string(afterSwitch.substr(0, afterSwitch.find(' ')));
      end = std::max(end, user + 2);
    }
  }

  if (end >= length) return result;
  end = text.find(' ', end);
  if (end == npos) return result;
  result.File = FileNameFrom(text.substr(end));
  return result;
}

std::string JoinArguments(int argc, char** argv) {
  std::string line;
  const auto append = [&line](std::string_view piece) {
    if (piece.empty()) return;
    if (!line.empty()) line += ' ';
    line.append(piece);
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i] != nullptr ? argv[i] : "";
    if (argument == "/U" && i + 1 < argc) {
      ++i;
      append("/U" + QuotedWhenBlank(argv[i] != nullptr ? argv[i] : ""));
    } else if (argument.starts_with("/U") && CouldBeUserName(argument.substr(2)) && argument.find('"') == npos) {
      append("/U" + QuotedWhenBlank(argument.substr(2)));
    } else {
      append(QuotedWhenBlank(argument));
    }
  }
  return line;
}

}  // namespace km
