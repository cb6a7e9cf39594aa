#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-private-dev libgl-dev libcups2-dev
  fonts-liberation2 xvfb xauth poppler-utils dbus-daemon
  clang libclang-rt-14-dev
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq || true
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The engine's text tests run once more under these locales (see cmake/FrelaneTest.cmake).
# locale -a spells a charset in lower case without punctuation: tr_TR.utf8.
test_locales=("tr_TR UTF-8" "de_DE ISO-8859-1")
for entry in "${test_locales[@]}"; do
  read -r source charset <<<"$entry"
  listed="${source}.$(tr -d -- '-_' <<<"${charset,,}")"
  if ! locale -a 2>/dev/null | grep -qxF "$listed"; then
    echo "Generating locale ${source}.${charset}"
    "${sudo_cmd[@]}" localedef -i "$source" -f "$charset" "${source}.${charset}" ||
      echo "WARNING: locale ${source}.${charset} could not be generated; its tests will skip"
  fi
done
