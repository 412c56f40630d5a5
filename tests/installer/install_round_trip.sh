#!/usr/bin/env bash
# The installer made by scripts/package, in a fresh Wine prefix of its own: a silent install puts
# the files and registry values in place, the saver started from System32 draws a car from the
# models in the program's folder, and a silent uninstall leaves none of ours behind but the
# user's settings. A second round: a saver chosen after installing stays chosen.
#
#   install_round_trip.sh SETUP.EXE PREFIX
set -euo pipefail
setup=$(realpath "$1")
export WINEPREFIX=$(realpath -m "$2")
cd "$(dirname "$0")/../.."
source scripts/wine-env

# A fresh prefix, then this script again inside a virtual display of its own.
if [ -z "${ROUND_TRIP_DISPLAY_READY:-}" ]; then
  rm -rf "$WINEPREFIX"
  prepare_wine_prefix
  ROUND_TRIP_DISPLAY_READY=1 exec xvfb-run -a -s "$XVFB_SCREEN" "$(realpath "$0")" "$setup" "$WINEPREFIX"
fi

shopt -s nullglob
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check() {  # description, command...
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then echo "ok: $what"; else fail "$what"; fi
}
value_of() {  # key, value name: the data as `reg query` shows it
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
has_key() { wine reg query "$1" >/dev/null 2>&1; }

wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null
drive=$WINEPREFIX/drive_c
system32=$drive/windows/system32
folder="$drive/Program Files/Varnoka"
program_key='HKLM\Software\Varnoka'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnoka'
desktop_key='HKCU\Control Panel\Desktop'
# The roaming application data folder, as Wine's own shell names it, asked again until it is a
# folder of this prefix: settings written anywhere else are never read, and the saver would then
# draw on its default black with no other sign of what went wrong.
appdata=
for _ in 1 2 3 4 5; do
  appdata=$(realpath -m "$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')" 2>/dev/null)" 2>/dev/null || true)
  case $appdata in "$(realpath "$drive")"/*) break ;; esac
  appdata=
done
[ -n "$appdata" ] || { echo "FAILED: Wine names no application data folder inside $WINEPREFIX"; exit 1; }
settings=$appdata/Varnoka/control.ini
echo "settings file: $settings"

install() {
  local status=0
  wine "$setup" /S || status=$?
  check "the installer exits with 0 (was $status)" test "$status" -eq 0
}

# Runs the uninstaller as Apps & features would, quietly; it hands over to a copy of itself in
# the temporary folder (Au_.exe) and returns at once, so that copy's end is waited for.
uninstall() {
  local status=0
  wine 'C:\Program Files\Varnoka\uninstall.exe' /S || status=$?
  check "the uninstaller starts (exit code $status)" test "$status" -eq 0
  local deadline=$((SECONDS + 60))
  while [ $SECONDS -lt $deadline ]; do
    pgrep -f 'Au_\.exe' >/dev/null || [ -e "$folder" ] || has_key "$uninstall_key" || break
    sleep 0.2
  done
}

# A settings file from before the installation, with a background the screenshot can tell apart.
mkdir -p "$(dirname "$settings")"
printf '[Screen Saver.Varnoka]\r\nRANDOM=0\r\nCARS=0\r\nSWITCH=0\r\nRED=0\r\nGREEN=0\r\nBLUE=128\r\n' >"$settings"

echo "== Silent install"
install
check "varnoka.scr is in the 64-bit System32" test -f "$system32/varnoka.scr"
check "no copy in the 32-bit system folder" test ! -e "$drive/windows/syswow64/varnoka.scr"
models=("$folder"/vk*.x)
check "nine models in the program folder" test "${#models[@]}" -eq 9
check "textures in the program folder" test -f "$folder/vktread.bmp" -a -f "$folder/vk9plate.bmp"
check "the help page in the program folder" test -f "$folder/varnoka.htm"
check "the uninstaller in the program folder" test -f "$folder/uninstall.exe"
windows_models=("$drive"/windows/vk*.x)
check "no models in the Windows directory" test "${#windows_models[@]}" -eq 0
check "InstallDir names the program folder" test "$(value_of "$program_key" InstallDir)" = 'C:\Program Files\Varnoka'
check "the saver is the current screen saver" \
  test "$(value_of "$desktop_key" SCRNSAVE.EXE)" = 'C:\windows\system32\varnoka.scr'
check "Apps & features: name" test "$(value_of "$uninstall_key" DisplayName)" = 'Varnoka screen saver'
check "Apps & features: version" test "$(value_of "$uninstall_key" DisplayVersion)" = "$(cat build/win/version.txt)"
check "Apps & features: publisher" test -n "$(value_of "$uninstall_key" Publisher)"
check "Apps & features: icon" test "$(value_of "$uninstall_key" DisplayIcon)" = 'C:\windows\system32\varnoka.scr,0'
check "Apps & features: uninstall command" \
  test "$(value_of "$uninstall_key" UninstallString)" = '"C:\Program Files\Varnoka\uninstall.exe"'
check "Apps & features: quiet uninstall command" \
  test "$(value_of "$uninstall_key" QuietUninstallString)" = '"C:\Program Files\Varnoka\uninstall.exe" /S'
check "Apps & features: no modify, no repair" \
  test "$(value_of "$uninstall_key" NoModify) $(value_of "$uninstall_key" NoRepair)" = "0x1 0x1"
size_kb=$(($(value_of "$uninstall_key" EstimatedSize)))
files_kb=$(du -sk --apparent-size "$folder" "$system32/varnoka.scr" | awk '{ total += $1 } END { print total }')
check "Apps & features: size ${size_kb} KB, near the files' ${files_kb} KB" \
  test "$size_kb" -gt $((files_kb * 8 / 10)) -a "$size_kb" -lt $((files_kb * 12 / 10))

echo "== The installed saver"
wine 'C:\windows\system32\varnoka.scr' /s &
saver=$!
# Looked at until the car shows, for a while: a busy machine starts it slowly.
shot=$(mktemp --suffix=.png)
deadline=$((SECONDS + 60))
while [ $SECONDS -lt $deadline ]; do
  sleep 0.5
  import -window root "$shot"
  corner=$(convert "$shot" -format '%[pixel:p{2,2}]' info:)
  car_pixels=$(convert "$shot" -fill black -opaque 'srgb(0,0,128)' -fill white +opaque black \
    -format '%[fx:round(mean*w*h)]' info:)
  [ "$corner" != 'srgb(0,0,128)' ] || [ "$car_pixels" -le 5000 ] || break
done
check "no error box" test -z "$(xdotool search --name 'Viewer Message' 2>/dev/null)"
check "the saver still runs" kill -0 "$saver"
check "the background fills the screen (corner $corner)" test "$corner" = 'srgb(0,0,128)'
[ "$corner" = 'srgb(0,0,128)' ] || { echo "the settings file, $settings:"; cat "$settings" || true; }
check "a car covers part of it ($car_pixels pixels)" test "$car_pixels" -gt 5000
rm -f "$shot"
xdotool key q
wait "$saver" || true

echo "== Silent uninstall"
uninstall
check "varnoka.scr is gone" test ! -e "$system32/varnoka.scr"
check "the program folder is gone" test ! -e "$folder"
check "the InstallDir key is gone" bash -c "! wine reg query '$program_key'"
check "the Apps & features entry is gone" bash -c "! wine reg query '$uninstall_key'"
check "our saver is no longer the current one" test -z "$(value_of "$desktop_key" SCRNSAVE.EXE)"
check "the settings file is kept" grep -q 'BLUE=128' "$settings"

echo "== Another saver chosen after installing"
install
wine reg add "$desktop_key" /v SCRNSAVE.EXE /d 'C:\windows\system32\other.scr' /f >/dev/null 2>&1
uninstall
check "the other saver stays the current one" \
  test "$(value_of "$desktop_key" SCRNSAVE.EXE)" = 'C:\windows\system32\other.scr'
check "varnoka.scr is gone again" test ! -e "$system32/varnoka.scr"
check "the program folder is gone again" test ! -e "$folder"

wineserver -k
echo "$failures failed"
[ "$failures" -eq 0 ]
