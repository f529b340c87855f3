#!/usr/bin/env bash
# Builds the program (installing what is missing) and starts it on the bundled example race.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
example="$PWD/examples/spring-cup.lap"
# The desktop program needs a display; without one the race is summarised on the terminal.
if [ -x build/src/app/SplitDuel ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/app/SplitDuel "$example" "$@"
fi
exec build/src/cli/splitduel-cli info "$example"
