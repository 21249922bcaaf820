# bash completion for vendrake-translit: options, and the language and dictionary
# names that `vendrake-translit --list` prints.

# The names under one heading ("Languages" or "Dictionaries") of --list.
_vendrake_translit_names() {
    "${1:-vendrake-translit}" --list 2>/dev/null | sed -n "/^$2:\$/,/^\$/s/^  //p"
}

# Fills COMPREPLY with the names under heading $2 (program $1) that start with the
# word being completed, quoted for the command line.
_vendrake_translit_complete_names() {
    local typed=${COMP_WORDS[COMP_CWORD]} name
    typed=${typed//\\/}
    typed=${typed#[\"\']}
    COMPREPLY=()
    while IFS= read -r name; do
        [[ $name == "$typed"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
    done < <(_vendrake_translit_names "$1" "$2")
}

_vendrake_translit() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]} word
    COMPREPLY=()
    if [[ $prev == --dictionary ]]; then
        _vendrake_translit_complete_names "${COMP_WORDS[0]}" Dictionaries
        return
    fi
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in
            --list | --help | -h | --version) return ;;
        esac
    done
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--dictionary --list --help --version' -- "$cur"))
        return
    fi
    _vendrake_translit_complete_names "${COMP_WORDS[0]}" Languages
}

complete -F _vendrake_translit vendrake-translit
