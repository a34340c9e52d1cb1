#!/usr/bin/env bash
# Installs the Debian packages the build needs, and only those that are missing.
# Usage: scripts/deps.sh [extra packages...]
set -euo pipefail

# qt6-translations-l10n: the toolkit's own texts (standard buttons) in Chinese.
packages=(build-essential cmake ninja-build qt6-base-dev qt6-serialport-dev
          qt6-translations-l10n libgtest-dev libgmock-dev fontconfig
          # icons, the Debian package and the checks of what gets installed
          librsvg2-bin dpkg-dev file desktop-file-utils appstream shared-mime-info man-db lintian
          # fuzzing with libFuzzer
          clang libclang-rt-14-dev
          "$@")

# A font that has Chinese glyphs, so that the Chinese interface never shows boxes.
if ! command -v fc-list >/dev/null 2>&1 || [ -z "$(fc-list :lang=zh 2>/dev/null)" ]; then
  packages+=(fonts-wqy-microhei)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
