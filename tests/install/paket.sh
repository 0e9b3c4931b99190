#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it: the installed layout
# under /usr, a Depends line that names the package of every shared library
# the program files need, plus the German Qt texts, and lintian's verdict
# (an error fails, warnings are shown).
#
#   paket.sh <build dir>
set -u
BUILD=$(cd "${1:?build dir}" && pwd) || exit 1
WORK=$(mktemp -d /tmp/kapito-paket.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps ldd lintian; do
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
    ./usr/share/metainfo/de.kapito.kapito.metainfo.xml ./usr/share/man/man1/kapito.1.gz \
    ./usr/share/doc/kapito/copyright ./usr/share/doc/kapito/changelog.gz; do
    grep -qxF "$f" <<<"$inhalt" || fail "the package lacks $f"
done
echo "ok   layout"

depends=$(dpkg-deb -f "$DEB" Depends)
hat() { tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | grep -qxF "$1"; }
hat qt6-translations-l10n || fail "Depends lacks qt6-translations-l10n: $depends"
mkdir "$WORK/x"
dpkg-deb -x "$DEB" "$WORK/x"
# Every program and library of the package, with the libraries as the loader
# finds them for a normal user (ldconfig is in /sbin, off such a user's PATH);
# those of the package itself are skipped.
for elf in $(find "$WORK/x/usr/lib/kapito" -type f); do
    readelf -h "$elf" >/dev/null 2>&1 || continue
    gefunden=$(ldd "$elf") || fail "ldd $(basename "$elf"): $gefunden"
    for lib in $(readelf -d "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        # "libX.so.1 => /path (addr)", the loader itself as "/path/ld-linux.so.2 (addr)"
        pfad=$(awk -v l="$lib" '$1 == l && $2 == "=>" {print $3; exit}
                                $2 != "=>" && $1 ~ ("/" l "$") {print $1; exit}' <<<"$gefunden")
        [ -n "$pfad" ] && [ "$pfad" != "not" ] ||
            fail "$lib (needed by $(basename "$elf")) is not on this machine"
        case $pfad in "$WORK"/*) continue ;; esac
        paket=$(dpkg -S "$(readlink -f "$pfad")" 2>/dev/null | head -1 | cut -d: -f1)
        [ -n "$paket" ] || paket=$(dpkg -S "$pfad" 2>/dev/null | head -1 | cut -d: -f1)
        [ -n "$paket" ] || fail "no package owns $pfad"
        hat "$paket" || fail "$(basename "$elf") needs $lib of $paket, Depends has: $depends"
    done
done
echo "ok   Depends: $depends"

# Errors fail; warnings and the rest are shown for whoever reads the log.
# (Exit status 2: an error was found; 1: lintian itself failed.)
lintian --fail-on error --tag-display-limit 0 "$DEB" >"$WORK/lintian.log" 2>&1
status=$?
grep -v '^running with root privileges' "$WORK/lintian.log" | sed 's/^/     /'
[ "$status" -ne 2 ] || fail "lintian reports $(grep -c '^E: ' "$WORK/lintian.log") error(s)"
[ "$status" -eq 0 ] || fail "lintian could not check the package (exit status $status)"
echo "ok   lintian: no error, $(grep -c '^W: ' "$WORK/lintian.log") warning(s)"
