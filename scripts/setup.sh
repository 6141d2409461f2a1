#!/usr/bin/env bash
# Installs what is missing from Debian's packages, then configures and builds
# CorvelXMem into build/. Safe to run again: it only does what is needed.
set -euo pipefail
cd "$(dirname "$0")/.."

# One line per purpose; a new need is one more line.
PACKAGES=(
  build-essential cmake ninja-build    # compiler and build tools
  qt6-base-dev qt6-multimedia-dev      # the window and its sounds
  libgtest-dev                         # unit tests
  xvfb xauth fonts-liberation2         # window tests and runs without a display
  clang libclang-rt-14-dev             # the sanitizer build and the fuzz targets
  desktop-file-utils appstream         # checks of the desktop entry and the metainfo
  librsvg2-bin gzip man-db             # the PNG icons, the man pages and their check
  shared-mime-info                     # the check of the listing file type
  dpkg-dev file fakeroot lintian       # the Debian package and its check
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "These Debian packages are missing: ${missing[*]}" >&2
      echo "Install them as root, then run this command again:" >&2
      echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
      exit 1
    fi
    SUDO=(sudo)
  fi
  echo "Installing Debian packages: ${missing[*]}"
  "${SUDO[@]}" apt-get update -qq
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# An existing build/ keeps the generator it was configured with.
generator=Ninja
if [ -f build/CMakeCache.txt ]; then
  cached="$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' build/CMakeCache.txt)"
  if [ -n "$cached" ]; then generator="$cached"; fi
fi
cmake -S . -B build -G "$generator" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
