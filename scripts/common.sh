# Shared by the build, test and run scripts: paths, flavours, set-up check, Xvfb and Wine prefixes.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# One build folder per flavour below this one: build/i686 and build/x86_64.
BUILD_ROOT="${FOLIONYX_BUILD:-$ROOT/build}"
CACHE="${FOLIONYX_CACHE:-$ROOT/.cache}"

# Every flavour the project builds: i686 is the product, x86_64 the same program for 64-bit Windows.
ALL_FLAVOURS=(i686 x86_64)

# Each flavour's own Wine loader and prefix architecture. The loader is named explicitly:
# Debian's `wine` launcher picks the 32-bit loader whenever its file exists, even on a
# kernel that runs no 32-bit program.
wine_loader() { case "$1" in i686) echo /usr/lib/wine/wine ;; *) echo /usr/lib/wine/wine64 ;; esac; }
wine_arch() { case "$1" in i686) echo win32 ;; *) echo win64 ;; esac; }
# One server serves both flavours; the 64-bit one where it is installed.
wine_server() {
  if [ -x /usr/lib/wine/wineserver64 ]; then echo /usr/lib/wine/wineserver64; else echo /usr/lib/wine/wineserver32; fi
}

# Whether a flavour's programs can run here, found out by starting its loader.
flavour_runs() { "$(wine_loader "$1")" --version >/dev/null 2>&1; }

# The flavours this machine can run, in the order they are built and tested. Prints why a
# flavour is left out on standard error.
runnable_flavours() {
  local flavour
  for flavour in "${ALL_FLAVOURS[@]}"; do
    if flavour_runs "$flavour"; then
      echo "$flavour"
    else
      echo "flavour $flavour skipped: this machine cannot start its Wine loader $(wine_loader "$flavour")" \
           "(it runs no $( [ "$flavour" = i686 ] && echo 32 || echo 64)-bit program)" >&2
    fi
  done
}

# Runs the set-up script when a tool, a Wine loader, GoogleTest's sources or a flavour's libpng is missing.
ensure_setup() {
  local tool flavour
  for tool in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix Xvfb ninja cmake import; do
    command -v "$tool" >/dev/null || { bash "$ROOT/scripts/setup.sh"; return; }
  done
  for flavour in "${ALL_FLAVOURS[@]}"; do
    if [ ! -e "$(wine_loader "$flavour")" ] \
       || { [ ! -f "$CACHE/libpng-$flavour/lib/libpng16.a" ] && [ ! -f "$CACHE/libpng-$flavour/lib/libpng.a" ]; }; then
      bash "$ROOT/scripts/setup.sh"
      return
    fi
  done
  [ -d /usr/src/googletest ] || bash "$ROOT/scripts/setup.sh"
}

# Configures and builds one flavour into $BUILD_ROOT/<flavour>. A flavour that cannot run here
# still builds: its build-time tool (the book packer) then comes from a flavour that runs.
build_flavour() {
  local flavour="$1" packer=()
  ensure_setup
  if ! flavour_runs "$flavour"; then
    local host
    host="$(runnable_flavours 2>/dev/null | head -1)"
    [ -n "$host" ] || { echo "no flavour runs here to pack the book" >&2; return 1; }
    configure_flavour "$host"
    cmake --build "$BUILD_ROOT/$host" -j "$(nproc)" --target PackBook
    packer=(-DFOLIONYX_PACKER="$BUILD_ROOT/$host/bin/PackBook.exe" -DFOLIONYX_PACKER_FLAVOUR="$host")
  fi
  configure_flavour "$flavour" "${packer[@]}"
  cmake --build "$BUILD_ROOT/$flavour" -j "${FOLIONYX_JOBS:-$(nproc)}"
}

configure_flavour() {
  local flavour="$1"; shift
  cmake -S "$ROOT" -B "$BUILD_ROOT/$flavour" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$flavour.cmake" \
    -DCMAKE_BUILD_TYPE="${FOLIONYX_BUILD_TYPE:-Debug}" -DFOLIONYX_CACHE="$CACHE" "$@" >/dev/null
}

# Exports what every Wine program of a flavour needs, for the prefix in $2.
wine_environment() {
  # Wine takes only an absolute prefix path.
  export WINELOADER WINESERVER WINEPREFIX WINEARCH
  WINEPREFIX="$(realpath -m "$2")"
  WINELOADER="$(wine_loader "$1")"
  # A Unix program started from a Wine program does not see WINELOADER; tests that start a
  # program of their flavour from a shell read it under this name.
  export FOLIONYX_WINE_LOADER="$WINELOADER"
  WINESERVER="$(wine_server)"
  WINEARCH="$(wine_arch "$1")"
  export WINEDEBUG=-all
  # No installer prompts for the missing .NET and HTML components; and no debugger on a
  # crash, so that a crashing program ends at once with a failure instead of hanging.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
}

# Makes the prefix in $WINEPREFIX unless it exists. Wine's own fonts (Marlett, Tahoma, MS Sans
# Serif) go in before the first program starts: Wine does not find Debian's copies by itself,
# and without Marlett caption buttons and scroll arrows show letters.
make_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  "$WINELOADER" wineboot.exe -i </dev/null >/dev/null 2>&1 || true
  # No window manager runs on the virtual display, so nothing ever answers Wine for the windows
  # it hands to one: hiding or destroying an activated top-level window then waits two seconds
  # for a withdrawal that never comes. Wine keeps every window to itself instead.
  "$WINELOADER" reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "could not make the Wine prefix $WINEPREFIX" >&2; return 1; }
}

LINKED_PREFIX_FILES='.*\.\(dll\|exe\|drv\|sys\|ocx\|cpl\|acm\|ax\|tlb\|ttf\|ttc\|fon\|nls\|mui\|msstyles\|com\|vxd\|ds\|tsp\|msi\)'

# Makes $WINEPREFIX as a copy of the prefix in $1 (made first if missing); copying is much
# quicker than letting each prefix boot on its own.
make_prefix_from() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  local target="$WINEPREFIX"
  WINEPREFIX="$1" make_prefix_locked
  rm -rf "$target" "$target.tmp$$"
  mkdir -p "$(dirname "$target")"
  # Hard links for Wine's program files, fonts and tables, which nothing rewrites, and real
  # copies of everything else (registry, INI files, the server's own files), which runs change.
  # A 64-bit prefix is about 700 MB; linked, a copy costs next to nothing.
  cp -al "$1" "$target.tmp$$"
  local file
  (cd "$1" && find . -type f ! -iregex "$LINKED_PREFIX_FILES" -print0) | while IFS= read -r -d '' file; do
    cp -p --remove-destination "$1/$file" "$target.tmp$$/$file"
  done
  mv "$target.tmp$$" "$target"
}

# make_prefix, for prefixes that several runs may want at the same moment.
make_prefix_locked() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    make_prefix
  ) 9>"$WINEPREFIX.lock"
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

# Keeps the prefix's Wine server alive for the session (without it every process pays for a
# new server) and starts Wine's background services with their output detached: if a test
# started them, they would inherit the test runner's pipes and keep it waiting.
start_wine() {
  "$WINESERVER" -p
  "$WINELOADER" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && [ -n "${WINESERVER:-}" ] && "$WINESERVER" -k 2>/dev/null || true
}
