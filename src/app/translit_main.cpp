// vendrake-translit: the transliteration engine on the command line.
//
//   vendrake-translit LANGUAGE [--dictionary NAME]   converts each line of standard input
//   vendrake-translit --list                         lists languages, then dictionaries
//   vendrake-translit --help | -h | --version
#include <unistd.h>

#include <QCollator>
#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

// Standard output collected in one buffer and written with plain write(2) calls, when
// the buffer is full and whenever input is about to be read.
class Output {
  public:
    Output() { bytes_.reserve(kCapacity); }

    void Line(const QString& line) {
        const QByteArray utf8 = line.toUtf8();
        bytes_.append(utf8.constData(), size_t(utf8.size()));
        bytes_ += '\n';
        if (bytes_.size() >= kCapacity)
            Flush();
    }

    // False when a write failed; the failure has been reported on stderr.
    bool Flush() {
        size_t done = 0;
        while (done < bytes_.size()) {
            const ssize_t put = ::write(STDOUT_FILENO, bytes_.data() + done, bytes_.size() - done);
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0) {
                std::fprintf(stderr, "vendrake-translit: cannot write standard output: %s\n",
                             std::strerror(errno));
                bytes_.clear();
                return ok_ = false;
            }
            done += size_t(put);
        }
        bytes_.clear();
        return ok_;
    }

  private:
    static constexpr size_t kCapacity = size_t(1) << 16;
    std::string bytes_;
    bool ok_ = true;
};

// Standard input is read in blocks of up to kInputBlock bytes, and the whole lines of
// each block are converted with a translator opened after the block arrived. Opening
// reads the engine's change notifications, so an edit whose writing call returned
// before a line was written to the input counts from that line: the line's bytes come
// with a read that returned after the edit, and its block's translator is opened after
// that read. This costs one system call per block rather than one per line. Output
// is written before each read of input, so a program that writes a line and waits for
// its answer gets it.
int ConvertInput(const QString& language, const QString& dictionary) {
    // Large enough that the change check is a small share of the calls, small enough
    // that a block is still in the processor's cache when its lines are converted.
    constexpr size_t kInputBlock = size_t(1) << 18;
    Output output;
    std::vector<char> input(kInputBlock);
    size_t kept = 0;  // bytes of an unfinished line at the start of input
    const auto convertLine = [&](const translit::Translator& translator, const char* begin,
                                 const char* end) {
        if (end > begin && end[-1] == '\r')
            --end;
        const QString text = QString::fromUtf8(begin, static_cast<qsizetype>(end - begin));
        const translit::Outcome outcome =
            dictionary.isEmpty() ? translator.Convert(text) : translator.Translate(text);
        if (!outcome.ok()) {
            output.Flush();
            std::fprintf(stderr, "vendrake-translit: %s\n", outcome.error.toUtf8().constData());
            return false;
        }
        output.Line(outcome.text);
        return true;
    };
    for (;;) {
        if (!output.Flush())
            return kFailed;
        if (input.size() - kept < kInputBlock / 2)
            input.resize(kept + kInputBlock);  // a line longer than a block
        const ssize_t got = ::read(STDIN_FILENO, input.data() + kept, input.size() - kept);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            std::fprintf(stderr, "vendrake-translit: cannot read standard input: %s\n",
                         std::strerror(errno));
            return kFailed;
        }
        const translit::Translator translator = translit::Translator::Open(language, dictionary);
        if (got == 0) {
            // The last line may lack its line end.
            if (kept > 0 && !convertLine(translator, input.data(), input.data() + kept))
                return kFailed;
            return output.Flush() ? 0 : kFailed;
        }
        const char* const end = input.data() + kept + got;
        const char* line = input.data();
        for (const char* cut = input.data() + kept;
             (cut = static_cast<const char*>(std::memchr(cut, '\n', size_t(end - cut)))); ++cut) {
            if (!convertLine(translator, line, cut))
                return kFailed;
            line = cut + 1;
        }
        kept = size_t(end - line);
        std::memmove(input.data(), line, kept);
    }
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
