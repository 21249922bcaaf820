#include "worker/results_file.h"

#include <array>

#include "platform/cp1251.h"

namespace worker {
namespace {

std::string Cp(const char* utf8) {
    return platform::ToCp1251(QString::fromUtf8(utf8));
}

// Pieces of the register's service messages; a firm node holding one is no firm.
const std::array<std::string, 3>& SkipTexts() {
    static const std::array<std::string, 3> texts = {Cp("Ошибка"), Cp("Записей не найдено"),
                                                     Cp("лимит запросов исчерпан")};
    return texts;
}

// The ten labels in the order the detail lists show the fields.
const std::array<std::string, 10>& Labels() {
    static const std::array<std::string, 10> labels = {
        Cp("Название: "),     Cp("Адрес: "), Cp("ОГРН: "),        Cp("ГРН: "),
        Cp("ИНН: "),          Cp("КПП: "),   Cp("Дата записи: "), Cp("Рег. орган: "),
        Cp("Адрес органа: "), Cp("Регион: ")};
    return labels;
}

void AppendLine(std::string& out, const std::string& a, const std::string& b = {}) {
    out += a;
    out += b;
    out += "\r\n";
}

}  // namespace

bool IsSkippedEntry(const std::string& firmText) {
    for (const std::string& t : SkipTexts())
        if (firmText.find(t) != std::string::npos)
            return true;
    return false;
}

std::string ResultsFileBytes(const std::vector<ResultEntry>& entries) {
    const auto& label = Labels();
    std::string out;
    for (const ResultEntry& e : entries) {
        if (IsSkippedEntry(e.firmText))
            continue;
        const TDataFirm& f = e.firm;
        AppendLine(out, "[" + e.queryText + "]");
        const std::string* values[] = {&f.Name, &f.Adress,  &f.OGRN,  &f.GRN,         &f.INN,
                                       &f.KPP,  &f.DateGRN, &f.Organ, &f.AdressOrgan, &f.Region};
        for (size_t i = 0; i < label.size(); ++i)
            AppendLine(out, label[i], *values[i]);
        AppendLine(out, {});
    }
    return out;
}

QString EnabledFileName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const QString suffix = QStringLiteral("_enabled.txt");
    if (dot < 0 || dot < slash)
        return path + suffix;
    return path.left(dot) + suffix;
}

}  // namespace worker
