#!/usr/bin/env bash
# Start-up time and idle memory of kv3-programmer under X (Xvfb when no
# display is set). Each run starts the program with --simulate and
# --benchmark-startup, which prints the wall-clock time of the first paint of
# the main window and its resident memory one second later, then quits.
#
#   bench/gui_startup.sh [path/to/kv3-programmer] [runs]
#
# Prints every run and the medians: launch to window shown (ms), idle RSS (MB).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/release/src/app/kv3-programmer}
runs=${2:-11}

xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$config"
}
config=$(mktemp -d)
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  display=:$((90 + RANDOM % 9))
  Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  sleep 1
fi
export XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$config
mkdir -p "$config/KV-3"
printf '\0\1\0' >"$config/KV-3/parameter"  # COM1: the simulated radio

# One warm-up run so that the shared libraries are in the page cache.
"$bin" --simulate --benchmark-startup >/dev/null

times=() rss=()
for i in $(seq "$runs"); do
  start=$(date +%s%N)
  out=$("$bin" --simulate --benchmark-startup)
  shown=$(awk '/^shown_at_ns/ {print $2}' <<<"$out")
  kb=$(awk '/^idle_rss_kb/ {print $2}' <<<"$out")
  ms=$(( (shown - start) / 1000 ))
  times+=("$ms") rss+=("$kb")
  printf 'run %2d: shown after %6.1f ms, idle RSS %6.1f MB\n' "$i" \
    "$(bc -l <<<"$ms/1000")" "$(bc -l <<<"$kb/1024")"
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
printf 'median: shown after %.1f ms, idle RSS %.1f MB (%d runs)\n' \
  "$(bc -l <<<"$(median "${times[@]}")/1000")" "$(bc -l <<<"$(median "${rss[@]}")/1024")" "$runs"
