#pragma once
// User-interface services for benchmarks: no yield, no box, nothing shown.
#include <string>

#include "ground/ui_services.h"

class SilentUi : public UiServices {
 public:
  void yield() override {}
  MsgAnswer message_box(const MessageBoxRequest&) override { return MsgAnswer::Ok; }
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
};
