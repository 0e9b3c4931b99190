#!/usr/bin/env bash
# Drives the real program under Xvfb with the keyboard only through one user
# story (deposit, purchase, quote, partial sale, end) and then checks the rows
# it wrote with the sqlcipher command-line tool.
#
#   smoke.sh <program dir> <build dir>
#
# Screens of the main window and of each window on the way are kept in
# <build dir>/test-output. Exit 0 = pass, 77 = skipped (a tool is missing),
# anything else = failure.
set -u

PROGDIR=$(cd "${1:?program dir}" 2>/dev/null && pwd) || { echo "FAIL: no program dir $1"; exit 1; }
BUILDDIR=$(cd "${2:?build dir}" 2>/dev/null && pwd) || { echo "FAIL: no build dir $2"; exit 1; }
OUTDIR="$BUILDDIR/test-output"
LIMIT=${SMOKE_LIMIT:-55} # seconds for the whole story

skip() { echo "SKIP: $*"; exit 77; }
fail() {
    echo "FAIL: $*"
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "$OUTDIR/smoke-failure.png" 2>/dev/null &&
            echo "screen saved to $OUTDIR/smoke-failure.png"
    fi
    [ -s "${WORK:-/nonexistent}/kapito.log" ] && { echo "program output:"; tail -20 "$WORK/kapito.log"; }
    exit 1
}
step() { echo "[$(($(date +%s) - START))s] $*"; }

for tool in Xvfb xdotool sqlcipher; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh installs it)"
done
[ -x "$PROGDIR/kapito" ] || fail "no program at $PROGDIR/kapito"
[ -x "$BUILDDIR/tools/kapito_mkdb" ] || fail "no database tool at $BUILDDIR/tools/kapito_mkdb"
mkdir -p "$OUTDIR"
rm -f "$OUTDIR"/smoke-*.png

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
# Xvfb chooses a free display itself and writes its number to the pipe only
# once it accepts connections; the socket file alone appears too early.
DISP=""
FIFO="$WORK/xvfb.display"
mkfifo "$FIFO"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$FIFO" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
if read -r -t 10 n <"$FIFO" && [ -n "$n" ]; then
    DISP=":$n"
fi
[ -n "$DISP" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
export DISPLAY=$DISP
export QT_QPA_PLATFORM=xcb
step "Xvfb on $DISPLAY"

# --- helpers -----------------------------------------------------------------------
remaining() { echo $((LIMIT - ($(date +%s) - START))); }
check_time() { [ "$(remaining)" -gt 0 ] || fail "story took longer than $LIMIT s (at: $1)"; }
app_alive() { kill -0 "$APP_PID" 2>/dev/null; }
title_of() { xdotool getwindowname "$1" 2>/dev/null; }
is_visible() { xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$1"; }

# Visible windows titled exactly $1.
windows_titled() {
    local pattern w
    pattern=$(printf '%s' "$1" | sed 's/[][\.^$*+?(){}|]/\\&/g')
    for w in $(xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null); do
        [ "$(title_of "$w")" = "$1" ] && echo "$w"
    done
}

# Waits (bounded, polling) for a visible window titled exactly $2 that is not
# one of the ids in $3; leaves its id in FOUND. Runs in this shell (not in a
# command substitution) so that a failure ends the script. With $5 = soft a
# time-out returns 1 instead.
FOUND=""
wait_window() {
    local what=$1 title=$2 known=" ${3:-} " deadline=$(($(date +%s) + ${4:-10})) w
    FOUND=""
    while [ "$(date +%s)" -le "$deadline" ]; do
        app_alive || fail "program ended while waiting for $what"
        for w in $(windows_titled "$title"); do
            case "$known" in *" $w "*) continue ;; esac
            FOUND=$w
            return 0
        done
        sleep 0.1
    done
    [ "${5:-}" = soft ] && return 1
    fail "timed out waiting for $what (\"$title\"); visible: $(for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do printf '"%s" ' "$(title_of "$w")"; done)"
}

# Waits until window $1 is no longer visible.
wait_gone() {
    local w=$1 what=$2 deadline=$(($(date +%s) + ${3:-10}))
    while [ "$(date +%s)" -le "$deadline" ]; do
        is_visible "$w" || return 0
        sleep 0.1
    done
    fail "$what did not close"
}

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || fail "cannot focus window $1"; sleep 0.2; }
keys() { xdotool key --delay 40 "$@"; sleep 0.15; }
typ() { xdotool type --delay 30 "$1"; sleep 0.15; }
shot() { # name, window id
    command -v import >/dev/null || return 0
    sleep 0.2
    import -window "$2" "$OUTDIR/smoke-$1.png" 2>/dev/null || echo "(no screenshot of $1)"
}

# Answers the question box that window $2 raises with Return (its default
# button is "Ja") and waits until the box has gone.
answer_yes() {
    wait_window "$1" "Kapito 3.6" "$MAIN" 8
    local box=$FOUND
    [ -n "${3:-}" ] && shot "$3" "$box"
    focus "$box"
    keys Return
    wait_gone "$box" "the question box ($1)" 5
}

# --- start ---------------------------------------------------------------------
cd "$WORK" || fail "cannot enter $WORK"
./kapito >"$WORK/kapito.log" 2>&1 &
APP_PID=$!
step "started kapito (pid $APP_PID)"

# The start window carries the same title; the main window is the large one
# that is left once the start window has gone.
MAIN=""
deadline=$(($(date +%s) + 20))
while [ "$(date +%s)" -le "$deadline" ]; do
    app_alive || fail "program ended during start-up: $(tail -5 "$WORK/kapito.log")"
    found=$(windows_titled "Kapito 3.6")
    if [ "$(echo "$found" | grep -c .)" -eq 1 ]; then
        g=$(xdotool getwindowgeometry "$found" 2>/dev/null | sed -n 's/.*Geometry: //p')
        if [ "${g%x*}" -ge 600 ] 2>/dev/null && [ "${g#*x}" -ge 400 ] 2>/dev/null; then
            MAIN=$found
            break
        fi
    fi
    sleep 0.2
done
[ -n "$MAIN" ] || fail "main window \"Kapito 3.6\" did not appear"
sleep 0.3
step "main window $MAIN"

# --- 1. deposit in the account window ---------------------------------------
# "&Wertpapier" shares its access key with a command button, so the menu is
# opened through the menu bar (Alt, then Down) rather than with Alt+W.
KONTO=""
for _ in 1 2 3; do
    focus "$MAIN"
    keys alt
    keys Down
    sleep 0.3
    keys d
    wait_window "the account window" "Depotkonto verwalten" "" 4 soft && KONTO=$FOUND && break
    keys Escape Escape
done
[ -n "$KONTO" ] || wait_window "the account window" "Depotkonto verwalten" "" 1
KONTO=$FOUND
step "account window $KONTO"
focus "$KONTO"
# The amount field has the focus; the text follows it. Enter in the amount books.
typ "5000"
keys Tab
typ "Einzahlung"
keys shift+Tab
shot konto "$KONTO"
keys End Return
answer_yes "the booking question" "$KONTO" frage-buchung
shot konto-gebucht "$KONTO"
focus "$KONTO"
keys Escape
wait_gone "$KONTO" "the account window"
step "deposit booked"
check_time "deposit"

# --- 2. purchase with F2 -----------------------------------------------------
focus "$MAIN"
keys F2
wait_window "the purchase window" "Wertpapier kaufen"
KAUF=$FOUND
step "purchase window $KAUF"
focus "$KAUF"
# Tab order: name, WP-KN, units, fees, price, date.
typ "Testaktie AG"
keys Tab
typ "123456"
keys Tab
typ "100"
keys Tab
typ "9,90"
keys Tab
typ "10"
shot kauf "$KAUF"
keys Return
answer_yes "the purchase question" "$KAUF"
wait_gone "$KAUF" "the purchase window"
step "package bought"
check_time "purchase"

# --- 3. a quote with Ctrl+F1 -------------------------------------------------
focus "$MAIN"
keys ctrl+F1
wait_window "the quote window" "Kurs aktualisieren"
KURS=$FOUND
step "quote window $KURS"
focus "$KURS"
typ "12,5"
shot kurs "$KURS"
keys Return
answer_yes "the quote question" "$KURS"
wait_gone "$KURS" "the quote window"
step "quote saved"
check_time "quote"

# --- 4. partial sale with F3 -------------------------------------------------
focus "$MAIN"
keys F3
wait_window "the sale window" "Wertpapier verkaufen"
VERK=$FOUND
step "sale window $VERK"
focus "$VERK"
# The units field comes first, preset with the package's units; the price
# is preset with the current quote.
keys ctrl+a BackSpace
typ "40"
keys Tab Tab
typ "10"
shot verkauf "$VERK"
keys Return
answer_yes "the sale question" "$VERK"
wait_gone "$VERK" "the sale window"
step "part sold"
check_time "sale"

# --- screenshot of the main window -----------------------------------------
focus "$MAIN"
shot main "$MAIN"
step "screenshot in $OUTDIR/smoke-main.png"

# --- 5. end with F5 and Yes ---------------------------------------------------
keys F5
answer_yes "the end question" "$MAIN"
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
check_time "end"

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

# Amounts are stored as ten-thousandths.
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
