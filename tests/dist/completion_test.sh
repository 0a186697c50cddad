#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives hspring-cli's bash completion through bash's completion library, as a user's Tab does,
# in a folder holding a file and a folder: file options offer file names, value options their
# values, every command its options with --help, and the tool its commands.
#
#   completion_test.sh COMPLETION_FILE TOOL_FOLDER
set -u
completion=$1
tool_folder=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/designs"
touch "$work/title.json"
cd "$work" || exit 1

answers=$(PATH="$tool_folder:$PATH" bash --norc -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    for line in "hspring-cli " "hspring-cli jis-sheet --title-block " "hspring-cli sheet -o t" \
                "hspring-cli jis-sheet --hook " "hspring-cli shape --view l" \
                "hspring-cli sheet --slot 3" "hspring-cli chart --" "hspring-cli chart -" \
                "hspring-cli diagram --scale "; do
        COMP_LINE=$line COMP_POINT=${#line}
        read -ra COMP_WORDS <<<"$line"
        [ "${line: -1}" = " " ] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMPREPLY=()
        _hspring_cli
        echo "$line|$(printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " ")"
    done' bash "$completion" 2>&1)

failed=0
expect() {
    if ! grep -qxE -- "$1" <<<"$answers"; then
        echo "no line matches '$1'"
        failed=1
    fi
}
expect 'hspring-cli \|.*--help .*calc .*chart .*jis-sheet .*'
expect 'hspring-cli jis-sheet --title-block \|designs title.json '
expect 'hspring-cli sheet -o t\|title.json '
expect 'hspring-cli jis-sheet --hook \|round u '
expect 'hspring-cli shape --view l\|load1 load2 '
expect 'hspring-cli sheet --slot 3\|3 30 '
expect 'hspring-cli chart --\|(--[a-z-]+ )*--help (--[a-z-]+ )*'
expect 'hspring-cli chart -\|.*-h .*-o .*'
expect 'hspring-cli diagram --scale \| ?'
[ $failed -eq 0 ] || printf '%s\n' "$answers"
exit $failed
