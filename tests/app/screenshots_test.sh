#!/usr/bin/env bash
# Q-31 with simulated devices, started offscreen on a screen large enough for
# the scaled look, saves a picture of every page and ends by itself.
set -euo pipefail
program=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config/Q-31" "$home/data" "$home/runtime"
chmod 700 "$home/runtime"
printf '[General]\nLANGUAGE=1033\n' >"$home/config/Q-31/Q-31.conf"
printf '{"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}\n' \
  >"$home/screen.json"
QT_QPA_PLATFORM="offscreen:configfile=$home/screen.json" XDG_CONFIG_HOME="$home/config" \
  XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
  timeout 120 "$program" --simulate --screenshots "$home/shots"
for page in main skin keyboard mouse MousePad HD HD_sound keyboard_macros mouse_macros keyboard_keys mouse_keys palette power about; do
  [[ -s "$home/shots/$page.png" ]] || { echo "no picture of the $page page" >&2; exit 1; }
done
