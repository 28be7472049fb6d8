#pragma once
// Records every step of a run; the build raises scripted progress events.
#include <string>
#include <utility>
#include <vector>

#include "ground/zip_component.h"

class FakeZipComponent : public ZipComponent {
 public:
  struct Step {
    int member;
    std::string value;
  };
  void set_flag(int member, bool value) override { steps.push_back({member, value ? "-1" : "0"}); }
  void set_text(int member, const std::string& value) override { steps.push_back({member, value}); }
  void set_action(int16_t action) override {
    steps.push_back({zip_member::kAction, std::to_string(action)});
    for (const auto& [item, percent] : events) raise_progress(item, percent);
  }
  int16_t result_code() override {
    steps.push_back({zip_member::kResult, ""});
    return result;
  }

  std::vector<Step> steps;
  std::vector<std::pair<std::string, int32_t>> events;
  int16_t result = 0;
};
