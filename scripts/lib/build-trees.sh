# Sourced by build.sh, test.sh and demo.sh: configures and builds the trees.
# build/native: the core and its unit tests, with sanitizers.
# build/win32:  the shipped 32-bit programs (and their Wine tests).
# build/win64:  the same sources for 64-bit Wine, where the kernel runs no 32-bit code.

JOBS=${JOBS:-$(nproc)}
# PELOR_BUILD moves the trees elsewhere, so several builds can run side by side.
BUILD=${PELOR_BUILD:-$ROOT/build}
mkdir -p "$BUILD"

build_tree() {  # build_tree DIR TOOLCHAIN-OR-EMPTY [TARGETS...]
  local dir=$1 toolchain=$2; shift 2
  local args=(-S "$ROOT" -B "$BUILD/$dir")
  if [ -n "$toolchain" ]; then
    args+=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/$toolchain")
    # CMake keeps the compilers a tree was first configured with: a tree
    # made before the toolchain files changed (another thread model, say)
    # would go on building with the old ones, so it is made afresh.
    local stamp want
    stamp="$BUILD/$dir/toolchain.stamp"
    want=$(cat "$ROOT/cmake/$toolchain" "$ROOT/cmake/mingw-common.cmake" | md5sum | cut -d' ' -f1)
    if [ -f "$BUILD/$dir/CMakeCache.txt" ] && [ "$(cat "$stamp" 2>/dev/null)" != "$want" ]; then
      rm -rf "${BUILD:?}/$dir"
    fi
    mkdir -p "$BUILD/$dir" && echo "$want" >"$stamp"
  else
    args+=(-DCMAKE_BUILD_TYPE=Debug)
  fi
  cmake "${args[@]}" >"$BUILD/$dir.configure.log" 2>&1 || { cat "$BUILD/$dir.configure.log"; return 1; }
  local targets=()
  local t
  for t in "$@"; do targets+=(--target "$t"); done
  local log="$BUILD/$dir.build.log"
  if ! cmake --build "$BUILD/$dir" -j "$JOBS" "${targets[@]}" >"$log" 2>&1; then
    grep -E 'error|Error' "$log" | head -n 40
    echo "build of $dir failed: $log"
    return 1
  fi
}

build_native() { build_tree native ""; }
build_win32() { build_tree win32 mingw-i686.cmake "$@"; }
build_win64() { build_tree win64 mingw-x86_64.cmake "$@"; }

# dist/: what a Windows user copies to a folder and installs from, and
# nothing else (the test stand-ins never go there). QuickTime.qts ships
# when the tree has built it.
make_dist() {
  rm -rf "$ROOT/dist"
  mkdir -p "$ROOT/dist"
  cp "$BUILD/win32/bin/SETUP.EXE" "$BUILD/win32/bin/PELOR.SCR" \
     "$ROOT/setup/PELOR.INF" "$ROOT/setup/LICENSE.TXT" "$ROOT/dist/" || return 1
  if [ -f "$BUILD/win32/bin/QuickTime.qts" ]; then
    cp "$BUILD/win32/bin/QuickTime.qts" "$ROOT/dist/"
  fi
}
