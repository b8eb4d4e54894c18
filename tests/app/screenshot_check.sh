#!/usr/bin/env bash
# screenshot_check.sh SCREENSHOT_SCRIPT BUILD_DIR OUT.png: photographs the started program with the
# README's screenshot script and checks that the picture shows the main window, not a blank screen: the
# title bar, the window's background and the empty barcode box each have their skin colour.
set -uo pipefail
script=$1 build=$2 out=$3
SW_BUILD_DIR=$build SW_SCREENSHOT_MARGIN=12 "$script" "$out"
status=$?
[ $status = 0 ] || exit $status   # 77: this machine cannot run the build's Wine (a skip)

failed=0
# expect NAME X Y R G B: the pixel at window coordinates X,Y is within 16 of R,G,B in every channel.
expect() {
  local name=$1 x=$(( $2 + 12 )) y=$(( $3 + 12 )) r=$4 g=$5 b=$6 got
  got=$(convert "$out" -format "%[fx:int(255*p{$x,$y}.r)] %[fx:int(255*p{$x,$y}.g)] %[fx:int(255*p{$x,$y}.b)]" info:)
  read -r gr gg gb <<<"$got"
  local dr=$((gr - r)) dg=$((gg - g)) db=$((gb - b))
  if [ ${dr#-} -gt 16 ] || [ ${dg#-} -gt 16 ] || [ ${db#-} -gt 16 ]; then
    echo "screenshot_check: $name at $2,$3 is $got, not $r $g $b"
    failed=1
  fi
}
expect "title bar" 400 18 0x51 0x9D 0x9D
expect "window background" 10 150 0x58 0xC9 0xB9
expect "empty barcode box" 250 100 0xFF 0xFF 0xFF
[ $failed = 0 ] && echo "screenshot_check: $out shows the main window in its skin"
exit $failed
