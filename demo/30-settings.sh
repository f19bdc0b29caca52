# The product-identity queries on a sample settings file, then the merge of the location groups of an old
# and a new settings file into one result file. The queries reload the file on every call.
settings="$DEMO_WORK/settings"
product="$(winpath "$settings/product.xml")"
tlvcall f10 "$product" + f11 "$product" + f12 "$product" + f13 "$product" + f14 "$product" + f21 "$product"

# A missing file: 0, empty texts and the default title (with its trailing blank).
tlvcall f10 "$(winpath "$settings/missing.xml")" + f21 "$(winpath "$settings/missing.xml")"

# f24: the new file's groups win by their "name" entry (letter case ignored); only "name" and "path" carry
# over, a group without "name" becomes GROUP.
tlvcall f24 "$(winpath "$settings/merged.xml")" "$(winpath "$settings/locations-old.xml")" \
  "$(winpath "$settings/locations-new.xml")"
show "$settings/merged.xml"

# The same result in the text form, through tlvinspect.
echo "> tlvinspect settings merged.xml --save merged.txt --save-text"
"$WINE_LOADER" "$top/build/x86_64/bin/tlvinspect.exe" settings "$(winpath "$settings/merged.xml")" \
  --save "$(winpath "$settings/merged.txt")" --save-text
show "$settings/merged.txt"
