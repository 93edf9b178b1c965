#!/bin/sh
# Installs the game into a temporary folder and plays the installed launcher under an X server
# of the test's own with a window manager, as a player would: the window's title, Escape from
# the menu, the score table kept in the player's own data folder; a game played with keys, full
# screen, play at its pace and held while the player is away, checked from "data.dat" and the
# window's pixels.
# Usage: install-test.sh CMAKE BUILD_DIR
set -eu
work=$(mktemp -d)
xvfb= wm= game=
trap 'kill $game $wm $xvfb 2>/dev/null; rm -rf "$work"' EXIT
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

# play ENVIRONMENT...: starts the launcher, waits for its window titled "Dwindle", twice the
# game's size (three times would not fit 768 rows with a title bar and a panel), and presses
# Escape each half second until the window is gone: the splash pictures move on, the menu
# leaves. The game, which stops at once without its pictures, must end with status 0.
play() {
    timeout 60 env "$@" "$root/bin/dwindle" &
    game=$!
    window=$(timeout 10 xdotool search --sync --name '^Dwindle$' | head -n 1)
    [ -n "$window" ] || fail "no window titled Dwindle"
    size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { print w "x" $2 }')
    [ "$size" = 640x480 ] || fail "a window of $size on a 1024x768 screen"
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
[ -L "$data/Images" ] && [ -f "$data/Sounds/music1.ogg" ] ||
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

# No data folder to be had: with HOME unset, the password database's home folder (nobody's cannot
# be made), or none for a user it does not know; each says why. Only where the tests run as root.
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$work"
    for row in "65534 cannot make the data folder $(getent passwd 65534 | cut -d: -f6)/.local" \
        "54321 no home folder to keep the scores in"; do
        set -- $row && user=$1 && shift
        setpriv --reuid="$user" --regid="$user" --clear-groups env -u HOME -u XDG_DATA_HOME \
            "$root/bin/dwindle" 2>&1 | grep -qF "dwindle: $*" || fail "HOME unset, user $user: not $*"
    done
fi

# A data folder made before the game had sounds, then made read-only (to a player other than
# root): the game starts all the same, without the link it cannot add.
old=$work/old/dwindle
mkdir -p "$old" && ln -s "$(readlink "$data/Images")" "$old/Images" && chmod 755 "$work" "$old/.." &&
    chmod 555 "$old"
set --
[ "$(id -u)" -ne 0 ] || set -- setpriv --reuid=65534 --regid=65534 --clear-groups
play HOME="$home" XDG_DATA_HOME="$work/old" "$@"
chmod 755 "$old"

# A game as a player plays it, on a table whose tenth score is below 0, so that every game asks
# for a name, even a new game's 0 at the first menu. The window manager gives the focus and full
# screen, as a desktop's does; it is ready once it lists the windows on the root window.
openbox >/dev/null 2>&1 &
wm=$!
timeout 10 sh -c 'until xprop -root | grep -q _NET_CLIENT_LIST_STACKING; do sleep 0.1; done' ||
    fail "the window manager did not start"
printf '%s\n' 900 ACE 800 BEA 700 CAL 600 DEE -1 ELI -2 FLO -3 GIL -4 HUW -5 IDA -6 JO \
    >"$data/data.dat"
# The player's own scale is kept.
HOME=$home SDL12COMPAT_WINDOW_SCALING=3 "$root/bin/dwindle" 2>/dev/null &
game=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Dwindle$' | head -n 1)
[ -n "$window" ] || fail "no window titled Dwindle with the window manager"
# file KEYS NAME: presses KEYS each second until data.dat changes (keys during a splash or a
# pause are thrown away); then NAME must be filed in it.
file() {
    before=$(cat "$data/data.dat") tries=0
    while [ "$(cat "$data/data.dat")" = "$before" ]; do
        tries=$((tries + 1)) && [ $tries -lt 20 ] || fail "nothing filed for $2"
        xdotool key --delay 250 --window "$window" $1
        sleep 1
    done
    grep -qx "$2" "$data/data.dat" || fail "not filed as $2: $(paste -sd ' ' "$data/data.dat")"
}
# shot NAME [WINDOW [GEOMETRY]]: the window (each of the game's pixels a square of three, as the
# compatibility library shows it), or part of it, as the X server shows it.
shot() { import -window "${2:-$window}" ${3:+-crop "$3"} "$work/$1.png"; }
# differing A B: how many pixels of two shots differ.
differing() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true; }
file space AAA
# At the menu, Alt+Enter fills the screen with the picture centred on black (here as large as in
# the window), and F11 gives the window back as it was.
shot menu
xdotool key --window "$window" alt+Return && sleep 1 && shot full root
convert "$work/menu.png" -background black -gravity center -extent 1024x768 "$work/centred.png"
[ "$(differing full centred)" = 0 ] || fail "full screen is not the menu in the middle"
xdotool key --window "$window" F11 && sleep 1 && shot window
[ "$(differing window menu)" = 0 ] || fail "F11 did not give the window back"
# A game: at 20 passes a second the start platform stands seven seconds, so two cost no life.
xdotool key --window "$window" space && sleep 0.3 && shot lives "" 24x24+585+30
sleep 2 && shot later "" 24x24+585+30
[ "$(differing lives later)" = 0 ] || fail "the game runs faster than its passes"
# Another window takes the focus for eight seconds, long enough for the start platform to
# vanish under the player, were the game not held. Held, it shows its frame dimmed above a
# light band. (A minimised window loses the focus too.)
shot playing
xmessage -title away away >/dev/null 2>&1 &
away=$!
xdotool search --sync --name '^away$' windowactivate --sync >/dev/null && sleep 0.5 && shot held
light() { convert "$work/$1.png" -crop 960x300+0+0 -format '%[fx:int(1000*mean)]' info:; }
[ "$(light held)" -lt $(($(light playing) * 6 / 10)) ] || fail "the held game is not dimmed"
# One colour across the band's rows, light in every channel.
[ "$(convert "$work/held.png" -crop 960x3+0+339 -format '%k %[fx:minima>0.75]' info:)" = "1 1" ] ||
    fail "no light band over the held game"
sleep 8 && xdotool windowactivate --sync "$window" && sleep 0.5 && shot back "" 24x24+585+30
kill $away
[ "$(differing lives back)" = 0 ] || fail "a life lost while away"
# Escape ends the game; the name, a letter down, is filed; Escape at the menu leaves.
xdotool key --window "$window" Right
file "Escape Down space" @AA
xdotool key --window "$window" Escape
wait $game || fail "the game ended with status $?"
game=

echo "install-test: passed"
