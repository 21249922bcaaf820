// Published spellings of Russian names, places and companies, converted through each
// shipped language folder and compared exactly.
//
// Forms the engine cannot produce are left out: words in capitals whose letters have
// targets of more than one letter (the engine capitalises only a table target's first
// letter, ЩУКИН gives ShchUKIN), and word-end forms before a comma (a word end is a
// following space, the end of the text or one of the closing marks the rules list).
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "support/shipped_data.h"

namespace {

struct Example {
    const char* russian;
    const char* written;
};

template <size_t N>
void CheckExamples(const char* language, const Example (&examples)[N]) {
    static_assert(N >= 15, "at least 15 published examples per language");
    for (const Example& example : examples) {
        const QString result =
            data_test::Convert(QString::fromUtf8(example.russian), QString::fromUtf8(language));
        EXPECT_EQ(result.toStdString(), std::string(example.written))
            << language << ": " << example.russian;
    }
}

// BGN/PCGN: places as the BGN/PCGN gazetteers write them, people and companies by the
// system's table (ye/yë word-initially and after vowels, ъ, ь; ’ and ” for ь and ъ).
TEST(LanguageExamples, EnglishFollowsBgnPcgn) {
    const Example examples[] = {
        {"Москва", "Moskva"},
        {"Екатеринбург", "Yekaterinburg"},
        {"Нижний Новгород", "Nizhniy Novgorod"},
        {"Ярославль", "Yaroslavl’"},
        {"Рязань", "Ryazan’"},
        {"Челябинск", "Chelyabinsk"},
        {"Хабаровск", "Khabarovsk"},
        {"Йошкар-Ола", "Yoshkar-Ola"},
        {"Набережные Челны", "Naberezhnyye Chelny"},
        {"Орёл", "Orël"},
        {"Щёлково", "Shchëlkovo"},
        {"Енисей", "Yenisey"},
        {"Южно-Сахалинск", "Yuzhno-Sakhalinsk"},
        {"Усть-Илимск", "Ust’-Ilimsk"},
        {"Ноябрьск", "Noyabr’sk"},
        {"Элиста", "Elista"},
        {"Объединение", "Ob”yedineniye"},
        {"Борис Ельцин", "Boris Yel’tsin"},
        {"«Ельцин»", "«Yel’tsin»"},
        {"Фёдор Достоевский", "Fëdor Dostoyevskiy"},
        {"Юрий Гагарин", "Yuriy Gagarin"},
        {"Пётр Чайковский", "Pëtr Chaykovskiy"},
        {"Никита Хрущёв", "Nikita Khrushchëv"},
        {"Лев Толстой", "Lev Tolstoy"},
        {"Сергей Прокофьев", "Sergey Prokof’yev"},
        {"Роснефть", "Rosneft’"},
        {"Аэрофлот", "Aeroflot"},
    };
    CheckExamples("English", examples);
}

// ICAO Doc 9303: given names and surnames as Russian passports print them since 2014
// (mixed case here; capitals where every letter has a one-letter form).
TEST(LanguageExamples, PassportFollowsIcao9303) {
    const Example examples[] = {
        {"Юлия", "Iuliia"},
        {"Александр", "Aleksandr"},
        {"Сергей", "Sergei"},
        {"Дмитрий", "Dmitrii"},
        {"Андрей", "Andrei"},
        {"Евгений", "Evgenii"},
        {"Елена", "Elena"},
        {"Наталья", "Natalia"},
        {"Татьяна", "Tatiana"},
        {"Набережные Челны", "Naberezhnye Chelny"},
        {"Юрий", "Iurii"},
        {"Мария", "Mariia"},
        {"Ксения", "Kseniia"},
        {"Фёдор", "Fedor"},
        {"Пётр", "Petr"},
        {"Щукин", "Shchukin"},
        {"Жуков", "Zhukov"},
        {"Соловьёв", "Solovev"},
        {"Подъячев", "Podieiachev"},
        {"Цветкова", "Tsvetkova"},
        {"Чайковский", "Chaikovskii"},
        {"Эльвира", "Elvira"},
        {"ИВАНОВ", "IVANOV"},
        {"ПЕТРОВА АННА", "PETROVA ANNA"},
    };
    CheckExamples("English (passport)", examples);
}

// GOST 7.79-2000 system B: the standard's letter table, ц as c before i, e, y, j.
TEST(LanguageExamples, GostBFollowsSystemB) {
    const Example examples[] = {
        {"Москва", "Moskva"},
        {"Хабаровск", "Xabarovsk"},
        {"Нижний Новгород", "Nizhnij Novgorod"},
        {"Царь", "Czar`"},
        {"Цирк", "Cirk"},
        {"Центр", "Centr"},
        {"Цыганов", "Cy`ganov"},
        {"Цюрих", "Cyurix"},
        {"Кузнецк", "Kuzneczk"},
        {"Щукин", "Shhukin"},
        {"Ярославль", "Yaroslavl`"},
        {"Объединение", "Ob``edinenie"},
        {"Элиста", "E`lista"},
        {"Сыктывкар", "Sy`kty`vkar"},
        {"Йошкар-Ола", "Joshkar-Ola"},
        {"Горбачёв", "Gorbachyov"},
        {"Чайковский", "Chajkovskij"},
        {"Ульяновск", "Ul`yanovsk"},
        {"Жуков", "Zhukov"},
    };
    CheckExamples("GOST 7.79 B", examples);
}

// ISO 9:1995: one letter per letter, so capitals convert too; Ukrainian and Serbian
// letters by the same table.
TEST(LanguageExamples, Iso9FollowsTheStandard) {
    const Example examples[] = {
        {"Москва", "Moskva"},
        {"Щукин", "Ŝukin"},
        {"Хабаровск", "Habarovsk"},
        {"Челябинск", "Čelâbinsk"},
        {"Рязань", "Râzanʹ"},
        {"Южно-Сахалинск", "Ûžno-Sahalinsk"},
        {"Ярославль", "Âroslavlʹ"},
        {"Горбачёв", "Gorbačëv"},
        {"Хрущёв", "Hruŝëv"},
        {"Элиста", "Èlista"},
        {"Объединение", "Obʺedinenie"},
        {"Нижний Новгород", "Nižnij Novgorod"},
        {"Чайковский", "Čajkovskij"},
        {"Юрий Гагарин", "Ûrij Gagarin"},
        {"Соловьёв", "Solovʹëv"},
        {"ЩУКА", "ŜUKA"},
        {"Київ", "Kiïv"},
        {"Ђорђе", "Đorđe"},
        {"Љубљана", "L̂ubl̂ana"},
    };
    CheckExamples("ISO 9", examples);
}

// ALA-LC: names as library catalogue headings write them, with the tie.
TEST(LanguageExamples, LibraryOfCongressFollowsAlaLc) {
    const Example examples[] = {
        {"Москва", "Moskva"},
        {"Нижний Новгород", "Nizhniĭ Novgorod"},
        {"Чайковский", "Chaĭkovskiĭ"},
        {"Достоевский", "Dostoevskiĭ"},
        {"Цветаева", "T͡Svetaeva"},
        {"Юрий", "I͡Uriĭ"},
        {"Яковлев", "I͡Akovlev"},
        {"Ильич", "Ilʹich"},
        {"Илья", "Ilʹi͡a"},
        {"Челябинск", "Cheli͡abinsk"},
        {"Эренбург", "Ėrenburg"},
        {"Объединение", "Obʺedinenie"},
        {"Хрущёв", "Khrushchëv"},
        {"Солженицын", "Solzhenit͡syn"},
        {"Андрей", "Andreĭ"},
        {"Мария", "Marii͡a"},
        {"Тверь", "Tverʹ"},
        {"Жуков", "Zhukov"},
    };
    CheckExamples("Library of Congress", examples);
}

// Duden transcription: names as German reference works and press write them.
TEST(LanguageExamples, DeutschFollowsDuden) {
    const Example examples[] = {
        {"Михаил Горбачёв", "Michail Gorbatschow"},
        {"Борис Ельцин", "Boris Jelzin"},
        {"Никита Хрущёв", "Nikita Chruschtschow"},
        {"Юрий Гагарин", "Juri Gagarin"},
        {"Фёдор Достоевский", "Fjodor Dostojewski"},
        {"Пётр Чайковский", "Pjotr Tschaikowski"},
        {"Лев Толстой", "Lew Tolstoi"},
        {"Анна Ахматова", "Anna Achmatowa"},
        {"Марина Цветаева", "Marina Zwetajewa"},
        {"Сергей Прокофьев", "Sergei Prokofjew"},
        {"Дмитрий Шостакович", "Dmitri Schostakowitsch"},
        {"Модест Мусоргский", "Modest Mussorgski"},
        {"Алексей Косыгин", "Alexei Kossygin"},
        {"Майя Плисецкая", "Maja Plissezkaja"},
        {"Владимир Ильич", "Wladimir Iljitsch"},
        {"Евгений Евтушенко", "Jewgeni Jewtuschenko"},
        {"Максим Горький", "Maxim Gorki"},
        {"Екатеринбург", "Jekaterinburg"},
        {"Нижний Новгород", "Nischni Nowgorod"},
        {"Ярославль", "Jaroslawl"},
        {"Рязань", "Rjasan"},
        {"Челябинск", "Tscheljabinsk"},
        {"Хабаровск", "Chabarowsk"},
        {"Сочи", "Sotschi"},
    };
    CheckExamples("Deutsch", examples);
}

// French usage: names as French reference works and press write them.
TEST(LanguageExamples, FrancaisFollowsFrenchUsage) {
    const Example examples[] = {
        {"Юрий Гагарин", "Iouri Gagarine"},
        {"Михаил Горбачев", "Mikhaïl Gorbatchev"},
        {"Борис Ельцин", "Boris Eltsine"},
        {"Никита Хрущев", "Nikita Khrouchtchev"},
        {"Владимир Путин", "Vladimir Poutine"},
        {"Дмитрий Медведев", "Dmitri Medvedev"},
        {"Сергей Лавров", "Sergueï Lavrov"},
        {"Фёдор Достоевский", "Fiodor Dostoïevski"},
        {"Пётр Чайковский", "Piotr Tchaïkovski"},
        {"Антон Чехов", "Anton Tchekhov"},
        {"Дмитрий Шостакович", "Dmitri Chostakovitch"},
        {"Марина Цветаева", "Marina Tsvetaïeva"},
        {"Сергей Прокофьев", "Sergueï Prokofiev"},
        {"Модест Мусоргский", "Modest Moussorgski"},
        {"Геннадий Зюганов", "Guennadi Ziouganov"},
        {"Раиса Горбачева", "Raïssa Gorbatcheva"},
        {"Алексей Навальный", "Alexeï Navalny"},
        {"Набережные Челны", "Naberejnye Tchelny"},
        {"Дмитриевич", "Dmitrievitch"},
        {"Ярославль", "Iaroslavl"},
        {"Челябинск", "Tcheliabinsk"},
        {"Новосибирск", "Novossibirsk"},
        {"Якутск", "Iakoutsk"},
        {"Улан-Удэ", "Oulan-Oude"},
        {"Лукойл", "Loukoïl"},
        {"Пушкин. Гагарин", "Pouchkine. Gagarine"},
    };
    CheckExamples("Français", examples);
}

// Spanish usage: names as the Spanish press writes them; the written stress accent
// (Mijaíl, Riazán) depends on the stress, which no letter rule knows, and is left out.
TEST(LanguageExamples, EspanolFollowsSpanishUsage) {
    const Example examples[] = {
        {"Юрий Гагарин", "Yuri Gagarin"},
        {"Борис Ельцин", "Boris Yeltsin"},
        {"Владимир Путин", "Vladimir Putin"},
        {"Дмитрий Медведев", "Dmitri Medvedev"},
        {"Сергей Лавров", "Serguei Lavrov"},
        {"Евгений Примаков", "Yevgueni Primakov"},
        {"Геннадий Зюганов", "Guennadi Ziuganov"},
        {"Пётр Ильич Чайковский", "Piotr Ilich Chaikovski"},
        {"Фёдор Достоевский", "Fiodor Dostoyevski"},
        {"Михаил Горбачёв", "Mijail Gorbachov"},
        {"Анна Ахматова", "Anna Ajmatova"},
        {"Марина Цветаева", "Marina Tsvetayeva"},
        {"Сергей Прокофьев", "Serguei Prokofiev"},
        {"Наталья", "Natalia"},
        {"Татьяна", "Tatiana"},
        {"Набережные Челны", "Naberezhnye Chelny"},
        {"Ярославль", "Yaroslavl"},
        {"Хабаровск", "Jabarovsk"},
        {"Красноярск", "Krasnoyarsk"},
        {"Чехов", "Chejov"},
    };
    CheckExamples("Español", examples);
}

// The scientific transliteration of Italian publishing: names as Italian reference works
// write them.
TEST(LanguageExamples, ItalianoFollowsItalianUsage) {
    const Example examples[] = {
        {"Пётр Ильич Чайковский", "Pëtr Il'ič Čajkovskij"},
        {"Фёдор Достоевский", "Fëdor Dostoevskij"},
        {"Лев Толстой", "Lev Tolstoj"},
        {"Александр Пушкин", "Aleksandr Puškin"},
        {"Максим Горький", "Maksim Gor'kij"},
        {"Борис Ельцин", "Boris El'cin"},
        {"Михаил Горбачёв", "Michail Gorbačëv"},
        {"Никита Хрущёв", "Nikita Chruščëv"},
        {"Антон Чехов", "Anton Čechov"},
        {"Дмитрий Шостакович", "Dmitrij Šostakovič"},
        {"Юрий Гагарин", "Jurij Gagarin"},
        {"Марина Цветаева", "Marina Cvetaeva"},
        {"Александр Солженицын", "Aleksandr Solženicyn"},
        {"Сергей Эйзенштейн", "Sergej Ėjzenštejn"},
        {"Сергей Прокофьев", "Sergej Prokof'ev"},
        {"Нижний Новгород", "Nižnij Novgorod"},
        {"Ярославль", "Jaroslavl'"},
        {"Челябинск", "Čeljabinsk"},
        {"Рязань", "Rjazan'"},
    };
    CheckExamples("Italiano", examples);
}

// Polish transcription: names as Polish reference works and press write them.
TEST(LanguageExamples, PolskiFollowsPolishTranscription) {
    const Example examples[] = {
        {"Михаил Горбачёв", "Michaił Gorbaczow"},
        {"Никита Хрущёв", "Nikita Chruszczow"},
        {"Владимир Путин", "Władimir Putin"},
        {"Дмитрий Медведев", "Dmitrij Miedwiediew"},
        {"Сергей Лавров", "Siergiej Ławrow"},
        {"Юрий Гагарин", "Jurij Gagarin"},
        {"Анна Ахматова", "Anna Achmatowa"},
        {"Марина Цветаева", "Marina Cwietajewa"},
        {"Александр Солженицын", "Aleksandr Sołżenicyn"},
        {"Пётр Чайковский", "Piotr Czajkowski"},
        {"«Пётр Чайковский»", "«Piotr Czajkowski»"},
        {"Фёдор Достоевский", "Fiodor Dostojewski"},
        {"Лев Толстой", "Lew Tołstoj"},
        {"Антон Чехов", "Anton Czechow"},
        {"Дмитрий Шостакович", "Dmitrij Szostakowicz"},
        {"Сергей Прокофьев", "Siergiej Prokofjew"},
        {"Людмила", "Ludmiła"},
        {"Валентина Терешкова", "Walentina Tierieszkowa"},
        {"Ельцин", "Jelcyn"},
        {"Волгоград", "Wołgograd"},
        {"Рязань", "Riazań"},
        {"Ульяновск", "Uljanowsk"},
        {"Аэрофлот", "Aerofłot"},
        {"Роснефть", "Rosnieft"},
    };
    CheckExamples("Polski", examples);
}

// Czech transcription: names as Czech reference works and press write them.
TEST(LanguageExamples, CestinaFollowsCzechTranscription) {
    const Example examples[] = {
        {"Михаил Горбачёв", "Michail Gorbačov"},
        {"Никита Хрущёв", "Nikita Chruščov"},
        {"Борис Ельцин", "Boris Jelcin"},
        {"Дмитрий Медведев", "Dmitrij Medveděv"},
        {"Сергей Лавров", "Sergej Lavrov"},
        {"Юрий Гагарин", "Jurij Gagarin"},
        {"Фёдор Михайлович Достоевский", "Fjodor Michajlovič Dostojevskij"},
        {"Пётр Ильич Чайковский", "Pjotr Iljič Čajkovskij"},
        {"Лев Толстой", "Lev Tolstoj"},
        {"Антон Чехов", "Anton Čechov"},
        {"Солженицын", "Solženicyn"},
        {"Екатеринбург", "Jekatěrinburg"},
        {"Нижний Новгород", "Nižnij Novgorod"},
        {"Казань", "Kazaň"},
        {"Рязань", "Rjazaň"},
        {"Тюмень", "Ťumeň"},
        {"Челябинск", "Čeljabinsk"},
        {"Ярославль", "Jaroslavl"},
        {"Тверь", "Tver"},
        {"Роснефть", "Rosněfť"},
    };
    CheckExamples("Čeština", examples);
}

}  // namespace
