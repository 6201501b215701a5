// morvane-cli status FILE.kzs: what a status file holds, as one JSON object; nothing is loaded.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "common/core/cp1252.h"
#include "common/core/file_access.h"
#include "morvane/cli/commands.h"
#include "morvane/core/status_file.h"

namespace morvane::cli {
namespace {

using nlohmann::ordered_json;

// "StartColor:" and "MeanColor: " both become plain names.
std::string KeyName(std::string_view key) {
  std::string name(key);
  while (!name.empty() && (name.back() == ' ' || name.back() == ':')) name.pop_back();
  return name;
}

int ShowStatus(const std::string& path) {
  const auto text = km::ReadWholeFile(path, 4u << 20);
  if (!text) {
    std::fprintf(stderr, "error: %s\n", km::MessageAsOneLine(" Can not open Status File!").c_str());
    return 1;
  }
  StatusFile file;
  const StatusParse parse = ParseStatusFile(*text, file);
  if (parse.problem != StatusProblem::None) {
    std::fprintf(stderr, "error: %s\n", km::MessageAsOneLine(DescribeStatusProblem(parse)).c_str());
    return 1;
  }
  ordered_json j;
  j["file"] = path;
  j["MainWin"] = file.MainWin;
  j["NumFiles"] = file.NumFiles;
  ordered_json files = ordered_json::array();
  for (const auto& f : file.Files) files.push_back(km::Cp1252ToUtf8(f));
  j["Files"] = files;
  for (const StatusKey& key : StatusKeys()) {
    for (const auto& [k, value] : file.Settings) {
      if (k != key.key) continue;
      const std::string name = KeyName(key.key);
      if (key.kind == StatusValueKind::Ints) j[name] = ScanInts(value, key.count);
      else if (key.kind == StatusValueKind::Floats) j[name] = ScanFloats(value, key.count);
      else j[name] = km::Cp1252ToUtf8(std::string_view(value).substr(value.find_first_not_of(" \t") == std::string::npos ? value.size() : value.find_first_not_of(" \t")));
    }
  }
  std::printf("%s\n", j.dump(2).c_str());
  return 0;
}

}  // namespace

void AddStatusCommand(CLI::App& app, int& exitCode) {
  auto path = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand("status", "Show what a status file (.kzs) holds");
  cmd->add_option("file", *path, "the status file")->required();
  cmd->callback([path, &exitCode] { exitCode = ShowStatus(*path); });
}

}  // namespace morvane::cli
