#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the plug-in:
# the i686 mingw-w64 cross compiler, 32-bit Wine, CMake, Ninja, tmux (the terminal
# session test), clang with libFuzzer (the fuzzers) and the GoogleTest sources; on a kernel that runs no 32-bit programs,
# the emulator that 32-bit Wine needs (i386-emulation.sh). Returns at once when
# everything is already there.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix mingw-w64-i686-dev wine wine32:i386 cmake ninja-build
          googletest g++ git tmux clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
here=$(dirname "${BASH_SOURCE[0]}")
[ ${#missing[@]} -eq 0 ] && exec "$here/i386-emulation.sh"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"$here/apt-update.sh"
$sudo apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
"$here/i386-emulation.sh"
