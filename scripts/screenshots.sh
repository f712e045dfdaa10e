#!/usr/bin/env bash
# Makes the README's pictures of the main window and of the batch actions
# window, docs/main-window.png and docs/batch-window.png. Builds Quillmarsh
# as scripts/run.sh does, starts it on copies of the test photos under Xvfb
# with the openbox window manager, works it with xdotool as a user would, and
# saves each window with its frame in 64 colours. Run it again whenever one of
# these windows changes. QUILLMARSH_JOBS limits the build's parallel jobs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build="$top/build/release"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARSH_TESTS=OFF > /dev/null
cmake --build "$build" ${QUILLMARSH_JOBS:+-j "$QUILLMARSH_JOBS"}
program="$build/app/quillmarsh"
docs="$top/docs"

work=$(mktemp -d -t quillmarsh-shots.XXXXXX)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  wait 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "screenshots: $*" >&2
  exit 1
}

# Runs the command until it succeeds, for at most $1 seconds.
wait_for() {
  local tries=$(($1 * 10))
  shift
  while ((tries-- > 0)); do
    "$@" > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# The program's visible windows, one id a line.
windows() { xdotool search --onlyvisible --pid "$1" 2> /dev/null || true; }

# Waits for a visible window of the program other than those given; prints it.
new_window() {
  local pid=$1 tries=100 id
  shift
  while ((tries-- > 0)); do
    for id in $(windows "$pid"); do
      [[ " $* " == *" $id "* ]] || { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Saves window $1 with its frame as the 64-colour picture $2.
shoot() {
  xdotool mousemove 0 0
  sleep 1
  import -frame -window "$1" "$work/shot.png"
  convert "$work/shot.png" +dither -colors 64 -strip "PNG8:$2"
  echo "$2: $(identify -format '%wx%h' "$2"), $(($(stat -c %s "$2") / 1024)) KB"
}

# The settings, places and work files of this run stay in a fresh home, and
# the program speaks its built-in Czech.
export QUILLMARSH_HOME="$work/home"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$QUILLMARSH_HOME" "$XDG_RUNTIME_DIR"
unset LC_ALL LC_MESSAGES
export LANG=cs_CZ.UTF-8

# A photographer's folder: copies of real camera photos, one of them with a
# comment.
folder="$work/Fotky/Toskánsko 2008"
mkdir -p "$folder"
for name in gps_DSCN0010 gps_DSCN0021 Canon_40D Canon_PowerShot_S40 Nikon_D70 nikon-e950 \
  Pentax_K10D olympus-c960 Panasonic_DMC-FZ30 orientation_portrait_6 orientation_landscape_3; do
  cp "$top/tests/data/photos/$name.jpg" "$folder/"
done
shown="$folder/gps_DSCN0010.jpg"
LANG=C.UTF-8 exiftool -q -overwrite_original -UserComment="Podzim v Toskánsku" "$shown"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=$(head -n 1 "$work/display")
export DISPLAY=":$display"
openbox --sm-disable > "$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 10 xdotool get_num_desktops || fail "openbox did not start"

# The main window over the folder's photos, the one with the comment shown.
photos=("$shown")
for photo in "$folder"/*.jpg; do [ "$photo" = "$shown" ] || photos+=("$photo"); done
# The folder window then opens where the photo shown is.
"$program" "${photos[@]}" > "$work/quillmarsh.log" 2>&1 &
qm=$!
pids+=("$qm")
# The title names the photo once it is shown.
title=$(basename "$shown")
wait_for 30 xdotool search --onlyvisible --pid "$qm" --name "$title" ||
  fail "the main window did not show the photo: $(cat "$work/quillmarsh.log")"
main=$(xdotool search --onlyvisible --pid "$qm" --name "$title" | head -n 1)
mkdir -p "$docs"
shoot "$main" "$docs/main-window.png"

# Hromadné akce (Alt+H) > its last item opens the batch actions window; its
# ">>" button, left of the refresh button at the right end of the folder row,
# opens the folder window to pick the folder, whose statistics the batch
# window then counts. (Keys typed into the folder window are not used: xdotool
# loses accented letters now and then.)
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers alt+h
sleep 0.5
xdotool key Up Return
batch=$(new_window "$qm" "$main") || fail "the batch actions window did not open"
eval "$(xdotool getwindowgeometry --shell "$batch")"
xdotool mousemove --window "$batch" $((WIDTH - 76)) 22 click 1
picker=$(new_window "$qm" "$main" "$batch") || fail "the folder button of the batch window was not hit"
# Keys typed before the folder window has the focus would be lost.
wait_for 10 sh -c "[ \"\$(xdotool getactivewindow)\" = $picker ]" || fail "the folder window took no focus"
sleep 0.5
# Return picks the folder the window shows, the photo folder.
xdotool key Return
wait_for 10 sh -c "! xdotool search --onlyvisible --pid $qm | grep -qx $picker" ||
  fail "the folder window did not take the folder"
sleep 2
shoot "$batch" "$docs/batch-window.png"
