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
         false, ServiceMessageKind::DailyLimit},
        {Cp("Записей не найдено"), Cp("Записей не найдено"), false, ServiceMessageKind::NotFound},
        {Cp("Ошибка:"), Cp("Ошибка"), false, ServiceMessageKind::Error},
        {Cp("Найдено:0"), std::string(), true, ServiceMessageKind::FoundNone},
    }};
    return messages;
}

ServiceMessageKind ServiceMessageKindOf(const std::string& answer) {
    for (const ServiceMessage& m : ServiceMessages()) {
        if (answer.find(m.text) != std::string::npos) {
            return m.kind;
        }
    }
    return ServiceMessageKind::Other;
}

bool IsServiceMessageText(const std::string& nodeText) {
    for (const ServiceMessage& m : ServiceMessages())
        if (!m.nodeMarker.empty() && nodeText.find(m.nodeMarker) != std::string::npos)
            return true;
    return false;
}

}  // namespace lookup
