#!/usr/bin/env bash
# Builds the Debian package of both programs: build/splitduel_<version>_<arch>.deb.
# Install it with: apt install ./build/splitduel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps (dpkg-dev) and file find the libraries the programs need.
missing=()
for p in dpkg-dev file; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
bash scripts/setup.sh
build_dir=${BUILD_DIR:-build}
(cd "$build_dir" && cpack -G DEB > /dev/null)
ls "$build_dir"/splitduel_*.deb
