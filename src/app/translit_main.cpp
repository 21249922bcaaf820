// vendrake-translit: the transliteration engine on the command line.
//
//   vendrake-translit LANGUAGE [--dictionary NAME]   converts each line of standard input
//   vendrake-translit --list                         lists languages, then dictionaries
//   vendrake-translit --help | -h | --version
#include <unistd.h>

#include <QCollator>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>

#include "translit/translit.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageLine =
    "usage: vendrake-translit LANGUAGE [--dictionary NAME] | --list | --help | --version\n";

constexpr const char* kHelpText =
    "Converts each line of standard input with a language's rule files and writes it\n"
    "to standard output.\n"
    "\n"
    "  LANGUAGE             the language folder to convert with (see --list)\n"
    "  --dictionary NAME    translate the dictionary's words and phrases first\n"
    "  --list               list the installed languages and dictionaries\n"
    "  -h, --help           show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "Languages and dictionaries are looked up under Quillmarsh/Transliteration and\n"
    "Quillmarsh/Dictionaries in the XDG data folders ($XDG_DATA_HOME, $XDG_DATA_DIRS),\n"
    "otherwise beside the program.\n"
    "\n"
    "Exit status: 0 done, 1 a rule file or dictionary could not be read or a line could\n"
    "not be converted, 2 bad arguments or an unknown dictionary.\n";

int Usage() {
    std::fputs(kUsageLine, stderr);
    return kUsage;
}

void PrintLine(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

// Sorted the way the window's boxes sort them (by the user's locale, letter case
// aside, digits by value), each name once.
QStringList SortedNames(QStringList names) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    names.removeDuplicates();
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    return names;
}

int List() {
    PrintLine(QStringLiteral("Languages:"));
    for (const QString& name : SortedNames(translit::ListLanguageFolders()))
        PrintLine(QStringLiteral("  ") + name);
    PrintLine(QString());
    PrintLine(QStringLiteral("Dictionaries:"));
    for (const QString& name : SortedNames(translit::ListDictionaryNames()))
        PrintLine(QStringLiteral("  ") + name);
    return std::fflush(stdout) == 0 ? 0 : kFailed;
}

// A dictionary name the dictionary folder does not list would otherwise convert
// without any dictionary pass, which looks like a working run with wrong output.
bool CheckDictionary(const QString& dictionary) {
    const QStringList known = SortedNames(translit::ListDictionaryNames());
    if (known.contains(dictionary))
        return true;
    const QByteArray name = dictionary.toUtf8();
    if (known.isEmpty()) {
        std::fprintf(stderr,
                     "vendrake-translit: unknown dictionary \"%s\"; none is installed in %s\n",
                     name.constData(), translit::GetDictionaryDir().toUtf8().constData());
    } else {
        std::fprintf(stderr,
                     "vendrake-translit: unknown dictionary \"%s\"; the dictionaries are: %s\n",
                     name.constData(), known.join(QStringLiteral(", ")).toUtf8().constData());
    }
    return false;
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

    if (args.size() == 1) {
        const QString& only = args.at(0);
        if (only == QLatin1String("--list"))
            return List();
        if (only == QLatin1String("--help") || only == QLatin1String("-h")) {
            std::fputs(kUsageLine, stdout);
            std::fputs(kHelpText, stdout);
            return std::fflush(stdout) == 0 ? 0 : kFailed;
        }
        if (only == QLatin1String("--version")) {
            std::fputs("vendrake-translit " VENDRAKE_VERSION "\n", stdout);
            return std::fflush(stdout) == 0 ? 0 : kFailed;
        }
    }

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
    if (haveDictionary && !CheckDictionary(dictionary))
        return kUsage;
    return ConvertInput(language, haveDictionary ? dictionary : QString());
}
