#!/usr/bin/env bash
# Headless start of the real program on the sample data set: the program starts from its
# installation directory under Qt's offscreen platform, shows its splash, hands over to the
# main window, and closes that window again through its normal unload (which ends the
# engine). FRELANE_SMOKE_TEST makes the program report each step on stdout and close the
# main window by itself; a user never sets it.
# Usage: scripts/smoke.sh [build dir]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
install="$build/install"

if [ ! -x "$install/Frelane" ]; then
  echo "smoke: $install/Frelane was not built (Qt missing?); nothing to start"
  exit 0
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
(cd "$install" && QT_QPA_PLATFORM=offscreen FRELANE_SMOKE_TEST=1 timeout 60 ./Frelane) \
  >"$log" 2>&1 || status=$?
cat "$log"

fail() {
  echo "smoke: FAILED: $1"
  exit 1
}
[ "$status" -eq 0 ] || fail "the program exited with status $status"
grep -q "^smoke: printer ." "$log" || fail "the program has no printer to print to"
grep -q "^smoke: main window shown" "$log" || fail "the main window never opened"
grep -q "^smoke: engine ended" "$log" || fail "the engine was not ended"
grep -q "^smoke: program ended" "$log" || fail "the program did not end cleanly"
echo "smoke: passed"
