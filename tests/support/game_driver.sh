# Shell helpers for tests that drive the real game under a virtual display. A script
# sources this, calls `in_xvfb "$@"` (it re-runs itself under xvfb-run), `new_run
# <name>` and `start_game`. Screenshots go to $ARTIFACT_DIR/<name>.
: "${BUILD_DIR:?}" "${DATA_DIR:?}"
ARTIFACT_DIR=${ARTIFACT_DIR:-$BUILD_DIR/test-artifacts}
GAME_PID=""
fail() { echo "FAIL: $*" >&2; exit 1; }
# The server keeps running between games (-noreset): a script that starts the game
# more than once would otherwise find it resetting after the last client left.
in_xvfb() { [ -n "${IN_XVFB:-}" ] || IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"; }

# new_run <name> [own]: a fresh scratch $WORK holding a copy of the game ($WORK/highrise)
# with its own data folder beside it ($WORK/data, links to the generated files, which a
# test may take away), and an empty working folder $WORK/run. With `own` there is no
# copy: the script sets $GAME to a program of its own (an unpacked package's), which
# finds its data itself. $WORK is the game's HOME, so the player's files go to
# $SAVE_DIR (use_xdg_data_home moves them); its sound goes through ALSA's file plugin
# into $WORK/sound.raw, 16-bit unsigned stereo at 22050 Hz (mono aborts the library).
new_run() {
    SHOTS="$ARTIFACT_DIR/$1"
    rm -rf "$SHOTS" && mkdir -p "$SHOTS"
    WORK=$(mktemp -d /tmp/highrise-e2e-XXXXXX)
    # Killed outright: the library can deadlock in its own exit handlers.
    trap '[ -z "$GAME_PID" ] || kill -KILL "$GAME_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
    GAME="$WORK/highrise" SAVE_DIR="$WORK/.local/share/highrise-rescue" GAME_XDG_DATA_HOME=""
    mkdir "$WORK/run"
    if [ "${2:-}" != own ]; then
        cp "$BUILD_DIR/highrise" "$GAME"
        mkdir "$WORK/data" && ln -s "$DATA_DIR"/* "$WORK/data/"
        rm -f "$WORK/data/resumed-game.bin" # an earlier version's save, not this run's
    fi
    touch "$WORK/.set-up" # anything newer in data/ was written by the game
    printf 'pcm.!default { type file; slave { pcm { type null } }; file "%s"; format "raw" }\n' \
        "$WORK/sound.raw" >"$WORK/.asoundrc"
    printf '[sound]\nsound_freq = 22050\nsound_bits = 16\nsound_stereo = 1\n' >"$WORK/.allegrorc"
}
# use_xdg_data_home <folder>: the game runs with XDG_DATA_HOME set to the folder.
use_xdg_data_home() { GAME_XDG_DATA_HOME=$1 SAVE_DIR="$1/highrise-rescue"; }

# start_game: runs the game and waits for its 1024 x 768 drawing area, found by its size
# (the X11 driver centres it in a full-screen window); moves and shots are relative to it.
start_game() {
    local xdg=(-u XDG_DATA_HOME)
    [ -z "$GAME_XDG_DATA_HOME" ] || xdg=("XDG_DATA_HOME=$GAME_XDG_DATA_HOME")
    (cd "$WORK/run" && HOME=$WORK exec env "${xdg[@]}" "$GAME") >"$SHOTS/stdout.txt" 2>"$SHOTS/stderr.txt" &
    GAME_PID=$! GAME_WINDOW=""
    local i id
    for i in $(seq 100); do
        alive || fail "the game ended before its window appeared: $(cat "$SHOTS/stderr.txt")"
        for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$id")"
            [ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 768 ] && GAME_WINDOW=$id && return 0
        done
        sleep 0.2
    done
    fail "no 1024 x 768 game window after 20 s"
}
alive() { kill -0 "$GAME_PID" 2>/dev/null; }
shot() { LAST_SHOT="$SHOTS/$1.png" && import -window "$GAME_WINDOW" "$LAST_SHOT"; }

# find_px <x> <y> <w> <h> <awk condition on r g b> [least]: succeeds when at least `least`
# (50) pixels of the box in the last shot meet it; FOUND of them, centred at AT_X, AT_Y.
find_px() {
    read -r FOUND AT_X AT_Y <<<"$(convert "$LAST_SHOT[$3x$4+$1+$2]" rgb:- | od -An -tu1 -v -w3 |
        awk -v w="$3" -v x0="$1" -v y0="$2" '{ r = $1; g = $2; b = $3 }
            '"$5"' { n++; sx += (NR - 1) % w; sy += int((NR - 1) / w) }
            END { if (n) print n, x0 + int(sx / n), y0 + int(sy / n); else print 0, -1, -1 }')"
    [ "$FOUND" -ge "${6:-50}" ]
}
# hud_parts <least>: how many of the HUD line's parts (the bottom 19 rows: the three
# panels' text colours and the two icons) show at least that many pixels.
hud_parts() {
    convert "$LAST_SHOT[1024x18+0+750]" rgb:- | od -An -tu1 -v -w3 | awk -v least="$1" '
        { x = (NR - 1) % 1024; r = $1; g = $2; b = $3 }
        x >= 15 && x < 215 && b > 195 && b - r > 50 && g > 140 { n[1]++ }
        x >= 412 && x < 612 && g > r + 30 && g > b + 30 { n[2]++ }
        x >= 770 && x < 970 && r > 180 && g > 100 && g < 190 && b < 90 { n[3]++ }
        x >= 975 && x < 995 && b > r + 80 { n[4]++ }
        x >= 994 && r > 180 && g < 80 && b < 80 { n[5]++ }
        END { for (i = 1; i <= 5; i++) k += n[i] >= least; print k }'
}
# The screens' green "Continue" or "Play Now" face and red "Exit" face (their panel
# lies at 122, 84), and the white box of a question.
continue_face() { find_px 142 380 120 300 'g > r + 75 && g > b + 75' 1000; }
exit_face() { find_px 542 380 120 300 'r > 200 && g < 120 && b < 120' 1000; }
question_box() { find_px 272 324 480 120 'r == 255 && g == 255 && b == 255' 4000; }
# briefing <shot>: waits for the briefing screen; PLAY, RESUME and EXIT are its buttons'
# centres.
briefing() {
    wait_for 10 "$1" exit_face
    EXIT="$AT_X $AT_Y"
    find_px 342 380 120 300 'r > 150 && g > 150 && b < 110' 1000 || fail "no Resume button"
    RESUME="$AT_X $AT_Y"
    continue_face || fail "no Play Now button"
    PLAY="$AT_X $AT_Y"
}
# differ <shot> <shot> <WxH+X+Y>: pixels of the box that differ (beyond 3 %).
differ() { compare -metric AE -fuzz 3% "$SHOTS/$1.png[$3]" "$SHOTS/$2.png[$3]" null: 2>&1 | awk '{ printf "%d", $1 }'; }

# wait_for <seconds> <shot> <command...>: screenshots until the command succeeds.
wait_for() {
    local end=$((SECONDS + $1)) name=$2
    shift 2
    until shot "$name" && "$@"; do
        alive || fail "the game ended while waiting for $name"
        [ $SECONDS -lt $end ] || fail "no $name after waiting for: $*"
        sleep 0.2
    done
}

# The game samples input once a frame: clicks and keys are held as a hand would.
move() { xdotool mousemove --window "$GAME_WINDOW" "$1" "$2"; }
aim() { move $(($1 - 16)) $(($2 - 16)); } # the crosshair's centre is 16 pixels in
click() { xdotool mousedown 1 && sleep "${1:-0.2}" && xdotool mouseup 1; }
# The game reads the pointer once a frame: it must still be over the button when the
# frame after the release looks, even on a loaded machine.
click_at() { move "$1" "$2" && sleep 0.2 && click && sleep 0.3; }
press() { xdotool keydown "$1" && sleep 0.3 && xdotool keyup "$1"; }

# wait_exit <seconds>: waits for the game to end; GAME_STATUS is its exit status.
wait_exit() {
    local end=$((SECONDS + $1))
    while alive; do [ $SECONDS -lt $end ] || fail "the game did not end within $1 s" && sleep 0.1; done
    wait "$GAME_PID"
    GAME_STATUS=$? GAME_PID=""
}
