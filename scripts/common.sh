# Shared by the build, test and run scripts: paths, set-up check, Xvfb and Wine prefix.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${FOLIONYX_BUILD:-$ROOT/build}"

CACHE="${FOLIONYX_CACHE:-$ROOT/.cache}"

# Runs the set-up script when a tool, the 32-bit Wine, GoogleTest's sources or libpng is missing.
ensure_setup() {
  local tool
  for tool in i686-w64-mingw32-g++-posix wine Xvfb ninja cmake import; do
    command -v "$tool" >/dev/null || { bash "$ROOT/scripts/setup.sh"; return; }
  done
  if [ "$(dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null)" != "install ok installed" ] \
     || [ ! -d /usr/src/googletest ] \
     || { [ ! -f "$CACHE/libpng-i686/lib/libpng16.a" ] && [ ! -f "$CACHE/libpng-i686/lib/libpng.a" ]; }; then
    bash "$ROOT/scripts/setup.sh"
  fi
}

build_all() {
  ensure_setup
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE="${FOLIONYX_BUILD_TYPE:-Debug}" \
    -DFOLIONYX_CACHE="$CACHE" >/dev/null
  cmake --build "$BUILD" -j "$(nproc)"
}

# Starts a 24-bit Xvfb on a free display and exports DISPLAY. The server picks the number
# itself and writes it to a file once it accepts connections, so runs started at the same
# moment never end up sharing one display.
start_xvfb() {
  local numberFile
  numberFile="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    if grep -q '^[0-9]' "$numberFile"; then
      export DISPLAY=":$(head -1 "$numberFile")"
      rm -f "$numberFile"
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numberFile"
  stop_xvfb
  XVFB_PID=""
  echo "Xvfb did not start" >&2
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
