#!/usr/bin/env bash
# Runs the port as a handheld would: Dwindle.sh in the ports folder of a stand-in aarch64 device under qemu starts the game and ends it in order, or refuses a C library older than the floor.
# Usage: tests/port/port-test.sh PORT_DIR SYSROOT PAD_LIBRARY   (build-port/dwindle, the arm64
#        sysroot and the aarch64 build of VirtualPad.cpp; scripts/port-build.sh runs it)
#
# The stand-in device is the arm64 sysroot without the libraries the port carries (so they
# must come from the port's folder), with the C library, the C++ runtime and SDL2 left in; the
# collection's control folder is our own (control.txt, gptokeyb beside this file). Everything on
# it, Dwindle.sh's bash included, is the sysroot's own aarch64 code, run by qemu-aarch64
# through binfmt_misc. That registration, the chroot and the hot key's search by name live in
# user, mount and process namespaces of the test's own (binfmt_misc there needs Linux 6.7).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
triplet=aarch64-linux-gnu
floor=2.36

# The $1 best of the scores on standard input (a score, then its name, a line each), best first.
best() {
    paste -d ' ' - - | sort -k 1,1nr | sed -n "1,$1p" | tr ' ' '\n'
}
# Twelve scores: the game keeps the ten best, so a file rewritten with ten was saved.
seed=$(printf '%s\n' 300 ANN 1200 BOB 100 CID 900 DAN 500 EVE 1100 FAY 200 GUS 800 HAL \
    1000 IDA 400 JO 700 KIM 600 LEE)
# For the pad: a tenth score below zero, which the score of 0 beats, so the game opens on the
# name entry; A files it as AAA.
pad_seed=$(best 9 <<<"$seed"; printf '%s\n' -50 NEG)

# Each case: a name, how the port is stopped once the game shows its menu ("firmware":
# SIGTERM to Dwindle.sh; "hotkey": the collection's quit hot key, which sends SIGTERM to the
# game by name; "pad": the name entry confirmed with A, a game started with START and ended
# with BACK, then SIGTERM), the C library version the device's says it is, and the status
# Dwindle.sh should end with.
cases=(
    "the firmware stops the port|firmware|$floor|0"
    "the quit hot key ends the game|hotkey|$floor|0"
    "the pad plays a game in SDL's controller order|pad|$floor|0"
    "a C library older than the floor|firmware|2.31|1"
)

if [ "${1:-}" != --inside ]; then
    port=$1 sysroot=$(realpath "$2") pad_library=$3
    # Beside the sysroot, so that the devices can be hard links of it; removed only once the
    # namespaces, and with them every mount into it, are gone.
    work=$(mktemp -d "$(dirname "$sysroot")/port-test.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    # A fresh stand-in device for each case, without SDL 1.2's libraries (the port's must be
    # the ones loaded), the port installed in its ports folder. Made outside the namespaces,
    # where the sysroot's owners are known.
    for index in "${!cases[@]}"; do
        IFS='|' read -r _ _ glibc _ <<<"${cases[$index]}"
        root=$work/device$index
        cp -al "$sysroot" "$root"
        rm -f "$root"/{usr/,}lib/"$triplet"/libSDL[-_]*
        mkdir -p "$root/roms/ports/PortMaster"
        cp -a "$port/Dwindle.sh" "$port/dwindle" "$root/roms/ports/"
        cp "$here/control.txt" "$here/gptokeyb" "$root/roms/ports/PortMaster/"
        # Preloaded only where the case plays with the pad.
        cp "$pad_library" "$root/tmp/virtual-pad.so"
        # The C library's banner, which Dwindle.sh reads, names the case's version; perl -i writes
        # a new file with the old one's mode, leaving the sysroot's own behind the hard link.
        perl -0777 -i -pe "s/release version \Q$floor.\E/release version $glibc./" \
            "$(realpath "$root/lib/$triplet/libc.so.6")"
    done
    unshare --user --map-root-user --mount --pid --fork "$0" --inside "$work"
    exit
fi
work=$2

# Fails where the namespaces have no binfmt_misc of their own (it needs Linux 6.7 or later).
mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
# aarch64 ELF programs; F: qemu is opened now, so that it also starts inside the chroot.
printf '%s' ':aarch64:M::\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\xb7\x00:\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-aarch64:F' \
    >/proc/sys/fs/binfmt_misc/register

# Readies each device to run: what qemu itself, a program of this machine, needs to start
# inside the chroot (read-only), and the device's own /proc.
for root in "$work"/device*; do
    for dir in /lib64 /lib/x86_64-linux-gnu /usr/lib/x86_64-linux-gnu; do
        mkdir -p "$root$dir"
        mount -o bind,ro "$(realpath "$dir")" "$root$dir"
    done
    mount -t proc proc "$root/proc"
done

# The process id of the running game, as the device sees it; none when it is not running.
# Under binfmt_misc the command line is qemu's, then the program's. A pattern, not the name
# itself: grep's own command line is among those it reads.
game_pid() {
    grep -l -s -z -x '\./dwindle' "$root"/proc/[0-9]*/cmdline |
        sed -n '1s|.*/proc/\([0-9]*\)/cmdline$|\1|p'
}

# True when the newest frame the game showed is the menu: the menu picture with the score
# listing drawn in, so all but a few per cent of its pixels match the picture's.
at_menu() {
    local frame differing
    # None yet: compare says so, in words.
    frame=$(ls "$gamedir"/SDL_window*.bmp 2>/dev/null | tail -n 1)
    differing=$(compare -metric AE -fuzz 6% "$frame" "$gamedir/Images/menu.png" null: 2>&1 || true)
    [[ $differing =~ ^[0-9]+$ ]] && [ "$differing" -lt $((320 * 240 / 20)) ]
}

# Waits up to $1 seconds for the condition $2 (a command line), doing $3 first and then every
# five seconds if given; false if the condition never holds.
wait_until() {
    local tries
    for ((tries = 0; tries < $1 * 5; ++tries)); do
        ((tries % 25)) || eval "${3:-}"
        eval "$2" && return 0
        sleep 0.2
    done
    return 1
}

failures=0
fail() {
    echo "FAILED ($case): $*" >&2
    failures=$((failures + 1))
}

for index in "${!cases[@]}"; do
    IFS='|' read -r case stop glibc wanted <<<"${cases[$index]}"
    failed_before=$failures
    root=$work/device$index
    gamedir=$root/roms/ports/dwindle
    seeded=$seed pad=()
    if [ "$stop" = pad ]; then
        # The virtual pad (VirtualPad.cpp) presses a button for each letter written to /tmp/pad:
        # A, B for BACK or S for START.
        seeded=$pad_seed pad=(QEMU_SET_ENV=LD_PRELOAD=/tmp/virtual-pad.so DWINDLE_PAD_FILE=/tmp/pad)
    fi
    printf '%s\n' "$seeded" >"$gamedir/data.dat"
    # The ten best once the game has saved: only over the pad's seed does its 0 rank.
    expected=$(printf '%s\n' "$seeded" 0 AAA | best 10)
    # Dwindle.sh started as the ports menu does, SDL's dummy video saving every frame as a BMP
    # file in the folder the game runs in.
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin "${pad[@]}" \
        SDL_VIDEODRIVER=dummy SDL_VIDEO_DUMMY_SAVE_FRAMES=1 /bin/bash /roms/ports/Dwindle.sh &
    launcher=$!

    if [ "$glibc" != "$floor" ]; then
        :  # an older C library: Dwindle.sh ends by itself
    # The pad presses A until data.dat holds the name it filed: the game opens on the name
    # entry once its splash is over, and A means nothing before.
    elif [ "$stop" = pad ] &&
        ! wait_until 150 '[ "$(cat "$gamedir/data.dat")" = "$expected" ]' 'echo A >>"$root/tmp/pad"'; then
        fail "A at the name entry filed no name"
    elif wait_until 120 'at_menu || ! kill -0 "$launcher" 2>/dev/null' && at_menu; then
        # What the launcher handed the game: every library the port carries loaded from the
        # port's folder (the device has no SDL 1.2, and has others of them), the firmware's pad
        # mapping, the compatibility library's controller mode and sharp scaling.
        game=$(game_pid) || true
        environment=$(tr '\0' '\n' <"$root/proc/$game/environ") || true
        # Seen from outside the device, its files' paths start with its root.
        maps=$(awk '{ print $6 }' "$root/proc/$game/maps" | sed "s|^$root||" | sort -u) || true
        # The device's own copies are links to files named by their version, as /proc shows
        # them: only a path in the port's folder tells which one the game loaded.
        for lib in "$gamedir"/libs.aarch64/*; do
            grep -q -x -F "/roms/ports/dwindle/libs.aarch64/${lib##*/}" <<<"$maps" ||
                fail "the game did not load ${lib##*/} from the port's folder"
        done
        # Each a whole variable or the start of one.
        for want in "LD_LIBRARY_PATH=/roms/ports/dwindle/libs.aarch64:" \
            "SDL_GAMECONTROLLERCONFIG=19000000010000000100000000010000,Stand-in pad," \
            "SDL12COMPAT_USE_GAME_CONTROLLERS=1"$'\n' "SDL12COMPAT_SCALE_METHOD=nearest"$'\n'; do
            [[ $'\n'$environment$'\n' == *$'\n'"$want"* ]] || fail "the game runs without $want"
        done
        case "$stop" in
            pad)
                # Pressed again every five seconds until seen: a pad is not read while the
                # game holds a frame.
                wait_until 60 '! at_menu' 'echo S >>"$root/tmp/pad"' || fail "START started no game"
                wait_until 60 at_menu 'echo B >>"$root/tmp/pad"' || fail "BACK did not end the game"
                ;&  # then on as the firmware does
            firmware) kill -TERM "$launcher" || true ;;  # one ended early fails below
            hotkey) touch "$root/tmp/hotkey" ;;
        esac
    else
        fail "the game never showed its menu"
    fi
    wait_until 60 '! kill -0 "$launcher" 2>/dev/null' || fail "Dwindle.sh still runs a minute on"
    kill -KILL "$launcher" 2>/dev/null || true  # if it still runs
    status=0
    wait "$launcher" || status=$?

    [ "$status" -eq "$wanted" ] || fail "Dwindle.sh ended with status $status"
    [ -f "$root/tmp/pm_finish" ] || fail "Dwindle.sh ended without pm_finish"
    if [ "$glibc" = "$floor" ]; then
        [ -z "$(game_pid)" ] || fail "the game still runs"
        [ "$(cat "$gamedir/data.dat")" = "$expected" ] || fail "data.dat was not saved in the port's folder"
    else
        message="Dwindle needs a firmware with glibc $floor or later; this one has glibc $glibc. Please update the firmware."
        grep -q -x -F "$message" "$gamedir/log.txt" || fail "log.txt does not say: $message"
        grep -q -x -F "$message" "$root/tmp/on-screen" 2>/dev/null || fail "nothing on screen"
        ! ls "$gamedir"/SDL_window*.bmp >/dev/null 2>&1 || fail "the game started"
    fi
    # On a failure, the case's log.
    if [ "$failures" -eq "$failed_before" ]; then
        echo "ok: $case"
    else
        sed 's/^/log.txt: /' "$gamedir/log.txt" >&2 || true
    fi
done

echo "port test: $failures checks failed"
[ "$failures" -eq 0 ]
