#!/usr/bin/env bash
# Checks the Debian package of a built tree: builds it with cpack, installs it with dpkg into a scratch
# root (its own dpkg database, nothing of this machine touched), and then checks that every file the
# install rules name is in the package and in place, that the package depends on no -dev package, that
# the four programs answer --help from their installed place, that the manual pages render and that the
# desktop entries and file types validate. The checkers that are missing are skipped.
#
#   scripts/check-package.sh BUILD_DIR [PACKAGE.deb]     (without PACKAGE, cpack makes one)
set -euo pipefail
build=$(cd "${1:?usage: check-package.sh BUILD_DIR [PACKAGE.deb]}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }
have() { command -v "$1" >/dev/null 2>&1; }

deb=${2:-}
if [ -z "$deb" ]; then
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
  deb=$(ls "$work"/cpack/*.deb)
fi
prefix=$(sed -n 's/^set(CPACK_PACKAGING_INSTALL_PREFIX "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$prefix" ] || fail "no install prefix in $build/CPackConfig.cmake"

# What the install rules name, installed the ordinary way into a staging folder.
DESTDIR="$work/staged" cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$work/staged" && find . -type f -o -type l | sed 's|^\.||' | sort) >"$work/rules.txt"

# The package, installed into a scratch root with a database of its own.
root=$work/root
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
touch "$root/var/lib/dpkg/status"
install_deb() {
  dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >"$work/dpkg.log" 2>&1 ||
    { cat "$work/dpkg.log" >&2; fail "dpkg could not install $(basename "$deb")"; }
}
install_deb
install_deb  # again, as an upgrade does
dpkg --root="$root" -L keltor-morvane >/dev/null || fail "the package is not registered"
(cd "$root" && find . -path ./var -prune -o \( -type f -o -type l \) -print | sed 's|^\.||' | sort) >"$work/root.txt"
if ! diff -u "$work/rules.txt" "$work/root.txt" >"$work/diff.txt"; then
  cat "$work/diff.txt" >&2
  fail "the package does not hold exactly what the install rules name (- rules, + package)"
fi

# Dependencies: runtime packages only.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
if tr ',' '\n' <<<"$depends" | grep -Eq -- '-dev( |$)'; then fail "the package depends on a -dev package"; fi

# Every kind of file where it belongs.
r=$root$prefix
expect() { [ -e "$r/$1" ] || fail "missing: $prefix/$1"; }
for tool in keltor-cli morvane-cli; do
  grep -q "/bin/$tool\$" "$work/rules.txt" || continue
  expect "bin/$tool"
  ! have help2man || expect "share/man/man1/$tool.1.gz"
  expect "share/bash-completion/completions/$tool"
done
expect "bin/keltor-cli"
expect "share/keltor-morvane/demo/demo.raw"
expect "share/keltor-morvane/demo/series.raw"
[ ! -e "$r/share/keltor-morvane/demo/USERS" ] || fail "the demo folder holds a build tree's profile"
for program in keltor morvane; do
  [ -e "$r/bin/$program" ] || continue
  expect "share/applications/$program.desktop"
  expect "share/icons/hicolor/scalable/apps/$program.svg"
  ! have help2man || expect "share/man/man1/$program.1.gz"
  expect "share/mime/packages/keltor-morvane.xml"
done

# The programs run from where they were installed, finding their data there.
for program in keltor keltor-cli morvane morvane-cli; do
  [ -x "$r/bin/$program" ] || continue
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen timeout 60 "$r/bin/$program" --help >"$work/help.txt" 2>&1 ||
    { cat "$work/help.txt" >&2; fail "$program --help failed"; }
  grep -q "Usage" "$work/help.txt" || fail "$program --help says no Usage"
done
KM_DATA_DIRECTORY=$r/share/keltor-morvane timeout 60 "$r/bin/keltor-cli" info "$r/share/keltor-morvane/demo/demo.raw" >/dev/null ||
  fail "keltor-cli cannot read the installed demo file"

# The manual pages render, the desktop entries and the file types validate.
if have man; then
  for page in "$r"/share/man/man1/*.1.gz; do
    [ -e "$page" ] || continue
    out=$(MANWIDTH=80 man -l "$page" 2>"$work/man.err") || { cat "$work/man.err" >&2; fail "man cannot render $page"; }
    grep -q "^NAME" <<<"$out" || fail "$page has no NAME section"
    ! grep -q "warning" "$work/man.err" || { cat "$work/man.err" >&2; fail "$page renders with warnings"; }
  done
fi
if have desktop-file-validate; then
  for entry in "$r"/share/applications/*.desktop; do
    [ -e "$entry" ] || continue
    desktop-file-validate "$entry" | { grep -v ': hint: ' || true; } | { ! grep .; } || fail "$entry does not validate"
  done
fi
if have xmllint; then
  for xml in "$r"/share/mime/packages/*.xml "$r"/share/icons/hicolor/scalable/apps/*.svg; do
    [ -e "$xml" ] || continue
    xmllint --noout "$xml" || fail "$xml is not well-formed"
  done
fi
if have update-mime-database && [ -d "$r/share/mime/packages" ]; then
  update-mime-database "$r/share/mime" >"$work/mime.log" 2>&1 || { cat "$work/mime.log" >&2; fail "update-mime-database refused the file types"; }
  grep -q "application/x-orve-raw" "$r/share/mime/types" || fail "the raw data type is not in the database"
  grep -q "RAW_1.0" "$r/share/mime/magic" || fail "the raw data magic is not in the database"
  grep -q "kzs" "$r/share/mime/globs2" || fail "the status file pattern is not in the database"
  if have gio; then
    # A raw data file is known by its magic text whatever its name, and a status file by its name.
    printf '3DGraphics Status File\r\n' >"$work/picture.kzs"
    for file in "$r/share/keltor-morvane/demo/demo.raw" "$r/share/keltor-morvane/demo/series.003" "$work/picture.kzs"; do
      type=$(XDG_DATA_DIRS="$r/share" gio info -a standard::content-type "$file" 2>/dev/null | sed -n 's/.*content-type: //p')
      case $file in *.kzs) want=application/x-morvane-status ;; *) want=application/x-orve-raw ;; esac
      [ "$type" = "$want" ] || fail "$(basename "$file") is taken for ${type:-nothing}, not $want"
    done
  fi
fi
echo "check-package: $(basename "$deb"), $(wc -l <"$work/root.txt") files below $prefix, all in place"
