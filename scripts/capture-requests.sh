# Sourced by scripts/screens.sh and scripts/run.sh. The picture tools (tests/screens) ask for a
# capture by writing <name>.request ("x y width height") into a folder; this grabs that area of
# the X screen into <out>/<name><suffix>.png and answers with <name>.png in the request folder.
#   capture_requests <request folder> <out folder> [suffix]      (loops until killed)
capture_requests() {
  local folder=$1 out=$2 suffix=${3:-} request name x y width height
  while :; do
    for request in "$folder"/*.request; do
      [ -e "$request" ] || continue
      read -r x y width height <"$request"
      name=$(basename "$request" .request)
      import -window root -crop "${width}x${height}+${x}+${y}" +repage "$out/$name$suffix.png"
      rm "$request"
      touch "$folder/$name.png"
    done
    sleep 0.1
  done
}
