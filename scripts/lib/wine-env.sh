# Sourced by the scripts that run Windows programs: a virtual screen, a fresh
# Wine prefix, and clean-up of both. Everything started here is ended by
# wine_env_stop, which the caller puts in an EXIT trap.

WINE_ENV_XVFB_PID=""
WINE_ENV_DIR=""

# The shipped programs are 32-bit. Some kernels run no 32-bit code at all
# (IA-32 emulation switched off: even Wine's WoW64 cannot enter 32-bit mode),
# and there the Wine tiers run a 64-bit build of the same sources instead.
# PELOR_ARCH=win32|win64 forces the choice.
wine_env_arch() {
  if [ -n "${PELOR_ARCH:-}" ]; then echo "$PELOR_ARCH"; return; fi
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}

wine_env_loader() {
  if [ "$(wine_env_arch)" = win32 ]; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

# wine_env_start [WIDTHxHEIGHT]: starts Xvfb unless USE_DISPLAY names a screen
# to use, makes a fresh prefix and keeps its wineserver up.
wine_env_start() {
  local size=${1:-800x600}
  WINE_ENV_DIR=$(mktemp -d /tmp/pelor-wine.XXXXXX)
  if [ -n "${USE_DISPLAY:-}" ]; then
    export DISPLAY=$USE_DISPLAY
  else
    local f="$WINE_ENV_DIR/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$f" >/dev/null 2>&1 &
    WINE_ENV_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do [ -s "$f" ] && break; sleep 0.1; done
    [ -s "$f" ] || { echo "wine-env: Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$(head -n 1 "$f")
  fi
  export WINEDEBUG=-all
  export WINEPREFIX="$WINE_ENV_DIR/prefix"
  export WINEDLLOVERRIDES='mscoree,mshtml='
  export WINEARCH=$(wine_env_arch)
  export WINE=$(wine_env_loader)
  export WINELOADER=$WINE
  timeout 120 "$WINE" wineboot -i >/dev/null 2>&1 || { echo "wine-env: wineboot failed" >&2; return 1; }
  # Unmanaged windows close at once instead of waiting on a window manager.
  timeout 30 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # Faces Wine lacks are drawn in Liberation's. "MS Sans Serif", the
  # dialogs' face, is Wine's own where Debian's fonts-wine is installed (it
  # has the system's metrics; Liberation Sans is wider and cuts labels), and
  # so is Marlett, which draws the caption buttons; this Wine finds Marlett
  # only in the prefix's own Fonts folder (else a close box shows an "r").
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  local face faces=("Times New Roman:Liberation Serif" "Arial:Liberation Sans" "Courier New:Liberation Mono")
  [ -f /usr/share/wine/fonts/sserife.fon ] || faces+=("MS Sans Serif:Liberation Sans")
  for face in "${faces[@]}"; do
    timeout 30 "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%:*}" \
      /d "${face#*:}" /f >/dev/null 2>&1
  done
  # Wine's own MPR.DLL has a PwdChangePasswordA that shows nothing; the
  # saver's /a prefers ours beside it (tests and demo only), which hands the
  # change to PASSWORD.CPL.
  timeout 30 "$WINE" reg add 'HKCU\Software\Wine\AppDefaults\PELOR.SCR\DllOverrides' /v mpr \
    /d native,builtin /f >/dev/null 2>&1
  # A persistent server makes every later wine start cheap.
  wineserver -p >/dev/null 2>&1 || true
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "${WINEPREFIX:-}" ]; then
    timeout 20 wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$WINE_ENV_XVFB_PID" ]; then
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    WINE_ENV_XVFB_PID=""
  fi
  if [ -n "$WINE_ENV_DIR" ] && [ -z "${KEEP_WINE_ENV:-}" ]; then
    rm -rf "$WINE_ENV_DIR"
  fi
}
