#!/usr/bin/env bash
# Reads the import tables of the shipped files (objdump -p) and checks every
# imported function against its baseline in imports/: a function that is
# not there fails, named. A Windows 95 or NT 4.0 loader refuses a file whose
# import it cannot find, and Wine finds every one, so this is the check that
# stands in for those systems. Also fails a file that still carries debug
# sections or symbols. One line "PASS file" or "FAIL file: why" per file.
#   bash scripts/check-imports.sh [DIST-DIR]
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DIST=${1:-$ROOT/dist}
OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}
status=0

# imported FILE: "DLL Function" per import, the DLL name in capitals.
imported() {
  "$OBJDUMP" -p "$1" | awk '
    /^[[:space:]]*DLL Name:/ { dll = toupper($3); next }
    /^[[:space:]]*$/ { next }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ && NF == 3 { print dll, $3 }
    dll != "" && /^[[:space:]]*[0-9a-f]+[[:space:]]+<none>/ { print dll, "ordinal:" $2 }'
}

# allowed BASELINE: "DLL Function" per line of the baseline's [DLL] sections.
allowed() {
  awk '/^[[:space:]]*(#|$)/ { next }
       /^\[/ { dll = toupper(substr($1, 2, length($1) - 2)); next }
       dll != "" { print dll, $1 }' "$1"
}

for file in PELOR.SCR SETUP.EXE QuickTime.qts; do
  path="$DIST/$file"
  baseline="$ROOT/imports/$file.txt"
  if [ ! -f "$path" ]; then
    [ "$file" = QuickTime.qts ] && continue   # ships only where the tree built it
    echo "FAIL $file: not in $DIST"; status=1; continue
  fi
  if [ ! -f "$baseline" ]; then echo "FAIL $file: no baseline imports/$file.txt"; status=1; continue; fi
  got=$(imported "$path" | LC_ALL=C sort -u)
  if [ -z "$got" ]; then echo "FAIL $file: no import table read"; status=1; continue; fi
  unknown=$(LC_ALL=C comm -23 <(printf '%s\n' "$got") <(allowed "$baseline" | LC_ALL=C sort -u))
  debug=$("$OBJDUMP" -h "$path" | awk '$2 ~ /^\.debug|^\/[0-9]+$/ { printf "%s ", $2 }')
  symbols=$("$OBJDUMP" -p "$path" | grep -c 'symbols stripped' || true)
  why=""
  [ -n "$unknown" ] && why="imports not in imports/$file.txt: $(printf '%s' "$unknown" | tr '\n' ',' | sed 's/,/, /g')"
  [ -n "$debug" ] && why="${why:+$why; }debug sections: $debug"
  [ "$symbols" = 0 ] && why="${why:+$why; }symbols not stripped"
  if [ -n "$why" ]; then
    echo "FAIL $file: $why"; status=1
  else
    echo "PASS $file: $(printf '%s\n' "$got" | wc -l) imports, all in the baseline, no debug sections"
  fi
done
exit $status
