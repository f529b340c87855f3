#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
# A private CUPS server with a PDF queue, so that one split sheet goes through the real print
# system; without root or CUPS that test is skipped.
if [ "$(id -u)" -eq 0 ] && [ -x /usr/sbin/cupsd ] && [ -x /usr/lib/cups/backend/cups-pdf ]; then
  cups_dir=$(mktemp -d)
  trap 'bash scripts/cups-pdf-queue.sh stop "$cups_dir"; rm -rf "$cups_dir"' EXIT
  eval "$(bash scripts/cups-pdf-queue.sh start "$cups_dir" | tail -n 1)"
fi
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)"
