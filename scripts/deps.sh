#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Quiet and quick when everything is there already.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n
  libcurl4-openssl-dev libxml2-dev libxtst-dev
  libgtest-dev libgmock-dev libcpp-httplib-dev
  xvfb xauth x11-utils fonts-wqy-microhei dbus-daemon
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
