#!/usr/bin/env bash
# The Debian package of the Linux display mode: its files, its control fields and lintian's
# verdict; then, where the check runs as root (CI, the development machine), `apt install` of
# the package, the XScreenSaver daemon running the installed program, and `apt remove`, which
# must leave none of its files behind.
#
#   deb_package.sh DIST VERSION_FILE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
version=$(cat "$2")
deb=$(cd "$1" && pwd)/varnoka_${version}_amd64.deb
[ -f "$deb" ] || { echo "no package $deb"; exit 1; }
status=0
fail() { echo "$*"; status=1; }

expected=(
  ./usr/libexec/xscreensaver/varnoka
  ./usr/share/xscreensaver/config/varnoka.xml
  ./usr/share/man/man6/varnoka.6.gz
  ./usr/share/doc/varnoka/copyright
  ./usr/share/doc/varnoka/changelog.gz
)
while read -r model; do expected+=("./usr/share/varnoka/models/$model"); done < <(
  cd "$here/../../models" && ls vk*.x *.bmp)
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
if [ "$files" != "$(printf '%s\n' "${expected[@]}" | sort)" ]; then
  fail "the package holds:"$'\n'"$files"$'\n'"but should hold:"$'\n'"$(printf '%s\n' "${expected[@]}" | sort)"
fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
for library in libc6 libstdc++6 libx11-6 libxext6; do
  [[ ",$(field Depends | tr -d ' ')," == *",$library"[,\(]* ]] || fail "Depends lacks $library: $(field Depends)"
done
[ "$(field Recommends)" = xscreensaver ] || fail "Recommends is '$(field Recommends)', not xscreensaver"

verdict=$(lintian --no-tag-display-limit "$deb" 2>&1 | grep -v 'running with root privileges' || true)
if grep -qE '^[EW]: ' <<<"$verdict"; then fail "lintian:"$'\n'"$verdict"; fi

if [ "$status" -ne 0 ] || [ "$(id -u)" -ne 0 ]; then
  [ "$status" -ne 0 ] || echo "the package's files and fields are right; install, daemon and removal skipped: they need root"
  exit $status
fi
if dpkg-query -W -f='${Status}' varnoka 2>/dev/null | grep -q 'ok installed'; then
  echo "varnoka is installed already: the round trip would remove it"
  exit 1
fi

installed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }')
remove() { DEBIAN_FRONTEND=noninteractive apt-get remove -y varnoka >/dev/null 2>&1 || true; }
trap remove EXIT
if ! log=$(DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$deb" 2>&1); then
  echo "$log"
  echo "apt-get install $deb failed"
  exit 1
fi
while read -r file; do [ -f "$file" ] || fail "installed package lacks $file"; done <<<"$installed"
xvfb-run -a -s "-screen 0 640x480x24" bash "$here/../x11/daemon_check.sh" --installed || fail "the daemon did not run the installed program"

DEBIAN_FRONTEND=noninteractive apt-get remove -y varnoka >/dev/null 2>&1 || fail "apt-get remove varnoka failed"
trap - EXIT
while read -r file; do [ ! -e "$file" ] || fail "$file is left after removal"; done <<<"$installed"
for folder in /usr/share/varnoka /usr/share/doc/varnoka; do [ ! -e "$folder" ] || fail "$folder is left after removal"; done
state=$(dpkg-query -W -f='${db:Status-Status}' varnoka 2>/dev/null || true)
[ -z "$state" ] || [ "$state" = not-installed ] || fail "dpkg still holds varnoka as $state"
[ "$status" -ne 0 ] || echo "installed, run by the daemon and removed without a trace: $(wc -l <<<"$installed") files"
exit $status
