# fish completion for vendrake-batch: options, --format values, the language and
# dictionary names that `vendrake-translit --list` prints, and the list file.

# The names under heading $argv[1] ("Languages" or "Dictionaries") of
# vendrake-translit --list.
function __vendrake_batch_names
    vendrake-translit --list 2>/dev/null | sed -n "/^$argv[1]:\$/,/^\$/s/^  //p"
end

complete -c vendrake-batch -s h -l help -d 'Show the help and exit'
complete -c vendrake-batch -l version -d 'Show the version and exit'
complete -c vendrake-batch -l format -x -a 'text jsonl csv' -d 'The results file format'
complete -c vendrake-batch -l jobs -x -a '1 2 3 4 5 6 7 8' -d 'Queries at once'
complete -c vendrake-batch -l interval -x -d 'Least seconds between two query starts'
complete -c vendrake-batch -l resume -d 'Continue a stopped run'
complete -c vendrake-batch -l language -x -a '(__vendrake_batch_names Languages)' \
    -d 'Add transliterated columns in this language'
complete -c vendrake-batch -l dictionary -x -a '(__vendrake_batch_names Dictionaries)' \
    -d 'Translate with a dictionary first'
complete -c vendrake-batch -l request-language -x -a '(__vendrake_batch_names Languages)' \
    -d 'Convert each name line with this language before sending it'
complete -c vendrake-batch -l service -x -d 'The register mirror to ask, HOST[:PORT]'
complete -c vendrake-batch -l archive -r -F -d 'Record in the archive at this path'
complete -c vendrake-batch -l no-archive -d 'Record nothing in the archive'
complete -c vendrake-batch -l max-age -x -d 'Answer lines checked less than DAYS days ago from the archive'
