#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into a scratch
# root the way dpkg would install it, and checks what it holds and declares.
# Usage: package.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1 scratch=$2
id=org.lumentormgw.LumentorMGW
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
# The suite runs on a finished build: named as the generator, Ninja spares
# cpack the Makefiles' "preinstall" pass over every target (it has none);
# the install rules, and so the package, are the same.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/cpack" -D CPACK_CMAKE_GENERATOR=Ninja \
  >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack"; }
deb=$scratch/cpack/lumentormgw_1.6_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb: $(ls "$scratch/cpack")"
root=$scratch/root
dpkg-deb -x "$deb" "$root"

# Everything under /usr, where a package belongs.
stray=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -vx '\./' || true)
[ -z "$stray" ] || fail "files outside /usr: $stray"

for page in LumentorMGW mgw mgw-gatesim mgw-import mgw-probe mgw-record; do
  gzip -dc "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH ${page^^} 1 " || fail "no manual page for $page"
done
ls "$root"/usr/lib/*/wireshark/plugins/lumentor-mgw.lua >/dev/null 2>&1 || fail "no Wireshark dissector"
# mgw --json's schema, where the manual page says it is.
grep -q '"format_version": {"const": 1}' "$root/usr/share/lumentormgw/mgw-result.schema.json" || fail "no JSON Schema"
# The packaged (stripped) programs still run; the window program without any display.
"$root/usr/bin/mgw-gatesim" --help | grep -q '^Usage: mgw-gatesim' || fail "mgw-gatesim --help"
[ "$("$root/usr/bin/mgw" --version)" = "mgw 1.6" ] || fail "mgw --version"
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/LumentorMGW" "$@"; }
[ "$(nodisplay --version)" = "LumentorMGW 1.6" ] || fail "LumentorMGW --version without a display"
nodisplay --help | grep -q -- '--port <PORT>' || fail "LumentorMGW --help without a display"

# One id ties the desktop entry, its icons and the metainfo together.
desktop=$root/usr/share/applications/$id.desktop
grep -qx "Icon=$id" "$desktop" || fail "desktop entry's Icon is not $id"
[ -x "$root/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")" ] || fail "desktop entry runs no packaged program"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "metainfo launchable"
# PNG width and height, big-endian, at bytes 16 to 23.
for size in 16 22 24 32 48 64 128 256; do
  [ "$(od -An -j16 -N8 -tu4 --endian=big "$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" | tr -s ' ')" = " $size $size" ] ||
    fail "no $size x $size icon"
done
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$id.svg" || fail "no scalable icon"
grep -qx 'License: Expat' "$root/usr/share/doc/lumentormgw/copyright" || fail "copyright names no MIT (Expat) licence"

# Every Qt library the programs load is a declared dependency, and so is the window's face.
depends=$(dpkg-deb -f "$deb" Depends)
[[ ", $depends," == *", fonts-liberation2,"* ]] || fail "Depends lacks fonts-liberation2: $depends"
needed=$(objdump -p "$root"/usr/bin/* | sed -n 's/^ *NEEDED *\(libQt6[A-Za-z]*\)\.so\.6$/\1/p' | sort -u)
objdump -p "$root/usr/bin/mgw" | grep -q 'NEEDED *libQt6Widgets' && fail "mgw links Qt Widgets"
for lib in $needed; do
  pkg=$(echo "${lib}6" | tr 'A-Z' 'a-z')
  [[ ", $depends," == *", $pkg "* || ", $depends," == *", $pkg,"* ]] || fail "Depends lacks $pkg: $depends"
done
# A Wayland desktop gets Qt's Wayland plugin.
recommends=$(dpkg-deb -f "$deb" Recommends)
[ "$recommends" = "qt6-wayland" ] || fail "Recommends is not qt6-wayland: $recommends"
echo "$deb: $depends; recommends $recommends"
