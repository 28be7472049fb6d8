#pragma once
// What the benchmarks share: the ratio of two benchmarks' medians, taken from
// the times of the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

// Prints the usual table and keeps the times of every repetition, so that the
// ratios below come from the same run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  struct Times {
    std::vector<double> real, cpu;
  };
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      // With repetitions, only their median counts (it may come alone).
      const bool is_median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type != Run::RT_Iteration && !is_median) continue;
      Times& t = (is_median ? medians : times)[run.run_name.function_name];
      t.real.push_back(run.GetAdjustedRealTime());
      t.cpu.push_back(run.GetAdjustedCPUTime());
    }
  }
  const Times* find(const std::string& name) const {
    for (const auto* map : {&medians, &times}) {
      const auto it = map->find(name);
      if (it != map->end()) return &it->second;
    }
    return nullptr;
  }
  std::map<std::string, Times> times, medians;
};

inline double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

inline void print_ratio(const RatioReporter& r, const char* what, const char* a, const char* b,
                        const char* target) {
  const RatioReporter::Times* x = r.find(a);
  const RatioReporter::Times* y = r.find(b);
  if (!x || !y) return;
  const double real = median(x->real) / median(y->real);
  const double cpu = median(x->cpu) / median(y->cpu);
  std::printf("%-44s %6.2f (CPU time %5.2f)  %s\n", what, real, cpu, target);
}
