# Sourced by the scripts that take pictures of the program (gallery.sh,
# readme-shots.sh): the source tree, the built programs, the offscreen
# platform and a scratch folder removed at the end.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=${HIKEWISE_BIN_DIR:-$here/build/bin}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
