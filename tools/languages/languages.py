"""The language folders that ship: letter tables and context rules of Russian romanisation
systems and national transcriptions, each written out from the system's published letter
table and rules.

The engine lower-cases the input before matching and capitalises a table target's first
letter (a whole rule replacement) when the input letter was a capital. Context-dependent
letters are therefore written with the word-initial form in the table (it then also comes
out right after a hyphen, a quote or at the start of a capitalised word), and rules pick
the other forms where the letter follows a consonant: those rules fire inside words only,
where capitals do not occur in ordinary mixed-case writing.
"""

from reverse import LATIN_RULES, LATIN_TABLE, iso9_inverse
from rules import (CONSONANTS, HUSHING, VOWELS, between, exact, followed_by, preceded_by,
                   table, word_end_or_before_mark)

HUSHING_TS = HUSHING + "ц"
# The letters after which Ukrainian є and ї no longer start a word.
UKRAINIAN_LETTERS = VOWELS + CONSONANTS + "йьіїєґ"

LANGUAGES = {}

# Keeps Russian text as it is: the language to choose for the request fields, so that
# a name or address typed in Russian reaches the register unchanged.
LANGUAGES["Русский"] = dict(
    description=[
        "Русский: the text is kept as it is, letter for letter.",
        "Choose it as the language of transliteration to send a query typed in Russian",
        "to the register unchanged.",
    ],
    table=[],
    rules=[],
)

LANGUAGES["English"] = dict(
    description=[
        "English: BGN/PCGN romanization of Russian (1947 system).",
        "е and ё are written ye and yë at the start of a word, after vowels, й, ъ and ь,",
        "and e and ë after consonants. ъ is ” and ь is ’. The optional middle dot",
        "between letters that could be read as a digraph (t·s, sh·ch) is not written.",
        "Ukrainian і, ґ are i, g; є and ї are ye and yi at the start of a word and ie and i",
        "elsewhere (the BGN/PCGN Ukrainian system); Belarusian ў is w.",
    ],
    table=table("а|a б|b в|v г|g д|d е|ye ё|yë ж|zh з|z и|i й|y к|k л|l м|m н|n о|o "
                "п|p р|r с|s т|t у|u ф|f х|kh ц|ts ч|ch ш|sh щ|shch ъ|” ы|y ь|’ э|e "
                "ю|yu я|ya і|i ї|yi є|ye ґ|g ў|w"),
    rules=[
        preceded_by("е", CONSONANTS, "e"),
        preceded_by("ё", CONSONANTS, "ë"),
        preceded_by("є", UKRAINIAN_LETTERS, "ie"),
        preceded_by("ї", UKRAINIAN_LETTERS, "i"),
    ],
)

LANGUAGES["English (passport)"] = dict(
    description=[
        "English (passport): ICAO Doc 9303 transliteration of Cyrillic, as used in",
        "Russian international passports since 2014.",
        "ё is e, й is i, ъ is ie, ь is not written, ю is iu, я is ia.",
        "Ukrainian and Belarusian і, ї, є, ґ, ў are i, i, ie, g, u.",
    ],
    table=table("а|a б|b в|v г|g д|d е|e ё|e ж|zh з|z и|i й|i к|k л|l м|m н|n о|o "
                "п|p р|r с|s т|t у|u ф|f х|kh ц|ts ч|ch ш|sh щ|shch ъ|ie ы|y ь| э|e "
                "ю|iu я|ia і|i ї|i є|ie ґ|g ў|u"),
    rules=[],
)

# Latin letters whose use after ц gives c rather than cz: i, e, y and j.
GOST_B_C_BEFORE = "еёийыэюяіѣѵєї"

LANGUAGES["GOST 7.79 B"] = dict(
    description=[
        "GOST 7.79 B: GOST 7.79-2000, system B (Latin letters and signs of the keyboard",
        "only). ц is c before i, e, y and j (the Latin forms of е, ё, и, й, ы, э, ю, я)",
        "and cz elsewhere. Pre-reform і, ѣ, ѳ, ѵ and the Ukrainian and Belarusian",
        "letters є, ї, ґ, ў are included.",
    ],
    table=table("а|a б|b в|v г|g д|d е|e ё|yo ж|zh з|z и|i й|j к|k л|l м|m н|n о|o "
                "п|p р|r с|s т|t у|u ф|f х|x ц|cz ч|ch ш|sh щ|shh ъ|`` ы|y` ь|` э|e` "
                "ю|yu я|ya і|i' ѣ|ye ѳ|fh ѵ|yh є|ye ї|yi ґ|g` ў|u`"),
    rules=[
        followed_by("ц", GOST_B_C_BEFORE, "c"),
    ],
)

CARON = "\u030c"
CIRCUMFLEX = "\u0302"
GRAVE = "\u0300"

LANGUAGES["ISO 9"] = dict(
    description=[
        "ISO 9: ISO 9:1995, identical with GOST 7.79-2000 system A.",
        "One Latin letter, with diacritics where needed, for every Cyrillic letter;",
        "the conversion can be reversed. Letters of the other Slavic Cyrillic",
        "alphabets are included.",
    ],
    table=table("а|a б|b в|v г|g д|d е|e ё|ë ж|ž з|z и|i й|j к|k л|l м|m н|n о|o "
                "п|p р|r с|s т|t у|u ф|f х|h ц|c ч|č ш|š щ|ŝ ъ|ʺ ы|y ь|ʹ э|è ю|û я|â "
                "і|ì ѣ|ě ѵ|ỳ ґ|g" + GRAVE + " є|ê ї|ï ў|ǔ ђ|đ ѓ|ǵ ѕ|ẑ "
                "ј|j" + CARON + " љ|l" + CIRCUMFLEX + " њ|n" + CIRCUMFLEX + " ћ|ć ќ|ḱ "
                "џ|d" + CIRCUMFLEX + " ѳ|f" + GRAVE),
    rules=[],
)

TIE = "\u0361"

LANGUAGES["Library of Congress"] = dict(
    description=[
        "Library of Congress: ALA-LC romanization of Russian, written with the tie",
        "(U+0361) over t͡s, i͡u, i͡a and i͡e. A capital tied pair is written with",
        "both letters in capitals (T͡Svetaeva, I͡Uriĭ), as library catalogues do.",
        "й is ĭ, э is ė, ъ is ʺ (not written at the end of a word), ь is ʹ.",
        "і is ī as in the pre-reform Russian table; є, ї, ґ are i͡e, ï, g as in the",
        "Ukrainian table and ў is ŭ as in the Belarusian one.",
    ],
    table=table("а|a б|b в|v г|g д|d е|e ё|ë ж|zh з|z и|i й|ĭ к|k л|l м|m н|n о|o "
                "п|p р|r с|s т|t у|u ф|f х|kh ц|t" + TIE + "s ч|ch ш|sh щ|shch ъ|ʺ ы|y "
                "ь|ʹ э|ė ю|i" + TIE + "u я|i" + TIE + "a і|ī ѣ|i" + TIE + "e ѳ|ḟ ѵ|ẏ "
                "є|i" + TIE + "e ї|ï ґ|g ў|ŭ"),
    rules=[
        # Rules, not table entries: a capital then gives both tied letters in capitals.
        exact("ц", "t" + TIE + "s"),
        exact("ю", "i" + TIE + "u"),
        exact("я", "i" + TIE + "a"),
        exact("ѣ", "i" + TIE + "e"),
        exact("є", "i" + TIE + "e"),
        *word_end_or_before_mark("ъ", ""),
    ],
)

LANGUAGES["Deutsch"] = dict(
    description=[
        "Deutsch: die übliche deutsche Transkription des Russischen (Duden).",
        "е ist je am Wortanfang und nach Vokalen, ъ und ь, sonst e; ё ist jo, nach",
        "ж, ч, ш, щ o; й ist i (nach и und ы entfällt es, vor Vokal j); с zwischen",
        "Vokalen ist ss; кс ist x; ъ und ь entfallen (vor и und о steht j).",
        "Ukrainisch і, ї, є, ґ sind i, ji, je, g.",
    ],
    table=table("а|a б|b в|w г|g д|d е|je ё|jo ж|sch з|s и|i й|i к|k л|l м|m н|n о|o "
                "п|p р|r с|s т|t у|u ф|f х|ch ц|z ч|tsch ш|sch щ|schtsch ъ| ы|y ь| э|e "
                "ю|ju я|ja кс|x і|i ї|ji є|je ґ|g"),
    rules=[
        preceded_by("е", CONSONANTS, "e"),
        preceded_by("ё", HUSHING, "o"),
        preceded_by("й", "иы", ""),
        followed_by("й", "еёюя", ""),
        followed_by("й", "аоуэ", "j"),
        followed_by("ь", "ио", "j"),
        between(VOWELS, VOWELS, "с", "ss"),
    ],
)

LANGUAGES["Français"] = dict(
    description=[
        "Français : la transcription française usuelle du russe.",
        "у est ou, х kh, ч tch, ш ch, ж j, ю iou, я ia, ё io (o après ж, ч, ш, щ) ;",
        "г est gu devant е, и, ы ; с entre voyelles est ss ; е est ïe après voyelle",
        "(e après и, ы), ie après ъ et ь ; й est ï ; -ий, -ый finaux donnent -i, -y ; -ин, -ын",
        "finaux donnent -ine, -yne. L'ukrainien і, ї, є, ґ donne i, ï, ie, g.",
    ],
    table=table("а|a б|b в|v г|g д|d е|e ё|io ж|j з|z и|i й|ï к|k л|l м|m н|n о|o "
                "п|p р|r с|s т|t у|ou ф|f х|kh ц|ts ч|tch ш|ch щ|chtch ъ| ы|y ь| э|e "
                "ю|iou я|ia ге|gue ги|gui гы|guy кс|x і|i ї|ï є|ie ґ|g"),
    rules=[
        *word_end_or_before_mark("ин", "ine"),
        *word_end_or_before_mark("ын", "yne"),
        preceded_by("й", "иы", ""),
        preceded_by("е", "иы", "e"),
        preceded_by("е", VOWELS, "ïe"),
        preceded_by("е", "ъь", "ie"),
        preceded_by("и", "аеёоуэюя", "ï"),
        preceded_by("ё", HUSHING, "o"),
        between(VOWELS, VOWELS, "с", "ss"),
    ],
)

LANGUAGES["Español"] = dict(
    description=[
        "Español: la transcripción española habitual del ruso.",
        "х es j, ж zh, щ sch, ц ts; г es gu ante е, и; е es ye al principio de",
        "palabra y tras vocal, e tras consonante, и, ы, ie tras ь; ё, ю, я son yo, yu, ya",
        "o io, iu, ia tras consonante; -ий, -ый finales dan -i, -y.",
        "El acento ortográfico no se escribe. Las letras ucranianas і, ї, є, ґ son",
        "i, yi, ye, g.",
    ],
    table=table("а|a б|b в|v г|g д|d е|ye ё|yo ж|zh з|z и|i й|i к|k л|l м|m н|n о|o "
                "п|p р|r с|s т|t у|u ф|f х|j ц|ts ч|ch ш|sh щ|sch ъ| ы|y ь| э|e "
                "ю|yu я|ya ге|gue ги|gui і|i ї|yi є|ye ґ|g"),
    rules=[
        preceded_by("й", "иы", ""),
        preceded_by("е", CONSONANTS + "иы", "e"),
        preceded_by("е", "ь", "ie"),
        preceded_by("ё", HUSHING, "o"),
        preceded_by("ё", CONSONANTS + "ь", "io"),
        preceded_by("ю", CONSONANTS + "ь", "iu"),
        preceded_by("я", CONSONANTS + "ь", "ia"),
    ],
)

LANGUAGES["Italiano"] = dict(
    description=[
        "Italiano: la traslitterazione scientifica in uso nell'editoria italiana.",
        "ж ž, х ch, ц c, ч č, ш š, щ šč, й j, ю ju, я ja, э ė, ё ë,",
        "ъ \" e ь ' (El'cin, Gor'kij). Ucraino і, ї, є, ґ: i, ji, je, g; bielorusso ў: ŭ.",
    ],
    table=table("а|a б|b в|v г|g д|d е|e ё|ë ж|ž з|z и|i й|j к|k л|l м|m н|n о|o "
                "п|p р|r с|s т|t у|u ф|f х|ch ц|c ч|č ш|š щ|šč ъ|\" ы|y ь|' э|ė "
                "ю|ju я|ja і|i ї|ji є|je ґ|g ў|ŭ"),
    rules=[],
)

LANGUAGES["Polski"] = dict(
    description=[
        "Polski: polska transkrypcja języka rosyjskiego (zasady PWN).",
        "е, ё, ю, я to je, jo, ju, ja na początku wyrazu i po samogłosce, ie, io, iu, ia",
        "po spółgłosce, e, o, u, a po ж, ч, ш, щ, ц i л; л to ł, przed е, ё, и, ь, ю, я l;",
        "нь, сь, зь, ць to ń, ś, ź, ć; и po ж, ш, ц to y; -ский, -цкий, -ый",
        "na końcu wyrazu to -ski, -cki, -y. Ukraińskie і, ї, є, ґ to i, ji, je, g;",
        "białoruskie ў to ł.",
    ],
    table=table("а|a б|b в|w г|g д|d е|je ё|jo ж|ż з|z и|i й|j к|k л|ł м|m н|n о|o "
                "п|p р|r с|s т|t у|u ф|f х|ch ц|c ч|cz ш|sz щ|szcz ъ| ы|y ь| э|e "
                "ю|ju я|ja ле|le лё|lo ли|li ль|l лю|lu ля|la нь|ń сь|ś зь|ź ць|ć "
                "і|i ї|ji є|je ґ|g ў|ł"),
    rules=[
        *word_end_or_before_mark("ский", "ski"),
        *word_end_or_before_mark("цкий", "cki"),
        *word_end_or_before_mark("ый", "y"),
        preceded_by("е", HUSHING_TS, "e"),
        preceded_by("е", CONSONANTS, "ie"),
        preceded_by("ё", HUSHING_TS, "o"),
        preceded_by("ё", CONSONANTS, "io"),
        preceded_by("ю", HUSHING_TS, "u"),
        preceded_by("ю", CONSONANTS, "iu"),
        preceded_by("я", HUSHING_TS, "a"),
        preceded_by("я", CONSONANTS, "ia"),
        preceded_by("и", "жшц", "y"),
    ],
)

LANGUAGES["Čeština"] = dict(
    description=[
        "Čeština: česká transkripce ruštiny.",
        "е, ё, ю, я jsou je, jo, ju, ja; po souhláskách e; po д, т, н dě, tě, ně",
        "(a ďo, ťu, ňa ...); po ж, ч, ш, щ, ц o, u, a; дь, ть, нь jsou ď, ť, ň;",
        "ъ a ь se nepíší (před и a о j); х je ch, ц c, ч č, ш š, щ šč, й j.",
        "Ukrajinské і, ї, є, ґ jsou i, ji, je, g.",
    ],
    table=table("а|a б|b в|v г|g д|d е|je ё|jo ж|ž з|z и|i й|j к|k л|l м|m н|n о|o "
                "п|p р|r с|s т|t у|u ф|f х|ch ц|c ч|č ш|š щ|šč ъ| ы|y ь| э|e "
                "ю|ju я|ja де|dě те|tě не|ně дё|ďo тё|ťo нё|ňo дю|ďu тю|ťu ню|ňu "
                "дя|ďa тя|ťa ня|ňa дь|ď ть|ť нь|ň і|i ї|ji є|je ґ|g"),
    rules=[
        preceded_by("е", CONSONANTS, "e"),
        preceded_by("ё", HUSHING_TS, "o"),
        preceded_by("ю", HUSHING_TS, "u"),
        preceded_by("я", HUSHING_TS, "a"),
        followed_by("ь", "ио", "j"),
    ],
)

# The languages that go from Latin letters to Russian: reverse.py holds their tables and
# rules.
ISO9_INVERSE_TABLE, ISO9_INVERSE_RULES = iso9_inverse(LANGUAGES["ISO 9"]["table"])

LANGUAGES["Latin to Russian (ISO 9)"] = dict(
    description=[
        "Latin to Russian (ISO 9): the inverse of the language ISO 9. Every Russian text",
        "written in ISO 9 comes back letter for letter, capitals included, with one",
        "exception: ISO 9 writes ъ and ь as the marks ʺ and ʹ, which have no capital. Inside",
        "a word the letter before the mark gives its case (OBʺEKT is ОБЪЕКТ), but when the",
        "mark follows the first letter of a word a capital letter cannot tell a capitalised",
        "word from one in capitals: LʹVOV is read as ЛьВОВ, Lʹvov as Львов; a Ъ or Ь on",
        "its own comes back small. Latin letters that ISO 9 never writes (q, w, x) are kept;",
        "a Latin word inside Russian text is read as ISO 9 all the same.",
    ],
    table=ISO9_INVERSE_TABLE,
    rules=ISO9_INVERSE_RULES,
)

LANGUAGES["Latin to Russian"] = dict(
    description=[
        "Latin to Russian: turns a name written in Latin letters, as contracts, invoices and",
        "passports write it, into the register's Cyrillic spelling. Choose it as the language",
        "of transliteration and type the name as you have it.",
        "It reads BGN/PCGN, the passport system, ALA-LC without its marks and ties, German",
        "sch, tsch, w and French ou, tch, j for й, ja/ya, ju/yu, jo/yo, ye, ' for ь, x and",
        "ks, ck. It writes -iy, -ij, -ii as -ий and -yy, -yj, -yi as -ый; y between",
        "consonants as ы, after a vowel as й; kh as х, ts as ц, shch as щ; capitals are kept",
        "(OOO is ООО). The words LLC, JSC, PJSC, CJSC, OJSC become ООО, АО, ПАО, ЗАО, ОАО.",
        "What it cannot tell apart, and writes as shown:",
        "- e at a word start is Е (Elena), Э only before the beginnings of common Э words",
        "  (Eduard, Elektro, Energiya, Ekspress, Ekonom, Etazh, Ermitazh); e in aer is э.",
        "- yo and jo are ё (Fyodor), except Yoshkar, yod, yoga (й).",
        "- ya, yu after a consonant are я, ю (Ryazan): a left-out ь is restored only where",
        "  Russian nearly always has it: ye after a consonant (Vasilyev: ье), yan after t, k,",
        "  l, m, s (Tatyana), yi inside a word (Ilyin), l before n, v, f, sk, ts (Stroitelnaya,",
        "  bulvar, Alfa, Uralsk), l at a word end after a consonant, and a few common words",
        "  and places (Kazan, Tver, Igor, oblast, neft, oktyabr). So Darya is Даря.",
        "- ch is ч (the German ch for х is not read); sch is ш (German), not щ.",
        "- c is ц before e, i, y and in -cov, к elsewhere; x is кс.",
        "- i after a or e before a consonant is й (Baikal; so Raisa is Райса); -ia at a word",
        "  end after a consonant is -ия (Maria; so Natalia is Наталия); -ii is -ий (Dmitrii)",
        "  except after g, s, ts (Tekhnologii, Rossii: -ии).",
        "- A word starting with X is Кс... (Xenia), and an all-capital one КсЕНИЯ.",
    ],
    table=LATIN_TABLE,
    rules=LATIN_RULES,
)
