"""Helpers that spell the lines of the rule files.

Table lines are SOURCE|TARGET with the source in lower case. Exception lines use the
engine's fixed Russian phrasing; the helpers below write each form exactly once so the
language definitions stay readable.
"""

VOWELS = "аеёиоуыэюя"
# Every consonant letter; й is a semivowel and kept apart on purpose.
CONSONANTS = "бвгджзклмнпрстфхцчшщ"
# Letters after which Russian spelling has no separate soft vowel sound.
HUSHING = "жчшщ"


def table(spec):
    """'а|a б|b ...' -> [('а', 'a'), ('б', 'b'), ...]. An empty target ('ь|') marks a
    letter that is not written; the generator turns it into a rule."""
    pairs = []
    for token in spec.split():
        source, _, target = token.partition("|")
        pairs.append((source, target))
    return pairs


def _letters(neighbours):
    if isinstance(neighbours, str):
        return ",".join(neighbours)
    return ",".join(neighbours)


def followed_by(x, neighbours, y):
    """X is replaced by Y when one of the neighbours comes right after it."""
    return f"Если после |{x}| стоит |{_letters(neighbours)}| меняем на |{y}|"


def preceded_by(x, neighbours, y):
    """X is replaced by Y when one of the neighbours comes right before it."""
    return f"Если перед |{x}| стоит |{_letters(neighbours)}| меняем на |{y}|"


def between(left, right, x, y):
    """X is replaced by Y when it stands between one of left and one of right."""
    return f"Если между |{_letters(left)}-{_letters(right)}| стоит |{x}| меняем на |{y}|"


def word_end(x, y):
    """X is replaced by Y when it ends a word (followed by a space or the text end)."""
    return f"В конце |{x}|{y}|"


def exact(x, y):
    """X is replaced by Y wherever it occurs; a capital X gives Y in capitals."""
    return f"Точная замена |{x}|{y}|"


# Marks that may close a word inside register texts: quotes around firm names, brackets,
# full stops. A comma cannot be written as a neighbour (it separates the list).
CLOSING_MARKS = ['"', "»", "”", ")", ".", ";", ":", "!", "?"]


def word_end_or_before_mark(x, y):
    """X ends a word: followed by a space or the text end, or by a closing mark."""
    return [word_end(x, y), followed_by(x, CLOSING_MARKS, y)]


def stand_alone(x, y):
    """X is replaced by Y when it is a word of its own (spaces or the text ends around it)."""
    return f"Отдельно стоящее |{x}|{y}|"


def word_start_before(x, neighbours, y):
    """X starts a word (the text start or after a space) and one of the neighbours follows."""
    return f"В начале |{x}| и после стоит |{_letters(neighbours)}| меняем на |{y}|"


def word_end_after(x, neighbours, y):
    """X ends a word (a space or the text end follows) and one of the neighbours precedes."""
    return f"В конце |{x}| и перед стоит |{_letters(neighbours)}| меняем на |{y}|"
