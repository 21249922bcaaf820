// The engine's entry points: outcomes for callers that report failures themselves, and
// the result-parameter forms the command-line program and the tests use.
#include <exception>
#include <mutex>
#include <stdexcept>

#include "translit/dictionary.h"
#include "translit/language_cache.h"
#include "translit/rule_lines.h"
#include "translit/translit.h"

namespace translit {
namespace {

QString Prefix(const QString& kind, const QString& name) {
    return kind + QStringLiteral(" \"") + name + QStringLiteral("\": ");
}

Outcome RunConversion(QStringView text, const QString& language,
                      const detail::CompiledLanguage& compiled) {
    try {
        return {compiled.conversion.Run(text), {}};
    } catch (const std::length_error&) {
        return {{},
                Prefix(QStringLiteral("Language"), language) +
                    QStringLiteral("the converted text would be longer than %1 characters")
                        .arg(MaxTextLength(text.size()))};
    }
}

// The dictionary pass; false (and error set) when the text would grow past its bound.
bool RunDictionary(const detail::CompiledDictionary* dictionary, const QString& name, QString& text,
                   QString& error) {
    if (!dictionary)
        return true;
    const qsizetype limit = MaxTextLength(text.size());
    if (dictionary->Apply(text, limit))
        return true;
    error =
        Prefix(QStringLiteral("Dictionary"), name) +
        QStringLiteral("the replacements would make the text longer than %1 characters").arg(limit);
    return false;
}

Outcome Finish(QString replaced, const QString& language,
               const detail::Lookup<detail::CompiledLanguage>& found) {
    if (replaced.isEmpty())
        return {};
    if (!found)
        return {std::move(replaced), found.error()};
    Outcome outcome = RunConversion(replaced, language, **found);
    if (!outcome.ok())
        outcome.text = std::move(replaced);
    return outcome;
}

}  // namespace

Outcome ConvertText(QStringView text, const QString& language) {
    if (text.isEmpty())
        return {};
    const detail::Lookup<detail::CompiledLanguage> found = detail::FindLanguage(language);
    if (!found)
        return {{}, found.error()};
    return RunConversion(text, language, **found);
}

Outcome TranslateText(QStringView text, const QString& language, const QString& dictionary) {
    QString replaced = text.toString();
    if (!dictionary.isEmpty()) {
        const detail::Lookup<detail::CompiledDictionary> found = detail::FindDictionary(dictionary);
        if (!found)
            return {std::move(replaced), found.error()};
        QString error;
        if (!RunDictionary(found->get(), dictionary, replaced, error))
            return {std::move(replaced), error};
    }
    if (replaced.isEmpty())
        return {};
    return Finish(std::move(replaced), language, detail::FindLanguage(language));
}

Translator Translator::Open(const QString& language, const QString& dictionary) {
    detail::SyncWithFiles();
    Translator translator;
    translator.language_ = language;
    translator.dictionaryName_ = dictionary;
    if (!dictionary.isEmpty()) {
        detail::Lookup<detail::CompiledDictionary> found = detail::FindDictionary(dictionary);
        if (found)
            translator.dictionary_ = std::move(*found);
        else
            translator.dictionaryError_ = found.error();
    }
    detail::Lookup<detail::CompiledLanguage> found = detail::FindLanguage(language);
    if (found)
        translator.compiled_ = std::move(*found);
    translator.error_ = !translator.dictionaryError_.isEmpty() ? translator.dictionaryError_
                        : found                                ? QString()
                                                               : found.error();
    return translator;
}

Outcome Translator::Convert(QStringView text) const {
    if (text.isEmpty())
        return {};
    if (!compiled_)
        return {{}, error_};
    return RunConversion(text, language_, *compiled_);
}

Outcome Translator::Translate(QStringView text) const {
    QString replaced = text.toString();
    if (!dictionaryError_.isEmpty())
        return {std::move(replaced), dictionaryError_};
    QString error;
    if (!RunDictionary(dictionary_.get(), dictionaryName_, replaced, error))
        return {std::move(replaced), error};
    using Found = detail::Lookup<detail::CompiledLanguage>;
    return Finish(std::move(replaced), language_,
                  compiled_ ? Found(compiled_) : Found(platform::Failure(error_)));
}

platform::Result<QString, QString> Transliterate(const QString& text, const QString& language) {
    Outcome outcome = ConvertText(text, language);
    if (!outcome.ok())
        return platform::Failure(std::move(outcome.error));
    return std::move(outcome.text);
}

Outcome TranslateByDictionary(const QString& text, const QString& language, QStringList* lines) {
    if (!lines)
        return {};
    // Trimmed in place without touching (and so without copying) lines already trimmed.
    for (qsizetype i = 0; i < lines->size(); ++i) {
        const QString& line = std::as_const(*lines).at(i);
        const QStringView trimmed = detail::TrimBlanks(line);
        if (trimmed.size() != line.size())
            (*lines)[i] = trimmed.toString();
    }

    // The same list comes back for every text of an operation: compile it once.
    static std::mutex mutex;
    static QStringList compiledLines;
    static std::shared_ptr<const detail::CompiledDictionary> compiled;
    std::shared_ptr<const detail::CompiledDictionary> dictionary;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!compiled || compiledLines != *lines) {
            compiled = std::make_shared<const detail::CompiledDictionary>(*lines);
            compiledLines = *lines;
        }
        dictionary = compiled;
    }

    QString working = text;
    if (!dictionary->Apply(working, MaxTextLength(text.size()))) {
        // Pairs whose targets hold their sources, or feed later pairs, can make the text
        // grow without end; stop at the last text that was within bounds.
        return {working, QStringLiteral("The dictionary's replacements would make the text "
                                        "longer than %1 characters")
                             .arg(MaxTextLength(text.size()))};
    }
    platform::Result<QString, QString> converted = Transliterate(working, language);
    if (!converted)
        return {working, converted.error()};
    return {std::move(*converted), QString()};
}

}  // namespace translit
