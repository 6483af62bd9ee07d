#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the build, the program and its tests
# need and the machine does not have yet. Safe to run again: when everything is
# present it only checks and exits.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev qt6-translations-l10n
  libgtest-dev nlohmann-json3-dev
  fonts-nanum fontconfig
  fcitx5-frontend-qt6
  xvfb xauth
)
# Extra groups, asked for by the callers that need them.
for group in "$@"; do
  case "$group" in
    # The tests print through a private CUPS scheduler and read PDFs back;
    # they validate the installed desktop files and build the .deb.
    test) packages+=(cups-daemon cups-client poppler-utils desktop-file-utils appstream dpkg-dev file shared-mime-info) ;;
    # CPack's DEB generator: dpkg-shlibdeps (dpkg-dev, also part of
    # build-essential) names the libraries, and file, which a minimal system
    # lacks, tells it which files are programs.
    deb) packages+=(dpkg-dev file) ;;
    icons) packages+=(librsvg2-bin) ;;
    bench) packages+=(libbenchmark-dev) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    screenshots) packages+=(imagemagick x11-utils xdotool poppler-utils) ;;
    # The end-to-end run: keys, clicks, the clipboard and screenshots under
    # Xvfb, and the private CUPS queue whose PDFs it reads.
    # The accessibility pass: the AT-SPI bus, a session bus to carry it, and
    # the Python bindings that walk the program's accessible tree.
    e2e) packages+=(xdotool xclip x11-xserver-utils imagemagick cups-daemon cups-client poppler-utils
                    at-spi2-core dbus-daemon python3-pyatspi) ;;
    *) echo "install-deps: unknown group '$group'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq </dev/null
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
