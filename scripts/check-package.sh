#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, unpacks it into a fresh temporary root and
# runs the installed programs from there: the command-line tool's --version and the desktop
# program without a display on the installed example script.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh lintian
deb=$(bash scripts/package.sh | tail -n 1)
echo "Package: $deb"
lintian --fail-on error --suppress-tags no-manual-page "$deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root/pkg"
for f in usr/bin/SplitDuel usr/bin/splitduel-cli usr/share/applications/splitduel.desktop \
         usr/share/mime/packages/splitduel.xml usr/share/icons/hicolor/scalable/apps/splitduel.svg \
         usr/share/icons/hicolor/48x48/apps/splitduel.png usr/share/man/man1/SplitDuel.1.gz \
         usr/share/man/man1/splitduel-cli.1.gz usr/share/doc/splitduel/copyright \
         usr/share/doc/splitduel/examples/spring-cup.lap; do
  [ -e "$root/pkg/$f" ] || { echo "missing from the package: $f"; exit 1; }
done

version=$("$root/pkg/usr/bin/splitduel-cli" --version)
[ "$version" = "SplitDuel 1.00" ] || { echo "unexpected version: $version"; exit 1; }
version=$("$root/pkg/usr/bin/SplitDuel" --version)
[ "$version" = "SplitDuel 1.00" ] || { echo "unexpected version: $version"; exit 1; }

mkdir -p "$root/out" "$root/config" "$root/data"
XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" \
  "$root/pkg/usr/bin/SplitDuel" -platform offscreen \
  "$root/pkg/usr/share/doc/splitduel/examples/copy-and-season.sda" "$root/out"
ls "$root/out"
[ -s "$root/out/Analysis.csv" ] || { echo "the example script wrote no Analysis.csv"; exit 1; }
echo "package check passed"
