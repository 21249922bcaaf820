// What the shipped dictionaries do to real texts: ordinary words, streets and towns pass
// through unchanged; the register's firm names, authorities, query nodes and messages
// read naturally.
#include <gtest/gtest.h>

#include <QFile>
#include <string>

#include "support/shipped_data.h"
#include "translit/translit.h"

namespace {

QStringList DictionaryLines(const QString& name) {
    data_test::UseShippedData();
    return translit::LoadDictionaryLines(translit::GetDictionaryDir() + name +
                                         QStringLiteral(".txt"));
}

QString Translate(const QString& text, const QString& language, QStringList lines) {
    const translit::Outcome out = translit::TranslateByDictionary(text, language, &lines);
    return out.ok() ? out.text : QStringLiteral("<failed: ") + out.error + QLatin1Char('>');
}

QStringList OrdinaryWords() {
    QFile file(QStringLiteral(VENDRAKE_SOURCE_DIR "/tests/data/ordinary_words.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList words;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            words << line;
    }
    return words;
}

TEST(DictionaryContent, OrdinaryWordsStreetsAndTownsPassUnchanged) {
    const QStringList words = OrdinaryWords();
    ASSERT_GE(words.size(), 300);
    const QString language = QStringLiteral("English");
    // The transliteration of each word alone, in the case written and in capitals as
    // the register writes names.
    QStringList plain;
    for (const QString& word : words) {
        plain << data_test::Convert(word, language) << data_test::Convert(word.toUpper(), language);
    }
    for (const QString& dictionary : data_test::ShippedDictionaries()) {
        const QStringList lines = DictionaryLines(dictionary);
        ASSERT_FALSE(lines.isEmpty()) << dictionary.toStdString();
        for (qsizetype i = 0; i < words.size(); ++i) {
            EXPECT_EQ(Translate(words[i], language, lines).toStdString(),
                      plain[2 * i].toStdString())
                << dictionary.toStdString() << " changed " << words[i].toStdString();
            EXPECT_EQ(Translate(words[i].toUpper(), language, lines).toStdString(),
                      plain[2 * i + 1].toStdString())
                << dictionary.toStdString() << " changed " << words[i].toUpper().toStdString();
        }
    }
}

struct Sample {
    const char* russian;
    const char* english;
};

TEST(DictionaryContent, RegisterTextsReadNaturallyInEnglish) {
    const QStringList lines = DictionaryLines(QStringLiteral("English"));
    const Sample samples[] = {
        // Firm names, full and abbreviated legal forms.
        {"Общество с ограниченной ответственностью \"Ромашка\"",
         "Limited Liability Company \"Romashka\""},
        {"ОБЩЕСТВО С ОГРАНИЧЕННОЙ ОТВЕТСТВЕННОСТЬЮ \"ВЕКТОР\"",
         "Limited Liability Company \"VEKTOR\""},
        {"ООО \"Ромашка\"", "LLC \"Romashka\""},
        {"ОАО \"Северная звезда\"", "OJSC \"Severnaya zvezda\""},
        {"ЗАО «Заозёрный»", "CJSC «Zaozërnyy»"},
        {"ПАО \"Газпром\"", "PJSC \"Gazprom\""},
        {"АО \"Альфа\"", "JSC \"Al’fa\""},
        {"ФГУП \"Почта России\"", "FSUE \"Pochta Rossii\""},
        {"Публичное акционерное общество \"Ростелеком\"",
         "Public Joint-Stock Company \"Rostelekom\""},
        {"Автономная некоммерческая организация \"Мир\"",
         "Autonomous Non-profit Organization \"Mir\""},
        {"Товарищество собственников жилья \"Дом на Набережной\"",
         "Homeowners' Association \"Dom na Naberezhnoy\""},
        // Registering authorities.
        {"Межрайонная инспекция Федеральной налоговой службы № 46 по г. Москве",
         "Interdistrict Inspectorate of the Federal Tax Service No. 46 for Moscow"},
        {"Инспекция Федеральной налоговой службы № 15 по г.Санкт-Петербургу",
         "Inspectorate of the Federal Tax Service No. 15 for Saint Petersburg"},
        {"Межрайонная инспекция Федеральной налоговой службы № 2 по Республике Татарстан",
         "Interdistrict Inspectorate of the Federal Tax Service No. 2 for the Republic of "
         "Tatarstan"},
        {"Инспекция МНС России по Ленинградской области",
         "Inspectorate of the Ministry of Taxes of Russia for Leningrad Oblast"},
        // Addresses keep their street words, transliterated.
        {"125009, г. Москва, ул. Тверская, д. 7", "125009, Moscow, ul. Tverskaya, d. 7"},
        {"420111, Республика Татарстан, г. Казань, ул. Баумана, д. 15",
         "420111, Republic of Tatarstan, g. Kazan’, ul. Baumana, d. 15"},
        // Query nodes and service messages.
        {"Search for entered data...(Название: Ромашка, Регион: Московская область), "
         "records found: 3",
         "Search for entered data...(Name: Romashka, Region: Moskovskaya Oblast), "
         "records found: 3"},
        {"Search for entered data...(Адрес: Тверская, Дата: 01.02.2003, ИНН: 7707083893)",
         "Search for entered data...(Address: Tverskaya, Date: 01.02.2003, TIN: 7707083893)"},
        {"Search for entered data...(Регион: Ханты-Мансийский автономный округ)",
         "Search for entered data...(Region: Khanty-Mansiyskiy Autonomous Okrug)"},
        {"Search for entered data...(Регион: Алтайский край)",
         "Search for entered data...(Region: Altai Krai)"},
        {"Записей не найдено", "No records found"},
        {"На сегодняшний день Ваш лимит запросов исчерпан",
         "The request limit for today has been used up"},
        {"Найдено:0 Уточните запрос", "Found: 0 Utochnite zapros"},
        {"Ошибка: неверный ИНН", "Error: nevernyy INN"},
    };
    for (const Sample& sample : samples) {
        EXPECT_EQ(Translate(QString::fromUtf8(sample.russian), QStringLiteral("English"), lines)
                      .toStdString(),
                  std::string(sample.english));
    }
}

// Every dictionary translates the legal forms and labels; spot checks per language.
TEST(DictionaryContent, EveryDictionaryTranslatesTheRegisterPhrases) {
    const struct {
        const char* dictionary;
        const char* language;
        const char* russian;
        const char* expected;
    } samples[] = {
        {"Deutsch", "Deutsch", "ООО \"Ромашка\"", "GmbH \"Romaschka\""},
        {"Deutsch", "Deutsch", "Записей не найдено", "Keine Einträge gefunden"},
        {"Français", "Français", "Акционерное общество \"Восток\"", "Société anonyme \"Vostok\""},
        {"Español", "Español", "(Регион: Тверская область)", "(Región: Tverskaya óblast)"},
        {"Italiano", "Italiano", "ООО \"Сибирь\"", "S.r.l. \"Sibir'\""},
        {"Polski", "Polski", "ЗАО \"Вектор\"", "zamknięta SA \"Wiektor\""},
        {"Čeština", "Čeština", "ООО \"Гарант\"", "s.r.o. \"Garant\""},
    };
    for (const auto& sample : samples) {
        EXPECT_EQ(Translate(QString::fromUtf8(sample.russian), QString::fromUtf8(sample.language),
                            DictionaryLines(QString::fromUtf8(sample.dictionary)))
                      .toStdString(),
                  std::string(sample.expected))
            << sample.dictionary;
    }
}

}  // namespace
