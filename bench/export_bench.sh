#!/bin/sh
# Times the export of a play list of about 200 MB of generated tracks against
# copying the same files with cp and packing them with `zip -0 -r`, in the
# same run on the same files. Not part of the tests.
#   bench/export_bench.sh [build folder] [megabytes]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
megabytes=${2:-200}
tracks=40

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target davrin_export_bench >/dev/null
program=$(find "$build" -name davrin_export_bench -type f -perm -u+x | head -n 1)

work=$(mktemp -d "${TMPDIR:-/tmp}/davrin-export-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/music/album one" "$work/music/album two" "$work/lists" "$work/ours" "$work/theirs"

# Random bytes do not compress, like real audio; names as the user's tracks are.
per_track=$((megabytes * 1024 / tracks))
{
  printf '"Davrin Audio Player"\r\n"Davrin Software"\r\n"https://davrin.example/player"\r\n'
  printf '%d\r\n' "$tracks"
} >"$work/lists/Bench.cap"
i=1
while [ "$i" -le "$tracks" ]; do
  if [ $((i % 2)) -eq 0 ]; then album="album one"; else album="album two"; fi
  file="$work/music/$album/Track $i.mp3"
  head -c $((per_track * 1024)) /dev/urandom >"$file"
  printf '"%s"\r\n' "$file" >>"$work/lists/Bench.cap"
  i=$((i + 1))
done
total=$(du -sm "$work/music" | cut -f1)
echo "play list: $tracks tracks, $total MB"

now() { date +%s.%N; }
warm() { cat "$work"/music/*/* >/dev/null; }

# (a) our export: staging copies, the archive, the clean-up.
warm
start=$(now)
"$program" "$work/lists/" Bench "$work/ours/"
end=$(now)
ours=$(echo "$end - $start" | bc -l)

# (b) the same by hand: cp into a staging folder, zip -0 -r, remove the folder.
warm
start=$(now)
mkdir "$work/theirs/build"
cp "$work"/music/*/* "$work/theirs/build/"
(cd "$work/theirs/build" && zip -0 -r -q ../Bench.zip .)
rm -rf "$work/theirs/build"
end=$(now)
theirs=$(echo "$end - $start" | bc -l)

unzip -tq "$work/ours/Bench.zip" >/dev/null
printf 'archive sizes: ours %s bytes, cp + zip %s bytes\n' \
  "$(stat -c %s "$work/ours/Bench.zip")" "$(stat -c %s "$work/theirs/Bench.zip")"
printf 'export: %.3f s\ncp + zip -0 -r: %.3f s\nratio (export / cp + zip): %.2f\n' \
  "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)"
