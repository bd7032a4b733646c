#!/usr/bin/env bash
# Quorbel's two set-up commands on a fresh Debian 12 machine:
#   bash setup.sh run    install what is missing, build, start the program
#   bash setup.sh test   install what is missing, build, run the whole test suite:
#                        the tests, the tests again under sanitizers, and the fuzzers
#                        (QUORBEL_QUICK=1 stops after the first round)
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
    # 1. The suite on the release build.
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build_dir" -j"$jobs"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j"$jobs"
    [ "${QUORBEL_QUICK:-0}" = 1 ] && exit 0

    # 2. The same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORBEL_SANITIZE=ON -DQUORBEL_BUILD_BENCHMARKS=OFF
    cmake --build build-sanitize -j"$jobs"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp" \
      QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

    # 3. Every reader under libFuzzer: its corpus and past crashes first, then
    #    QUORBEL_FUZZ_SECONDS (60) of new inputs each, two targets at a time.
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORBEL_FUZZ=ON \
      -DQUORBEL_BUILD_TESTS=OFF -DQUORBEL_BUILD_BENCHMARKS=OFF
    cmake --build build-fuzz -j"$jobs" --target fuzz_all
    bash fuzz/run_all.sh build-fuzz/fuzz "${QUORBEL_FUZZ_SECONDS:-60}"
    ;;
  *)
    echo "usage: bash setup.sh run|test" >&2
    exit 2
    ;;
esac
