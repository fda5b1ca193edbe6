#!/usr/bin/env bash
# The Debian package's files and metadata: its version is the project's, it holds
# exactly the game's files in the games layout (nothing of /usr/local or of a build
# folder), and Debian's own checkers find no fault: lintian no error (its warnings are
# printed), desktop-file-validate, appstreamcli and man no complaint.
#   DATA_DIR=build/data tests/package/package_files.sh build/package/highrise-rescue_*.deb
set -u
: "${DATA_DIR:?}"
deb=$(realpath "${1:?usage: package_files.sh <package.deb>}")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
root=$(mktemp -d /tmp/highrise-package-files-XXXXXX)
trap 'rm -rf "$root"' EXIT

# One version and day: the project's, the changelog's and the package's agree.
version=$(sed -n 's/^project(highrise VERSION \([^ )]*\).*/\1/p' "$source_dir/CMakeLists.txt")
day=$(sed -n 's/^set(HIGHRISE_RELEASE_DATE \([^ )]*\).*/\1/p' "$source_dir/CMakeLists.txt")
changelog=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
changelog_day=$(date -u -d "$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Date)" +%F)
[ -n "$version" ] && [ "$version" = "$changelog" ] ||
    fail "the project's version '$version' is not the changelog's '$changelog'"
[ "$day" = "$changelog_day" ] || fail "the project's release day $day is not the changelog's $changelog_day"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not version $version"

# Exactly these files, and folders only under /usr/games and /usr/share.
expected=$(
    echo ./usr/games/highrise-rescue
    echo ./usr/share/applications/highrise-rescue.desktop
    echo ./usr/share/doc/highrise-rescue/changelog.gz
    echo ./usr/share/doc/highrise-rescue/copyright
    for f in "$DATA_DIR"/*; do echo "./usr/share/games/highrise-rescue/${f##*/}"; done |
        grep -v '/resumed-game.bin$'
    for n in 16 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${n}x$n/apps/highrise-rescue.png"; done
    echo ./usr/share/man/man6/highrise-rescue.6.gz
    echo ./usr/share/metainfo/org.highrise_rescue.HighriseRescue.metainfo.xml
)
listing=$(dpkg -c "$deb") || fail "dpkg -c cannot read $deb"
files=$(awk '$1 !~ /^d/ { print $6 }' <<<"$listing")
extra=$(comm -13 <(sort <<<"$expected") <(sort <<<"$files"))
missing=$(comm -23 <(sort <<<"$expected") <(sort <<<"$files"))
[ -z "$extra$missing" ] || fail "the package's files differ: missing [$missing], extra [$extra]"
stray=$(awk '{ print $6 }' <<<"$listing" | grep -vE '^\./(usr/((games|share)(/.*)?)?)?$')
[ -z "$stray" ] || fail "folders outside /usr/games and /usr/share: $stray"
echo "ok: version $version of $day; $(wc -l <<<"$files") files, $(grep -c /games/highrise-rescue/ <<<"$files") of them data"

dpkg -x "$deb" "$root" || fail "dpkg -x cannot unpack $deb"
# The configured files name the installed places, and no placeholder is left.
metainfo=$root/usr/share/metainfo/org.highrise_rescue.HighriseRescue.metainfo.xml
page=$root/usr/share/man/man6/highrise-rescue.6.gz
grep -q "<release version=\"$version\" date=\"$day\"" "$metainfo" || fail "the metainfo's release is not $version of $day"
! zgrep -l '@[A-Z_]*@' "$metainfo" "$page" || fail "a configure placeholder is left"
zgrep -q '^\.I /usr/share/games/highrise-rescue/$' "$page" || fail "the man page does not name the data folder"

echo "lintian:"
# (It warns that it runs as root, which the suite does.)
lintian_out=$(lintian "$deb" 2>&1)
lintian_status=$?
lintian_out=$(grep -v '^running with root privileges' <<<"$lintian_out")
printf '%s\n' "${lintian_out:-(nothing to say)}" | sed 's/^/    /'
[ $lintian_status -eq 0 ] || fail "lintian found errors"

check() { # check <what> <command...>: passes with no complaint on stderr or stdout
    local out
    out=$("${@:2}" 2>&1 >/dev/null) || fail "$1: $out"
    [ -z "$out" ] || fail "$1 complains: $out"
}
check desktop-file-validate desktop-file-validate "$root/usr/share/applications/highrise-rescue.desktop"
check "man --warnings" man --warnings -l "$page"
# appstreamcli prints its verdict on stdout: only its status counts.
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
echo "ok: lintian without errors; desktop-file-validate, man --warnings, appstreamcli validate --no-net pass"
