#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a fresh Debian
# machine. Safe to run again: it installs only what is missing. As root it
# installs directly; as anyone else it installs through sudo, and says what
# to do where there is no sudo.
set -euo pipefail

# as_root COMMAND...: runs the command as root, through sudo when needed.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "setup.sh: installing packages needs root, and there is no sudo here." >&2
    echo "setup.sh: run the same command again as root (su -), or install sudo first." >&2
    exit 1
  fi
}

packages=(
  cmake make g++ clang
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  googletest
  wine wine32:i386 wine64
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
  gstreamer1.0-plugins-bad:i386 gstreamer1.0-plugins-ugly:i386 gstreamer1.0-libav:i386
  # The 64-bit set for the 64-bit Wine tier, named with their architecture:
  # without it dpkg-query would count the i386 ones as installed.
  gstreamer1.0-plugins-base:amd64 gstreamer1.0-plugins-good:amd64
  gstreamer1.0-plugins-bad:amd64 gstreamer1.0-plugins-ugly:amd64 gstreamer1.0-libav:amd64
  ffmpeg xvfb xauth xdotool imagemagick fonts-liberation x11-utils
  # The X headers for pelor_xdrop, the tests' drag and drop.
  libx11-dev
  # Wine's own MS Sans Serif (with the system's metrics) and Marlett (the
  # caption buttons' glyphs) for the dialogs in the tests and the demo.
  fonts-wine
  # Two monitors for the multi-monitor tests: Xorg with the dummy driver, placed by xrandr.
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  procps coreutils
)

# Whether this kernel runs 32-bit code: a 93-byte 32-bit ELF that exits 0.
# Where it does not (IA-32 emulation switched off), the 32-bit Wine is of no
# use and the Wine tiers run the 64-bit build, so the i386 packages are skipped.
kernel_runs_32bit() {
  local f
  f=$(mktemp) || return 1
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80' >"$f"
  chmod +x "$f"
  local ok=1
  "$f" 2>/dev/null && ok=0
  rm -f "$f"
  return $ok
}

if ! kernel_runs_32bit; then
  kept=()
  for p in "${packages[@]}"; do
    case $p in *:i386) ;; *) kept+=("$p") ;; esac
  done
  packages=("${kept[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

apt_install() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails the index download now and then; try a
  # few times, and go on with the indexes we have if it keeps failing.
  for try in 1 2 3; do
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq && break
    echo "setup: package index update failed (try $try)" >&2
    sleep $((try * 5))
  done
  if ! apt_install "${missing[@]}"; then
    # An i386 index that lags the amd64 one makes the 32-bit libraries
    # uninstallable; the 64-bit set still gives working Wine tiers.
    others=()
    for p in "${missing[@]}"; do
      case $p in *:i386) ;; *) others+=("$p") ;; esac
    done
    echo "setup: the 32-bit Wine packages cannot be installed now; the Wine tiers will use the 64-bit build" >&2
    [ "${#others[@]}" -eq 0 ] || apt_install "${others[@]}"
  fi
fi

# Wine needs one wave-output device to play sound headless; ALSA's null
# device gives it one without a sound card.
if [ ! -e "$HOME/.asoundrc" ] || ! grep -q 'type null' "$HOME/.asoundrc"; then
  printf 'pcm.!default { type null }\n' > "$HOME/.asoundrc"
fi

# The MinGW posix thread model is the one GoogleTest builds with.
command -v i686-w64-mingw32-g++-posix >/dev/null
echo "setup: ready"
