# bash completion for vendrake-batch: options, --format values, the language and
# dictionary names that `vendrake-translit --list` prints, and the list file.

# The names under one heading ("Languages" or "Dictionaries") of vendrake-translit
# --list; the translit tool beside vendrake-batch when it was run by a path.
_vendrake_batch_names() {
    local translit=vendrake-translit
    [[ $1 == */* ]] && translit=${1%/*}/vendrake-translit
    "$translit" --list 2>/dev/null | sed -n "/^$2:\$/,/^\$/s/^  //p"
}

_vendrake_batch() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local typed name heading=
    COMPREPLY=()
    case $prev in
        --format)
            COMPREPLY=($(compgen -W 'text jsonl csv' -- "$cur"))
            return
            ;;
        --jobs)
            COMPREPLY=($(compgen -W '1 2 3 4 5 6 7 8' -- "$cur"))
            return
            ;;
        --interval | --service | --max-age)
            return
            ;;
        --archive)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
            ;;
        --language | --request-language) heading=Languages ;;
        --dictionary) heading=Dictionaries ;;
    esac
    if [[ -n $heading ]]; then
        typed=${cur//\\/}
        typed=${typed#[\"\']}
        while IFS= read -r name; do
            [[ $name == "$typed"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
        done < <(_vendrake_batch_names "${COMP_WORDS[0]}" "$heading")
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--format --jobs --interval --resume --language --dictionary
            --request-language --service --archive --no-archive --max-age --help --version' \
            -- "$cur"))
        return
    fi
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}

complete -F _vendrake_batch vendrake-batch
