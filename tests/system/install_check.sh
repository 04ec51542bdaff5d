#!/bin/sh
# The installed program, started from another folder, finds everything beside it: the catalogue
# (shown by a schedule selection, which needs no display), its own and Qt's translations, the data
# sheets, the description PDFs and the change log; the desktop entry and the icon validate.
set -eu
build=$1
prefix=$(mktemp -d)
elsewhere=$(mktemp -d)
trap 'rm -rf "$prefix" "$elsewhere"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
desktop-file-validate "$prefix/share/applications/vortel.desktop"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/vortel.svg"
folder=$prefix/lib/vortel
for file in vortel fans.dat lang/vortel_ru.qm lang/qtbase_ru.qm changelog.txt res/css; do
    [ -e "$folder/$file" ] || { echo "not installed: $file"; exit 1; }
done
ls "$folder"/pdf/*.pdf > /dev/null
cd "$elsewhere"
printf 'name,q,p\nhall,5000,600\n' > schedule.csv
"$prefix/bin/vortel" --duties schedule.csv > result.csv
grep -q '^hall,1,' result.csv || { echo "no fan selected:"; cat result.csv; exit 1; }
[ ! -e "$folder/vortel.ini" ] || { echo "the schedule selection wrote vortel.ini"; exit 1; }
echo "installed program OK"
