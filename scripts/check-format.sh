#!/usr/bin/env bash
# Checks that every tracked C++ source of the project is formatted as .clang-format
# says, and names the files that are not. Run by the test suite (CTest test
# "format_check") and by hand:
#   scripts/check-format.sh          check; exit status 1 when a file differs
#   scripts/check-format.sh --fix    format those files in place
# The formatter is pinned to clang-format 14 (Debian 12's), since other versions lay
# out the same style differently.
set -euo pipefail
cd "$(dirname "$0")/.."

readonly pinned_major=14
readonly source_folders=(lib game tools tests bench fuzz)

formatter=""
for candidate in "clang-format-$pinned_major" clang-format; do
    if command -v "$candidate" >/dev/null; then
        formatter=$candidate
        break
    fi
done
if [ -z "$formatter" ]; then
    echo "check-format: clang-format $pinned_major is not installed (Debian package clang-format; scripts/bootstrap installs it)" >&2
    exit 2
fi
version=$("$formatter" --version)
if ! [[ $version =~ version\ $pinned_major\. ]]; then
    echo "check-format: $formatter is not clang-format $pinned_major: $version" >&2
    exit 2
fi

# Tracked files when this is a git checkout (so build folders and scratch files are
# left out), otherwise every file of the source folders.
list_sources() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -- "${source_folders[@]}"
    else
        find "${source_folders[@]}" -type f
    fi | grep -E '\.(h|cpp)$|/GAME_MAIN$' || true
}

mapfile -t sources < <(list_sources)
if [ ${#sources[@]} -eq 0 ]; then
    echo "check-format: no sources found" >&2
    exit 2
fi

if [ "${1:-}" = "--fix" ]; then
    "$formatter" -i "${sources[@]}"
    exit 0
fi

# One run over every file (it goes on past the first difference); the files named in
# its violation reports are the ones to fix.
status=0
report=$("$formatter" --dry-run -Werror "${sources[@]}" 2>&1) || status=$?
mapfile -t differing < <(printf '%s\n' "$report" |
    sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)

# A failure that names no file (an unreadable file, a broken .clang-format) is not
# a pass.
if [ "$status" -ne 0 ] && [ ${#differing[@]} -eq 0 ]; then
    printf '%s\n' "$report" >&2
    echo "check-format: $formatter failed (exit status $status)" >&2
    exit 2
fi

if [ ${#differing[@]} -ne 0 ]; then
    echo "check-format: ${#differing[@]} of ${#sources[@]} files differ from .clang-format:"
    printf '  %s\n' "${differing[@]}"
    echo "fix them with: scripts/check-format.sh --fix   (or: $formatter -i FILE...)"
    exit 1
fi
echo "check-format: all ${#sources[@]} files are formatted"
