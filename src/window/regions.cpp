#include "window/regions.h"

namespace window {

const QStringList& RegionNames() {
    static const QStringList names = {
        QStringLiteral("All regions of Russia"),
        QStringLiteral("Moscow"),
        QStringLiteral("St. Petersburg"),
        QStringLiteral("Республика Адыгея"),
        QStringLiteral("Республика Башкортостан"),
        QStringLiteral("Республика Бурятия"),
        QStringLiteral("Республика Алтай"),
        QStringLiteral("Республика Дагестан"),
        QStringLiteral("Республика Ингушетия"),
        QStringLiteral("Республика Кабардино-Балкария"),
        QStringLiteral("Республика Калмыкия"),
        QStringLiteral("Карачаево-Черкесская республика"),
        QStringLiteral("Республика Карелия"),
        QStringLiteral("Республика Коми"),
        QStringLiteral("Республика Марий-Эл"),
        QStringLiteral("Республика Мордовия"),
        QStringLiteral("Республика Саха (Якутия)"),
        QStringLiteral("Республика Северная Осетия-Алания"),
        QStringLiteral("Республика Татарстан"),
        QStringLiteral("Республика Тыва"),
        QStringLiteral("Удмуртская Республика"),
        QStringLiteral("Республика Хакасия"),
        QStringLiteral("Чеченская Республика"),
        QStringLiteral("Чувашская Республика-Чаваш республики"),
        QStringLiteral("Алтайский край"),
        QStringLiteral("Краснодарский край"),
        QStringLiteral("Красноярский край"),
        QStringLiteral("Приморский край"),
        QStringLiteral("Ставропольский край"),
        QStringLiteral("Хабаровский край"),
        QStringLiteral("Амурская область"),
        QStringLiteral("Архангельская область"),
        QStringLiteral("Астраханская область"),
        QStringLiteral("Белгородская область"),
        QStringLiteral("Брянская область"),
        QStringLiteral("Владимирская область"),
        QStringLiteral("Волгоградская область"),
        QStringLiteral("Вологодская область"),
        QStringLiteral("Воронежская область"),
        QStringLiteral("Ивановская область"),
        QStringLiteral("Иркутская область"),
        QStringLiteral("Калининградская область"),
        QStringLiteral("Калужская область"),
        QStringLiteral("Камчатская область"),
        QStringLiteral("Кемеровская область"),
        QStringLiteral("Кировская область"),
        QStringLiteral("Костромская область"),
        QStringLiteral("Курганская область"),
        QStringLiteral("Курская область"),
        QStringLiteral("Ленинградская область"),
        QStringLiteral("Липецкая область"),
        QStringLiteral("Магаданская область"),
        QStringLiteral("Московская область"),
        QStringLiteral("Мурманская область"),
        QStringLiteral("Нижегородская область"),
        QStringLiteral("Новгородская область"),
        QStringLiteral("Новосибирская область"),
        QStringLiteral("Омская область"),
        QStringLiteral("Оренбургская область"),
        QStringLiteral("Орловская область"),
        QStringLiteral("Пензенская область"),
        QStringLiteral("Пермская область"),
        QStringLiteral("Псковская область"),
        QStringLiteral("Ростовская область"),
        QStringLiteral("Рязанская область"),
        QStringLiteral("Самарская область"),
        QStringLiteral("Саратовская область"),
        QStringLiteral("Сахалинская область"),
        QStringLiteral("Свердловская область"),
        QStringLiteral("Смоленская область"),
        QStringLiteral("Тамбовская область"),
        QStringLiteral("Тверская область"),
        QStringLiteral("Томская область"),
        QStringLiteral("Тульская область"),
        QStringLiteral("Тюменская область"),
        QStringLiteral("Ульяновская область"),
        QStringLiteral("Челябинская область"),
        QStringLiteral("Читинская область"),
        QStringLiteral("Ярославская область"),
        QStringLiteral("Еврейская автономная область"),
        QStringLiteral("Агинский Бурятский автономный округ"),
        QStringLiteral("Коми-Пермяцкий автономный округ"),
        QStringLiteral("Корякский автономный округ"),
        QStringLiteral("Ненецкий автономный округ"),
        QStringLiteral("Таймырский (Долгано-Ненецкий) автономный округ"),
        QStringLiteral("Усть-Ордынский Бурятский автономный округ"),
        QStringLiteral("Ханты-Мансийский автономный округ"),
        QStringLiteral("Чукотский автономный округ"),
        QStringLiteral("Эвенкийский автономный округ"),
        QStringLiteral("Ямало-Ненецкий автономный округ"),
    };
    return names;
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
