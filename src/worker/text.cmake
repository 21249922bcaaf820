# Sources: form encoding, page scanner, answer rules, results file.
