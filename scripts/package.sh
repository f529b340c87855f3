#!/usr/bin/env bash
# Builds the Debian package of both programs: build/splitduel_<version>_<arch>.deb.
# Install it with: apt install ./build/splitduel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps (dpkg-dev) and file find the libraries the programs need.
bash scripts/install-packages.sh dpkg-dev file
bash scripts/setup.sh
build_dir=${BUILD_DIR:-build}
(cd "$build_dir" && cpack -G DEB > /dev/null)
ls "$build_dir"/splitduel_*.deb
