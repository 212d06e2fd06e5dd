#!/bin/sh
# The patch tool of the builds without `patch` (tools/parche.cpp): on the project's own
# third-party patches it gives exactly what patch(1) gives, and a patch that does not match
# fails the whole run without writing anything.
#   parche_test.sh PARCHE SOURCE_DIR
set -eu
parche=$1; raiz=$2
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
for lib in fathom gaviota; do
    cp -R "$raiz/third_party/$lib/src" "$tmp/$lib-parche"
    cp -R "$raiz/third_party/$lib/src" "$tmp/$lib-patch"
    "$parche" "$tmp/$lib-parche" "$raiz"/third_party/$lib/patches/*.patch
    for p in "$raiz"/third_party/$lib/patches/*.patch; do patch -s --batch -p1 -d "$tmp/$lib-patch" -i "$p"; done
    diff -r "$tmp/$lib-parche" "$tmp/$lib-patch"
    if diff -rq "$tmp/$lib-parche" "$raiz/third_party/$lib/src" > /dev/null; then
        echo "$lib: the patches changed nothing"; exit 1
    fi
done
# A good patch, then one whose context line no longer matches: nothing is written.
cp -R "$raiz/third_party/fathom/src" "$tmp/rechazo"
sed 's/^         } else {$/         } else { \/\/ changed/' "$raiz/third_party/fathom/patches/0002-dtz-16-bit-maps.patch" > "$tmp/malo.patch"
! cmp -s "$tmp/malo.patch" "$raiz/third_party/fathom/patches/0002-dtz-16-bit-maps.patch"
if "$parche" "$tmp/rechazo" "$raiz/third_party/fathom/patches/0001-checked-table-files.patch" "$tmp/malo.patch" 2> "$tmp/error"; then
    echo "a patch that does not match was applied"; exit 1
fi
grep -q "does not match" "$tmp/error"
diff -r "$tmp/rechazo" "$raiz/third_party/fathom/src"
# Applied twice, the patches no longer match either.
if "$parche" "$tmp/fathom-parche" "$raiz"/third_party/fathom/patches/0002-*.patch 2> /dev/null; then
    echo "a patch applied twice"; exit 1
fi
echo "parche: the same as patch(1) on every third-party patch; mismatches refused"
