#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks that every file is in its
# place, and starts the installed launcher headless with fresh data folders:
# the first start creates the folder with the shipped database and the order
# form, later starts keep what is there byte for byte.
#
#   installation.sh <build dir> <source dir>
#
# A start counts as successful when the program has written its daily backup,
# which happens only after the database was opened and the main window loaded.
set -u

BUILD=$(cd "${1:?build dir}" && pwd) || exit 1
SRC=$(cd "${2:?source dir}" && pwd) || exit 1
ID=de.kapito.kapito
WORK=$(mktemp -d /tmp/kapito-installation.XXXXXX)
PREFIX=$WORK/prefix
LOG=$WORK/kapito.log
APP_PID=""

fail() {
    echo "FAIL: $*"
    [ -s "$LOG" ] && { echo "program output:"; tail -20 "$LOG"; }
    exit 1
}
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null && wait "$APP_PID" 2>/dev/null
    chmod -R u+w "$WORK" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
cd "$WORK" || exit 1

# --- the layout ------------------------------------------------------------------
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    fail "cmake --install: $(tail -5 "$WORK/install.log")"
expected=(
    bin/kapito
    lib/kapito/kapito
    lib/kapito/Kapito.html
    lib/kapito/bestellschein.txt
    lib/kapito/steuerelemente/librollix.so
    lib/kapito/vorlage/aktien.mdb
    share/applications/$ID.desktop
    share/icons/hicolor/scalable/apps/$ID.svg
    share/metainfo/$ID.metainfo.xml
    share/man/man1/kapito.1.gz
    share/doc/kapito/copyright
    share/doc/kapito/changelog.gz
)
for f in "${expected[@]}"; do
    [ -f "$PREFIX/$f" ] || fail "not installed: $f"
done
for f in bin/kapito lib/kapito/kapito; do
    [ -x "$PREFIX/$f" ] || fail "not executable: $f"
done
# Nothing else: no build tools, tests, benchmark, static libraries or headers.
# The Jet reader is a helper the program starts from its own folder.
extra=$(cd "$PREFIX" && find . ! -type d | sed 's|^\./||' | sort |
    grep -vxF -e lib/kapito/kapito_jetlesen $(printf -- '-e %s ' "${expected[@]}"))
[ -z "$extra" ] || fail "unexpected files installed: $extra"
cmp -s "$PREFIX/lib/kapito/Kapito.html" "$SRC/resources/Kapito.html" || fail "help file differs"
cmp -s "$PREFIX/lib/kapito/bestellschein.txt" "$SRC/resources/bestellschein.txt" ||
    fail "order form differs"
head -c 15 "$PREFIX/lib/kapito/vorlage/aktien.mdb" | grep -q "SQLite format" &&
    fail "the shipped database is not encrypted"

# --- starting the launcher ----------------------------------------------------------
# start <data folder> <environment...>: starts bin/kapito with only that
# environment, waits for the backup in <data folder>/Sicherungen and ends it.
start() {
    local daten=$1
    shift
    env -i PATH="$PATH" QT_QPA_PLATFORM=offscreen "$@" "$PREFIX/bin/kapito" >"$LOG" 2>&1 &
    APP_PID=$!
    local i
    for i in $(seq 150); do
        compgen -G "$daten/Sicherungen/aktien-*.mdb" >/dev/null && break
        kill -0 "$APP_PID" 2>/dev/null || fail "the program ended at the start"
        sleep 0.2
    done
    compgen -G "$daten/Sicherungen/aktien-*.mdb" >/dev/null ||
        fail "no backup in $daten after 30 s: the program did not finish its start"
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended after its start"
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null
    APP_PID=""
}
sql() { # <database> <statement>
    printf "PRAGMA key='tilo3581';\n%s\n" "$2" | sqlcipher "$1" 2>&1 | grep -v '^ok$'
}

# 1. First start: XDG_DATA_HOME names a folder that does not exist yet.
mkdir -p "$WORK/home1"
DATEN=$WORK/xdg/neu/Kapito
start "$DATEN" HOME="$WORK/home1" XDG_DATA_HOME="$WORK/xdg/neu"
[ -f "$DATEN/aktien.mdb" ] || fail "no aktien.mdb in the new data folder"
cmp -s "$DATEN/bestellschein.txt" "$PREFIX/lib/kapito/bestellschein.txt" ||
    fail "the order form was not put into the data folder"
[ -e "$WORK/home1/.local/share/Kapito" ] && fail "the data folder went to HOME despite XDG_DATA_HOME"
if command -v sqlcipher >/dev/null; then
    [ "$(sql "$DATEN/aktien.mdb" "SELECT count(*) FROM Aktiendaten;")" = 0 ] ||
        fail "the new database is not the shipped empty one"
    [ "$(sql "$DATEN/aktien.mdb" "SELECT count(*) FROM kennwort;")" = 1 ] ||
        fail "the new database has no settings row"
fi
backup=$(compgen -G "$DATEN/Sicherungen/aktien-*.mdb")
cmp -s "$backup" "$DATEN/aktien.mdb" || fail "the backup differs from the database"
echo "ok   first start: data folder created, program started"

# 2. Second start: database and the user's order form stay as they are.
before=$(sha256sum <"$DATEN/aktien.mdb")
echo "Mein eigener Bestellschein" >"$DATEN/bestellschein.txt"
rm -rf "$DATEN/Sicherungen"
start "$DATEN" HOME="$WORK/home1" XDG_DATA_HOME="$WORK/xdg/neu"
[ "$(sha256sum <"$DATEN/aktien.mdb")" = "$before" ] || fail "the second start changed aktien.mdb"
[ "$(cat "$DATEN/bestellschein.txt")" = "Mein eigener Bestellschein" ] ||
    fail "the second start replaced the order form"
echo "ok   second start: database kept byte for byte"

# 3. Without a usable XDG_DATA_HOME (a relative one is ignored) the data folder
# is ~/.local/share/Kapito.
DATEN=$WORK/home3/.local/share/Kapito
mkdir -p "$DATEN"
cp "$WORK/xdg/neu/Kapito/aktien.mdb" "$DATEN/aktien.mdb"
before=$(sha256sum <"$DATEN/aktien.mdb")
start "$DATEN" HOME="$WORK/home3" XDG_DATA_HOME=relativ
[ "$(sha256sum <"$DATEN/aktien.mdb")" = "$before" ] || fail "aktien.mdb was changed"
[ -e "$WORK/relativ" ] && fail "the relative XDG_DATA_HOME was used"
echo "ok   default data folder"

# 4. A database copied from a system that ignores case ("Aktien.mdb") is the
# user's depot: no empty "aktien.mdb" is put beside it.
DATEN=$WORK/xdg/gross/Kapito
mkdir -p "$DATEN"
cp "$WORK/xdg/neu/Kapito/aktien.mdb" "$DATEN/Aktien.mdb"
env -i PATH="$PATH" QT_QPA_PLATFORM=offscreen HOME="$WORK/home1" XDG_DATA_HOME="$WORK/xdg/gross" \
    "$PREFIX/bin/kapito" >"$LOG" 2>&1 &
APP_PID=$!
for _ in $(seq 15); do
    [ -e "$DATEN/bestellschein.txt" ] && break
    sleep 0.2
done
sleep 0.5
kill "$APP_PID" 2>/dev/null
wait "$APP_PID" 2>/dev/null
APP_PID=""
[ -e "$DATEN/bestellschein.txt" ] || fail "the launcher did not set up $DATEN"
[ -e "$DATEN/aktien.mdb" ] && fail "an empty aktien.mdb was put beside Aktien.mdb"
echo "ok   existing Aktien.mdb not shadowed by a new database"
exit 0
