#include "pages/service_messages.h"

#include <QString>

#include "platform/cp1251.h"

namespace lookup {

const char* const kServiceMessageContext = "ServiceMessage";

const std::array<ServiceMessage, 4>& ServiceMessages() {
    static const char* const kLimit =
        QT_TRANSLATE_NOOP("ServiceMessage", "На сегодняшний день Ваш лимит запросов исчерпан");
    static const char* const kNotFound = QT_TRANSLATE_NOOP("ServiceMessage", "Записей не найдено");
    static const char* const kError = QT_TRANSLATE_NOOP("ServiceMessage", "Ошибка:");
    static const char* const kFoundNone = QT_TRANSLATE_NOOP("ServiceMessage", "Найдено:0");
    static const std::array<ServiceMessage, 4> messages = {{
        {kLimit, platform::Utf8ToCp1251(kLimit), platform::Utf8ToCp1251("лимит запросов исчерпан"),
         false, ServiceMessageKind::DailyLimit},
        {kNotFound, platform::Utf8ToCp1251(kNotFound), platform::Utf8ToCp1251("Записей не найдено"),
         false, ServiceMessageKind::NotFound},
        {kError, platform::Utf8ToCp1251(kError), platform::Utf8ToCp1251("Ошибка"), false,
         ServiceMessageKind::Error},
        {kFoundNone, platform::Utf8ToCp1251(kFoundNone), std::string(), true,
         ServiceMessageKind::FoundNone},
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
