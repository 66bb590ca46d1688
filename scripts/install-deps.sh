#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Veltrisk need.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtk-3-dev libwebkit2gtk-4.1-dev libsoup-3.0-dev
  googletest libgtest-dev libgmock-dev
  xvfb xauth xdotool imagemagick fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
