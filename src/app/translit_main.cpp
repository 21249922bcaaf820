// vendrake-translit: the transliteration engine on the command line.
//
//   vendrake-translit LANGUAGE [--dictionary NAME]   converts each line of standard input
//   vendrake-translit --list                         lists languages, then dictionaries
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <iostream>
#include <string>

#include "translit/translit.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Usage() {
    std::fprintf(stderr, "usage: vendrake-translit LANGUAGE [--dictionary NAME] | --list\n");
    return kUsage;
}

void PrintLine(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

int List() {
    for (const QString& name : translit::ListLanguageFolders())
        PrintLine(name);
    for (const QString& name : translit::ListDictionaryNames())
        PrintLine(name);
    return std::fflush(stdout) == 0 ? 0 : kFailed;
}

int ConvertInput(const QString& language, const QString* dictionary) {
    bool failed = false;
    translit::SetFailureReporter([&failed](const QString& message) {
        failed = true;
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    });

    QStringList lines;
    if (dictionary) {
        const QString path = translit::GetDictionaryDir() + *dictionary + QStringLiteral(".txt");
        if (QFileInfo(path).isFile()) {
            try {
                lines = translit::LoadDictionaryLines(path);
            } catch (const translit::RuleFileError& error) {
                std::fprintf(stderr, "%s\n", error.what());
                return kFailed;
            }
        }
    }

    std::string raw;
    while (std::getline(std::cin, raw)) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const QString text = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
        QString result;
        if (dictionary)
            translit::TranslateByDictionary(text, language, &lines, result);
        else
            translit::Transliterate(text, language, result);
        if (failed)
            break;
        PrintLine(result);
    }
    std::fflush(stdout);
    return failed ? kFailed : 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    if (args.size() == 1 && args.at(0) == QLatin1String("--list"))
        return List();

    QString language;
    QString dictionary;
    bool haveLanguage = false;
    bool haveDictionary = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--dictionary")) {
            if (haveDictionary || i + 1 >= args.size())
                return Usage();
            dictionary = args.at(++i);
            haveDictionary = true;
        } else if (arg.startsWith(QLatin1Char('-')) || haveLanguage) {
            return Usage();
        } else {
            language = arg;
            haveLanguage = true;
        }
    }
    if (!haveLanguage)
        return Usage();
    return ConvertInput(language, haveDictionary ? &dictionary : nullptr);
}
