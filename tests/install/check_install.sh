#!/usr/bin/env bash
# Installs the build into a private prefix and checks what a desktop and a
# user find there: the program runs from its new place, the launcher is
# valid and the manual page renders without warnings.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/tarvik \
            share/applications/tarvik.desktop \
            share/icons/hicolor/48x48/apps/tarvik.png \
            share/icons/hicolor/scalable/apps/tarvik.svg \
            share/man/man1/tarvik.1; do
    [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done

version=$("$prefix/bin/tarvik" --version)
[ "$version" = "tarvik 1.55" ] || { echo "installed program says: $version"; exit 1; }

desktop-file-validate "$prefix/share/applications/tarvik.desktop"

page="$prefix/share/man/man1/tarvik.1"
warnings=$(MANWIDTH=80 MANPAGER=cat man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
for section in SYNOPSIS OPTIONS "CONSOLE COMMANDS" "EXIT STATUS" FILES; do
    MANWIDTH=80 MANPAGER=cat man -l "$page" | grep -q "^$section" || { echo "no $section in the page"; exit 1; }
done
echo "installed and checked in $prefix"
