# The plugin-list merge: the installed copy's list and the new version's list, both beside their sample
# library files in plugins/bin, joined by plugin number into plugins.xml. The new version wins on equal
# numbers, plugins whose library is missing (or is a folder) are left out, numbers come out in ascending
# order with negative ones last.
plugins="$DEMO_WORK/plugins"
tlvcall f18 "$(winpath "$plugins/plugins.xml")" "$(winpath "$plugins/installed.xml")" "$(winpath "$plugins/update.xml")"
show "$plugins/plugins.xml"

echo "> tlvinspect plugins plugins.xml (what the catalogue keeps of the merged list)"
"$WINE_LOADER" "$top/build/x86_64/bin/tlvinspect.exe" plugins "$(winpath "$plugins/plugins.xml")"

# A missing first list: 0, and no result file is written.
tlvcall f18 "$(winpath "$plugins/none.xml")" "$(winpath "$plugins/missing.xml")" "$(winpath "$plugins/update.xml")"
[ -e "$plugins/none.xml" ] && echo "none.xml was written" || echo "(no none.xml written)"
