#!/usr/bin/env bash
# Makes a demo game folder for Marvok: the stock pods spread over the game folder, Fixes\ and
# Stock\, add-on pods in sub-folders, a patched-size monster.exe (sparse, it never runs),
# system\Monster.ini, pod.ini and two saved lists in ini\. Usage: make-demo-game.sh <folder>
set -euo pipefail

game="${1:?usage: make-demo-game.sh <folder>}"
rm -rf "$game"
mkdir -p "$game"/{Fixes,Stock,ini,system,UI,addons/trucks,addons/tracks,"Mods Pack"/arenas}

crlf() { printf '%s\r\n' "$@"; }
le32() {  # a little-endian uint32
    printf "\\$(printf %03o $(($1 & 255)))\\$(printf %03o $((($1 >> 8) & 255)))"
    printf "\\$(printf %03o $((($1 >> 16) & 255)))\\$(printf %03o $((($1 >> 24) & 255)))"
}
field() { printf '%s' "$1"; head -c $(($2 - ${#1})) /dev/zero; }  # NUL-padded to $2 bytes
pod() {  # a small POD1 archive; the inner files given, or ART\<NAME>.ACT and ART\<NAME>.BMP
    local file="$game/$1" base
    shift
    base=$(basename "$file")
    base=${base%.*}
    base=${base^^}
    local inner=("$@")
    [ ${#inner[@]} -gt 0 ] || inner=("ART\\$base.ACT" "ART\\$base.BMP")
    local offset=$((84 + 40 * ${#inner[@]})) path
    mkdir -p "$(dirname "$file")"
    {
        le32 ${#inner[@]}
        field "Demo pod $base" 80
        for path in "${inner[@]}"; do
            field "$path" 32
            le32 16
            le32 $offset
            offset=$((offset + 16))
        done
        head -c $((16 * ${#inner[@]})) /dev/zero
    } >"$file"
}

stock=(fixmore4 startup music sound truck2 cockpit ui tpark alaska junk crazy98 snake main
       aztec outback rockqry baja summit1 summit2 summit3)
# The game folder holds the stock pods as shipped; the patch's fixmore4.pod lives in Fixes.
for name in "${stock[@]}"; do
    [ "$name" = fixmore4 ] || pod "$name.pod"
done
pod Fixes/fixmore4.pod
# Fixes\truck2.pod, BigFoot and canyon98 (all mounted) share inner files, for Edit › Conflicts.
pod Fixes/truck2.pod 'ART\TRUCK2.ACT' 'TRUCK\TIRES.TRK'
pod Stock/main.pod
pod Stock/snake.pod
pod Stock/summit1.pod

# Add-ons: in sub-folders, in other letter cases, one with a blank in its name (never listed)
# and one in a folder whose name holds a blank.
pod addons/trucks/BigFoot.pod 'ART\BIGFOOT.ACT' 'ART\BIGFOOT.BMP' 'TRUCK\TIRES.TRK'
pod addons/trucks/gravedig.pod
pod addons/trucks/Samson.POD
pod addons/tracks/canyon98.pod 'LEVELS\CANYON98.LVL' 'ART\BIGFOOT.BMP' 'TRUCK\Tires.trk'
pod addons/tracks/icecave.pod
pod "addons/my truck.pod"
pod "Mods Pack/arenas/colosseum.pod"
pod xtreme.pod

truncate -s 2925568 "$game/monster.exe"  # the size of the patched MTM2
printf 'MTM2 localisation\r\n' >"$game/UI/MTM2.loc"

{
    crlf "[Fonts]" "gOSFontUseGlobal=1" "gOSFontUse_SmallLCD=1" "gOSFontUse_Small=1"
    crlf "gOSFontUse_Medium=1" "gOSFontUse_Large=1"
    crlf "gOSFontName_SmallLCD=Arial,Arial,Arial Bold" "gOSFontName_Small=Arial,Arial,Arial Bold"
    crlf "gOSFontName_Medium=Arial,Arial,Arial Bold" "gOSFontName_Large=Arial,Arial,Arial Bold"
    crlf "gOSFontSize_SmallLCD=-9,-9,-12" "gOSFontSize_Small=-9,-9,-12"
    crlf "gOSFontSize_Medium=-10,-10,-16" "gOSFontSize_Large=-10,-10,-20"
    crlf "gLocalizationFile=UI\\MTM2.loc" ""
    crlf "[Game]" "kookyHornFlag=0" "latencyDisplay=2" "showHiddenTrack=0"
} >"$game/system/Monster.ini"

crlf 22 'Fixes\fixmore4.pod' startup.pod music.pod sound.pod 'Fixes\truck2.pod' cockpit.pod \
    ui.pod tpark.pod alaska.pod junk.pod crazy98.pod 'Stock\snake.pod' 'Stock\main.pod' \
    aztec.pod outback.pod rockqry.pod baja.pod 'Stock\summit1.pod' summit2.pod summit3.pod \
    'addons\trucks\BigFoot.pod' 'addons\tracks\canyon98.pod' >"$game/pod.ini"
crlf 9 'Fixes\fixmore4.pod' startup.pod music.pod sound.pod 'Fixes\truck2.pod' cockpit.pod \
    ui.pod 'addons\tracks\icecave.pod' 'addons\trucks\Samson.POD' >"$game/ini/ice-night.ini"
crlf 10 'Fixes\fixmore4.pod' startup.pod music.pod sound.pod 'Fixes\truck2.pod' cockpit.pod \
    ui.pod xtreme.pod 'addons\trucks\gravedig.pod' 'addons\trucks\BigFoot.pod' \
    >"$game/ini/monster-jam.ini"

echo "$game"
