#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it: the installed layout
# under /usr, and a Depends line that names the package of every shared
# library the program files need, plus the German Qt texts.
#
#   paket.sh <build dir>
set -u
BUILD=$(cd "${1:?build dir}" && pwd) || exit 1
WORK=$(mktemp -d /tmp/kapito-paket.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK" >"$WORK/cpack.log" 2>&1 ||
    fail "cpack: $(tail -5 "$WORK/cpack.log")"
DEB=$(compgen -G "$WORK/kapito_*_*.deb") || fail "no kapito_*.deb written"
echo "ok   $(basename "$DEB")"

inhalt=$(dpkg-deb -c "$DEB" | awk '{print $6}')
for f in ./usr/bin/kapito ./usr/lib/kapito/kapito ./usr/lib/kapito/steuerelemente/librollix.so \
    ./usr/lib/kapito/Kapito.html ./usr/lib/kapito/bestellschein.txt \
    ./usr/lib/kapito/vorlage/aktien.mdb ./usr/share/applications/de.kapito.kapito.desktop \
    ./usr/share/icons/hicolor/scalable/apps/de.kapito.kapito.svg \
    ./usr/share/metainfo/de.kapito.kapito.metainfo.xml; do
    grep -qxF "$f" <<<"$inhalt" || fail "the package lacks $f"
done
echo "ok   layout"

depends=$(dpkg-deb -f "$DEB" Depends)
hat() { tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | grep -qxF "$1"; }
hat qt6-translations-l10n || fail "Depends lacks qt6-translations-l10n: $depends"
mkdir "$WORK/x"
dpkg-deb -x "$DEB" "$WORK/x"
for elf in "$WORK/x/usr/lib/kapito/kapito" $(find "$WORK/x/usr/lib/kapito" -name '*.so'); do
    for lib in $(readelf -d "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        pfad=$(ldconfig -p | awk -v l="$lib" '$1 == l && /x86-64|x32|i386/ {print $NF; exit}')
        [ -n "$pfad" ] || pfad=$(ldconfig -p | awk -v l="$lib" '$1 == l {print $NF; exit}')
        [ -n "$pfad" ] || fail "$lib (needed by $(basename "$elf")) is not on this machine"
        paket=$(dpkg -S "$(readlink -f "$pfad")" 2>/dev/null | head -1 | cut -d: -f1)
        [ -n "$paket" ] || paket=$(dpkg -S "$pfad" 2>/dev/null | head -1 | cut -d: -f1)
        [ -n "$paket" ] || fail "no package owns $pfad"
        hat "$paket" || fail "$(basename "$elf") needs $lib of $paket, Depends has: $depends"
    done
done
echo "ok   Depends: $depends"
