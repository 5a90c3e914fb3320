#!/usr/bin/env bash
# Refreshes apt's package lists. A mirror caught mid-sync fails a list ("File has
# unexpected size"): try again twice, 30 s apart, then go on with the lists that did
# arrive; the install that follows says what it cannot find.
set -uo pipefail
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
for try in 1 2 3; do
  $sudo apt-get update -qq && exit 0
  [ "$try" -lt 3 ] && { echo "setup: apt-get update failed; trying again in 30 s" >&2; sleep 30; }
done
echo "setup: apt-get update failed three times; going on with the package lists apt has" >&2
exit 0
