#!/usr/bin/env bash
# Regenerates the tool's artwork beside this script: the window background
# (background.jpg), the white panel with the heading and the field labels
# (panel.jpg) and the application icon (quillorn.ico). The output is
# deterministic: no random numbers, no time stamps, so a rerun changes no byte
# as long as ImageMagick and the font stay the same version. The build only
# reads the generated files; run this after changing the artwork.
# Usage: app/artwork/make-artwork.sh
set -euo pipefail
export LC_ALL=C   # awk's decimal point and seq's numbers never follow the locale

here=$(cd "$(dirname "$0")" && pwd)
font_package=fonts-wqy-microhei
font_file=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

install_missing() {
  local missing=()
  command -v convert >/dev/null 2>&1 || missing+=(imagemagick)
  [ -f "$font_file" ] || missing+=("$font_package")
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}
install_missing

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Baseline JPEG without metadata: every viewer and OleLoadPicture read it.
jpeg_options=(-strip -interlace none -colorspace sRGB -type TrueColor)
# PNG pieces (the large icon images) without the time chunks ImageMagick adds.
png_options=(-strip -define png:exclude-chunks=date,time)

# ---------------------------------------------------------------------------
# panel.jpg: 1100 x 600, white, heading and seven outlined rows with labels.
# Rows: top of the box and the x of the line closing its label cell.
row_tops=(68 122 176 230 284 338 392)
cell_lines=(138 122 138 170 253 202 170)
labels=("服务器票据" "游戏模式" "最大玩家数" "服务器游戏风格" "为服务器起一个友好的名字" "玩家对服务器的描述" "设置服务器密码")
has_chevron=(0 1 0 1 0 0 0)
row_left=34
row_right=1063
row_height=38
label_size=16       # the longest label, 12 characters, fits 34..253 with room
label_left=46       # 12 pixels inside the row box

border_grey='#C9CCD1'
cell_grey='#F3F4F6'
label_grey='#6B6F76'
heading_dark='#2B2D31'

panel_shapes="$work/panel.mvg"
{
  echo "stroke-antialias false"
  echo "stroke-width 1"
  for i in "${!row_tops[@]}"; do
    top=${row_tops[$i]}
    bottom=$((top + row_height - 1))
    line=${cell_lines[$i]}
    echo "stroke none fill '$cell_grey' rectangle $row_left,$top $line,$bottom"
    echo "stroke '$border_grey' fill none rectangle $row_left,$top $row_right,$bottom"
    echo "stroke '$border_grey' line $line,$top $line,$bottom"
    if [ "${has_chevron[$i]}" = 1 ]; then
      cx=$((row_right - 22))
      cy=$((top + row_height / 2))
      echo "stroke-antialias true stroke '$label_grey' stroke-width 1.6 fill none"
      echo "polyline $((cx - 6)),$((cy - 3)) $cx,$((cy + 3)) $((cx + 6)),$((cy - 3))"
      echo "stroke-antialias false stroke-width 1"
    fi
  done
} >"$panel_shapes"

panel_text=()
for i in "${!row_tops[@]}"; do
  # The baseline 6 px below the row's centre line centres this font's 16 px
  # glyphs on the row.
  baseline=$((row_tops[i] + row_height / 2 + 6))
  panel_text+=(-annotate "+$label_left+$baseline" "${labels[$i]}")
done

convert -size 1100x600 xc:white \
  -draw "$(cat "$panel_shapes")" \
  -font "$font_file" \
  -fill "$label_grey" -stroke none -pointsize $label_size "${panel_text[@]}" \
  -fill "$heading_dark" -stroke "$heading_dark" -strokewidth 0.5 -pointsize 22 \
  -annotate +34+46 "配置服务器" \
  "${jpeg_options[@]}" -sampling-factor 1x1 -quality 94 "$here/panel.jpg"

# ---------------------------------------------------------------------------
# background.jpg: 1440 x 640, warm orange, no text. The white panel covers
# x 160..1256, y 16..616 of it, so the decoration lives in the side strips:
# a glow with rays spreading from behind the panel, soft light discs, and
# autumn leaves drifting in from the corners.
width=1440
height=640
centre_x=708
centre_y=316

rays="$work/rays.mvg"
{
  echo "fill 'rgba(255,236,200,0.16)' stroke none"
  # 24 wedges, every other one lit, 7.5 degrees each.
  for k in $(seq 0 2 47); do
    awk -v k="$k" -v cx=$centre_x -v cy=$centre_y 'BEGIN {
      pi = atan2(0, -1); r = 1200; a = k * 7.5 * pi / 180; b = (k + 1) * 7.5 * pi / 180
      printf "polygon %d,%d %.1f,%.1f %.1f,%.1f\n", cx, cy, cx + r * cos(a), cy + r * sin(a), cx + r * cos(b), cy + r * sin(b)
    }'
  done
} >"$rays"

discs="$work/discs.mvg"
{
  echo "stroke none"
  # x, y, radius, opacity: light discs, mostly in the side strips.
  while read -r x y r a; do
    echo "fill 'rgba(255,244,220,$a)' circle $x,$y $((x + r)),$y"
  done <<'DISCS'
70 120 46 0.22
128 300 22 0.28
40 470 30 0.18
110 575 58 0.14
1330 90 34 0.24
1400 250 60 0.14
1300 420 24 0.30
1380 560 40 0.20
600 8 14 0.25
980 630 18 0.22
DISCS
} >"$discs"

leaves="$work/leaves.mvg"
{
  # x, y, angle, length, colour: a leaf is two curves meeting at its tip,
  # with a lighter vein.
  while read -r x y angle length colour; do
    awk -v x="$x" -v y="$y" -v a="$angle" -v l="$length" -v c="$colour" 'BEGIN {
      printf "push graphic-context\ntranslate %d,%d\nrotate %d\n", x, y, a
      printf "fill \"%s\" stroke none\n", c
      printf "path \"M 0,0 C %.1f,%.1f %.1f,%.1f %d,0 C %.1f,%.1f %.1f,%.1f 0,0 Z\"\n", \
        l * 0.25, -l * 0.42, l * 0.78, -l * 0.30, l, l * 0.78, l * 0.30, l * 0.25, l * 0.42
      printf "fill none stroke \"%s\" stroke-width %.1f\n", c, l / 30
      printf "line %d,0 0,0\n", -l * 0.16
      printf "stroke \"rgba(255,226,180,0.45)\" stroke-width %.1f\n", l / 50
      printf "line %d,0 %d,0\n", l * 0.08, l * 0.86
      printf "pop graphic-context\n"
    }'
  done <<'LEAVES'
20 600 -40 120 #C9480A
90 640 -70 95 #E0640F
-10 520 -15 90 #B83C08
140 612 -100 70 #F08A2A
60 40 30 110 #D2540C
-8 96 10 80 #E77418
118 -6 70 72 #C44509
52 372 -25 48 #F29A2E
104 214 35 38 #D85A0E
1425 20 150 120 #C9480A
1350 -10 115 90 #E0640F
1448 140 190 85 #B83C08
1290 24 130 64 #F08A2A
1420 610 210 115 #D2540C
1330 650 250 80 #E77418
1446 500 170 70 #C44509
1362 338 200 52 #F29A2E
1298 236 150 36 #D85A0E
LEAVES
} >"$leaves"

convert -size ${width}x${height} \
  \( gradient:'#FFA23A-#EC640C' \) \
  \( -size ${width}x${height} radial-gradient:'rgba(255,214,140,0.75)-rgba(255,214,140,0)' \
     -distort SRT "$centre_x,$centre_y 1.25,0.9 0" \) -compose screen -composite \
  \( -size ${width}x${height} xc:none -draw "$(cat "$rays")" -blur 0x6 \) -compose over -composite \
  \( -size ${width}x${height} xc:none -draw "$(cat "$discs")" -blur 0x3 \) -compose over -composite \
  \( -size ${width}x${height} xc:none -draw "$(cat "$leaves")" \
     \( +clone -background 'rgba(110,30,0,0.6)' -shadow 60x5+4+5 \) +swap \
     -background none -layers merge +repage -crop ${width}x${height}+0+0 +repage \) \
  -compose over -composite \
  \( -size ${width}x${height} radial-gradient:'rgba(0,0,0,0)-rgba(120,40,0,0.28)' \
     -distort SRT "$centre_x,$centre_y 1.1,1.0 0" \) -compose over -composite \
  -compose over -flatten \
  "${jpeg_options[@]}" -sampling-factor 2x2 -quality 88 "$here/background.jpg"

# ---------------------------------------------------------------------------
# quillorn.ico: an orange rounded square holding three white server bars, each
# with an orange status light. Every size is drawn on its own pixel grid (16
# units of size/16 pixels, edges rounded to whole pixels) so that even the
# 16-pixel image stays sharp.
icon_images=()
for size in 16 24 32 48 64 128 256; do
  shapes=$(awk -v s="$size" 'function px(units) { return int(units * s / 16 + 0.5) }
    BEGIN {
      printf "stroke none\n"
      for (i = 0; i < 3; i++) {
        top = 2.5 + 4 * i
        y0 = px(top); y1 = px(top + 3) - 1
        printf "fill \"#FFFFFF\" roundrectangle %d,%d %d,%d %.1f,%.1f\n", px(3), y0, px(13) - 1, y1, s / 40, s / 40
        # The status light: whole pixels while it is this small, a disc above.
        if (s < 48) {
          d = px(1); x0 = px(11) - int(d / 2); d0 = int((y0 + y1 - d + 1) / 2)
          printf "fill \"#F07A12\" rectangle %d,%d %d,%d\n", x0, d0, x0 + d - 1, d0 + d - 1
        } else {
          cx = px(11); cy = (y0 + y1) / 2
          printf "fill \"#F07A12\" circle %.2f,%.2f %.2f,%.2f\n", cx, cy, cx + s / 28, cy
        }
      }
    }')
  radius=$(awk -v s="$size" 'BEGIN { r = int(3 * s / 16 + 0.5); if (r < 2) r = 2; print r }')
  image="$work/icon-$size.png"
  convert -size ${size}x${size} gradient:'#FFA845-#EE6F0E' \
    \( -size ${size}x${size} xc:black -fill white \
       -draw "roundrectangle 0,0 $((size - 1)),$((size - 1)) $radius,$radius" \) \
    -alpha off -compose copy-opacity -composite \
    -compose over -draw "$shapes" "${png_options[@]}" "PNG32:$image"
  icon_images+=("$image")
done

# ImageMagick would store every size below 256 uncompressed (the 128-pixel
# image alone takes 64 KB), so the file is assembled here: the small sizes as
# 32-bit bitmaps, which every Windows reads, 64 pixels and up as PNG, which
# Windows reads since Vista. Each entry's data comes from a one-image file.
# Writes `value` as `count` little-endian bytes.
le() {
  local value=$1 count=$2 i
  for ((i = 0; i < count; i++)); do
    printf "\\$(printf %03o $((value >> 8 * i & 255)))"
  done
}
entries="$work/entries"
payload="$work/payload"
: >"$entries"
: >"$payload"
count=${#icon_images[@]}
offset=$((6 + 16 * count))
for image in "${icon_images[@]}"; do
  size=$(identify -format '%w' "$image")
  data="$work/entry-$size"
  if [ "$size" -lt 64 ]; then
    convert "$image" "$work/single-$size.ico"
    tail -c +23 "$work/single-$size.ico" >"$data"   # after its 6 + 16 byte directory
  else
    convert "$image" "${png_options[@]}" -define png:compression-level=9 "PNG32:$data"
  fi
  length=$(stat -c %s "$data")
  # width and height (0 stands for 256), colours, reserved, planes, bits per pixel, length, offset
  { le $((size & 255)) 1; le $((size & 255)) 1; le 0 1; le 0 1
    le 1 2; le 32 2; le "$length" 4; le "$offset" 4; } >>"$entries"
  cat "$data" >>"$payload"
  offset=$((offset + length))
done
# reserved, type 1 (icon), number of images
{ le 0 2; le 1 2; le "$count" 2; cat "$entries" "$payload"; } >"$here/quillorn.ico"
