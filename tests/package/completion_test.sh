#!/bin/bash
# The bash completions of vendrake-batch and vendrake-translit, run against the built
# vendrake-translit and the languages beside it.
#   completion_test.sh BIN_DIR SOURCE_DIR
set -u
bin=$1 source_dir=$2
status=0
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT
# No shared data folder: the languages and dictionaries beside the programs count.
export XDG_DATA_HOME=$scratch XDG_DATA_DIRS=$scratch/none LC_ALL=C.UTF-8
export PATH=$bin:$PATH
source "$source_dir/packaging/completions/vendrake-translit.bash"
source "$source_dir/packaging/completions/vendrake-batch.bash"

# expect FUNCTION "EXPECTED REPLIES, ONE A LINE" WORD...: completes the last word.
expect() {
    local function=$1 want=$2
    shift 2
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    "$function"
    local have
    have=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
    want=$(printf '%s\n' "$want" | sort)
    if [[ $have != "$want" ]]; then
        echo "completion of '$*': got"$'\n'"$have"$'\n'"wanted"$'\n'"$want" >&2
        status=1
    fi
}

expect _vendrake_translit '--dictionary' vendrake-translit --dic
expect _vendrake_translit '--list' vendrake-translit --l
expect _vendrake_translit 'English
English\ \(passport\)' vendrake-translit Eng
# A name with spaces, typed with a backslash, completes quoted for the shell.
expect _vendrake_translit 'English\ \(passport\)' vendrake-translit 'English\ '
expect _vendrake_translit 'Čeština' vendrake-translit Č
expect _vendrake_translit 'Deutsch' vendrake-translit Latin --dictionary De
expect _vendrake_translit '' vendrake-translit --list ''
expect _vendrake_batch 'text' vendrake-batch list.txt --format t
expect _vendrake_batch 'jsonl' vendrake-batch list.txt --format j
expect _vendrake_batch 'Latin\ to\ Russian
Latin\ to\ Russian\ \(ISO\ 9\)' vendrake-batch list.txt --language Lat
# Dictionaries are only those under "Dictionaries:", not the languages.
expect _vendrake_batch '' vendrake-batch list.txt --language English --dictionary Lat
expect _vendrake_batch 'English' vendrake-batch list.txt --language English --dictionary En
expect _vendrake_batch '--resume' vendrake-batch list.txt --res
cd "$scratch" && : >firms.txt
expect _vendrake_batch 'firms.txt' vendrake-batch fi
exit "$status"
