#!/usr/bin/env bash
# Keeps the house in order: every include in src/ runs from a higher floor to a
# lower one (or stays in its own folder), and no source file grows past 400 lines.
set -euo pipefail
cd "$(dirname "$0")/../src"

# The floors, from the top down; folders on one line stand side by side and
# do not include each other.
floors=(
  "shell"
  "settings"
  "mpris editor export info"
  "qt_base"
  "player"
  "store audio"
  "model"
  "cd ground"
)
declare -A floor_of
for i in "${!floors[@]}"; do
  for folder in ${floors[$i]}; do floor_of[$folder]=$i; done
done

status=0
for dir in */; do
  dir=${dir%/}
  if [ -z "${floor_of[$dir]+x}" ]; then
    echo "src/$dir stands on no floor: add it to scripts/check-layout.sh and the README's layout"
    status=1
  fi
done

while IFS= read -r file; do
  dir=${file%%/*}
  lines=$(wc -l <"$file")
  if [ "$lines" -gt 400 ]; then
    echo "src/$file has $lines lines (at most 400)"
    status=1
  fi
  [ -n "${floor_of[$dir]+x}" ] || continue
  while IFS= read -r target; do
    [ "$target" = "$dir" ] && continue
    [ -n "${floor_of[$target]+x}" ] || continue
    if [ "${floor_of[$target]}" -le "${floor_of[$dir]}" ]; then
      echo "src/$file includes $target/, which is not below $dir/"
      status=1
    fi
  done < <(sed -n -E 's@^[[:space:]]*#[[:space:]]*include[[:space:]]+"([a-z_0-9]+)/.*@\1@p' "$file")
done < <(find . -type f \( -name '*.cpp' -o -name '*.h' \) | sed 's@^\./@@' | sort)

[ $status -eq 0 ] && echo "layout: every include runs downward, no file passes 400 lines"
exit $status
