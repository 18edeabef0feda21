#!/usr/bin/env bash
# Fails on an include against the arrows of the layout (README, "Folder
# layout"): shell -> {dialogs, playback} -> settings -> core, every subsystem
# may include the resources and the framework, core/ only itself, framework/
# nothing of the saver. Prints each include against them as FILE:LINE: TEXT.
set -uo pipefail
ROOT=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$ROOT" || exit 1

# What each folder may include of ours besides itself (its win32/ folder is
# part of it), core/ and saver/resources/.
allowed() {
  case $1 in
    saver/shell) echo "framework saver/dialogs saver/playback saver/settings quicktime" ;;
    saver/dialogs) echo "framework saver/settings" ;;
    saver/playback) echo "framework saver/settings quicktime" ;;
    saver/settings) echo "framework" ;;
    framework) echo "" ;;
    core) echo "" ;;
    *) echo "-" ;;  # not checked
  esac
}

bad=0
for folder in core framework saver/shell saver/dialogs saver/playback saver/settings; do
  ok="$folder core saver/resources $(allowed "$folder")"
  [ "$folder" = core ] && ok=core
  while IFS= read -r hit; do
    file=${hit%%:*}; rest=${hit#*:}; line=${rest%%:*}; text=${rest#*:}
    target=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$text")
    case $target in */*) ;; *) continue ;; esac  # a system or same-folder name
    fine=0
    for a in $ok; do
      case $target in "$a"/*) fine=1; break ;; esac
    done
    if [ $fine -eq 0 ]; then
      echo "$file:$line: $text"
      bad=$((bad + 1))
    fi
  done < <(grep -rnE '^\s*#\s*include\s+"' --include='*.h' --include='*.cpp' --include='*.rc' "$folder")
done
if [ $bad -ne 0 ]; then
  echo "$bad include(s) against the layout's arrows"
  exit 1
fi
echo "includes follow the layout's arrows"
