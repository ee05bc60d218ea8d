# Sourced by the scripts that run Windows programs: the private prefix under
# build/, the 64-bit Wine loader, and a prefix made once per test run.
# Usage: . wine_env.sh <prefix folder>

export WINEPREFIX="$1"
export WINEARCH=win64
export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINE="$WINELOADER"

# Makes the prefix when it is missing; several test programs may ask at once.
ensure_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.monoglint-ready" ]; then
            rm -rf "$WINEPREFIX"
            "$WINE" wineboot.exe --init >/dev/null 2>&1
            # A crashing program must not open Wine's crash dialog and wait for
            # a person: the exception goes back to the program's own filter.
            "$WINE" reg.exe add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
            "$WINE" reg.exe add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d 'C:\no-debugger-in-tests.exe %ld %ld' /f >/dev/null 2>&1
            # NOTE: the virtual display has no window manager. Wine waits up to
            # two seconds for one to withdraw each managed window it hides, which
            # would hold every closing saver up; unmanaged windows close at once.
            "$WINE" reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
            "/usr/lib/wine/wineserver64" -w
            touch "$WINEPREFIX/.monoglint-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
}
