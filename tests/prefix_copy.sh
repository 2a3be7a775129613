# Sourced by the tests that change a Wine prefix (the installer, and the locale runs, since
# Wine writes the locale it was given into the registry): use_prefix_copy <name> points
# WINEPREFIX at a copy of the ready one, or at a fresh folder that wine-run fills, and
# removes it with its wineserver at exit, so that other tests keep theirs untouched. Under
# tools/with-display it copies the prefix as the display's session opened, since the running
# session writes what tests change to the prefix only now and then.
# Needs $root, the project's folder.
use_prefix_copy() {
    base_prefix=${ZELVANE_PREFIX_AT_START:-${WINEPREFIX:-$root/build/wineprefix}}
    work=$(mktemp -d "${TMPDIR:-/tmp}/zelvane-$1.XXXXXX")
    export WINEPREFIX="$work/prefix"
    trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
    trap 'exit 1' INT TERM
    # A ready prefix is copied in seconds; making one takes much longer.
    if [ -e "$base_prefix/.zelvane-ready" ]; then
        "$root/tools/copy-prefix" "$base_prefix" "$WINEPREFIX"
    fi
}
