#!/usr/bin/env bash
# Runs every end-to-end script against the programs in $PELOR_BIN, inside the
# Wine prefix and on the screen that scripts/test.sh set up.
set -u
here=$(cd "$(dirname "$0")" && pwd)
: "${PELOR_BIN:?PELOR_BIN names the folder with PELOR.SCR}"
export E2E_OUT=${E2E_OUT:-$(mktemp -d /tmp/pelor-e2e.XXXXXX)}
mkdir -p "$E2E_OUT"
status=0
for script in "$here"/test_*.sh; do
  echo "== $(basename "$script")"
  bash "$script" || status=1
done
exit $status
