// vendrake-translit: the transliteration engine on the command line.
//
//   vendrake-translit LANGUAGE [--dictionary NAME]   converts each line of standard input
//   vendrake-translit --list                         lists languages, then dictionaries
#include <unistd.h>

#include <QCoreApplication>
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

// Every line goes through the same per-call engine path as the window's fields, so an
// edited rule file or dictionary counts from the next line.
int ConvertInput(const QString& language, const QString& dictionary) {
    // Reading a line must not flush standard output first; into a pipe or a file the
    // output is written in large blocks, on a terminal each line as soon as it is done.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    const bool terminal = ::isatty(STDOUT_FILENO) == 1;
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, terminal ? _IOLBF : _IOFBF, sizeof buffer);

    std::string raw;
    while (std::getline(std::cin, raw)) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const QString text = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
        const translit::Outcome outcome = dictionary.isEmpty()
                                              ? translit::ConvertText(text, language)
                                              : translit::TranslateText(text, language, dictionary);
        if (!outcome.ok()) {
            std::fflush(stdout);
            std::fprintf(stderr, "vendrake-translit: %s\n", outcome.error.toUtf8().constData());
            return kFailed;
        }
        PrintLine(outcome.text);
    }
    return std::fflush(stdout) == 0 ? 0 : kFailed;
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
    return ConvertInput(language, haveDictionary ? dictionary : QString());
}
