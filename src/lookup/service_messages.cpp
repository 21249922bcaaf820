#include "lookup/service_messages.h"

#include <QString>

#include "platform/cp1251.h"

namespace lookup {
namespace {

std::string Cp(const char* utf8) {
    return platform::ToCp1251(QString::fromUtf8(utf8));
}

}  // namespace

const std::array<ServiceMessage, 4>& ServiceMessages() {
    static const std::array<ServiceMessage, 4> messages = {{
        {Cp("На сегодняшний день Ваш лимит запросов исчерпан"), Cp("лимит запросов исчерпан"),
         false},
        {Cp("Записей не найдено"), Cp("Записей не найдено"), false},
        {Cp("Ошибка:"), Cp("Ошибка"), false},
        {Cp("Найдено:0"), std::string(), true},
    }};
    return messages;
}

bool IsServiceMessageText(const std::string& nodeText) {
    for (const ServiceMessage& m : ServiceMessages())
        if (!m.nodeMarker.empty() && nodeText.find(m.nodeMarker) != std::string::npos)
            return true;
    return false;
}

}  // namespace lookup
