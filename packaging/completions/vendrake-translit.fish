# fish completion for vendrake-translit: options, and the language and dictionary
# names that `vendrake-translit --list` prints.

# The names under heading $argv[1] ("Languages" or "Dictionaries") of --list.
function __vendrake_translit_names
    vendrake-translit --list 2>/dev/null | sed -n "/^$argv[1]:\$/,/^\$/s/^  //p"
end

complete -c vendrake-translit -f
complete -c vendrake-translit -s h -l help -d 'Show the help and exit'
complete -c vendrake-translit -l version -d 'Show the version and exit'
complete -c vendrake-translit -l list -d 'List the languages and dictionaries'
complete -c vendrake-translit -l dictionary -x -a '(__vendrake_translit_names Dictionaries)' \
    -d 'Translate with a dictionary first'
complete -c vendrake-translit -n 'not __fish_contains_opt -s h help version list' \
    -a '(__vendrake_translit_names Languages)'
