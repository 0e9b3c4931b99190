#!/usr/bin/env bash
# Drives the real program under Xvfb with the keyboard only through one user
# story (deposit, purchase, quote, partial sale, end) and then checks the rows
# it wrote with the sqlcipher command-line tool.
#
#   smoke.sh <program dir> <build dir>
#
# Exit 0 = pass, 77 = skipped (a tool is missing), anything else = failure.
set -u

PROGDIR=${1:?program dir}
BUILDDIR=${2:?build dir}
OUTDIR="$BUILDDIR/test-output"
LIMIT=${SMOKE_LIMIT:-55} # seconds for the whole story

skip() { echo "SKIP: $*"; exit 77; }
fail() {
    echo "FAIL: $*"
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "$OUTDIR/smoke-failure.png" 2>/dev/null &&
            echo "screen saved to $OUTDIR/smoke-failure.png"
    fi
    exit 1
}
step() { echo "[$(($(date +%s) - START))s] $*"; }

for tool in Xvfb xdotool sqlcipher; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh installs it)"
done
[ -x "$PROGDIR/kapito" ] || fail "no program at $PROGDIR/kapito"
[ -x "$BUILDDIR/tools/kapito_mkdb" ] || fail "no database tool at $BUILDDIR/tools/kapito_mkdb"
mkdir -p "$OUTDIR"

START=$(date +%s)
WORK=$(mktemp -d /tmp/kapito-smoke.XXXXXX)
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# --- program directory and database -------------------------------------------
cp -r "$PROGDIR"/. "$WORK"/ || fail "cannot copy the program directory"
rm -f "$WORK/aktien.mdb" "$WORK/dbAkt.mdb"
(cd "$WORK" && "$BUILDDIR/tools/kapito_mkdb" "$WORK/aktien.mdb") >"$WORK/mkdb.log" 2>&1 ||
    fail "kapito_mkdb failed: $(cat "$WORK/mkdb.log")"
[ -f "$WORK/aktien.mdb" ] || fail "kapito_mkdb wrote no aktien.mdb"

# --- X server on a free display ------------------------------------------------
DISP=""
for n in $(seq 90 130); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
            DISP=":$n"
            break
        fi
        kill "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    fi
done
[ -n "$DISP" ] || fail "no free X display between :90 and :130"
export DISPLAY=$DISP
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
step "Xvfb on $DISPLAY"

# --- helpers -----------------------------------------------------------------------
remaining() { echo $((LIMIT - ($(date +%s) - START))); }
check_time() { [ "$(remaining)" -gt 0 ] || fail "story took longer than $LIMIT s (at: $1)"; }
app_alive() { kill -0 "$APP_PID" 2>/dev/null; }

visible_windows() { xdotool search --onlyvisible --name '.' 2>/dev/null | sort -u; }

# Waits (bounded) for a visible top-level window that is not in the list $2
# (space separated) and whose title matches $3 (regex, default any); prints its id.
wait_new_window() {
    local what=$1 known=" $2 " pattern=${3:-.} deadline=$(($(date +%s) + ${4:-10}))
    while [ "$(date +%s)" -le "$deadline" ]; do
        app_alive || fail "program ended while waiting for $what"
        for w in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null); do
            case "$known" in *" $w "*) continue ;; esac
            # Skip the tiny helper and popup windows; dialogs are larger.
            local g
            g=$(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: //p')
            local wd=${g%x*} ht=${g#*x}
            [ -n "$g" ] && [ "${wd:-0}" -ge 100 ] && [ "${ht:-0}" -ge 50 ] || continue
            echo "$w"
            return 0
        done
        sleep 0.1
    done
    fail "timed out waiting for $what"
}

# Waits until window $1 is gone (unmapped or destroyed).
wait_gone() {
    local w=$1 what=$2 deadline=$(($(date +%s) + ${3:-10}))
    while [ "$(date +%s)" -le "$deadline" ]; do
        xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$w" || return 0
        sleep 0.1
    done
    fail "$what did not close"
}

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || fail "cannot focus window $1"; sleep 0.2; }
keys() { xdotool key --delay 40 "$@"; sleep 0.15; }
typ() { xdotool type --delay 30 "$1"; sleep 0.15; }
title_of() { xdotool getwindowname "$1" 2>/dev/null; }

# Answers a question box with Return (its default button is "Ja").
answer_yes() {
    local box
    box=$(wait_new_window "$1" "$MAIN $2" "Kapito 3.6" 8)
    focus "$box"
    keys Return
    wait_gone "$box" "the question box ($1)" 5
}

# --- start ---------------------------------------------------------------------
cd "$WORK" || fail "cannot enter $WORK"
./kapito >"$WORK/kapito.log" 2>&1 &
APP_PID=$!
step "started kapito (pid $APP_PID)"

# The start window may carry the same title; the main window is the large one
# that stays after the start window has gone.
MAIN=""
deadline=$(($(date +%s) + 15))
while [ "$(date +%s)" -le "$deadline" ]; do
    app_alive || fail "program ended during start-up: $(tail -5 "$WORK/kapito.log")"
    for w in $(xdotool search --onlyvisible --name '^Kapito 3\.6$' 2>/dev/null); do
        g=$(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: //p')
        if [ "${g%x*}" -ge 600 ] 2>/dev/null && [ "${g#*x}" -ge 400 ] 2>/dev/null; then
            # Stable for half a second: the start window is gone by then.
            sleep 0.5
            if [ "$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l)" -ge 1 ] &&
                xdotool search --onlyvisible --name '^Kapito 3\.6$' 2>/dev/null | grep -qx "$w"; then
                MAIN=$w
            fi
        fi
        [ -n "$MAIN" ] && break
    done
    [ -n "$MAIN" ] && break
    sleep 0.2
done
[ -n "$MAIN" ] || fail "main window \"Kapito 3.6\" did not appear"
# Let the start window finish closing before reading the window list.
sleep 0.5
step "main window $MAIN"
BASE=$(visible_windows | tr '\n' ' ')

# --- 1. deposit in the account window ---------------------------------------
focus "$MAIN"
keys alt+w
sleep 0.3
keys d
KONTO=$(wait_new_window "the account window" "$BASE")
step "account window $KONTO \"$(title_of "$KONTO")\""
focus "$KONTO"
# The amount field takes the focus after the date; the text field follows it.
# Type the text first, then the amount, so that Enter in the amount books.
keys Tab
typ "5000"
keys Tab
typ "Einzahlung"
keys shift+Tab
keys End Return
answer_yes "the booking question" "$BASE"
focus "$KONTO"
keys Escape
wait_gone "$KONTO" "the account window"
step "deposit booked"
check_time "deposit"

# --- 2. purchase with F2 -----------------------------------------------------
focus "$MAIN"
keys F2
KAUF=$(wait_new_window "the purchase window" "$BASE")
step "purchase window $KAUF \"$(title_of "$KAUF")\""
focus "$KAUF"
typ "Testaktie AG"
keys Tab
typ "123456"
keys Tab
typ "100"
keys Tab
typ "9,90"
keys Tab
typ "10"
keys Return
answer_yes "the purchase question" "$BASE $KAUF"
wait_gone "$KAUF" "the purchase window"
step "package bought"
check_time "purchase"

# --- 3. a quote with Ctrl+F1 -------------------------------------------------
focus "$MAIN"
keys ctrl+F1
KURS=$(wait_new_window "the quote window" "$BASE")
step "quote window $KURS \"$(title_of "$KURS")\""
focus "$KURS"
typ "12,5"
keys Return
answer_yes "the quote question" "$BASE $KURS"
wait_gone "$KURS" "the quote window"
step "quote saved"
check_time "quote"

# --- 4. partial sale with F3 -------------------------------------------------
focus "$MAIN"
keys F3
VERK=$(wait_new_window "the sale window" "$BASE")
step "sale window $VERK \"$(title_of "$VERK")\""
focus "$VERK"
# The units field comes first, preset with the package's units.
keys End BackSpace BackSpace BackSpace BackSpace BackSpace
typ "40"
keys Tab Tab
typ "10"
keys Return
answer_yes "the sale question" "$BASE $VERK"
wait_gone "$VERK" "the sale window"
step "part sold"
check_time "sale"

# --- screenshot of the main window -----------------------------------------
sleep 0.3
if command -v import >/dev/null; then
    import -window "$MAIN" "$OUTDIR/smoke-main.png" 2>/dev/null ||
        import -window root "$OUTDIR/smoke-main.png" 2>/dev/null
    step "screenshot in $OUTDIR/smoke-main.png"
fi

# --- 5. end with F5 and Yes ---------------------------------------------------
focus "$MAIN"
keys F5
answer_yes "the end question" "$BASE"
for _ in $(seq 50); do
    app_alive || break
    sleep 0.1
done
app_alive && fail "program still running after F5 and Yes"
wait "$APP_PID"
rc=$?
APP_PID=""
[ "$rc" -eq 0 ] || fail "program exit status $rc"
step "program ended"

# --- the rows the story must have written -----------------------------------
sql() {
    printf "PRAGMA key='tilo3581';\n.mode list\n.separator |\n%s\n" "$1" |
        sqlcipher "$WORK/aktien.mdb" 2>&1 | grep -v '^ok$'
}
TODAY=$(date +%Y-%m-%d)
errors=0
expect() { # name, sql, expected
    local got
    got=$(sql "$2")
    if [ "$got" = "$3" ]; then
        echo "ok   $1"
    else
        echo "BAD  $1"
        echo "     expected: $3"
        echo "     got:      $got"
        errors=$((errors + 1))
    fi
}

expect "bookings (deposit, purchase, sale)" \
    "SELECT datum, text, summe FROM Gewinne ORDER BY rowid;" \
    "$TODAY|Einzahlung|50000000
$TODAY|Kauf 100 Stück Testaktie AG|-19751900
$TODAY|Verkauf 40 Stück Testaktie AG|9583600"
expect "package after purchase, quote and sale" \
    "SELECT aktie, \"WP-KNummer\", \"stück\", kaufpreis, \"gebühren\", tageskurs, altkurs, datum, kaufdatum FROM Aktiendaten;" \
    "Testaktie AG|123456|60|100000|99000|125000|100000|$TODAY|$TODAY"
expect "quote history" \
    "SELECT aktie, datum, kurs FROM kurse;" \
    "Testaktie AG|$TODAY|125000"
# Baseline: +1000 Euro bought, -490 Euro sold; the quote update on the day of
# the purchase leaves it alone because it equals the total before the update.
expect "day baseline" \
    "SELECT altallwert FROM kennwort;" \
    "5100000"
expect "display settings written at the end" \
    "SELECT count(*) FROM kennwort WHERE dmanzeige IN (0,1) AND vermanzeige IN (0,1);" \
    "1"

[ "$errors" -eq 0 ] || fail "$errors database check(s) failed"
step "all checks passed"
exit 0
