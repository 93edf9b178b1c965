#!/bin/sh
# Installs the game into a temporary folder and plays the installed launcher under an X server
# of the test's own: the window's title, Escape from the menu, and the score table kept in the
# player's own data folder.
# Usage: install-test.sh CMAKE BUILD_DIR
set -eu
work=$(mktemp -d)
xvfb=
trap '[ -z "$xvfb" ] || kill "$xvfb"; rm -rf "$work"' EXIT
fail() { echo "install-test: $*" >&2; exit 1; }

# An unusual prefix: the launcher must find the game wherever it is installed.
DESTDIR=$work/root "$1" --install "$2" --prefix /opt/dwindle-test >/dev/null
root=$work/root/opt/dwindle-test

# Xvfb picks a free display itself and writes its number once it takes connections.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
xvfb=$!
timeout 10 sh -c 'until [ -s "$1" ]; do sleep 0.1; done' - "$work/display" ||
    fail "the X server did not start"
DISPLAY=:$(cat "$work/display")
export DISPLAY SDL_VIDEODRIVER=x11

# play ENVIRONMENT...: starts the launcher, waits for its window titled "Dwindle" and presses
# Escape each half second until the window is gone: the splash pictures throw it away, the
# menu leaves. The game, which stops at once without its pictures, must end with status 0.
play() {
    timeout 60 env "$@" "$root/bin/dwindle" &
    game=$!
    window=$(timeout 10 xdotool search --sync --name '^Dwindle$' | head -n 1)
    [ -n "$window" ] || fail "no window titled Dwindle"
    tries=0
    while xdotool search --name '^Dwindle$' >/dev/null; do
        tries=$((tries + 1)) && [ $tries -lt 100 ] || fail "Escape did not leave from the menu"
        xdotool key --window "$window" Escape 2>/dev/null || true
        sleep 0.5
    done
    wait "$game" || fail "the game ended with status $?"
}

home=$work/home
data=$home/.local/share/dwindle
play HOME="$home"
[ "$(wc -l <"$data/data.dat")" -eq 20 ] || fail "data.dat does not hold twenty lines"
[ -L "$data/Images" ] && [ -f "$data/Sounds/tune.wav" ] ||
    fail "Images and Sounds are not links to the installed pictures and sounds"

# A second run keeps the table it finds.
printf '%s\nABC\n' 900 800 700 600 500 400 300 200 100 50 >"$data/data.dat"
cp "$data/data.dat" "$work/table"
link=$(stat -c %i "$data/Images")
play HOME="$home"
cmp -s "$data/data.dat" "$work/table" || fail "the second run changed the score table"
[ "$(stat -c %i "$data/Images")" = "$link" ] || fail "the Images link was made again"

# With XDG_DATA_HOME the player's folder is there instead.
play HOME="$home" XDG_DATA_HOME="$work/xdg"
[ "$(wc -l <"$work/xdg/dwindle/data.dat")" -eq 20 ] || fail "no table under XDG_DATA_HOME"
cmp -s "$data/data.dat" "$work/table" || fail "XDG_DATA_HOME run touched the home table"
# No display, as over SSH: the compatibility library (the launcher's) and the classic one (the
# game's own) fall back to a driver that shows nothing, and the game ends within a second saying
# which, with nothing on standard output; the X driver asked for by name gives SDL's reason.
for row in "offscreen $root/bin/dwindle" "caca $root/libexec/dwindle/dwindle" \
    ". SDL_VIDEODRIVER=x11 $root/bin/dwindle"; do
    set -- $row && driver=$1 && shift && status=0
    (cd "$work" && exec timeout 1 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER TERM=xterm \
        HOME="$home" "$@") \
        >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq 1 ] && [ ! -s "$work/out" ] &&
        grep -q "^Couldn't initialise SDL: .*$driver" "$work/err" ||
        fail "no display ($driver): status $status, $(cat "$work/err")"
done
# No data folder to be had; with HOME unset, the password database's home folder (nobody's cannot
# be made), or none for a user it does not know: each says why. Users other than root's only
# where the tests run as root.
XDG_DATA_HOME=$work/table "$root/bin/dwindle" 2>&1 | grep -q "^dwindle: cannot make the data folder" ||
    fail "no word on a data folder that cannot be made"
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$work"
    for row in "65534 cannot make the data folder $(getent passwd 65534 | cut -d: -f6)/.local" \
        "54321 no home folder to keep the scores in"; do
        set -- $row && user=$1 && shift
        setpriv --reuid="$user" --regid="$user" --clear-groups env -u HOME -u XDG_DATA_HOME \
            "$root/bin/dwindle" 2>&1 | grep -qF "dwindle: $*" || fail "HOME unset, user $user: not $*"
    done
fi
echo "install-test: passed"
