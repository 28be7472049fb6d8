#pragma once
// Records every message box and answers from a script; counts yields and can
// run a hook inside a yield (a menu command arriving mid-handler).
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ground/ui_services.h"

class FakeUi : public UiServices {
 public:
  void yield() override {
    ++yields;
    if (on_yield) {
      auto hook = on_yield;  // a hook may replace itself
      hook();
    }
  }
  MsgAnswer message_box(const MessageBoxRequest& request) override {
    boxes.push_back(request);
    if (!answers.empty()) {
      MsgAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    if (request.buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    return request.default_button == MsgDefault::Second ? MsgAnswer::No : MsgAnswer::Yes;
  }
  std::string input_box(const std::string& prompt, const std::string& title,
                        const std::string& default_text) override {
    inputs.push_back({prompt, title, default_text});
    if (input_answers.empty()) return default_text;
    std::string a = input_answers.front();
    input_answers.pop_front();
    return a;
  }

  struct InputRequest {
    std::string prompt, title, default_text;
  };
  int yields = 0;
  std::function<void()> on_yield;
  std::vector<MessageBoxRequest> boxes;
  std::deque<MsgAnswer> answers;  // without a scripted answer: OK, or the default button
  std::vector<InputRequest> inputs;
  std::deque<std::string> input_answers;
};
