#!/bin/sh
# Starts the installed Kapito. Its program directory - where "aktien.mdb",
# the backups and the printouts live - is the user's data folder
# $XDG_DATA_HOME/Kapito (normally ~/.local/share/Kapito). On the first start
# that folder gets the shipped empty database and the order form; an existing
# database is never touched. Help and control library stay beside the program.
set -eu

programm=$(dirname "$(readlink -f "$0")")/../lib/kapito
programm=$(cd "$programm" && pwd -P)

daten=${XDG_DATA_HOME:-}
case $daten in
/*) ;;
*) daten=${HOME:?HOME ist nicht gesetzt}/.local/share ;; # unset, empty or relative
esac
daten=$daten/Kapito

# Puts a copy of $1 in place as $2 unless $2 exists. The copy is made under a
# temporary name first, so an interrupted start leaves no half file behind;
# mv -n never replaces a file that appeared meanwhile.
einrichten() {
    [ -e "$2" ] && return 0
    neu=$(mktemp "$2.XXXXXX")
    if cp "$1" "$neu" && mv -n "$neu" "$2"; then :; fi
    rm -f "$neu"
}

mkdir -p "$daten"
# The program finds "aktien.mdb" without regard to case.
if [ -z "$(find "$daten" -maxdepth 1 -iname aktien.mdb -print)" ]; then
    einrichten "$programm/vorlage/aktien.mdb" "$daten/aktien.mdb"
fi
einrichten "$programm/bestellschein.txt" "$daten/bestellschein.txt"

cd "$daten"
exec "$programm/kapito" "$@"
