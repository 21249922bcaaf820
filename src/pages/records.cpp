#include "pages/records.h"

#include <QtGlobal>

namespace lookup {

const std::array<FirmField, 10>& FirmFields() {
    static const std::array<FirmField, 10> fields = {{
        {&FirmRecord::name, QT_TRANSLATE_NOOP("FirmField", "Название"),
         QT_TRANSLATE_NOOP("FirmField", "Name"), "Название: ", "Название", true},
        {&FirmRecord::address, QT_TRANSLATE_NOOP("FirmField", "Адрес"),
         QT_TRANSLATE_NOOP("FirmField", "Address"), "Адрес: ", "Адрес", true},
        {&FirmRecord::ogrn, QT_TRANSLATE_NOOP("FirmField", "ОГРН"),
         QT_TRANSLATE_NOOP("FirmField", "Principal state registration number"), "ОГРН: ", "ОГРН",
         true},
        {&FirmRecord::grn, QT_TRANSLATE_NOOP("FirmField", "ГРН"),
         QT_TRANSLATE_NOOP("FirmField", "GRN"), "ГРН: ", "ГРН", true},
        {&FirmRecord::inn, QT_TRANSLATE_NOOP("FirmField", "ИНН"),
         QT_TRANSLATE_NOOP("FirmField", "VATIN"), "ИНН: ", "ИНН", true},
        {&FirmRecord::kpp, QT_TRANSLATE_NOOP("FirmField", "КПП"),
         QT_TRANSLATE_NOOP("FirmField", "Reason code of registration"), "КПП: ", "КПП", true},
        {&FirmRecord::date, QT_TRANSLATE_NOOP("FirmField", "Дата записи"),
         QT_TRANSLATE_NOOP("FirmField", "Posting date"), "Дата записи: ", "Дата записи", true},
        {&FirmRecord::authority, QT_TRANSLATE_NOOP("FirmField", "Рег. орган"),
         QT_TRANSLATE_NOOP("FirmField", "Registration authority"), "Рег. орган: ", "Рег. орган",
         false},
        {&FirmRecord::authorityAddress, QT_TRANSLATE_NOOP("FirmField", "Адрес органа"),
         QT_TRANSLATE_NOOP("FirmField", "Address of the authority"),
         "Адрес органа: ", "Адрес органа", false},
        {&FirmRecord::region, QT_TRANSLATE_NOOP("FirmField", "Регион"),
         QT_TRANSLATE_NOOP("FirmField", "Region"), "Регион: ", "Регион", true},
    }};
    return fields;
}

}  // namespace lookup
