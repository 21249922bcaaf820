"""The languages that go from Latin letters back to Russian Cyrillic: the strict inverse
of ISO 9, and a reader of the many ways names are written outside Russia that writes
the register's spelling.

The engine decides capitals by the first letter a rule or table entry consumes: a
table target gets only its first letter upper-cased, a rule replacement all of its
letters. Rules that turn one Latin letter group into several Cyrillic letters are
therefore written so that they never consume the first letter of a word (they look
at the letters before them as neighbours); at a word start the table's one-letter
targets give the right capital, and inside an all-capital word the rule's capitals
are right.
"""

from rules import (between, exact, followed_by, preceded_by, stand_alone, table,
                   word_end_after, word_end_or_before_mark, word_start_before)

# ---------------------------------------------------------------------------------
# Latin to Russian (ISO 9): every entry of the shipped ISO 9 table read backwards.

MARKS = {"ъ": "ʺ", "ь": "ʹ"}


def iso9_inverse(iso9_table):
    """Table and rules of the inverse of the ISO 9 letter table."""
    forward = dict(iso9_table)
    targets = [target for _, target in iso9_table]
    if len(set(targets)) != len(targets):
        raise SystemExit("ISO 9: two letters share a Latin form; no inverse exists")
    inverse = [(target, source) for source, target in iso9_table]
    # Every Latin form a Cyrillic letter may end with: the letter itself or, for forms
    # written with a combining mark, that mark.
    enders = sorted({target[-1] for target in targets if target not in MARKS.values()})
    rules = []
    # ISO 9 writes ъ and ь as modifier letters that have no capital, so the marks alone
    # cannot tell Ъ from ъ. Inside a word the letter before the mark decides: a capital
    # there means an all-capital word. The rule consumes that letter and the mark together,
    # so both come out in the letter's case. At a word start (no letter before) the
    # table converts the letter and the mark separately: a capital first letter is taken
    # as the start of a capitalised word, and the mark stays small.
    for cyrillic, latin in iso9_table:
        if latin in MARKS.values():
            continue
        for mark_cyrillic, mark in MARKS.items():
            rules.append(preceded_by(latin + mark, enders, cyrillic + mark_cyrillic))
    assert all(forward[c] == m for c, m in MARKS.items())
    return inverse, rules


# ---------------------------------------------------------------------------------
# Latin to Russian: BGN/PCGN, passports (ICAO 9303), ALA-LC without diacritics and
# ties, German and French habits and the informal forms, to the register's spelling.

CONSONANTS = "bcdfghjklmnpqrstvwxz"
LETTERS = "abcdefghijklmnopqrstuvwxyz"
# Marks that may close a word in a firm name: quotes, brackets, full stops.
CLOSING = ['"', "»", "”", "“", ")", ".", ";", ":", "!", "?"]


def word_end_everywhere(x, y, after=None):
    """X at a word end (space, text end or a closing mark), optionally only after one of
    the neighbours."""
    if after is None:
        return word_end_or_before_mark(x, y)
    return [word_end_after(x, after, y), between(after, CLOSING, x, y)]


LEGAL_FORMS = [("llc", "ооо"), ("jsc", "ао"), ("pjsc", "пао"), ("cjsc", "зао"),
               ("ojsc", "оао")]
FORM_CLOSERS = [".", ")", ";", ":"]

LATIN_TABLE = table(
    # One letter for one letter.
    "a|а b|б v|в g|г d|д e|е z|з i|и j|й k|к l|л m|м n|н o|о p|п r|р s|с t|т u|у "
    "f|ф h|х c|к q|к w|в y|ы x|кс "
    # Letter groups of the romanisation systems.
    "zh|ж kh|х ts|ц tc|ц ch|ч sh|ш shch|щ shh|щ "
    "ya|я yu|ю yo|ё ye|е ja|я ju|ю jo|ё je|е ia|я iu|ю "
    # German and French habits.
    "sch|ш tsch|ч schtsch|щ tch|ч ou|у ck|к ph|ф "
    # Letters with diacritics that writers keep from ALA-LC, ISO 9 and Czech habits.
    "ë|ё ė|э ĭ|й č|ч š|ш ž|ж "
    # The soft and hard signs as BGN/PCGN and ALA-LC write them.
    "'|ь ’|ь ʹ|ь ʺ|ъ")

LATIN_RULES = [
    # Legal forms as foreigners write them, as words of their own: between spaces or
    # before a comma, a full stop or a closing bracket. A comma cannot be a neighbour
    # (it separates the lists), so the comma is part of the word there.
    *[rule for latin, russian in LEGAL_FORMS
      for rule in (stand_alone(latin, russian), stand_alone(latin + ",", russian + ","),
                   word_start_before(latin, FORM_CLOSERS, russian),
                   between([" ", "("], FORM_CLOSERS, latin, russian))],
    # Adjective endings: -iy, -ij, -ii (passports) are -ий; -yy, -yj, -yi are -ый; a
    # vowel and i or y at a word end is the vowel and й (Sergei, Nikolay, Tolstoi).
    exact("iia", "ия"),
    *word_end_everywhere("iy", "ий"),
    *word_end_everywhere("ij", "ий"),
    *word_end_everywhere("ii", "ии", after=["g", "s", "ts", "tc"]),
    *word_end_everywhere("ii", "ий"),
    *word_end_everywhere("yy", "ый"),
    *word_end_everywhere("yj", "ый"),
    *word_end_everywhere("yi", "ый"),
    *word_end_everywhere("sky", "ский"),
    *word_end_everywhere("tsky", "цкий"),
    *word_end_everywhere("y", "й", after="aeou"),
    *word_end_everywhere("i", "й", after="aeou"),
    # -ia after a consonant at a word end is -ия (Maria, Viktoria, Rossia).
    *word_end_everywhere("ia", "ия", after=CONSONANTS),
    # y or i between a vowel and a consonant is й (Chaykovskiy, Baikal, Aleksei); not
    # in Mikhail.
    between("aeiou", CONSONANTS, "y", "й"),
    between(["kha", "ha"], "l", "i", "и"),
    between("ae", CONSONANTS, "i", "й"),
    # Soft and hard signs that writers leave out, restored where Russian spelling
    # nearly always has them. The sign goes with the letter after it, so that a
    # capital only comes from an all-capital word.
    # ye after a consonant: ье (Vasilyev, Grigoryev), as BGN writes е after a
    # consonant as e; ъе after the prefixes ob, pod (Obyedinenie, Podyezd); but ые at
    # a word end (Naberezhnye, the passports' ы).
    *word_end_everywhere("ye", "ые", after=CONSONANTS),
    preceded_by("ye", ["rob"], "ье"),
    preceded_by("ye", ["ob", "pod"], "ъе"),
    preceded_by("ye", CONSONANTS, "ье"),
    # ie after or, ur, il, as: ье (Grigoriev, Yuriev, Vasiliev, Afanasiev).
    preceded_by("ie", ["or", "ur", "il", "as"], "ье"),
    # yi inside a word after a consonant: ьи (Ilyin, Ilyich).
    between(CONSONANTS, LETTERS, "yi", "ьи"),
    # ya before n after t, k, l, m, s is ья (Tatyana, Lukyanov, Ulyanovsk, Kasyanov),
    # not after f or r (neftyanoy, Bryansk).
    between(["at", "k", "l", "m", "s"], "n", "ya", "ья"),
    between("t", "n", "ia", "ья"),
    word_end_after("ya", ["tal", "il"], "ья"),
    # л before н, в, ф, ск, ц, at a word end after a consonant: ль (Stroitelnaya,
    # bulvar, Alfa, Uralsk, Yeltsin, Yaroslavl); but Solnyshko, Chelny; Olga but Volga.
    preceded_by("n", ["sol", "chel"], "н"),
    preceded_by("n", "l", "ьн"),
    preceded_by("v", "l", "ьв"),
    preceded_by("f", "l", "ьф"),
    preceded_by("ts", "l", "ьц"),
    between("l", "k", "s", "ьс"),
    between(["vol"], "a", "g", "г"),
    between(["ol"], "a", "g", "ьг"),
    *word_end_everywhere("l", "ль", after=CONSONANTS.replace("l", "")),
    *word_end_everywhere("l", "ль", after=["po", "sta", "be"]),
    # Common words and place names ending in a soft sign: Kazan, Ryazan, Astrakhan,
    # Tyumen, Tver, Igor, the months (oktyabr), neft, oblast, vlast.
    *word_end_everywhere("n", "нь", after=["aza", "akha", "tyume", "yume"]),
    *word_end_everywhere("r", "рь", after=["tve", "igo", "yab", "jab", "kab"]),
    between(["ab"], ["sk"], "r", "рь"),
    *word_end_everywhere("t", "ть", after=["nef", "las"]),
    # Given names as English writes them: Yuri, Dmitri, Vitaly are -ий; Alexander is
    # Александр; Gorky is Горький; -nny is -нный.
    *word_end_everywhere("i", "ий", after=["yur", "jur", "iur", "dmitr", "vital", "gennad",
                                           "anatol", "valer", "evgen", "arkad", "vasil",
                                           "georg"]),
    *word_end_everywhere("y", "ий", after=["yur", "jur", "iur", "dmitr", "vital",
                                           "gennad", "anatol", "valer", "evgen", "arkad",
                                           "vasil", "georg"]),
    *word_end_everywhere("er", "р", after=["and"]),
    *word_end_everywhere("ky", "ький", after=["gor"]),
    *word_end_everywhere("y", "ый", after=["nn"]),
    # The German -ow after sch, tsch is -ёв (Gorbatschow, Chruschtschow).
    between(["sch"], ["w"], "o", "ё"),
    # Yoshkar-Ola, yod, yoga begin with й, not ё.
    word_start_before("y", ["osh", "od", "og"], "й"),
    # A double quote between a consonant and a vowel is ъ (Ob"edinenie); quotes around
    # a name stand next to a space.
    between(CONSONANTS, "aeiouy", '"', "ъ"),
    # ts before k or t is т and с (Sovetskiy, Bratsk, Agentstvo, Investstroy), not ц; but -etsk at
    # a word end is -ецк (Lipetsk, Donetsk).
    *word_end_everywhere("tsk", "цк", after="e"),
    followed_by("ts", ["k", "t"], "тс"),
    # c before e, i, y is ц, elsewhere к.
    followed_by("c", "eiy", "ц"),
    followed_by("c", ["ov"], "ц"),
    # x inside a word is кс in the word's case (MAXIM); at a word start the table's
    # "Кс" keeps a capitalised word right.
    preceded_by("x", LETTERS, "кс"),
    # e between a and r is э (Aeroflot); at a word start e is Е, but э before the letters that
    # begin the common Э words (Eduard, Elektro, Energiya, Ekspress, Ekonom, Etazh).
    between("a", "r", "e", "э"),
    word_start_before("e", ["d", "lek", "lit", "lv", "lb", "ll", "ner", "ks", "kon", "ko ",
                            "ko-", "kol", "tazh", "tal", "st", "ra ", "rmit", "kra", "ff",
                            "mm", "mil", "x", "vr", "l'", "vol"],
                      "э"),
]
