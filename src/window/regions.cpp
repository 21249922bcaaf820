#include "window/regions.h"

#include <QCoreApplication>
#include <iterator>

namespace window {
namespace {

// In display order; the box shows them in the user's language.
const char* const kRegionNames[] = {
    QT_TRANSLATE_NOOP("Region", "All regions of Russia"),
    QT_TRANSLATE_NOOP("Region", "Moscow"),
    QT_TRANSLATE_NOOP("Region", "St. Petersburg"),
    QT_TRANSLATE_NOOP("Region", "Республика Адыгея"),
    QT_TRANSLATE_NOOP("Region", "Республика Башкортостан"),
    QT_TRANSLATE_NOOP("Region", "Республика Бурятия"),
    QT_TRANSLATE_NOOP("Region", "Республика Алтай"),
    QT_TRANSLATE_NOOP("Region", "Республика Дагестан"),
    QT_TRANSLATE_NOOP("Region", "Республика Ингушетия"),
    QT_TRANSLATE_NOOP("Region", "Республика Кабардино-Балкария"),
    QT_TRANSLATE_NOOP("Region", "Республика Калмыкия"),
    QT_TRANSLATE_NOOP("Region", "Карачаево-Черкесская республика"),
    QT_TRANSLATE_NOOP("Region", "Республика Карелия"),
    QT_TRANSLATE_NOOP("Region", "Республика Коми"),
    QT_TRANSLATE_NOOP("Region", "Республика Марий-Эл"),
    QT_TRANSLATE_NOOP("Region", "Республика Мордовия"),
    QT_TRANSLATE_NOOP("Region", "Республика Саха (Якутия)"),
    QT_TRANSLATE_NOOP("Region", "Республика Северная Осетия-Алания"),
    QT_TRANSLATE_NOOP("Region", "Республика Татарстан"),
    QT_TRANSLATE_NOOP("Region", "Республика Тыва"),
    QT_TRANSLATE_NOOP("Region", "Удмуртская Республика"),
    QT_TRANSLATE_NOOP("Region", "Республика Хакасия"),
    QT_TRANSLATE_NOOP("Region", "Чеченская Республика"),
    QT_TRANSLATE_NOOP("Region", "Чувашская Республика-Чаваш республики"),
    QT_TRANSLATE_NOOP("Region", "Алтайский край"),
    QT_TRANSLATE_NOOP("Region", "Краснодарский край"),
    QT_TRANSLATE_NOOP("Region", "Красноярский край"),
    QT_TRANSLATE_NOOP("Region", "Приморский край"),
    QT_TRANSLATE_NOOP("Region", "Ставропольский край"),
    QT_TRANSLATE_NOOP("Region", "Хабаровский край"),
    QT_TRANSLATE_NOOP("Region", "Амурская область"),
    QT_TRANSLATE_NOOP("Region", "Архангельская область"),
    QT_TRANSLATE_NOOP("Region", "Астраханская область"),
    QT_TRANSLATE_NOOP("Region", "Белгородская область"),
    QT_TRANSLATE_NOOP("Region", "Брянская область"),
    QT_TRANSLATE_NOOP("Region", "Владимирская область"),
    QT_TRANSLATE_NOOP("Region", "Волгоградская область"),
    QT_TRANSLATE_NOOP("Region", "Вологодская область"),
    QT_TRANSLATE_NOOP("Region", "Воронежская область"),
    QT_TRANSLATE_NOOP("Region", "Ивановская область"),
    QT_TRANSLATE_NOOP("Region", "Иркутская область"),
    QT_TRANSLATE_NOOP("Region", "Калининградская область"),
    QT_TRANSLATE_NOOP("Region", "Калужская область"),
    QT_TRANSLATE_NOOP("Region", "Камчатская область"),
    QT_TRANSLATE_NOOP("Region", "Кемеровская область"),
    QT_TRANSLATE_NOOP("Region", "Кировская область"),
    QT_TRANSLATE_NOOP("Region", "Костромская область"),
    QT_TRANSLATE_NOOP("Region", "Курганская область"),
    QT_TRANSLATE_NOOP("Region", "Курская область"),
    QT_TRANSLATE_NOOP("Region", "Ленинградская область"),
    QT_TRANSLATE_NOOP("Region", "Липецкая область"),
    QT_TRANSLATE_NOOP("Region", "Магаданская область"),
    QT_TRANSLATE_NOOP("Region", "Московская область"),
    QT_TRANSLATE_NOOP("Region", "Мурманская область"),
    QT_TRANSLATE_NOOP("Region", "Нижегородская область"),
    QT_TRANSLATE_NOOP("Region", "Новгородская область"),
    QT_TRANSLATE_NOOP("Region", "Новосибирская область"),
    QT_TRANSLATE_NOOP("Region", "Омская область"),
    QT_TRANSLATE_NOOP("Region", "Оренбургская область"),
    QT_TRANSLATE_NOOP("Region", "Орловская область"),
    QT_TRANSLATE_NOOP("Region", "Пензенская область"),
    QT_TRANSLATE_NOOP("Region", "Пермская область"),
    QT_TRANSLATE_NOOP("Region", "Псковская область"),
    QT_TRANSLATE_NOOP("Region", "Ростовская область"),
    QT_TRANSLATE_NOOP("Region", "Рязанская область"),
    QT_TRANSLATE_NOOP("Region", "Самарская область"),
    QT_TRANSLATE_NOOP("Region", "Саратовская область"),
    QT_TRANSLATE_NOOP("Region", "Сахалинская область"),
    QT_TRANSLATE_NOOP("Region", "Свердловская область"),
    QT_TRANSLATE_NOOP("Region", "Смоленская область"),
    QT_TRANSLATE_NOOP("Region", "Тамбовская область"),
    QT_TRANSLATE_NOOP("Region", "Тверская область"),
    QT_TRANSLATE_NOOP("Region", "Томская область"),
    QT_TRANSLATE_NOOP("Region", "Тульская область"),
    QT_TRANSLATE_NOOP("Region", "Тюменская область"),
    QT_TRANSLATE_NOOP("Region", "Ульяновская область"),
    QT_TRANSLATE_NOOP("Region", "Челябинская область"),
    QT_TRANSLATE_NOOP("Region", "Читинская область"),
    QT_TRANSLATE_NOOP("Region", "Ярославская область"),
    QT_TRANSLATE_NOOP("Region", "Еврейская автономная область"),
    QT_TRANSLATE_NOOP("Region", "Агинский Бурятский автономный округ"),
    QT_TRANSLATE_NOOP("Region", "Коми-Пермяцкий автономный округ"),
    QT_TRANSLATE_NOOP("Region", "Корякский автономный округ"),
    QT_TRANSLATE_NOOP("Region", "Ненецкий автономный округ"),
    QT_TRANSLATE_NOOP("Region", "Таймырский (Долгано-Ненецкий) автономный округ"),
    QT_TRANSLATE_NOOP("Region", "Усть-Ордынский Бурятский автономный округ"),
    QT_TRANSLATE_NOOP("Region", "Ханты-Мансийский автономный округ"),
    QT_TRANSLATE_NOOP("Region", "Чукотский автономный округ"),
    QT_TRANSLATE_NOOP("Region", "Эвенкийский автономный округ"),
    QT_TRANSLATE_NOOP("Region", "Ямало-Ненецкий автономный округ"),
};

}  // namespace

const QStringList& RegionNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const char* name : kRegionNames) {
            list << QString::fromUtf8(name);
        }
        return list;
    }();
    return names;
}

QString RegionDisplayName(int position) {
    if (position < 0 || position >= static_cast<int>(std::size(kRegionNames))) {
        return QString();
    }
    return QCoreApplication::translate("Region", kRegionNames[position]);
}

QString RegionRequestValue(int position) {
    if (position < 0 || position >= RegionNames().size()) {
        return QString();
    }
    switch (position) {
        case 0:
            return QStringLiteral("Все регионы");
        case 1:
            return QStringLiteral("77");
        case 2:
            return QStringLiteral("78");
        default:
            break;
    }
    // Positions 3..78 follow the register's codes 01..76; from 79 on the position
    // and the code coincide.
    const int code = position <= 78 ? position - 2 : position;
    return QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
}

}  // namespace window
