#!/usr/bin/env bash
# Installs the build into a private prefix and checks what a desktop and a
# user find there: the program runs from its new place, the launcher, the
# score-file type and the software-centre metadata are valid, and the manual
# pages render without warnings. The server's files are checked when the
# build has the server.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
expected=(bin/tarvik
          share/applications/org.morlo.Tarvik.desktop
          share/metainfo/org.morlo.Tarvik.metainfo.xml
          share/mime/packages/tarvik.xml
          share/icons/hicolor/48x48/apps/tarvik.png
          share/icons/hicolor/scalable/apps/tarvik.svg
          share/man/man1/tarvik.1)
pages=(share/man/man1/tarvik.1)
if [ -x "$build/src/server/tarvik-server" ]; then
    expected+=(bin/tarvik-server
               lib/systemd/system/tarvik-server.service
               lib/sysusers.d/tarvik-server.conf
               share/man/man8/tarvik-server.8)
    pages+=(share/man/man8/tarvik-server.8)
fi
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done

version=$("$prefix/bin/tarvik" --version)
[ "$version" = "tarvik 1.55" ] || { echo "installed program says: $version"; exit 1; }

desktop-file-validate "$prefix/share/applications/org.morlo.Tarvik.desktop"
grep -qx 'MimeType=application/x-tarvik-score;' "$prefix/share/applications/org.morlo.Tarvik.desktop" ||
    { echo "the launcher does not open score files"; exit 1; }

# The score-file type: a file is known by its magic whatever its name, and
# by its name whatever it holds; other files are not taken for one.
update-mime-database "$prefix/share/mime" 2>/dev/null
printf 'Tkscore vers1530' >"$prefix/by-magic.data"
echo hello >"$prefix/by-name.tks"
echo hello >"$prefix/other.data"
for case in by-magic.data:application/x-tarvik-score by-name.tks:application/x-tarvik-score other.data:text/plain; do
    file=${case%%:*}
    type=$(XDG_DATA_DIRS="$prefix/share" XDG_DATA_HOME="$prefix/none" \
        gio info -a standard::content-type "$prefix/$file" | sed -n 's/^ *standard::content-type: //p')
    [ "$type" = "${case#*:}" ] || { echo "$file is taken for $type"; exit 1; }
done

# The unit starts the server from where it was installed.
if [ -f "$prefix/lib/systemd/system/tarvik-server.service" ]; then
    grep -qx "ExecStart=$prefix/bin/tarvik-server .*" "$prefix/lib/systemd/system/tarvik-server.service" ||
        { echo "the unit does not start the installed server"; exit 1; }
fi

for page in "${pages[@]}"; do
    warnings=$(MANWIDTH=80 MANPAGER=cat man --warnings -l "$prefix/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
done
for section in SYNOPSIS OPTIONS "CONSOLE COMMANDS" "EXIT STATUS" FILES; do
    MANWIDTH=80 MANPAGER=cat man -l "$prefix/share/man/man1/tarvik.1" | grep -q "^$section" ||
        { echo "no $section in the page"; exit 1; }
done
echo "installed and checked in $prefix"
