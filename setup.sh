#!/usr/bin/env bash
# Quorbel's two set-up commands on a fresh Debian 12 machine:
#   bash setup.sh run    install what is missing, build, start the program
#   bash setup.sh test   install what is missing, build, run the whole test suite
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libgl-dev libxcb1-dev
  libcurl4-openssl-dev libssl-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk fonts-dejavu-core
)
test_packages=(xvfb xauth xdotool x11-utils xcompmgr openbox clang libclang-rt-14-dev python3)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_dir=${QUORBEL_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)

case "${1:-}" in
  run)
    install_missing "${packages[@]}"
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build_dir" -j"$jobs" --target quorbel
    exec "$build_dir/quorbel"
    ;;
  test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build_dir" -j"$jobs"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j"$jobs"
    ;;
  *)
    echo "usage: bash setup.sh run|test" >&2
    exit 2
    ;;
esac
