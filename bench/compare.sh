#!/bin/sh
# The wallpaper change on a 3840 x 2160 JPEG beside two tools doing the same
# work: djpeg decoding the file to a BMP, and ImageMagick decoding it and laying
# the drawing (key colour transparent) over it into a 24-bit BMP.
#
#   bench/compare.sh [path/to/velmora_bench]     (RUNS=n for the number of runs, default 7)
#
# Each figure is the median wall time of RUNS runs, in milliseconds; the tools'
# figures include starting their process (a few milliseconds).
set -eu

bench=${1:-build/native/bench/velmora_bench}
runs=${RUNS:-7}
[ -x "$bench" ] || { echo "compare.sh: build velmora_bench first (make build-native)" >&2; exit 2; }
command -v djpeg >/dev/null || { echo "compare.sh: djpeg is missing (libjpeg-turbo-progs)" >&2; exit 2; }
# ImageMagick's own binary, not a wrapper of the same name earlier in PATH.
magick=$(command -v convert-im6.q16 || command -v convert) || { echo "compare.sh: ImageMagick is missing" >&2; exit 2; }
compare=$(command -v compare-im6.q16 || command -v compare) || { echo "compare.sh: ImageMagick is missing" >&2; exit 2; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

"$bench" make-files "$dir"

# Median milliseconds of RUNS runs of a command.
median_ms() {
  i=0
  : >"$dir/times"
  while [ "$i" -lt "$runs" ]; do
    start=$(date +%s%N)
    "$@" </dev/null >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000)) >>"$dir/times"
    i=$((i + 1))
  done
  sort -n "$dir/times" | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }'
}

velmora=$("$bench" change "$dir/wallpaper.jpg" "$dir/2.bmp" "$dir" "$runs" | awk '{ print $2 }')
djpeg=$(median_ms djpeg -bmp -outfile "$dir/djpeg.bmp" "$dir/wallpaper.jpg")
imagemagick=$(median_ms "$magick" "$dir/wallpaper.jpg" "(" "$dir/2.bmp" -transparent "#4E61BC" ")" \
  -composite "BMP3:$dir/imagemagick.bmp")

# The same picture from both compositions.
differing=$("$compare" -metric AE "$dir/1.bmp" "$dir/imagemagick.bmp" null: 2>&1 || true)

printf '%-52s %8s ms\n' "velmora: decode, size, compose, write 1.bmp" "$velmora"
printf '%-52s %8s ms\n' "djpeg -bmp (decode, write BMP)" "$djpeg"
printf '%-52s %8s ms\n' "ImageMagick: decode, composite drawing, write BMP" "$imagemagick"
awk -v v="$velmora" -v d="$djpeg" -v m="$imagemagick" \
  'BEGIN { printf "velmora / djpeg: %.2f   velmora / ImageMagick: %.2f\n", v / d, v / m }'
echo "pixels differing between velmora's 1.bmp and ImageMagick's: $differing"
