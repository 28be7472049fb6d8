#!/usr/bin/env bash
# The real program plays a noise recording cut in two at a frame that is no
# codec's frame boundary, as consecutive entries, in five formats and as two
# tracks of a CD image; digital silence parts the pairs. In the recorded output
# each pair must come back as the whole recording: sample for sample where the
# format is lossless, within 2 frames of its length where it is not.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)

frames=44100 cut=21013 cd_cut=21168 # the CD's cut falls on a sector (588 frames)
# No dither anywhere (-D): silence stays digital zero, the noise its own samples.
raw() { sox -D -t raw -r 44100 -c 2 -b 16 -e signed -L "$@"; }
sox -D -r 44100 -c 2 -n -b 16 -e signed -L -t raw "$E2E/noise.raw" synth ${frames}s whitenoise vol 0.5
sox -D -r 44100 -c 2 -n -b 16 "$E2E/gap.wav" trim 0 0.3
raw "$E2E/noise.raw" "$E2E/one.wav" trim 0s ${cut}s
raw "$E2E/noise.raw" "$E2E/two.wav" trim ${cut}s
list=()
for part in one two; do
  sox -D "$E2E/$part.wav" "$E2E/$part.flac"
  sox -D "$E2E/$part.wav" "$E2E/$part.ogg"
  lame --quiet "$E2E/$part.wav" "$E2E/$part.mp3"
  opusenc --quiet "$E2E/$part.wav" "$E2E/$part.opus"
done
for ext in wav flac mp3 ogg opus; do list+=("$E2E/one.$ext" "$E2E/two.$ext" "$E2E/gap.wav"); done
mkdir -p "$E2E/disc"
cp "$E2E/noise.raw" "$E2E/disc/disc.bin"
printf 'FILE "disc.bin" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:00:%02d\n' \
  $((cd_cut / 588)) > "$E2E/disc/disc.cue"
list+=("$E2E/Track01.cda" "$E2E/Track02.cda" "$E2E/gap.wav")
e2e_play_list Seamless "${list[@]}"
e2e_options active_collection=Seamless welcome=0 player_random=0 "cd_device=$E2E/disc/disc.cue"

cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; CONF="$CONF"; APP=$APP; ARTIFACTS=$ARTIFACTS
start_recorded_program
wait_for 40 python3 "$here/seamless_pairs.py" "$E2E/out.raw" "$E2E/noise.raw" --count 6 || {
  python3 "$here/seamless_pairs.py" "$E2E/out.raw" "$E2E/noise.raw" --check wav flac mp3 ogg opus cd
  fail "the six pairs were not all played"
}
exit_from_menu
SESSION
start=$SECONDS
xvfb-run -a -s "-noreset -screen 0 800x600x24" bash "$E2E/session.sh"
python3 "$here/seamless_pairs.py" "$E2E/out.raw" "$E2E/noise.raw" --check wav flac mp3 ogg opus cd ||
  fail "a pair did not come back whole"
echo "seamless e2e: ok in $((SECONDS - start)) s"
