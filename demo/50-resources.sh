# The resource lists: merge the list shipped with the new version (shipped.xml) into the installed one
# (installed.xml). The shipped list wins: its entry for Voices\English (spelled in other letter case)
# replaces the installed one and moves to the end. Then check that every location of a list is a folder:
# folders.xml names folders only; the merged list also names Tools\Helper.dll, a file.
lists="$DEMO_WORK/resources/Lists"
show "$lists/installed.xml"
show "$lists/shipped.xml"
tlvcall f19 "$(winpath "$lists/merged.xml")" "$(winpath "$lists/installed.xml")" "$(winpath "$lists/shipped.xml")"
show "$lists/merged.xml"
tlvcall f20 "$(winpath "$lists/folders.xml")"
tlvcall f20 "$(winpath "$lists/merged.xml")"
# What the catalogue reads from the merged list, with each entry's kind and content code.
echo "> tlvinspect resources $(winpath "$lists/merged.xml")"
"$WINE_LOADER" "$top/build/x86_64/bin/tlvinspect.exe" resources "$(winpath "$lists/merged.xml")"
