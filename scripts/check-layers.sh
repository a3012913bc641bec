#!/usr/bin/env bash
# Checks that includes run only down the floors of the program and that no
# source outside platform/ includes Qt. Floors, from the ground up:
#   0 platform/
#   1 store/ (with the program-wide globals and command codes), karaoke/
#   2 controls/
#   3 player/ texts/ managers/ options/ import/, and app/'s pages and tool windows
#   4 the main window and application object (app/MirtalDlg*, app/MirtalApp*, app/Main.cpp)
# A file may include its own floor and those below. Tests and benchmarks may include anything.
set -euo pipefail
cd "$(dirname "$0")/.."

floor_of() { # path -> floor number, or nothing for a file outside the floors
  case "$1" in
    platform/*) echo 0 ;;
    store/* | karaoke/*) echo 1 ;;
    controls/*) echo 2 ;;
    app/MirtalDlg* | app/MirtalApp* | app/Main.cpp) echo 4 ;;
    player/* | texts/* | managers/* | options/* | import/* | app/*) echo 3 ;;
  esac
}

fail=0
dirs=(platform store karaoke controls player texts managers options import app)
while IFS= read -r file; do
  from=$(floor_of "$file")
  while IFS= read -r line; do
    inc=${line#*\"}
    inc=${inc%%\"*}
    to=$(floor_of "$inc")
    if [ -n "$to" ] && [ "$to" -gt "$from" ]; then
      echo "layers: $file (floor $from) includes $inc (floor $to)"
      fail=1
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find "${dirs[@]}" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) 2>/dev/null | sort)

# Qt stays inside the platform layer.
if qt=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' --include='*.h' --include='*.cpp' \
          store karaoke controls player texts managers options import app 2>/dev/null); then
  echo "layers: Qt included outside platform/:"
  echo "$qt"
  fail=1
fi

if [ "$fail" -ne 0 ]; then
  exit 1
fi
echo "layers: every include runs down the floors; Qt only in platform/"
