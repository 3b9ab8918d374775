#!/usr/bin/env bash
# Runs a program on the SDL host under a private Xvfb display and reports what it costs:
# CPU (percent of one core), peak resident memory, and the spread of the intervals between the
# frames it presents or the ticks it handles.
#
#   scripts/measure.sh PROGRAM [SECONDS]
#       Any program (the SDL demo), 10 seconds by default, measured from its first frame. The
#       intervals are those between presented frames (the host logs each present through
#       ZF_FRAME_LOG; a program that draws on every 0 ms timer message presents once per message).
#
#   scripts/measure.sh --game [PROGRAM] [SECONDS]
#       The game (build/default/app/zandrofel unless named), 30 seconds by default: "PLAY!" is
#       clicked on the splash, then arrow keys are typed in a fixed pattern, with a character
#       that settles a finished round or answers a box (y or Escape) after every second arrow,
#       while a busy loop keeps a second core loaded. The intervals are those between the game's
#       motion ticks (timer 1) as the program logs them through ZF_TICK_LOG, leaving out those
#       around the end of each round, when the timers stop until the next one (a sound started
#       or a box was answered).
#       A Windows build (a PROGRAM ending in .exe) is played the same way under Wine, in a prefix
#       made for the run; it logs no ticks, so only its CPU and memory are given, with the CPU
#       of the Wine server that carries its window and timer traffic.
#
#   scripts/measure.sh --scales [PROGRAM] [SECONDS]
#       The game as above three times, 30 seconds each by default, with the load average before
#       each: at 1 times on an ordinary screen (1280 x 1024), at 2 times on a dense one (2560 x
#       1600 at 192 dpi, Xft.dpi 192), and fullscreen at 3 times (3840 x 2160, Alt+Enter).
#       MEASURE_SCREEN, MEASURE_DPI, MEASURE_SCALE and MEASURE_FULLSCREEN=1 set one such run.
set -euo pipefail

usage() {
    echo "usage: $0 PROGRAM [SECONDS] | $0 --game [PROGRAM] [SECONDS]" >&2
    exit 2
}

if [[ ${1:-} == --scales ]]; then
    shift
    self=$(realpath "$0")
    run() {
        echo "== $1 (load average: $(cut -d' ' -f1-3 /proc/loadavg))"
        shift
        env "$@" "$self" --game "${args[@]}"
    }
    args=("$@")
    run "1 times, 1280 x 1024" MEASURE_SCALE=1
    run "2 times, 2560 x 1600 at 192 dpi" MEASURE_SCREEN=2560x1600x24 MEASURE_DPI=192 MEASURE_SCALE=2
    run "fullscreen at 3 times, 3840 x 2160" MEASURE_SCREEN=3840x2160x24 MEASURE_SCALE=1 MEASURE_FULLSCREEN=1
    exit 0
fi

scripts=$(cd "$(dirname "$0")" && pwd)
game=0
if [[ ${1:-} == --game ]]; then
    game=1
    shift
    if [[ -n ${1:-} && ! ${1:-} =~ ^[0-9]+$ ]]; then program=$1; shift; else
        program="$scripts/../build/default/app/zandrofel"
    fi
    seconds=${1:-30}
else
    (($# >= 1)) || usage
    program=$1
    seconds=${2:-10}
fi
[[ -x $program ]] || { echo "no program at $program" >&2; exit 1; }
program=$(realpath "$program")
work=$(mktemp -d)
xvfb_pid=""
program_pid=""
busy_pid=""

cleanup() {
    [[ -n $program_pid ]] && kill -KILL "$program_pid" 2>/dev/null || true
    if declare -F zf_wine_cleanup >/dev/null; then zf_wine_cleanup; fi
    [[ -n $busy_pid ]] && kill "$busy_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to its output when it is ready.
dpi=()
[[ -n ${MEASURE_DPI:-} ]] && dpi=(-dpi "$MEASURE_DPI")
Xvfb -displayfd 1 -screen 0 "${MEASURE_SCREEN:-1280x1024x24}" "${dpi[@]}" -nolisten tcp -noreset >"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
display=":$(head -n1 "$work/display")"
[[ $display != ":" ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=$display
[[ -n ${MEASURE_DPI:-} ]] && echo "Xft.dpi: $MEASURE_DPI" | xrdb -merge
scale=${MEASURE_SCALE:-1}

# CPU ticks (user + system) of a process; fields 14 and 15 of its stat line.
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
ticks_per_second=$(getconf CLK_TCK)

# Waits for a visible window whose title matches the pattern and prints its id.
find_window() {
    timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n1
}

stop_program() {
    kill -TERM "$program_pid"
    for _ in $(seq 50); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        echo "note: the program did not end on SIGTERM within 5 s; killed" >&2
        kill -KILL "$program_pid" 2>/dev/null || true
    else
        wait "$program_pid" || true
    fi
    program_pid=""
}

# Prints "median p1 p99 max count" of the numbers in a file, one per line.
spread() {
    sort -n "$1" | awk '{ v[++n] = $1 }
        END {
            if (n < 1) { print "0 0 0 0 0"; exit }
            rank1 = int(0.01 * n); if (rank1 < 1) rank1 = 1
            rank99 = int(0.99 * n + 0.999999); if (rank99 > n) rank99 = n
            median = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
            printf "%.3f %.3f %.3f %.3f %d\n", median, v[rank1], v[rank99], v[n], n
        }'
}

cd "$work"

if ((game == 0)); then
    SDL_AUDIODRIVER=dummy ZF_FRAME_LOG="$work/frames.log" "$program" >"$work/program.out" 2>&1 &
    program_pid=$!

    # Measure from the first frame on, so start-up does not count.
    for _ in $(seq 200); do
        [[ -s $work/frames.log ]] && break
        kill -0 "$program_pid" 2>/dev/null || { echo "the program ended early:" >&2; cat "$work/program.out" >&2; exit 1; }
        sleep 0.05
    done
    [[ -s $work/frames.log ]] || { echo "the program presented nothing" >&2; exit 1; }

    start_ticks=$(cpu_ticks "$program_pid")
    xvfb_start_ticks=$(cpu_ticks "$xvfb_pid")
    start_ms=$(awk 'END { print $1 }' "$work/frames.log")
    sleep "$seconds"
    end_ticks=$(cpu_ticks "$program_pid")
    xvfb_end_ticks=$(cpu_ticks "$xvfb_pid")
    peak_kib=$(awk '/^VmHWM:/ { print $2 }' "/proc/$program_pid/status")
    stop_program

    # The window that presented most often is the one the timer draws.
    awk -v from="$start_ms" -v secs="$seconds" '
        { count[$2]++; times[$2, count[$2]] = $1 }
        END {
            for (w in count) if (count[w] > best) { best = count[w]; window = w }
            for (i = 2; i <= count[window]; i++) {
                if (times[window, i - 1] < from || times[window, i] > from + secs * 1000) continue
                print times[window, i] - times[window, i - 1]
            }
        }' "$work/frames.log" >"$work/gaps"
    read -r median p1 p99 max n < <(spread "$work/gaps")
    awk -v t="$((end_ticks - start_ticks))" -v x="$((xvfb_end_ticks - xvfb_start_ticks))" \
        -v hz="$ticks_per_second" -v secs="$seconds" -v peak="$peak_kib" 'BEGIN {
        printf "CPU: %.1f%% of one core over %d s (Xvfb: %.1f%%)\n", 100 * t / hz / secs, secs, 100 * x / hz / secs
        printf "Peak resident memory: %.1f MiB\n", peak / 1024 }'
    if ((n < 2)); then echo "Frame intervals: too few frames"; exit 0; fi
    awk -v n="$n" -v secs="$seconds" 'BEGIN { printf "Frames: %d in %d s (%.1f a second)\n", n + 1, secs, (n + 1) / secs }'
    echo "Frame intervals (ms): median $median, 1st percentile $p1, 99th percentile $p99, max $max"
    exit 0
fi

# --- The game ---
launcher=()
if [[ $program == *.exe ]]; then
    source "$scripts/wine-prefix.sh"
    trap cleanup EXIT
    export DISPLAY=$display
    launcher=(wine)
fi
SDL_AUDIODRIVER=dummy ZF_TICK_LOG="$work/ticks.log" "${launcher[@]}" "$program" >"$work/program.out" 2>&1 &
program_pid=$!
splash=$(find_window "^Grommelin Quibbert.s Zandrofel V2\.27$")
[[ -n $splash ]] || { echo "the splash did not appear:" >&2; cat "$work/program.out" >&2; exit 1; }
# "PLAY!": dialog units (226, 123) to (279, 139), at 1.5 pixels across and 1.625 down.
# Under Wine the X window holds the frame too: the splash's client area is 429 x 237.
play_x=$((379 * scale)) play_y=$((213 * scale))
if ((${#launcher[@]})); then
    eval "$(xdotool getwindowgeometry --shell "$splash")"
    border=$(((WIDTH - 429) / 2))
    play_x=$((play_x + border)) play_y=$((play_y + HEIGHT - 237 - border))
fi
xdotool mousemove --sync --window "$splash" "$play_x" "$play_y" click 1
main=$(find_window "^Grommelin Quibbert.s Zandrofel$")
[[ -n $main ]] || { echo "the game window did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$main" 2>/dev/null || true
if [[ ${MEASURE_FULLSCREEN:-} == 1 ]]; then
    xdotool key alt+Return
    for _ in $(seq 50); do
        xdotool getwindowgeometry "$main" | grep -q "Geometry: ${MEASURE_SCREEN%x*}$" && break
        sleep 0.1
    done
    echo "Window: $(xdotool getwindowgeometry "$main" | grep Geometry)"
fi

# The other core is kept busy, as by any other program on the machine.
(while :; do :; done) &
busy_pid=$!

# This run's Wine server: the one that has our prefix in its environment.
server_pid=""
if ((${#launcher[@]})); then
    for pid in $(pgrep -x wineserver64 || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && server_pid=$pid
    done
fi
start_ticks=$(cpu_ticks "$program_pid")
xvfb_start_ticks=$(cpu_ticks "$xvfb_pid")
[[ -n $server_pid ]] && server_start_ticks=$(cpu_ticks "$server_pid")
started=$(date +%s.%N)
# Up into the road and back, with a character after every second arrow, so that a round that
# has ended is soon settled. The characters also answer the boxes of a game's end: "y" is Yes
# to another game, Escape closes an OK box or the name entry. (Not space or Enter: an arrow
# may have moved the focus of "Play Again?" to No.) Keys go to whichever window has the focus,
# as a player's would.
until awk -v s="$started" -v now="$(date +%s.%N)" -v secs="$seconds" 'BEGIN { exit !(now - s >= secs - 4) }'; do
    xdotool key --delay 200 Up y Up Escape Left y Up Escape Right y Down Escape Down y Down Escape
done
while awk -v s="$started" -v now="$(date +%s.%N)" -v secs="$seconds" 'BEGIN { exit !(now - s < secs) }'; do
    sleep 0.1
done
end_ticks=$(cpu_ticks "$program_pid")
xvfb_end_ticks=$(cpu_ticks "$xvfb_pid")
[[ -n $server_pid ]] && server_end_ticks=$(cpu_ticks "$server_pid")
peak_kib=$(awk '/^VmHWM:/ { print $2 }' "/proc/$program_pid/status")
kill "$busy_pid" 2>/dev/null || true
busy_pid=""
stop_program

if ((${#launcher[@]})); then
    awk -v t="$((end_ticks - start_ticks))" -v x="$((xvfb_end_ticks - xvfb_start_ticks))" \
        -v w="$((${server_end_ticks:-0} - ${server_start_ticks:-0}))" \
        -v hz="$ticks_per_second" -v secs="$seconds" -v peak="$peak_kib" 'BEGIN {
        printf "CPU: %.1f%% of one core over %d s of play, the other core busy (Xvfb: %.1f%%, Wine server: %.1f%%)\n", 100 * t / hz / secs, secs, 100 * x / hz / secs, 100 * w / hz / secs
        printf "Peak resident memory: %.1f MiB\n", peak / 1024 }'
    exit 0
fi

# Motion ticks of the window that ticked most, from its first tick on for the measured time.
# A round ends inside a tick (its sound is logged before the tick itself) or while a box is up,
# and the timers stay off until the next round: so the interval in which a sound or a box comes
# and the one after it are left out.
: >"$work/gaps"
: >"$work/clock"
awk -v secs="$seconds" -v gaps="$work/gaps" -v clock="$work/clock" '
    $2 == "tick" { n++; t[n] = $1; id[n] = $3; w[n] = $4; count[$4]++ }
    $2 != "tick" { n++; t[n] = $1; id[n] = "-" }
    END {
        for (x in count) if (count[x] > best) { best = count[x]; main = x }
        last = -1; lastclock = -1
        for (i = 1; i <= n; i++) {
            if (id[i] == "-") { skip = 2; skipclock = 2; continue }
            if (w[i] != main) continue
            if (from == "") from = t[i]
            if (t[i] > from + secs * 1000) break
            if (id[i] == 1) {
                ticks++
                if (last >= 0 && skip > 0) { skipped++; skip-- }
                else if (last >= 0) print t[i] - last > gaps
                last = t[i]
            } else if (id[i] == 2) {
                clockticks++
                if (lastclock >= 0 && skipclock > 0) skipclock--
                else if (lastclock >= 0) print t[i] - lastclock > clock
                lastclock = t[i]
            }
        }
        printf "%d %d %d\n", ticks, clockticks, skipped > "/dev/stderr"
    }' "$work/ticks.log" 2>"$work/counts"
read -r motion clockticks skipped <"$work/counts"
read -r median p1 p99 max n < <(spread "$work/gaps")
read -r clock_median _ _ _ clock_n < <(spread "$work/clock")
awk -v t="$((end_ticks - start_ticks))" -v x="$((xvfb_end_ticks - xvfb_start_ticks))" \
    -v hz="$ticks_per_second" -v secs="$seconds" -v peak="$peak_kib" 'BEGIN {
    printf "CPU: %.1f%% of one core over %d s of play, the other core busy (Xvfb: %.1f%%)\n", 100 * t / hz / secs, secs, 100 * x / hz / secs
    printf "Peak resident memory: %.1f MiB\n", peak / 1024 }'
echo "Ticks: $motion motion ticks and $clockticks clock ticks; $skipped intervals around the ends of rounds left out"
if ((n < 2)); then echo "Tick intervals: too few ticks"; exit 0; fi
echo "Tick intervals (ms, $n): median $median, 1st percentile $p1, 99th percentile $p99, max $max"
((clock_n > 0)) && echo "Clock tick intervals (ms, $clock_n): median $clock_median"
exit 0
