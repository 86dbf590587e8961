#!/usr/bin/env bash
# Draws the splash artwork (329 x 163 pixels): a book handed from one hand to another, and
# the program's name. Run from this folder; needs ImageMagick and the DejaVu fonts.
set -euo pipefail
out="${1:-splash.png}"
skin='#f2c8a0'; line='#9c6b4a'; cuff='#e76f51'; cuff2='#2a9d8f'
convert -size 329x163 -define gradient:angle=120 gradient:'#1f3a68-#3a8c87' \
  \( -size 329x163 xc:none -fill 'rgba(255,255,255,0.10)' -draw 'circle 250,170 250,40' \) -composite \
  -stroke none -fill 'rgba(0,0,0,0.18)' -draw 'roundrectangle 16,30 168,138 14,14' \
  -fill 'rgba(255,255,255,0.93)' -draw 'roundrectangle 14,27 166,135 14,14' \
  -stroke "$line" -strokewidth 1.5 \
  -fill "$cuff" -draw 'roundrectangle 14,96 40,124 4,4' \
  -fill "$skin" -draw 'ellipse 56,104 20,12 0,360' \
  -fill "$cuff2" -draw 'roundrectangle 140,96 166,124 4,4' \
  -fill "$skin" -draw 'ellipse 124,108 20,12 0,360' \
  -fill "$skin" -draw 'ellipse 112,99 9,4 0,360' \
  -stroke '#5a3d1e' -strokewidth 1.3 -fill '#fdf6e3' -draw 'polygon 40,78 86,70 90,86 44,94' \
  -stroke '#d8cdb5' -strokewidth 0.8 -draw 'line 42,83 87,75' -draw 'line 43,88 88,80' \
  -stroke '#5a3d1e' -strokewidth 1.3 -fill '#b83227' -draw 'polygon 38,68 84,60 86,70 40,78' \
  -fill '#8e241c' -draw 'polygon 38,68 40,78 44,94 42,84' \
  -stroke '#f1c40f' -strokewidth 1.4 -draw 'line 48,69 76,64' \
  -stroke "$line" -strokewidth 1.5 -fill "$skin" -draw 'ellipse 60,92 5,8 0,360' \
  -stroke '#2f5563' -strokewidth 2.4 -fill none -draw 'line 66.0,54.0 69.8,49.8' -draw 'line 69.8,49.8 73.8,46.3' -draw 'line 73.8,46.3 77.9,43.5' -draw 'line 77.9,43.5 82.1,41.4' -draw 'line 82.1,41.4 86.3,40.0' -draw 'line 86.3,40.0 90.6,39.3' -draw 'line 90.6,39.3 94.8,39.4' -draw 'line 94.8,39.4 98.9,40.2' -draw 'line 98.9,40.2 102.9,41.9' -draw 'line 102.9,41.9 106.8,44.3' -draw 'line 106.8,44.3 110.5,47.5' -draw 'line 110.5,47.5 114.0,51.5' -draw 'line 114.0,51.5 117.2,56.3' -draw 'line 117.2,56.3 120.1,62.0' -draw 'line 120.1,62.0 122.7,68.6' -draw 'line 122.7,68.6 125.0,76.0' \
  -fill '#2f5563' -stroke none -draw 'polygon 119,78 132,74 129,88' \
  -font DejaVu-Serif-Bold -pointsize 40 -fill 'rgba(0,0,0,0.30)' -annotate +182+97 'Wexlo' \
  -fill white -annotate +180+95 'Wexlo' \
  -stroke 'rgba(255,255,255,0.6)' -strokewidth 1.5 -draw 'line 182,107 310,107' \
  -depth 8 -strip "$out"
