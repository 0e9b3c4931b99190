#!/usr/bin/env bash
# Installs the Debian packages Kapito needs to build, run and test.
# Idempotent: does nothing when everything is present.
set -euo pipefail
PACKAGES=(qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
          libgl-dev libsqlcipher-dev sqlcipher mdbtools-dev cmake ninja-build g++ pkg-config
          fonts-liberation fonts-dejavu-core xvfb xauth xdotool imagemagick poppler-utils)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
