# Installs the Debian packages Vornel needs, where they are missing.
# Sourced by run.sh and test.sh.
#   as root:  apt-get update once, then apt-get install the missing ones
#   otherwise: print the one sudo line that would install them, and stop

vornel_missing_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            printf '%s\n' "$p"
    done
}

vornel_install() {
    local missing
    missing=$(vornel_missing_packages "$@" | tr '\n' ' ')
    [ -z "${missing// /}" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Vornel needs these Debian packages; install them with:" >&2
        echo "  sudo apt-get install -y --no-install-recommends $missing" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    # shellcheck disable=SC2086
    apt-get install -y --no-install-recommends $missing
}

# Generates the locale $1 (e.g. ja_JP.UTF-8) with Debian's locale-gen, where
# it is missing: as root, by enabling it in /etc/locale.gen; otherwise print
# the lines that would, and stop.
vornel_generate_locale() {
    local name=$1 charset=${1#*.} generated
    # `locale -a` writes the charset in lower case without its hyphens.
    generated=${name%%.*}.${charset,,}
    locale -a 2>/dev/null | grep -qxF "${generated//-/}" && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Vornel's tests run under the locale $name too; generate it with:" >&2
        echo "  echo '$name $charset' | sudo tee -a /etc/locale.gen && sudo locale-gen" >&2
        exit 1
    fi
    grep -qx "$name $charset" /etc/locale.gen ||
        sed -i "s/^# *\($name $charset\)\$/\1/" /etc/locale.gen
    grep -qx "$name $charset" /etc/locale.gen || echo "$name $charset" >>/etc/locale.gen
    locale-gen
}

# To build and to run the program; qt6-wayland lets it start on a desktop that
# has Wayland alone; Qt's translations give its print dialogs and text fields
# in Japanese; XCB's headers (and pkg-config, which finds them) for the
# startup notification of X11.
VORNEL_PACKAGES=(g++ make cmake pkg-config qt6-base-dev qt6-wayland qt6-translations-l10n
    fonts-ipafont-gothic fontconfig libxcb1-dev)
# To run the tests headless: a display server, a window manager and the tools
# that drive them; a headless Wayland compositor; the validators of the
# installed files; what `cpack -G DEB` uses to build and read a package, and
# dpkg-buildflags for its hardened build; Debian's package checker lintian and
# hardening-check (devscripts); the accessibility bus with a client that reads
# it as a screen reader does; Qt's GTK platform theme, GTK's extra themes and
# ImageMagick's `import` to take screenshots under a dark desktop theme;
# poppler's tools to read printed pages back and xclip to read the clipboard;
# Debian's locales, to run the tests in a Japanese user's locale as well;
# gdbus (libglib2.0-bin) to call the desktop's search on a private bus; the
# desktops' own search clients that load the installed files: GNOME Shell,
# run headless and driven through its Eval with python3-gi (also for a
# call to the provider larger than gdbus's arguments hold), and KDE
# Frameworks 5's KRunner library (libkf5runner-dev, which brings Qt 5 and
# extra-cmake-modules), for a small client that the test builds apart; the
# screen reader Orca with speech-dispatcher, whose dummy voice the Orca test
# speaks to (playing to ALSA's null device), to hear what a blind user hears;
# the input method fcitx5 with Mozc and fcitx5's input context for Qt 6, to
# type as a Japanese user does; and clang with its runtime libraries for
# libFuzzer, to fuzz the query reader.
VORNEL_TEST_PACKAGES=(xvfb xauth openbox xdotool x11-utils x11-xserver-utils wmctrl weston
    desktop-file-utils appstream dpkg-dev file lintian devscripts dbus-daemon at-spi2-core
    python3-pyatspi qt6-gtk-platformtheme gnome-themes-extra imagemagick poppler-utils xclip
    locales libglib2.0-bin gnome-shell python3-gi libkf5runner-dev orca speech-dispatcher fcitx5
    fcitx5-mozc fcitx5-frontend-qt6 clang libclang-rt-14-dev)
# To run the benchmarks: Google Benchmark, hyperfine for whole processes and
# a display server of their own; a light PDF viewer (mupdf) to show a chart
# beside the program, and the X extensions' headers (DAMAGE, XTEST) of the
# watcher that types into both and sees what they draw.
VORNEL_BENCH_PACKAGES=(libbenchmark-dev hyperfine xvfb mupdf libxdamage-dev libxtst-dev)
