#!/usr/bin/env bash
# Converts the help documents' HTML sources in data/help/src/ to the RTF files in data/help/ with LibreOffice; the RTF output is committed.
#
# Usage: scripts/make-help-docs.sh
# Needs soffice (LibreOffice Writer) on the PATH. LibreOffice runs with a
# throw-away HOME and profile, so nothing of it lands in the repository.
# Each src/NAME.html becomes NAME.rtf; the Korean text comes out as \uN with
# code page 949 fallback bytes (\'hh\'hh, font charset 129), which the script
# checks before it replaces a shipped file.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
src="$root/data/help/src"
dest="$root/data/help"

command -v soffice >/dev/null || { echo "make-help-docs: soffice not found (install LibreOffice Writer)" >&2; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/make-help-docs.XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/out"

shopt -s nullglob
sources=("$src"/*.html)
(( ${#sources[@]} )) || { echo "make-help-docs: no sources in $src" >&2; exit 1; }

# One LibreOffice run per document: converted together, the documents get
# their font tables in a varying order; one at a time, the output is the same
# from run to run.
for html in "${sources[@]}"; do
    HOME="$work/home" soffice --headless --norestore \
        "-env:UserInstallation=file://$work/profile" \
        --infilter="HTML (StarWriter)" \
        --convert-to 'rtf:Rich Text Format' \
        --outdir "$work/out" "$html" >"$work/soffice.log" 2>&1 || {
        cat "$work/soffice.log" >&2
        exit 1
    }
done

status=0
for html in "${sources[@]}"; do
    name="$(basename "$html" .html)"
    rtf="$work/out/$name.rtf"
    if [[ ! -s "$rtf" ]]; then
        echo "make-help-docs: $name.rtf was not written" >&2
        status=1
        continue
    fi
    # Hangul syllables as \uN with two CP949 bytes after \uc2, no '?' fallbacks.
    if ! grep -Eq "\\\\u[0-9]+\\\\'[0-9a-f]{2}\\\\'[0-9a-f]{2}" "$rtf" ||
        ! grep -q '\\uc2' "$rtf" || ! grep -q '\\fcharset129' "$rtf"; then
        echo "make-help-docs: $name.rtf has no CP949 fallbacks for its Korean text" >&2
        status=1
        continue
    fi
    if grep -Eq "\\\\u(4[4-9]|5[0-5])[0-9]{3} ?\\?|\\\\u[0-9]+\\\\'3f" "$rtf"; then
        echo "make-help-docs: $name.rtf has '?' fallbacks (a character outside CP949?)" >&2
        status=1
        continue
    fi
    mv "$rtf" "$dest/$name.rtf"
    echo "$dest/$name.rtf"
done
exit "$status"
