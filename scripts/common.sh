# Shared by the build, test and run scripts: paths, set-up check, Xvfb and Wine prefix.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${FOLIONYX_BUILD:-$ROOT/build}"

ensure_setup() {
  if ! command -v i686-w64-mingw32-g++-posix >/dev/null || ! command -v wine >/dev/null \
     || ! command -v Xvfb >/dev/null || ! command -v ninja >/dev/null \
     || [ ! -f "$ROOT/.cache/libpng-i686/lib/libpng16.a" ] || [ ! -d /usr/src/googletest ]; then
    bash "$ROOT/scripts/setup.sh"
  fi
}

build_all() {
  ensure_setup
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE="${FOLIONYX_BUILD_TYPE:-Debug}" >/dev/null
  cmake --build "$BUILD" -j "$(nproc)"
}

# Starts a 24-bit Xvfb on the first free display number and exports DISPLAY.
start_xvfb() {
  local n=${1:-90}
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}

# A 32-bit Wine prefix inside the build tree, kept alive by a persistent wineserver.
start_wine() {
  export WINEPREFIX="$BUILD/wineprefix"
  export WINEARCH=win32
  export WINEDEBUG=-all
  # No installer prompts for the missing .NET and HTML components; and no debugger on a
  # crash, so that a crashing test ends at once with a failure instead of hanging.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  wineserver -p
  # Start Wine's background services now, with their output detached: if a test
  # started them, they would inherit the test runner's pipes and keep it waiting.
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}
