#!/usr/bin/env bash
# Checks that includes run only down the floors of the program and that no
# source outside platform/ includes Qt. Floors, from the ground up:
#   0 platform/
#   1 store/ (with the program-wide globals and command codes), karaoke/
#   2 controls/
#   3 player/ texts/ managers/ options/ import/ (the pages, managers, options and import)
#   4 app/'s own tool windows and dialogs
#   5 the main window and application object (app/MirtalDlg*, app/MirtalApp*, app/Main.cpp)
# A file may include its own floor and those below. Tests and benchmarks may include anything.
set -euo pipefail
cd "$(dirname "$0")/.."

dirs=(platform store karaoke controls player texts managers options import app)
mapfile -t files < <(find "${dirs[@]}" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) 2>/dev/null | sort)

# One pass over every include line: "file:line:#include ..." in, offences out.
fail=0
if ! grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "${files[@]}" | awk '
  function floor(p) {
    if (p ~ /^platform\//) return 0
    if (p ~ /^(store|karaoke)\//) return 1
    if (p ~ /^controls\//) return 2
    if (p ~ /^app\/(MirtalDlg|MirtalApp)/ || p == "app/Main.cpp") return 5
    if (p ~ /^app\//) return 4
    if (p ~ /^(player|texts|managers|options|import)\//) return 3
    return -1
  }
  {
    split($0, part, ":")
    file = part[1]
    line = $0
    sub(/^[^:]*:[^:]*:/, "", line)
    if (line ~ /<Q/ && file !~ /^platform\//) {
      print "layers: " file " includes Qt: " line
      bad = 1
      next
    }
    if (line !~ /"/) next
    inc = line
    sub(/^[^"]*"/, "", inc)
    sub(/".*$/, "", inc)
    from = floor(file)
    to = floor(inc)
    if (to > from) {
      print "layers: " file " (floor " from ") includes " inc " (floor " to ")"
      bad = 1
    }
  }
  END { exit bad }'; then
  fail=1
fi

if [ "$fail" -ne 0 ]; then
  exit 1
fi
echo "layers: every include runs down the floors; Qt only in platform/"
