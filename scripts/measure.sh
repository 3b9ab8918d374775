#!/usr/bin/env bash
# Runs a program on the SDL host under a private Xvfb display and reports what it costs:
# CPU (percent of one core), peak resident memory, and the spread of the intervals between the
# frames it presents (the host logs each present's time through ZF_FRAME_LOG; a program that
# draws on every 0 ms timer message presents once per message).
#
#   scripts/measure.sh PROGRAM [SECONDS]     (10 seconds by default)
set -euo pipefail

if (($# < 1)); then
    echo "usage: $0 PROGRAM [SECONDS]" >&2
    exit 2
fi
program=$(realpath "$1")
seconds=${2:-10}
work=$(mktemp -d)
xvfb_pid=""
program_pid=""

cleanup() {
    [[ -n $program_pid ]] && kill -KILL "$program_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to its output when it is ready.
Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
display=":$(head -n1 "$work/display")"
[[ $display != ":" ]] || { echo "Xvfb did not start" >&2; exit 1; }

# CPU ticks (user + system) of a process; fields 14 and 15 of its stat line.
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }

cd "$work"
DISPLAY=$display SDL_AUDIODRIVER=dummy ZF_FRAME_LOG="$work/frames.log" "$program" \
    >"$work/program.out" 2>&1 &
program_pid=$!

# Measure from the first frame on, so start-up does not count.
for _ in $(seq 200); do
    [[ -s $work/frames.log ]] && break
    kill -0 "$program_pid" 2>/dev/null || { echo "the program ended early:" >&2; cat "$work/program.out" >&2; exit 1; }
    sleep 0.05
done
[[ -s $work/frames.log ]] || { echo "the program presented nothing" >&2; exit 1; }

ticks_per_second=$(getconf CLK_TCK)
start_ticks=$(cpu_ticks "$program_pid")
xvfb_start_ticks=$(cpu_ticks "$xvfb_pid")
start_ms=$(awk 'END { print $1 }' "$work/frames.log")
sleep "$seconds"
end_ticks=$(cpu_ticks "$program_pid")
xvfb_end_ticks=$(cpu_ticks "$xvfb_pid")
peak_kib=$(awk '/^VmHWM:/ { print $2 }' "/proc/$program_pid/status")

kill -TERM "$program_pid"
for _ in $(seq 50); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
    echo "note: the program did not end on SIGTERM within 5 s; killed" >&2
else
    wait "$program_pid" || true
fi
program_pid=""

awk -v ticks="$((end_ticks - start_ticks))" -v xticks="$((xvfb_end_ticks - xvfb_start_ticks))" \
    -v hz="$ticks_per_second" -v secs="$seconds" -v peak="$peak_kib" -v from="$start_ms" '
    { count[$2]++; times[$2, count[$2]] = $1 }
    END {
        # The window that presented most often is the one the timer draws.
        for (w in count) if (count[w] > best) { best = count[w]; window = w }
        n = 0
        for (i = 2; i <= count[window]; i++) {
            if (times[window, i - 1] < from || times[window, i] > from + secs * 1000) continue
            gaps[++n] = times[window, i] - times[window, i - 1]
        }
        printf "CPU: %.1f%% of one core over %d s (Xvfb: %.1f%%)\n", 100 * ticks / hz / secs, secs, 100 * xticks / hz / secs
        printf "Peak resident memory: %.1f MiB\n", peak / 1024
        if (n < 2) { print "Frame intervals: too few frames"; exit }
        # Insertion sort: a few thousand values at most.
        for (i = 2; i <= n; i++) { v = gaps[i]; for (j = i - 1; j >= 1 && gaps[j] > v; j--) gaps[j + 1] = gaps[j]; gaps[j + 1] = v }
        rank1 = int(0.01 * n); if (rank1 < 1) rank1 = 1
        rank99 = int(0.99 * n + 0.999999); if (rank99 > n) rank99 = n
        median = (n % 2) ? gaps[(n + 1) / 2] : (gaps[n / 2] + gaps[n / 2 + 1]) / 2
        printf "Frames: %d in %d s (%.1f a second)\n", n + 1, secs, (n + 1) / secs
        printf "Frame intervals (ms): median %.3f, 1st percentile %.3f, 99th percentile %.3f, max %.3f\n", median, gaps[rank1], gaps[rank99], gaps[n]
    }' "$work/frames.log"
