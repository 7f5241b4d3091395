#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into a temporary root
# (no installation on this machine) and runs the unpacked programs from there: the
# links in usr/bin must lead to programs that find their data beside themselves.
#   test_deb.sh BUILD_DIR VERSION
# Exit status 77 (skipped) when cpack or dpkg is missing.
set -euo pipefail
build="$1"
version="$2"
for tool in cpack dpkg dpkg-deb dpkg-shlibdeps pdfinfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (tools/ensure-deps.sh installs it)"
    exit 77
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

arch="$(dpkg --print-architecture)"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
deb="$work/pkg/velmo_${version}_${arch}.deb"
[[ -f "$deb" ]] || { ls "$work/pkg"; fail "no $(basename "$deb")"; }

# What the package declares and holds.
depends="$(dpkg-deb -f "$deb" Depends)"
for dep in libqt6gui6 libqt6widgets6 libgif qt6-qpa-plugins fonts-liberation2; do
  [[ "$depends" == *"$dep"* ]] || fail "Depends lacks $dep: $depends"
done
contents="$(dpkg-deb -c "$deb")"
for f in ./usr/bin/velmo ./usr/bin/velmo-cli ./usr/lib/velmo/velmo ./usr/lib/velmo/velmo-cli \
         ./usr/lib/velmo/samples/kvr_horizontal_ch34.bcst ./usr/lib/velmo/data/ \
         ./usr/share/applications/velmo.desktop ./usr/share/mime/packages/velmo.xml \
         ./usr/share/icons/hicolor/scalable/apps/velmo.svg \
         ./usr/share/icons/hicolor/256x256/apps/velmo.png; do
  grep -qF " $f" <<<"$contents" || fail "the package lacks $f"
done

root="$work/root"
dpkg -x "$deb" "$root"
[[ -L "$root/usr/bin/velmo-cli" ]] || fail "usr/bin/velmo-cli is not a link"

# Started through the link from elsewhere, the program works from its own folder.
cd "$work"
out="$("$root/usr/bin/velmo-cli" --version)"
[[ "$out" == "velmo-cli $version" ]] || fail "--version printed '$out'"
help="$("$root/usr/bin/velmo-cli" --help)"
[[ "$help" == *"($root/usr/lib/velmo/)"* ]] || fail "folders not beside the program: $help"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/velmo-cli" report \
  "$root/usr/lib/velmo/samples/miraldo_uhf_elliptical_top.bcst" -o "$work/r.pdf" ||
  fail "report from the unpacked package failed"
pages="$(pdfinfo "$work/r.pdf" | sed -n 's/^Pages: *//p')"
[[ "$pages" == 15 ]] || fail "the report has '$pages' pages, not 15"
echo "PASS: $(basename "$deb") unpacked and run ($pages-page report)"
