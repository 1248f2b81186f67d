#!/usr/bin/env bash
# Draws the diagrams of the sample library into tools/pictures/ with ImageMagick.
# The PNG files are kept in the repository; make_texts.py embeds them in the texts.
# Run again only after changing a drawing here.
set -euo pipefail
cd "$(dirname "$0")/pictures"

FONT=${QB_DIAGRAM_FONT:-Liberation-Sans}
# No time stamps or other metadata, so that the same drawing gives the same bytes.
PNG_OPTS=(-strip -define png:exclude-chunks=date,time,tIME -colors 8 -depth 8)

# A cell, an ammeter and two lamps in parallel.
convert -size 360x295 xc:white -fill none -stroke black -strokewidth 2 \
    -draw "polyline 172,40 40,40 40,180 120,180" \
    -draw "polyline 188,40 320,40 320,180 260,180" \
    -draw "line 120,180 260,180" \
    -draw "polyline 120,180 120,240 260,240 260,180" \
    -draw "line 172,22 172,58" -strokewidth 5 -draw "line 188,30 188,50" -strokewidth 2 \
    -fill white -draw "circle 40,110 40,127" \
    -draw "circle 190,180 190,195" -draw "circle 190,240 190,255" \
    -draw "line 179,169 201,191" -draw "line 179,191 201,169" \
    -draw "line 179,229 201,251" -draw "line 179,251 201,229" \
    -fill black -draw "circle 120,180 120,184" -draw "circle 260,180 260,184" \
    -stroke none -font "$FONT" -pointsize 16 \
    -draw "text 34,116 'A'" -draw "text 181,158 'L1'" -draw "text 181,282 'L2'" \
    -draw "text 164,78 'cell'" -draw "text 62,115 'ammeter'" \
    "${PNG_OPTS[@]}" circuit.png

# The cyclist's journey: distance against time.
G="stroke #c8c8c8 stroke-width 1"
convert -size 380x270 xc:white -fill none \
    -draw "$G line 120,40 120,220" -draw "$G line 190,40 190,220" \
    -draw "$G line 260,40 260,220" -draw "$G line 330,40 330,220" \
    -draw "$G line 50,175 330,175" -draw "$G line 50,130 330,130" \
    -draw "$G line 50,85 330,85" -draw "$G line 50,40 330,40" \
    -stroke black -strokewidth 2 -draw "line 50,220 345,220" -draw "line 50,220 50,25" \
    -stroke "#1f4e9c" -strokewidth 3 -draw "line 50,220 190,130" -draw "line 190,130 260,130" -draw "line 260,130 330,40" \
    -stroke none -fill black -font "$FONT" -pointsize 13 \
    -draw "text 46,238 '0'" -draw "text 116,238 '2'" -draw "text 186,238 '4'" \
    -draw "text 256,238 '6'" -draw "text 326,238 '8'" \
    -draw "text 36,225 '0'" -draw "text 18,180 '600'" -draw "text 10,135 '1200'" \
    -draw "text 10,90 '1800'" -draw "text 10,45 '2400'" \
    -pointsize 14 -draw "text 160,262 'time / minutes'" -draw "text 56,20 'distance / m'" \
    "${PNG_OPTS[@]}" distance_time.png

# Reaction profile of an exothermic reaction, with the activation energy marked X.
# The hump is two cubic curves drawn as short lines: a drawn path would be closed.
HUMP=()
while read -r x1 y1 x2 y2; do HUMP+=(-draw "line $x1,$y1 $x2,$y2"); done < <(awk 'BEGIN {
    split("130 120 160 120 170 45 195 45|195 45 220 45 230 180 260 180", curves, "|")
    for (c = 1; c <= 2; c++) {
        split(curves[c], p, " ")
        px = p[1]; py = p[2]
        for (i = 1; i <= 24; i++) {
            t = i / 24; u = 1 - t
            x = u*u*u*p[1] + 3*u*u*t*p[3] + 3*u*t*t*p[5] + t*t*t*p[7]
            y = u*u*u*p[2] + 3*u*u*t*p[4] + 3*u*t*t*p[6] + t*t*t*p[8]
            printf "%.1f %.1f %.1f %.1f\n", px, py, x, y
            px = x; py = y
        }
    }
}')
convert -size 380x260 xc:white -fill none -stroke black -strokewidth 2 \
    -draw "line 50,220 360,220" -draw "line 50,220 50,20" \
    -draw "line 44,30 50,20" -draw "line 50,20 56,30" -draw "line 350,214 360,220" -draw "line 360,220 350,226" \
    -stroke "#1f4e9c" -strokewidth 3 \
    -draw "line 70,120 130,120" "${HUMP[@]}" \
    -draw "line 260,180 340,180" \
    -stroke black -strokewidth 1 -draw "line 100,45 195,45" \
    -strokewidth 2 -draw "line 100,118 100,49" -draw "line 95,58 100,48" -draw "line 100,48 105,58" \
    -stroke none -fill black -font "$FONT" -pointsize 14 \
    -draw "text 108,90 'X'" -draw "text 66,140 'reactants'" -draw "text 272,200 'products'" \
    -draw "text 120,248 'progress of reaction'" \
    -gravity northwest -draw "rotate -90 text -150,30 'energy'" \
    "${PNG_OPTS[@]}" reaction_profile.png
ls -l ./*.png
