#pragma once
// Each verb of morvane-cli lives in a file of its own and registers itself here. A verb's callback
// sets the exit code: 0 success, 1 the operation refused or failed (its message is on standard error).
#include <CLI/CLI.hpp>

#include "common/core/messages.h"

namespace morvane::cli {

void AddRenderCommand(CLI::App& app, int& exitCode);
void AddStatusCommand(CLI::App& app, int& exitCode);

// Standard error for every message; the viewer's own error boxes count as errors too.
class CliMessageSink : public km::ConsoleMessageSink {
 public:
  void ShowCaptioned(std::string_view caption, std::string_view text) override;
  int Errors() const { return ErrorCount() + boxes_; }

 private:
  int boxes_ = 0;
};

}  // namespace morvane::cli
