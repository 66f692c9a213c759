#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, when any is missing.
#   scripts/deps.sh              build and Linux tests
#   scripts/deps.sh --windows    also the mingw-w64 cross compiler and Wine
#   scripts/deps.sh --fuzz       also clang 14 and its libFuzzer and sanitizer runtimes
#   scripts/deps.sh --valgrind   also valgrind
# The options combine.
set -euo pipefail

packages=(cmake g++ make rapidjson-dev libgtest-dev libbenchmark-dev binutils locales python3)
# The Python package and its tests (Debian's interpreter, /usr/bin/python3).
packages+=(python3-dev pybind11-dev python3-numpy python3-pytest)
for option in "$@"; do
  case "$option" in
    --windows) packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64) ;;
    --fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
    --valgrind) packages+=(valgrind) ;;
    *) echo "deps.sh: unknown option $option" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
