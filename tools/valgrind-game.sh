#!/usr/bin/env bash
# Plays a short game under valgrind's memcheck on the current X display:
# start, look around, click, walk, then close the window twice. The report
# goes to build/valgrind.log; "definitely lost" blocks from the game's own
# code would show frames in app/, scene/, monitor/, sound/ or sim/.
set -u
cd "$(dirname "$0")/../build"
valgrind --leak-check=full --num-callers=30 --log-file=valgrind.log ./curavant >/dev/null 2>&1 &
game=$!
./curavant-probe wait ../data/logo.png --timeout 240 >/dev/null
xdotool mousemove 20 10 click 1 sleep 2 key Down Return sleep 15
xdotool mousemove 600 330 sleep 2 mousemove 640 330 sleep 2 click 1 sleep 3
xdotool key Up Up Down sleep 3
./curavant-probe close
sleep 8
./curavant-probe close
wait "$game"
echo "exit status $?"
grep -A4 "LEAK SUMMARY" valgrind.log
