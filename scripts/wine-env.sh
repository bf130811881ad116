# Sourced, not run: Xvfb, a Wine prefix with Wine's fonts and, on Xvfb, a
# virtual desktop with taskbar and notification area; one wineserver for the
# whole session; clean-up of every process started here, by PID.
#
#   wine_env_start [--own-display] [--prefix DIR]   then wine ...; wine_env_stop
#
# Without --prefix a throwaway prefix is made and removed by wine_env_stop.

WINE_ENV_DESKTOP_SIZE=${WINE_ENV_DESKTOP_SIZE:-1024x700}
WINE_ENV_SCREEN_SIZE=${WINE_ENV_SCREEN_SIZE:-1280x800}

_wine_env_log() { echo "wine-env: $*" >&2; }

_wine_env_wait() { # seconds command...
    local limit=$1; shift
    local end=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.1
    done
}

_wine_env_start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
        Xvfb :$n -screen 0 "${WINE_ENV_SCREEN_SIZE}x24" -nolisten tcp >/dev/null 2>&1 &
        WINE_ENV_XVFB_PID=$!
        if _wine_env_wait 20 xwininfo -root -display :$n; then
            export DISPLAY=:$n
            return 0
        fi
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null
        WINE_ENV_XVFB_PID=
    done
    _wine_env_log "no Xvfb display could be started"
    return 1
}

_wine_env_make_prefix() {
    local virtual_desktop=$1
    _wine_env_log "creating prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || { _wine_env_log "wineboot failed"; return 1; }
    # Without Wine's own fonts every face falls back to DejaVu Sans.
    cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    if [ "$virtual_desktop" = 1 ]; then
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$WINE_ENV_DESKTOP_SIZE" /f >/dev/null 2>&1
    fi
    # The next server start reads the desktop settings.
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    touch "$WINEPREFIX/.pathmoor-ready"
}

wine_env_start() {
    local own_display=0 prefix=""
    while [ $# -gt 0 ]; do
        case $1 in
            --own-display) own_display=1 ;;
            --prefix) prefix=$2; shift ;;
            *) _wine_env_log "unknown option $1"; return 1 ;;
        esac
        shift
    done
    WINE_ENV_XVFB_PID=""
    WINE_ENV_SERVER_PID=""
    WINE_ENV_DESKTOP_PID=""
    WINE_ENV_KEEPER_PID=""
    WINE_ENV_TEMP=""
    if [ $own_display = 1 ] || [ -z "${DISPLAY:-}" ]; then
        _wine_env_start_xvfb || return 1
        WINE_ENV_VIRTUAL_DESKTOP=1
    else
        WINE_ENV_VIRTUAL_DESKTOP=0
    fi
    if [ -z "$prefix" ]; then
        WINE_ENV_TEMP=$(mktemp -d /tmp/pathmoor-wine.XXXXXX)
        prefix=$WINE_ENV_TEMP/prefix
    fi
    export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -e "$WINEPREFIX/.pathmoor-ready" ]; then
        mkdir -p "$WINEPREFIX"
        _wine_env_make_prefix $WINE_ENV_VIRTUAL_DESKTOP || { wine_env_stop; return 1; }
    else
        wine_env_set_desktop $WINE_ENV_VIRTUAL_DESKTOP
    fi
    # One server for the whole session: starting Wine per program is slow otherwise.
    wineserver -f -p >/dev/null 2>&1 &
    WINE_ENV_SERVER_PID=$!
    if [ $WINE_ENV_VIRTUAL_DESKTOP = 1 ]; then
        # Started here, detached from every pipe: the first GUI program would
        # otherwise start the desktop with its own output streams, and callers
        # reading those (ctest, a pipe) would wait for the desktop to end.
        wine explorer.exe /desktop=Default,"$WINE_ENV_DESKTOP_SIZE" </dev/null >/dev/null 2>&1 &
        WINE_ENV_DESKTOP_PID=$!
        if ! _wine_env_wait 90 sh -c "xwininfo -root -tree -display $DISPLAY | grep -q 'Wine desktop'"; then
            _wine_env_log "the virtual desktop did not appear"
            return 1
        fi
        # The desktop quits shortly after the last Wine program ends; the next
        # program would then start its own desktop, holding the caller's output
        # pipes open. One idle program, detached too, keeps it up for the session.
        wine cmd.exe /c "ping -n 86400 127.0.0.1 >nul" </dev/null >/dev/null 2>&1 &
        WINE_ENV_KEEPER_PID=$!
    fi
    _wine_env_log "ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
}

# Switches a kept prefix between the virtual desktop (Xvfb) and plain windows
# (a real display). Only valid while no server runs.
wine_env_set_desktop() {
    if [ "$1" = 1 ]; then
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$WINE_ENV_DESKTOP_SIZE" /f >/dev/null 2>&1
    else
        wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
    fi
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
}

wine_env_screenshot() { # file.png
    mkdir -p "$(dirname "$1")"
    import -display "$DISPLAY" -window root -crop "${WINE_ENV_DESKTOP_SIZE}+0+0" +repage "$1"
}

wine_env_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1
    fi
    if [ -n "${WINE_ENV_SERVER_PID:-}" ]; then
        kill "$WINE_ENV_SERVER_PID" 2>/dev/null
        wait "$WINE_ENV_SERVER_PID" 2>/dev/null
    fi
    if [ -n "${WINE_ENV_KEEPER_PID:-}" ]; then
        kill "$WINE_ENV_KEEPER_PID" 2>/dev/null
        wait "$WINE_ENV_KEEPER_PID" 2>/dev/null
    fi
    if [ -n "${WINE_ENV_DESKTOP_PID:-}" ]; then
        kill "$WINE_ENV_DESKTOP_PID" 2>/dev/null
        wait "$WINE_ENV_DESKTOP_PID" 2>/dev/null
    fi
    if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null
    fi
    if [ -n "${WINE_ENV_TEMP:-}" ]; then
        rm -rf "$WINE_ENV_TEMP"
    fi
    WINE_ENV_SERVER_PID="" WINE_ENV_XVFB_PID="" WINE_ENV_DESKTOP_PID="" WINE_ENV_KEEPER_PID="" WINE_ENV_TEMP=""
}
