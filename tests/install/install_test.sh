#!/usr/bin/env bash
# Installs the build folder given as $1 into a temporary prefix and checks what
# a desktop finds there, and that the installed q31 runs on the installed data.
set -euo pipefail
build=$1
# Outside the build folder: a program there would read the source tree's data.
work=$(mktemp -d "${TMPDIR:-/tmp}/q31-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/q31 bin/q31ctl bin/q31-devsim bin/q31-msg \
    share/q31/DefaultData/keyboard.Json share/q31/DefaultData/default_light.json share/q31/skin/res.xml \
    share/q31/sim/keyboard.json \
    lib/udev/rules.d/70-q31.rules share/applications/q31.desktop \
    share/icons/hicolor/scalable/apps/q31.svg share/metainfo/io.github.q31.q31.metainfo.xml \
    share/man/man1/q31.1.gz share/man/man1/q31ctl.1.gz share/man/man1/q31-devsim.1.gz share/man/man1/q31-msg.1.gz; do
  [[ -f $prefix/$file ]] || fail "$file is not installed"
done
for folder in udev desktop package; do
  [[ ! -e $prefix/share/q31/$folder ]] || fail "share/q31/$folder belongs elsewhere"
done
[[ -z $(find "$prefix/bin" -type f ! -perm -u+x) ]] || fail "a program in bin/ is not executable"

desktop-file-validate "$prefix/share/applications/q31.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.q31.q31.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate: $(appstreamcli validate --no-net "$prefix/share/metainfo/"*.xml)"
modaliases=$(grep -o 'usb:v[0-9A-F]*p[0-9A-F]*' "$prefix/share/metainfo/io.github.q31.q31.metainfo.xml" | sort)
rule_ids=$(sed -n 's/.*idVendor}=="\(....\)".*idProduct}=="\(....\)".*/\1p\2/p' \
  "$prefix/lib/udev/rules.d/70-q31.rules" | tr a-f A-F | sed 's/^/usb:v/' | sort)
[[ -n $rule_ids && $modaliases == "$rule_ids" ]] || fail "the AppStream modaliases differ from the udev rule's devices"

# Each manual page holds its program's --help, line for line.
for program in q31 q31ctl q31-devsim q31-msg; do
  page=$(zcat "$prefix/share/man/man1/$program.1.gz")
  grep -q "^\.TH ${program^^} 1 " <<<"$page" || fail "$program.1 has no title line"
  diff <(sed -n '/^\.nf$/,/^\.fi$/p' <<<"$page" | sed '1d;$d' | sed 's/\\-/-/g; s/^\\&//; s/\\e/\\/g') \
    <("$prefix/bin/$program" --help) >/dev/null || fail "$program.1 is not its --help"
done

# The login entry of the installed q31ctl is a valid desktop entry.
XDG_CONFIG_HOME=$work/config "$prefix/bin/q31ctl" autostart on >/dev/null
desktop-file-validate "$work/config/autostart/q31.desktop" || fail "the autostart entry does not validate"

# The installed q31 finds its skin and documents under the prefix: it pictures
# its main window and the page of every simulated device.
run_q31() {
  local home=$1
  mkdir -p "$home/config" "$home/data" "$home/runtime" "$home/shots"
  chmod 700 "$home/runtime"
  QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$home/runtime" timeout 120 "$prefix/bin/q31" --simulate --screenshots "$home/shots" \
    >"$home/log" 2>&1 || true
  ls "$home/shots" | sort | tr '\n' ' '
}
pictures=$(run_q31 "$work/run")
[[ $pictures == "HD.png HD_sound.png MousePad.png about.png keyboard.png keyboard_keys.png keyboard_macros.png main.png mouse.png mouse_keys.png mouse_lighting.png mouse_macros.png palette.png power.png settings.png skin.png " ]] ||
  fail "the installed q31 pictured: ${pictures:-nothing}; it said: $(cat "$work/run/log")"
# And it is the prefix's data it reads: without it there is no window to picture.
mv "$prefix/share/q31" "$prefix/share/q31.away"
pictures=$(run_q31 "$work/run-without-data")
[[ -z $pictures ]] || fail "the installed q31 ran without its data folder and pictured: $pictures"
echo "installed layout checked"
