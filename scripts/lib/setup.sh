# Shared by scripts/test and scripts/run: packages, builds, display and Wine.

# Every Debian package the build, the tests and the run need.
TAVIMO_PACKAGES=(
    cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth x11-utils x11-apps imagemagick locales fonts-wqy-microhei
    libboost1.81-dev zlib1g-dev libz-mingw-w64-dev clang libclang-rt-14-dev
)

tavimo_install_packages() {
    local missing=() p
    for p in "${TAVIMO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" != 0 ]; then
        echo "missing packages (run as root to install): ${missing[*]}" >&2
        return 1
    fi
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

tavimo_ensure_locale() {
    locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' && return 0
    if [ "$(id -u)" = 0 ]; then
        localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 2>/dev/null || true
    fi
}

tavimo_build() {
    local preset=$1
    if [ ! -f "build/$preset/build.ninja" ]; then
        cmake --preset "$preset" >"build-$preset-configure.log" 2>&1 || { cat "build-$preset-configure.log" >&2; return 1; }
        rm -f "build-$preset-configure.log"
    fi
    cmake --build "build/$preset" -j "$(nproc)"
}

TAVIMO_XVFB_PID=
tavimo_start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n
    for n in $(seq 90 130); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        TAVIMO_XVFB_PID=$!
        local i
        for i in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        export DISPLAY=":$n"
        return 0
    done
    echo "no free display number for Xvfb" >&2
    return 1
}

TAVIMO_WINEPREFIX=
tavimo_wine_env() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree=;mshtml="
    if locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
        export LC_ALL=zh_CN.UTF-8
    fi
}

tavimo_prepare_wine() {
    TAVIMO_WINEPREFIX=$1
    (
        tavimo_wine_env "$TAVIMO_WINEPREFIX"
        if [ ! -f "$WINEPREFIX/.tavimo-ready" ]; then
            mkdir -p "$WINEPREFIX"
            wineboot -i >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.tavimo-ready"
        fi
        # One server for the whole run, so each test starts quickly, and Wine's
        # helper processes started now, away from ctest's output pipes (they
        # would inherit them and keep each test "running" until they exit).
        wineserver -p 2>/dev/null || true
        wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    )
}

tavimo_stop_all() {
    if [ -n "$TAVIMO_WINEPREFIX" ]; then
        (tavimo_wine_env "$TAVIMO_WINEPREFIX"; wineserver -k 2>/dev/null || true)
    fi
    if [ -n "$TAVIMO_XVFB_PID" ]; then
        kill "$TAVIMO_XVFB_PID" 2>/dev/null || true
        wait "$TAVIMO_XVFB_PID" 2>/dev/null || true
        TAVIMO_XVFB_PID=
    fi
}

# Checks beyond ctest that the subsystems register here (for example a short
# fuzzing run over a committed corpus). Each prints its own result.
tavimo_run_extra_checks() {
    local ok=0 f
    for f in scripts/checks/*.sh; do
        [ -e "$f" ] || continue
        bash "$f" || { echo "check failed: $f" >&2; ok=1; }
    done
    return $ok
}

# Builds one target of a preset (configuring it first when needed).
tavimo_build_target() {
    local preset=$1 target=$2
    if [ ! -f "build/$preset/build.ninja" ]; then
        cmake --preset "$preset" >"build-$preset-configure.log" 2>&1 || { cat "build-$preset-configure.log" >&2; return 1; }
        rm -f "build-$preset-configure.log"
    fi
    cmake --build "build/$preset" --target "$target" -j "$(nproc)"
}
