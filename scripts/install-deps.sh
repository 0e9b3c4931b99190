#!/usr/bin/env bash
# Installs the Debian packages Kapito needs to build, run and test.
# Idempotent: does nothing when everything is present. Runs as a normal user:
# it asks for sudo only when packages are missing and it is not root.
set -euo pipefail
PACKAGES=(qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
          libgl-dev libsqlcipher-dev libssl-dev sqlcipher mdbtools-dev cmake ninja-build g++ pkg-config
          fonts-liberation fonts-dejavu-core xvfb xauth xdotool imagemagick poppler-utils
          desktop-file-utils appstream dpkg-dev file python3
          # checks the Debian package
          lintian
          # static analysis of our sources
          clang-tidy
          # the sanitizer build and the fuzz targets: clang with its sanitizer and
          # libFuzzer runtimes, its linker, and llvm-symbolizer for readable reports
          clang libclang-rt-14-dev lld llvm)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Kapito needs these Debian packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  echo "Installing them with sudo (your password may be asked for)."
  SUDO=(sudo)
else
  echo "They are missing, and sudo is not available to install them." >&2
  echo "Install them as root, then run this command again:" >&2
  echo "  su -c 'apt-get install -y ${missing[*]}'" >&2
  exit 1
fi
if ! { "${SUDO[@]}" apt-get update -qq &&
       "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"; }; then
  echo "Installing the packages failed. Install them as root, then run this command again:" >&2
  echo "  apt-get install -y ${missing[*]}" >&2
  exit 1
fi
