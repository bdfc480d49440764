#!/usr/bin/env bash
# Draws the small illustrations of the sample book with ImageMagick. The results are
# committed; run this only to change them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../pages"
F=DejaVu-Sans
FB=DejaVu-Sans-Bold
opts=(-strip -define png:exclude-chunks=date,time)

mkdir -p home_files window_files contents_files links_files zoom_files search_files attachments_files

# Cover: a dark book with a light spine and the title.
convert -size 240x150 xc:'#f4efe4' \
  -fill '#1f3a5f' -draw 'roundrectangle 40,10 200,140 6,6' \
  -fill '#c9a227' -draw 'rectangle 40,10 52,140' \
  -fill '#f4efe4' -font $FB -pointsize 15 -annotate +62+60 'FolionyxReader' \
  -font $F -pointsize 11 -annotate +62+82 'A Short Guide' \
  -fill '#c9a227' -draw 'line 62,92 188,92' \
  +dither -colors 16 "${opts[@]}" home_files/cover.png

# The main window: title bar, tool bar, contents pane, page and status bar.
convert -size 320x200 xc:white \
  -stroke '#555555' -fill '#ececec' -draw 'rectangle 0,0 319,199' \
  -stroke none -fill '#2f5d8a' -draw 'rectangle 1,1 318,16' \
  -fill white -font $F -pointsize 10 -annotate +6+12 'A Short Guide to FolionyxReader' \
  -fill '#d8d8d8' -draw 'rectangle 1,17 318,36' \
  -fill '#7a9cc6' -draw 'rectangle 6,21 19,33' -draw 'rectangle 24,21 37,33' -draw 'rectangle 42,21 55,33' \
  -draw 'rectangle 66,21 79,33' -draw 'rectangle 84,21 97,33' \
  -fill '#f7f7f7' -stroke '#aaaaaa' -draw 'rectangle 4,40 100,182' \
  -stroke none -fill '#333333' -pointsize 9 -annotate +8+52 'Contents' \
  -fill '#888888' -draw 'rectangle 12,60 80,63' -draw 'rectangle 20,70 90,73' -draw 'rectangle 20,80 70,83' \
  -draw 'rectangle 12,90 84,93' -draw 'rectangle 20,100 76,103' \
  -fill white -stroke '#aaaaaa' -draw 'rectangle 104,40 315,182' \
  -stroke none -fill '#1f3a5f' -pointsize 12 -annotate +112+58 'Page' \
  -fill '#bbbbbb' -draw 'rectangle 112,66 300,68' -draw 'rectangle 112,74 290,76' -draw 'rectangle 112,82 296,84' \
  -draw 'rectangle 112,90 250,92' \
  -fill '#d8d8d8' -draw 'rectangle 1,185 318,198' \
  -fill '#333333' -pointsize 9 -annotate +6+195 'Ready' -annotate +280+195 '100%' \
  +dither -colors 16 "${opts[@]}" window_files/window.png

# The contents tree: chapters and pages joined by lines.
convert -size 160x110 xc:white \
  -stroke '#999999' -draw 'line 14,20 14,95' -draw 'line 14,44 30,44' -draw 'line 14,68 30,68' -draw 'line 14,92 30,92' \
  -stroke none -fill '#1f3a5f' -draw 'rectangle 6,6 22,20' \
  -fill '#7a9cc6' -draw 'rectangle 30,37 42,50' -draw 'rectangle 30,61 42,74' -draw 'rectangle 30,85 42,98' \
  -fill '#222222' -font $F -pointsize 10 -annotate +28+17 'Chapter' \
  -annotate +48+48 'First page' -annotate +48+72 'Second page' -annotate +48+96 'Third page' \
  +dither -colors 8 "${opts[@]}" contents_files/tree.gif

# Previous and next: two arrows.
convert -size 120x40 xc:white \
  -fill '#2f5d8a' -draw 'polygon 8,20 30,6 30,34' -draw 'polygon 112,20 90,6 90,34' \
  -fill '#222222' -font $F -pointsize 10 -annotate +36+24 'prev' -annotate +62+24 'next' \
  +dither -colors 8 "${opts[@]}" links_files/arrows.gif

# Zoom: a magnifier over a percentage.
convert -size 120x90 xc:white \
  -stroke '#2f5d8a' -strokewidth 5 -fill none -draw 'circle 45,40 45,14' -draw 'line 64,60 92,84' \
  -stroke none -fill '#1f3a5f' -font $FB -pointsize 14 -annotate +26+46 '125%' \
  +dither -colors 8 "${opts[@]}" zoom_files/zoom.png

# Search: the keyword box and a list with a highlighted hit.
convert -size 180x100 xc:'#f4f4f4' \
  -stroke '#999999' -fill white -draw 'rectangle 6,8 130,24' \
  -stroke none -fill '#222222' -font $F -pointsize 10 -annotate +10+20 'zoom' \
  -fill '#d8d8d8' -stroke '#999999' -draw 'rectangle 136,8 174,24' -stroke none -fill '#222222' -annotate +141+20 'Search' \
  -fill white -stroke '#999999' -draw 'rectangle 6,32 174,94' \
  -stroke none -fill '#ffe680' -draw 'rectangle 8,36 172,48' \
  -fill '#222222' -annotate +12+46 'Text size and zoom' -annotate +12+62 'The main window' \
  +dither -colors 8 "${opts[@]}" search_files/search.gif

# Attachments: a sheet with a folded corner and a clip.
convert -size 64x64 xc:white \
  -stroke '#555555' -fill '#fdfdf5' -draw 'polygon 14,6 40,6 52,18 52,58 14,58' \
  -fill '#dddddd' -draw 'polygon 40,6 40,18 52,18' \
  -stroke '#2f5d8a' -strokewidth 3 -fill none -draw 'roundrectangle 20,2 30,30 5,5' \
  +dither -colors 8 "${opts[@]}" attachments_files/sheet.gif

ls -l ./*_files/*
