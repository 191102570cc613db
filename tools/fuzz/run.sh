#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (ASan + UBSan) in build-fuzz/ and
# runs each for FUZZ_SECONDS (default 60) from a seed corpus of the sample
# game's files. Inputs that break a reader are left in
# build-fuzz/artifacts/<harness>/; the grown corpus stays in
# build-fuzz/corpus/<harness>/ for the next run.
#   tools/fuzz/run.sh                 every harness
#   tools/fuzz/run.sh Xml Profile     only these
# A developer tool: CI does not run it.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
BUILD=$ROOT/build-fuzz
SECONDS_EACH=${FUZZ_SECONDS:-60}
ALL=(Xml Profile Texts RenderSetings Particles AnimSet Scene Episodes Items LogicLists FrameAnim PanelData Replay
  AnimExport AnimCompanion Weather Tree Menus)
if [ $# -gt 0 ]; then HARNESSES=("$@"); else HARNESSES=("${ALL[@]}"); fi

cmake -S tools/fuzz -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$BUILD" -j"${FUZZ_JOBS:-8}" --target "${HARNESSES[@]/#/Fuzz}"

# Seeds: the sample game's files each harness reads, and the profile
# fixtures of the tests.
seeds() {
  case "$1" in
    Xml) find Game -iname '*.xml' ;;
    Profile) find tests/fixtures/profiles -iname '*.dat' ;;
    Texts) find Game/DataLoc tests/fixtures/rovovoz -iname '*.xml' ;;
    RenderSetings) find Game -iname '*setings*.xml' ;;
    Particles) find Game/Data/Particles -iname '*.xml' ;;
    AnimSet) find Game/Data/Animation -iname '*.xml' ;;
    Scene) find Game/Data/Level -iname "*.xml" ;;
    Episodes) find Game/DataLoc/Episodes Game/Data/Logic/logic.xml tests/fixtures/logic/DataLoc -iname '*.xml' ;;
    Items) find Game/Data/Logic tests/fixtures/logic/Data/Logic -iname '*predmets.xml' ;;
    LogicLists) find Game/Data/Logic Game/Data/Level Game/Data/Regions Game/Data/MiniGame Game/Data/Roliki \
      tests/fixtures/logic -iname "*.xml" ;;
    FrameAnim) find Game/Data/Animation tests/fixtures/effects/Data/Animation -iname "*.xml" ;;
    PanelData) find Game/Data/Interface tests/fixtures/panel -iname "*.xml" ;;
    Replay) find tests/fixtures/input -iname "*.replay" ;;
    AnimExport) find Game/Data/Animation tests/fixtures/keyframes -iname "*.xaf" ;;
    AnimCompanion) find Game/Data/Animation tests/fixtures/keyframes -iname "*.anim" ;;
    Weather) find Game/Data/Level tests/fixtures/weather -iname "*_anim.xml" ;;
    Tree) find Game/Data/Level tests/fixtures/tree -iname "*_anim.xml" ;;
    Menus) find Game/Data/Interface -iname "CreditsMenu.xml" -o -iname "Map.xml" ;;
  esac
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$ROOT/tests/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

status=0
for h in "${HARNESSES[@]}"; do
  corpus=$BUILD/corpus/$h
  artifacts=$BUILD/artifacts/$h
  mkdir -p "$corpus" "$artifacts"
  seeds "$h" | while read -r f; do cp -f "$f" "$corpus/seed-$(basename "$f")"; done
  echo "== Fuzz$h for ${SECONDS_EACH}s"
  if ! "$BUILD/Fuzz$h" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$artifacts/" "$corpus" > "$BUILD/Fuzz$h.log" 2>&1; then
    echo "Fuzz$h found a failing input (see $BUILD/Fuzz$h.log and $artifacts/)"
    status=1
  fi
  grep -E '^#[0-9]+ *DONE|^Done ' "$BUILD/Fuzz$h.log" | tail -1 || true
done
exit $status
