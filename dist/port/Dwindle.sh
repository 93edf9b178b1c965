#!/bin/bash
# Starts Dwindle from the ports menu of a handheld's community firmware, as the ports collection's launch scripts do.
#
# No "set -eu": the collection's control.txt, sourced below, tests commands that may fail and
# reads variables that may be unset, as every port's script lets it.

XDG_DATA_HOME=${XDG_DATA_HOME:-$HOME/.local/share}

if [ -d "/opt/system/Tools/PortMaster/" ]; then
    controlfolder="/opt/system/Tools/PortMaster"
elif [ -d "/opt/tools/PortMaster/" ]; then
    controlfolder="/opt/tools/PortMaster"
elif [ -d "$XDG_DATA_HOME/PortMaster/" ]; then
    controlfolder="$XDG_DATA_HOME/PortMaster"
else
    controlfolder="/roms/ports/PortMaster"
fi

source "$controlfolder/control.txt"
[ -f "$controlfolder/mod_${CFW_NAME}.txt" ] && source "$controlfolder/mod_${CFW_NAME}.txt"
get_controls

GAMEDIR="/$directory/ports/dwindle"
# The game keeps its pictures and its scores (data.dat) in the folder it runs in.
cd "$GAMEDIR" || exit 1
# A plain file, not a pipe through tee: the quit hot key ends every process whose command line
# names the game, and tee's names the log's folder.
exec >"$GAMEDIR/log.txt" 2>&1

# The libraries in libs.aarch64 come from Debian 12, which need this C library or a later one.
glibc_floor=2.36

# Prints the version of the C library the device's programs run with, as "2.36"; nothing when
# none is found. The library prints its own banner when run.
device_glibc() {
    local lib banner
    for lib in /lib/aarch64-linux-gnu/libc.so.6 /lib64/libc.so.6 /lib/libc.so.6 \
        /usr/lib/aarch64-linux-gnu/libc.so.6 /usr/lib64/libc.so.6 /usr/lib/libc.so.6; do
        if [ -x "$lib" ]; then
            banner=$("$lib" 2>/dev/null | head -n 1)
            if [[ $banner =~ version\ ([0-9]+\.[0-9]+) ]]; then
                echo "${BASH_REMATCH[1]}"
                return
            fi
        fi
    done
}

# True when version $1 is older than version $2 (both "major.minor").
older_than() {
    local a_major=${1%%.*} a_minor=${1#*.} b_major=${2%%.*} b_minor=${2#*.}
    [ "$a_major" -lt "$b_major" ] || { [ "$a_major" -eq "$b_major" ] && [ "$a_minor" -lt "$b_minor" ]; }
}

glibc=$(device_glibc)
if [ -z "$glibc" ]; then
    echo "Dwindle: could not tell this firmware's C library version; starting anyway."
elif older_than "$glibc" "$glibc_floor"; then
    message="Dwindle needs a firmware with glibc $glibc_floor or later; this one has glibc $glibc. Please update the firmware."
    echo "$message"
    # The collection's message box where it has one, else the console the menu ran on.
    if declare -F pm_message >/dev/null; then
        pm_message "$message"
    elif [ -w "${CUR_TTY:-/dev/tty0}" ]; then
        printf '\033c%s\n' "$message" >"${CUR_TTY:-/dev/tty0}"
    fi
    sleep 5
    pm_finish
    exit 1
fi

export LD_LIBRARY_PATH="$GAMEDIR/libs.${DEVICE_ARCH}:$LD_LIBRARY_PATH"
# The game reads the pad itself, in SDL's game controller layout, with the firmware's mapping.
export SDL_GAMECONTROLLERCONFIG="$sdl_controllerconfig"
export SDL12COMPAT_USE_GAME_CONTROLLERS=1
# The 320x240 screen scaled up with hard pixels.
export SDL12COMPAT_SCALE_METHOD=nearest

# Only the quit hot key: without a key map the collection's tool sends no keys of its own.
$GPTOKEYB "dwindle" &
pm_platform_helper "$GAMEDIR/dwindle"

# The game saves its scores and ends on SIGTERM. In the background, so that a SIGTERM (or
# SIGHUP, SIGINT) sent to this script reaches it too, and the script still finishes after it.
./dwindle &
game=$!
trap 'kill -TERM "$game" 2>/dev/null' TERM HUP INT
status=0
wait "$game" || status=$?
# A signal interrupts the wait, not the game: wait on until the game has saved and ended.
while [ "$status" -gt 128 ] && kill -0 "$game" 2>/dev/null; do
    status=0
    wait "$game" || status=$?
done
trap - TERM HUP INT

pm_finish
exit "$status"
