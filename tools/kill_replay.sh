#!/usr/bin/env bash
# Plays the sample story's replay in the real program again and again and
# kills it (SIGKILL) at a random moment of each play, then checks that the
# player's profile left behind still reads back. Not part of CI: a play
# runs at the display's pace (about 35 s for the whole story).
#
#   tools/kill_replay.sh [plays]      (default 20; BUILD=build-cc)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build-cc}"
PLAYS="${1:-20}"
PROGRAM="$BUILD/Source/LanternHallTale"
CHECKER="$BUILD/tests/test_story"
REPLAY="$ROOT/tests/fixtures/story/story.replay"
for f in "$PROGRAM" "$CHECKER"; do
  [ -x "$f" ] || { echo "not built: $f" >&2; exit 2; }
done

kills=0 losses=0 unwritten=0
for i in $(seq "$PLAYS"); do
  home="$(mktemp -d)"
  user="$home/Kestov Entertainment/LanternHallTale"
  mkdir -p "$user"
  # The replay's window points are the virtual screen's: a 1024 x 768 window.
  printf '[Video]\r\nFullScreen=0\r\nWidth=1024\r\nHeight=768\r\nWide=0\r\n' > "$user/game.ini"
  # A moment anywhere in the play, in hundredths of a second.
  delay=$(( (RANDOM % 3400) + 50 ))
  (cd "$ROOT/Game" && LHT_HEADLESS=1 SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$home" LHT_REPLAY="$REPLAY" \
     exec "$PROGRAM") > /dev/null 2>&1 &
  pid=$!
  sleep "$((delay / 100)).$(printf '%02d' $((delay % 100)))"
  if kill -KILL "$pid" 2> /dev/null; then kills=$((kills + 1)); fi
  wait "$pid" 2> /dev/null || true
  profile="$user/Users/Mira.dat"
  if [ ! -e "$profile" ]; then
    unwritten=$((unwritten + 1))
    echo "play $i: killed after ${delay}0 ms before the profile was made"
  elif LHT_CHECK_PROFILE="$profile" "$CHECKER" --gtest_filter='StoryProfileCheck.*' > "$home/check.log" 2>&1; then
    echo "play $i: killed after ${delay}0 ms, profile reads back"
  else
    losses=$((losses + 1))
    cp "$profile" "/tmp/kill_replay_lost_$i.dat"
    echo "play $i: killed after ${delay}0 ms, PROFILE LOST (kept as /tmp/kill_replay_lost_$i.dat)"
  fi
  rm -rf "$home"
done
echo "plays: $PLAYS, kills: $kills, killed before the profile existed: $unwritten, profiles lost: $losses"
[ "$losses" -eq 0 ]
