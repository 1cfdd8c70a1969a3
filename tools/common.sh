# Shared set-up of ./kelvaron and ./run-tests: installs what is missing,
# configures and builds, and makes the Wine prefix inside the build folder.
set -euo pipefail

KV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KV_BUILD="${KV_BUILD:-$KV_ROOT/build}"
export WINEPREFIX="$KV_BUILD/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

KV_PACKAGES=(g++-mingw-w64-x86-64-posix wine64 fonts-wine cmake googletest unixodbc
             unixodbc-dev libsqliteodbc odbc-mdbtools mdbtools xvfb sqlite3 python3)

kv_log() { printf '== %s\n' "$*" >&2; }

kv_install_packages() {
    local missing=()
    for p in "${KV_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    kv_log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

kv_build() {
    if [ ! -f "$KV_BUILD/CMakeCache.txt" ]; then
        kv_log "configuring $KV_BUILD"
        cmake -S "$KV_ROOT" -B "$KV_BUILD" -DCMAKE_TOOLCHAIN_FILE="$KV_ROOT/cmake/mingw-w64.cmake" >/dev/null
    fi
    kv_log "building"
    # KV_TARGET names the targets to build (space separated); default all.
    local targets=()
    for t in ${KV_TARGET:-}; do targets+=(--target "$t"); done
    cmake --build "$KV_BUILD" -j "${KV_JOBS:-$(nproc)}" "${targets[@]}" "$@"
}

# Wine's own fonts (Marlett for the caption buttons it draws, Tahoma for
# dialogs, ...) come in Debian's fonts-wine package, in a folder this Wine
# does not search; in the prefix's Windows\Fonts folder every Wine program
# finds them. Copied when missing or newer.
kv_prefix_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" f
    mkdir -p "$fonts"
    for f in $(dpkg-query -L fonts-wine 2>/dev/null || true); do
        case "$f" in
        *.ttf | *.TTF | *.fon | *.FON) if [ -f "$f" ]; then cp -u "$f" "$fonts/"; fi ;;
        esac
    done
}

# A Wine prefix of the project's own. kv_prefix DRIVER makes it when missing
# and sets its display driver: "null" (windows work, nothing is shown) for the
# tests, "x11" to show windows on $DISPLAY. Wine reads the driver when its
# first process starts, so the change is made while no Wine process of this
# prefix runs, and the server is left to end before anything else starts.
kv_prefix() {
    local driver="$1" current=x11
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        kv_log "making the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        current=none
    elif grep -q '"Graphics"="null"' "$WINEPREFIX/user.reg" 2>/dev/null; then
        current=null
    fi
    kv_prefix_fonts
    if [ "$driver" != "$current" ]; then
        wineserver -k >/dev/null 2>&1 || true
        if [ "$driver" = null ]; then
            wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
        else
            wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
        fi
    fi
    wineserver -w >/dev/null 2>&1 || true
}

# One persistent Wine server for a run of programs, so that each starts in
# milliseconds; it is stopped when the script ends, whatever the outcome.
# Wine's background services start with the first Wine process and keep its
# output open; they are started here, so that no program's output pipe stays
# open after the program ends.
kv_wine_server() {
    wineserver -p </dev/null >/dev/null 2>&1 || true
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
    wine reg query 'HKCU\Software\Wine\Drivers' </dev/null >/dev/null 2>&1 || true
}

# The Wine session of a test run: the persistent server, and Wine's desktop
# held for the whole run. Wine's desktop process ends about a second after
# the last process attached to the desktop, and the next program waits one to
# three seconds for a new one: a console process that waits on its input
# holds the desktop. Its input is a pipe of this script, so it ends when the
# script does. (The benchmarks keep the server only, as before: a held
# desktop would change what their start-up figures measure.)
kv_wine_session() {
    kv_wine_server
    exec {KV_DESKTOP_HOLDER}> >(exec wine cmd >/dev/null 2>&1)
}

# A program that crashes in the prefix ends there: Wine's debugger writes
# its backtrace to the console and lets the process go, instead of waiting
# for someone to close its crash dialog (which nobody sees with the null
# display driver). Set once per prefix.
kv_prefix_no_crash_dialog() {
    grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}
