#!/usr/bin/env bash
# The preview page as a person sees it: opens preview.html in headless Chromium (the
# Debian package "chromium", installed when missing) and saves a PNG of the page.
#   scripts/preview-screenshot.sh PREVIEW.HTML [OUT.PNG] [WIDTHxHEIGHT]
# OUT.PNG defaults to preview.png beside the page, the window to 1280x1800.
set -euo pipefail
if [ $# -lt 1 ] || [ ! -f "$1" ]; then
  echo "usage: $0 PREVIEW.HTML [OUT.PNG] [WIDTHxHEIGHT]  (the page must exist)" >&2
  exit 2
fi
page=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=${2:-$(dirname "$page")/preview.png}
size=${3:-1280x1800}

if ! command -v chromium >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "preview-screenshot: installing chromium" >&2
  export DEBIAN_FRONTEND=noninteractive
  "$(dirname "${BASH_SOURCE[0]}")/apt-update.sh"
  $sudo apt-get install -y -qq --no-install-recommends chromium fonts-dejavu-core >/dev/null
fi

# A profile of its own, so no browser state of the person is read or changed.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$profile" \
  --window-size="${size/x/,}" --screenshot="$out" "file://$page" 2>/dev/null
[ -s "$out" ] || { echo "preview-screenshot: no picture was made" >&2; exit 1; }
echo "$out"
