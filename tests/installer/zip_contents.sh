#!/usr/bin/env bash
# The zip for installing by hand: one folder with the saver, every model, every texture the
# models name, the help page and a README with Windows line ends; nothing else.
#
#   zip_contents.sh DIST VERSION_FILE
set -euo pipefail
version=$(cat "$2")
zip=$1/varnoka-$version-win64.zip
folder=varnoka-$version-win64
listing=$(mktemp -d)
trap 'rm -rf "$listing"' EXIT
python3 -m zipfile -e "$zip" "$listing"

expected=(varnoka.scr varnoka.htm README.txt vk{1..9}.x)
for model in "$listing/$folder"/vk*.x; do
  mapfile -t -O "${#expected[@]}" expected < <(grep -o 'TextureFilename *{ *"[^"]*"' "$model" | sed 's/.*"\(.*\)"/\1/')
done
wanted=$(printf '%s\n' "${expected[@]}" | sort -u)
found=$(cd "$listing" && find . -type f | sed 's|^\./||' | sort)
status=0
if [ "$found" != "$(sed "s|^|$folder/|" <<<"$wanted")" ]; then
  echo "The zip holds:"; echo "$found"; echo "but should hold, in $folder/:"; echo "$wanted"
  status=1
fi
if ! grep -q $'\r$' "$listing/$folder/README.txt"; then
  echo "README.txt has no Windows line ends"
  status=1
fi
[ "$status" -ne 0 ] || echo "The zip holds the saver, $(grep -c '\.x$' <<<"$wanted") models, their textures, help and README."
exit $status
