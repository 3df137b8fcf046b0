#!/usr/bin/env bash
# Builds the Debian package from the build folder given as $1 (as scripts/package
# does) and checks its control data, its contents and what lintian says of it.
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/q31-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/q31_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "no q31_*.deb: $(cat "$work/cpack.log")"
deb=${debs[0]}

info=$(dpkg-deb --info "$deb")
grep -q '^ Package: q31$' <<<"$info" || fail "package name: $info"
# dpkg-shlibdeps found the libraries the programs link.
for dependency in libc6 libqt6core6 libqt6widgets6 libjsoncpp25 libudev1; do
  grep -q "^ Depends:.*\b$dependency\b" <<<"$info" || fail "$dependency is not in Depends: $info"
done
grep -q ' postinst ' <<<"$info" || fail "no postinst: $info"
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./postinst | grep -q 'udevadm control --reload-rules' ||
  fail "the postinst does not reload udev"

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for file in ./usr/bin/q31 ./usr/bin/q31ctl ./usr/bin/q31-devsim ./usr/bin/q31-msg \
    ./usr/lib/udev/rules.d/70-q31.rules ./usr/share/q31/skin/res.xml ./usr/share/q31/DefaultData/keyboard.Json \
    ./usr/share/q31/DefaultData/default_light.json \
    ./usr/share/applications/q31.desktop ./usr/share/icons/hicolor/scalable/apps/q31.svg \
    ./usr/share/metainfo/io.github.q31.q31.metainfo.xml ./usr/share/man/man1/q31.1.gz ./usr/share/man/man1/q31ctl.1.gz \
    ./usr/share/doc/q31/copyright ./usr/share/doc/q31/changelog.gz; do
  grep -qxF "$file" <<<"$contents" || fail "$file is not in the package"
done

# lintian reports by tag; errors ("E:") fail the package.
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
cat "$work/lintian.log"
echo "package checked: $(basename "$deb")"
