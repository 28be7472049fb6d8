#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (and AddressSanitizer and
# UndefinedBehaviorSanitizer), replays every input kept in regressions/, then
# runs each target for SECONDS (the small CD-audio stub reader for a third of
# them) on a fresh copy of its seed corpus, one target a core, and prints the
# executions reached. A crash fails the run; its input is kept in
# regressions/<target>/ so that every later run replays it.
#
#   tests/fuzz/run_fuzzers.sh [SECONDS]     (default 30)
#
# DAVRIN_FUZZ_DIR  build folder for the targets (default build/fuzz)
# DAVRIN_FUZZ_CXX  the clang++ to use (default clang++-14, then clang++)
# Exits 77 (skipped) when no clang++ with libFuzzer is found.
set -euo pipefail

seconds=${1:-30}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${DAVRIN_FUZZ_DIR:-$root/build/fuzz}
cxx=${DAVRIN_FUZZ_CXX:-}
if [[ -z "$cxx" || "$cxx" == *NOTFOUND ]]; then
  cxx=$(command -v clang++-14 || command -v clang++ || true)
fi
if [[ -z "$cxx" ]]; then
  echo "no clang++ found: fuzzing skipped"
  exit 77
fi
mkdir -p "$out"

flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -fno-omit-frame-pointer -I"$root/src" -I"$here")
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
    "$cxx" "${flags[@]}" -x c++ - -o "$out/probe" 2>"$out/probe.log"; then
  echo "$cxx cannot build libFuzzer targets (libclang-rt-14-dev missing?): fuzzing skipped"
  cat "$out/probe.log"
  exit 77
fi

store_sources=("$root/src/store/field_reader.cpp" "$root/src/store/play_list_files.cpp"
               "$root/src/store/name_order.cpp" "$root/src/model/play_order.cpp"
               "$root/src/model/random_draw.cpp")
declare -A sources=(
  [play_list]="$here/fuzz_play_list.cpp ${store_sources[*]}"
  [text]="$here/fuzz_text.cpp ${store_sources[*]} $root/src/editor/key_filters.cpp"
  [foreign_list]="$here/fuzz_foreign_list.cpp $root/src/store/foreign_play_list.cpp $root/src/model/music_formats.cpp"
  [cda_stub]="$here/fuzz_cda_stub.cpp $root/src/cd/cda_stub.cpp"
)
targets=(play_list text foreign_list cda_stub)
# A stub is 44 bytes: a third of the time covers it.
declare -A share=([cda_stub]=3)

# The targets build at once: each takes a while with the sanitizers.
pids=()
for t in "${targets[@]}"; do
  # shellcheck disable=SC2086
  "$cxx" "${flags[@]}" ${sources[$t]} -o "$out/fuzz_$t" >"$out/build_$t.log" 2>&1 &
  pids+=($!)
done
for i in "${!pids[@]}"; do
  if ! wait "${pids[$i]}"; then
    echo "building fuzz_${targets[$i]} failed:"
    cat "$out/build_${targets[$i]}.log"
    exit 1
  fi
done

# One target: its kept inputs replayed, then its run; the report goes to
# standard output and the outcome to status_<target>.
fuzz_target() {
  local t=$1 bin="$out/fuzz_$1" regressions="$here/regressions/$1"
  if compgen -G "$regressions/*" >/dev/null; then
    echo "== fuzz_$t: replaying $(ls "$regressions" | wc -l) kept input(s)"
    if ! "$bin" "$regressions"/* >"$out/replay_$t.log" 2>&1; then
      echo "fuzz_$t fails on a kept input:"
      tail -40 "$out/replay_$t.log"
      return 1
    fi
  fi

  local corpus="$out/corpus_$t"
  rm -rf "$corpus" "$out/crash_$t"
  mkdir -p "$corpus" "$out/crash_$t"
  cp "$here/corpus/$t"/* "$corpus"/
  local dict=()
  [[ -f "$here/$t.dict" ]] && dict=(-dict="$here/$t.dict")
  local t_seconds=$((seconds / ${share[$t]:-1}))
  ((t_seconds > 0)) || t_seconds=1
  echo "== fuzz_$t: ${t_seconds} s"
  if "$bin" -max_total_time="$t_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      "${dict[@]}" -artifact_prefix="$out/crash_$t/" "$corpus" >"$out/run_$t.log" 2>&1; then
    grep -E '^Done [0-9]+ runs' "$out/run_$t.log" || tail -5 "$out/run_$t.log"
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$out/run_$t.log" || true
    return 0
  fi
  echo "fuzz_$t found a failure:"
  grep -vE '^#[0-9]+' "$out/run_$t.log" | tail -60
  mkdir -p "$regressions"
  for f in "$out/crash_$t"/*; do
    [[ -e "$f" ]] || continue
    local keep="$regressions/$(basename "$f")"
    cp "$f" "$keep"
    echo "input kept as ${keep#"$root"/}: commit it with the fix"
  done
  return 1
}

# Each target runs on a core of its own, as many at once as there are cores;
# the reports follow in the targets' order.
cores=$(nproc)
running=0
for t in "${targets[@]}"; do
  if ((running >= cores)); then
    wait -n || true
    running=$((running - 1))
  fi
  (fuzz_target "$t" >"$out/report_$t.txt" 2>&1 && echo 0 || echo 1) >"$out/status_$t" &
  running=$((running + 1))
done
wait
status=0
for t in "${targets[@]}"; do
  cat "$out/report_$t.txt"
  [[ "$(cat "$out/status_$t")" == 0 ]] || status=1
done
exit $status
