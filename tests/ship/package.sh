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
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/cpack" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack"; }
debs=("$scratch"/cpack/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
root=$scratch/root
dpkg-deb -x "$deb" "$root"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = lumentormgw ] || fail "package $(field Package)"
[ "$(field Version)" = 1.6 ] || fail "version $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture $(field Architecture)"
[ "$(basename "$deb")" = "lumentormgw_1.6_$(dpkg --print-architecture).deb" ] || fail "file name $deb"

# Everything under /usr, where a package belongs.
stray=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -vx '\./' || true)
[ -z "$stray" ] || fail "files outside /usr: $stray"

for program in LumentorMGW mgw mgw-gatesim; do
  [ -x "$root/usr/bin/$program" ] || fail "no /usr/bin/$program"
  gzip -dc "$root/usr/share/man/man1/$program.1.gz" | grep -q "^\.TH ${program^^} 1 " || fail "no manual page for $program"
done
# The packaged (stripped) simulator and command-line program still run;
# mgw needs no widget library.
"$root/usr/bin/mgw-gatesim" --help | grep -q '^Usage: mgw-gatesim' || fail "mgw-gatesim --help"
[ "$("$root/usr/bin/mgw" --version)" = "mgw 1.6" ] || fail "mgw --version"
# The window program answers --help and --version without any display.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/LumentorMGW" --version)" = "LumentorMGW 1.6" ] ||
  fail "LumentorMGW --version without a display"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/LumentorMGW" --help | grep -q -- '--port <PORT>' ||
  fail "LumentorMGW --help without a display"
objdump -p "$root/usr/bin/mgw" | grep -q 'NEEDED *libQt6Widgets' && fail "mgw links Qt Widgets"

desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
png=$root/usr/share/icons/hicolor/32x32/apps/$id.png
svg=$root/usr/share/icons/hicolor/scalable/apps/$id.svg
for f in "$desktop" "$metainfo" "$png" "$svg"; do [ -s "$f" ] || fail "missing ${f#$root}"; done

# One id ties them together: the entry's icon and command, the metainfo's id
# and launchable.
grep -qx "Icon=$id" "$desktop" || fail "desktop entry's Icon is not $id"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$exec_name" ] || fail "desktop entry runs $exec_name, not in /usr/bin"
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo launchable"

# The 32 px icon: a PNG whose header says 32 x 32.
[ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "icon is not a PNG"
[ "$(od -An -j16 -N8 -tu1 "$png" | tr -s ' ' | sed 's/^ //')" = "0 0 0 32 0 0 0 32" ] || fail "icon is not 32 x 32"
grep -q '<svg' "$svg" || fail "scalable icon is not SVG"

# The licence where Debian keeps it, in the machine-readable form, naming MIT's text.
copyright=$root/usr/share/doc/lumentormgw/copyright
[ -s "$copyright" ] || fail "no /usr/share/doc/lumentormgw/copyright"
head -n 1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright is not in the machine-readable format"
grep -qx 'License: Expat' "$copyright" || fail "copyright names no MIT (Expat) licence"

# Every Qt library the programs load is a declared dependency, and so is the
# window's face.
depends=$(field Depends)
[[ ", $depends," == *", fonts-liberation2,"* ]] || fail "Depends lacks fonts-liberation2: $depends"
needed=$(objdump -p "$root/usr/bin/LumentorMGW" "$root/usr/bin/mgw" "$root/usr/bin/mgw-gatesim" | sed -n 's/^ *NEEDED *\(libQt6[A-Za-z]*\)\.so\.6$/\1/p' | sort -u)
echo "$needed" | grep -qx libQt6Widgets || fail "LumentorMGW does not link Qt Widgets?"
for lib in $needed; do
  pkg=$(echo "${lib}6" | tr 'A-Z' 'a-z')
  [[ ", $depends," == *", $pkg "* || ", $depends," == *", $pkg,"* ]] || fail "Depends lacks $pkg: $depends"
done
echo "$deb: $depends"
