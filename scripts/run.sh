#!/usr/bin/env bash
# Builds Kapito, prepares the program directory and starts the program in it.
# The program directory is ~/Kapito (or $1). An existing "aktien.mdb" is never
# overwritten; a fresh empty database is written only when none is there.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
PROG="${1:-$HOME/Kapito}"
bash "$ROOT/scripts/install-deps.sh"
bash "$ROOT/scripts/build.sh" "$ROOT/build"
mkdir -p "$PROG"
cp -rf "$ROOT/build/programm/." "$PROG/"
if [ ! -e "$PROG/aktien.mdb" ]; then
  "$ROOT/build/tools/kapito_mkdb" "$PROG/aktien.mdb"
fi
cd "$PROG"
exec ./kapito
