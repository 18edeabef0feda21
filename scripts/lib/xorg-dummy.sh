# Sourced by the tests that need two monitors. Xvfb cannot lay out two heads
# side by side; Xorg with the dummy video driver can: one "dummy" device, a
# 1600x600 virtual screen and two 800x600 outputs placed with xrandr. Needs
# root (Xorg opens its devices as root) and the Debian packages
# xserver-xorg-core and xserver-xorg-video-dummy (scripts/setup.sh).

XORG_DUMMY_PID=""
XORG_DUMMY_DIR=""
XORG_DUMMY_DISPLAY=""

# xorg_dummy_start: starts the server on a free display, whose name (":N")
# is then in $XORG_DUMMY_DISPLAY; both outputs on, the second right of the
# first. Not to be called in a subshell: xorg_dummy_stop needs its pid.
xorg_dummy_start() {
  XORG_DUMMY_DIR=$(mktemp -d /tmp/pelor-xorg.XXXXXX)
  cat >"$XORG_DUMMY_DIR/xorg.conf" <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 65536
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 1600 600
    Modes "800x600"
  EndSubSection
EndSection
CONF
  local f="$XORG_DUMMY_DIR/display"
  Xorg -config "$XORG_DUMMY_DIR/xorg.conf" -configdir "$XORG_DUMMY_DIR/none" \
    -logfile "$XORG_DUMMY_DIR/xorg.log" -noreset -nolisten tcp -displayfd 3 \
    3>"$f" >/dev/null 2>&1 &
  XORG_DUMMY_PID=$!
  local i
  for i in $(seq 1 100); do [ -s "$f" ] && break; sleep 0.1; done
  if [ ! -s "$f" ]; then
    echo "xorg-dummy: Xorg did not start (log: $XORG_DUMMY_DIR/xorg.log)" >&2
    return 1
  fi
  XORG_DUMMY_DISPLAY=:$(head -n 1 "$f")
  DISPLAY=$XORG_DUMMY_DISPLAY xrandr --addmode DUMMY1 800x600 >/dev/null 2>&1
  DISPLAY=$XORG_DUMMY_DISPLAY xorg_dummy_arrange right
}

# xorg_dummy_arrange right|left: the second monitor right of the primary one
# (X 800..1600) or left of it (the primary then sits at X 800..1600, and the
# system reports the second monitor at negative coordinates). Uses $DISPLAY.
xorg_dummy_arrange() {
  local primary=0x0 other=800x0
  [ "$1" = left ] && { primary=800x0; other=0x0; }
  xrandr --output DUMMY0 --mode 800x600 --pos "$primary" --primary \
         --output DUMMY1 --mode 800x600 --pos "$other" >/dev/null 2>&1 || {
    echo "xorg-dummy: xrandr could not place the outputs" >&2; return 1; }
  xorg_dummy_probe
}

# A full query makes the server probe its outputs; Wine asks only for the
# current state, which until then can still show the old layout.
xorg_dummy_probe() { xrandr >/dev/null 2>&1; }

xorg_dummy_stop() {
  if [ -n "$XORG_DUMMY_PID" ]; then
    kill "$XORG_DUMMY_PID" 2>/dev/null || true
    wait "$XORG_DUMMY_PID" 2>/dev/null || true
    XORG_DUMMY_PID=""
  fi
  if [ -n "$XORG_DUMMY_DIR" ] && [ -z "${KEEP_WINE_ENV:-}" ]; then rm -rf "$XORG_DUMMY_DIR"; fi
}
