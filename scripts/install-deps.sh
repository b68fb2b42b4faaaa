#!/usr/bin/env bash
# Installs the Debian packages that building, testing and trying ORVANDEL need.
# Only what is missing is installed; run as root (or with sudo available).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libassimp-dev
  # 3MF files: libzip makes the package, ISA-L deflates the model; lib3mf reads them back
  libzip-dev libisal-dev lib3mf-dev
  xvfb openbox xdotool x11-utils imagemagick
  # the .deb (CPack, dpkg-shlibdeps) and the checks of the installed program
  dpkg-dev file man-db desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
