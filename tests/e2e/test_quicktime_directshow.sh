#!/usr/bin/env bash
# The QuickTime checks of test_quicktime.sh again with Media Foundation hidden
# (mfplat disabled, as on Windows 95 to Vista): our QuickTime.qts plays the
# same items through DirectShow.
export QT_PATH=directshow
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}mfplat=d"
exec bash "$(dirname "$0")/test_quicktime.sh"
