#!/bin/sh
# Draw the pictures of the demo menu in examples/demo/ with ImageMagick.
#
# The PNGs are committed, so building Ostrel never needs ImageMagick; run this
# only to change the artwork.  Output is truecolour (no alpha), 96 dpi, and
# carries no time stamps, so re-running it gives the same files.
#
#   background.png           640x420  title + subtitle on a blue/teal gradient
#   <name>.png               240x56   button, normal  (corners pure magenta)
#   <name>_hi.png            240x56   button, hover   (corners pure magenta)
#   <name>_press.png         240x56   button, pressed (corners pure magenta)
#   <name>_memo.png          260x180  description panel
# for <name> in writer, painter, readme.
set -eu

cd "$(dirname "$0")/.."
OUT=examples/demo
mkdir -p "$OUT"

FONTDIR=/usr/share/fonts/truetype/dejavu
BOLD=$FONTDIR/DejaVuSans-Bold.ttf
REGULAR=$FONTDIR/DejaVuSans.ttf
LIGHT=$FONTDIR/DejaVuSans-ExtraLight.ttf

# Output options, placed just before the file name of every convert command:
# 8-bit RGB PNG (no alpha), 96 dpi, no time stamps.
SAVE="-alpha off -colorspace sRGB -units PixelsPerInch -density 96
      -define png:color-type=2 -define png:bit-depth=8
      -define png:exclude-chunk=date,time,tIME
      +set date:create +set date:modify"

# ---------------------------------------------------------------------------
# Background
# ---------------------------------------------------------------------------
# shellcheck disable=SC2086
convert -size 640x420 gradient:'#0b1a36-#0e5c66' \
    -fill none -stroke 'rgba(255,255,255,0.07)' -strokewidth 2 \
    -draw "circle 600,-20 700,-20" \
    -draw "circle 600,-20 660,-20" \
    -stroke 'rgba(255,255,255,0.05)' -strokewidth 14 \
    -draw "circle 600,-20 620,-20" \
    -stroke none -fill 'rgba(0,0,0,0.22)' -draw "rectangle 0,390 639,419" \
    -fill 'rgba(255,255,255,0.10)' -draw "rectangle 0,390 639,390" \
    -fill 'rgba(120,220,230,0.85)' -draw "rectangle 41,84 111,86" \
    -font "$BOLD" -pointsize 38 -fill 'rgba(0,0,0,0.35)' \
    -annotate +42+74 'Ostrel Demo' \
    -fill '#eaf4fb' -annotate +40+72 'Ostrel Demo' \
    -font "$LIGHT" -pointsize 17 -fill '#cfe6ee' \
    -annotate +41+104 'Choose what to install' \
    $SAVE "$OUT/background.png"

# ---------------------------------------------------------------------------
# Buttons
# ---------------------------------------------------------------------------

# button <name> <label> <state>
button() {
    name=$1 label=$2 state=$3
    dx=0 dy=0
    case $state in
    normal)
        top='#587189' bottom='#3b4e61' edge='#7d97ad' text='#e4ebf1'
        file=$OUT/$name.png ;;
    hi)
        top='#6fb0e0' bottom='#3f7fb3' edge='#c4e6ff' text='#ffffff'
        file=$OUT/${name}_hi.png ;;
    press)
        top='#24313e' bottom='#34495c' edge='#1a242d' text='#cdd8e2'
        dx=1 dy=1
        file=$OUT/${name}_press.png ;;
    esac
    # Gradient face cut out with a hard-edged (non-antialiased) rounded mask
    # and flattened on magenta, so the corners are exactly (255,0,255).
    set -- -size 240x56 "gradient:$top-$bottom" \
        \( -size 240x56 xc:black +antialias -fill white \
            -draw "roundrectangle 0,0 239,55 12,12" \) \
        -alpha off -compose CopyOpacity -composite \
        -compose Over -background magenta -flatten \
        +antialias -fill none -stroke "$edge" -strokewidth 1 \
        -draw "roundrectangle 0,0 239,55 12,12" \
        -antialias
    # picture and label are antialiased against the face only
    case $name in
    writer)  set -- "$@" -stroke '#2b2b2b' -strokewidth 1 \
        -fill '#f2c14e' -draw "translate $dx,$dy polygon 21,37 37,21 43,27 27,43" \
        -fill '#e9d3ac' -draw "translate $dx,$dy polygon 21,37 27,43 16,48" \
        -fill '#2b2b2b' -draw "translate $dx,$dy polygon 18,44 20,46 16,48" \
        -fill '#e07a7a' -draw "translate $dx,$dy polygon 37,21 40,18 46,24 43,27" ;;
    painter) set -- "$@" -stroke '#1f1f1f' -strokewidth 1 \
        -fill '#e8554e' -draw "translate $dx,$dy circle 23,23 29,23" \
        -fill '#f3c93f' -draw "translate $dx,$dy circle 37,23 43,23" \
        -fill '#4aa3df' -draw "translate $dx,$dy circle 30,34 36,34" ;;
    readme)  set -- "$@" -stroke '#1f2a33' -strokewidth 1 \
        -fill '#eef3f7' -draw "translate $dx,$dy circle 30,28 30,14" \
        -stroke none -fill '#2c4a66' \
        -draw "translate $dx,$dy circle 30,21 30,18.6" \
        -draw "translate $dx,$dy roundrectangle 28,25 32,37 1,1" ;;
    esac
    # shellcheck disable=SC2086
    convert "$@" \
        -stroke none -font "$BOLD" -pointsize 20 \
        -fill 'rgba(0,0,0,0.35)' -annotate +$((59 + dx))+$((37 + dy)) "$label" \
        -fill "$text" -annotate +$((58 + dx))+$((36 + dy)) "$label" \
        $SAVE "$file"
}

# memo <name> <title> <line1> <line2> <line3>
memo() {
    # shellcheck disable=SC2086
    convert -size 260x180 gradient:'#15263a-#0f1b29' \
        -fill none -stroke '#3d6382' -strokewidth 1 \
        -draw "rectangle 0,0 259,179" \
        -stroke none -fill '#78dce6' -draw "rectangle 16,46 56,47" \
        -font "$BOLD" -pointsize 20 -fill '#eef5fa' -annotate +16+36 "$2" \
        -font "$REGULAR" -pointsize 13 -fill '#c3d4e0' \
        -annotate +16+76 "$3" \
        -annotate +16+98 "$4" \
        -fill '#8fb4c9' -annotate +16+148 "$5" \
        $SAVE "$OUT/${1}_memo.png"
}

for state in normal hi press; do
    button writer 'Writer' $state
    button painter 'Painter' $state
    button readme 'Read me' $state
done

memo writer 'Writer' 'The word processor for letters,' \
    'reports and notes.' 'Installs in about a minute.'
memo painter 'Painter' 'Draw, paint and retouch' \
    'pictures and photographs.' 'Installs in about two minutes.'
memo readme 'Read me' 'What is new on this disc,' \
    'and how to get help.' 'Opens in a text viewer.'

echo "wrote $(ls "$OUT"/*.png | wc -l) images to $OUT"
