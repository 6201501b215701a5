#pragma once
// A MessageSink for tests: records every message and question in order and answers questions from a
// script. An unscripted question is answered No, so a test that forgot one sees the refusal path.
#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/core/messages.h"

namespace km::testing {

struct RecordingSink : MessageSink {
  struct Entry {
    MessageIcon icon;
    std::string text;
    bool defaultNo = false;  // questions only
    std::string caption;     // a box with a caption of its own (ShowCaptioned)
  };

  std::vector<Entry> messages;  // in order, questions included (with MessageIcon::Question)
  std::deque<bool> answers;     // next answers to AskYesNo, front first

  void ShowMessage(std::string_view text, MessageIcon icon) override { messages.push_back({icon, std::string(text), false, {}}); }

  void ShowCaptioned(std::string_view caption, std::string_view text) override {
    messages.push_back({MessageIcon::None, std::string(text), false, std::string(caption)});
  }

  bool AskYesNo(std::string_view text, bool defaultNo = false) override {
    messages.push_back({MessageIcon::Question, std::string(text), defaultNo, {}});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }

  // Scripts the next answers: sink.Answer({true, false}).
  RecordingSink& Answer(std::initializer_list<bool> next) {
    answers.insert(answers.end(), next.begin(), next.end());
    return *this;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
  }
  bool Empty() const { return messages.empty(); }
  const Entry& Last() const { return messages.back(); }
  std::string LastText() const { return messages.empty() ? std::string() : messages.back().text; }
  void Clear() {
    messages.clear();
    answers.clear();
  }
};

}  // namespace km::testing
