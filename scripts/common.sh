# Shared by ./run and ./test: install what is missing, then build incrementally.
# shellcheck shell=bash

SUMVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SUMVANE_BUILD="${SUMVANE_BUILD:-$SUMVANE_ROOT/build}"

# Everything the build, the program and the tests need, by Debian package name.
SUMVANE_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libarchive-dev libpng-dev libssl-dev zlib1g-dev
  libdeflate-dev libisal-dev libxcb1-dev
  libgtest-dev clang libclang-rt-14-dev openssl
  xvfb xdotool xclip x11-utils python3
  fonts-liberation fonts-dejavu-core fonts-ipafont-gothic
)

step() { printf '\n==> %s\n' "$*"; }

install_missing_packages() {
  local missing=()
  local pkg
  for pkg in "${SUMVANE_PACKAGES[@]}"; do
    if ! dpkg -s "$pkg" 2>/dev/null | grep -q '^Status: install ok installed'; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    step "packages: all present"
    return 0
  fi
  step "packages: installing ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

build_tree() {
  step "configure: $SUMVANE_BUILD"
  if [ ! -f "$SUMVANE_BUILD/build.ninja" ]; then
    cmake -S "$SUMVANE_ROOT" -B "$SUMVANE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  step "build"
  cmake --build "$SUMVANE_BUILD" -- -j"$(nproc)"
}
