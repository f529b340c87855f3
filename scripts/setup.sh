#!/usr/bin/env bash
# Installs what the build needs (Debian packages, only those missing), then configures and
# builds everything into build/. Safe to run again; works as root on a fresh machine.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make qt6-base-dev libgl-dev libdeflate-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-ipafont-gothic fonts-ipafont-mincho shared-mime-info xdg-utils
          xvfb xauth cups printer-driver-cups-pdf poppler-utils chromium qt6-translations-l10n)
bash scripts/install-packages.sh "${packages[@]}"

build_dir=${BUILD_DIR:-build}
# ccache, when installed, lets several checkouts share what they compiled; it is not required.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} "${launcher[@]}" > /dev/null
cmake --build "$build_dir" -j"$(nproc)"
