<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>FirmField</name>
    <message>
        <source>Название</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>ОГРН</source>
        <translation>ОГРН</translation>
    </message>
    <message>
        <source>Principal state registration number</source>
        <translation>Hauptstaatsregisternummer</translation>
    </message>
    <message>
        <source>ГРН</source>
        <translation>ГРН</translation>
    </message>
    <message>
        <source>GRN</source>
        <translation>GRN</translation>
    </message>
    <message>
        <source>ИНН</source>
        <translation>ИНН</translation>
    </message>
    <message>
        <source>VATIN</source>
        <translation>USt-IdNr. (INN)</translation>
    </message>
    <message>
        <source>КПП</source>
        <translation>КПП</translation>
    </message>
    <message>
        <source>Reason code of registration</source>
        <translation>Grund der Registrierung (KPP)</translation>
    </message>
    <message>
        <source>Дата записи</source>
        <translation>Дата записи</translation>
    </message>
    <message>
        <source>Posting date</source>
        <translation>Eintragungsdatum</translation>
    </message>
    <message>
        <source>Рег. орган</source>
        <translation>Рег. орган</translation>
    </message>
    <message>
        <source>Registration authority</source>
        <translation>Registerbehörde</translation>
    </message>
    <message>
        <source>Адрес органа</source>
        <translation>Адрес органа</translation>
    </message>
    <message>
        <source>Address of the authority</source>
        <translation>Adresse der Behörde</translation>
    </message>
    <message>
        <source>Регион</source>
        <translation>Регион</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Region</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>The service answered with its search form (%1).</source>
        <translation>Der Dienst hat mit seinem Suchformular geantwortet (%1).</translation>
    </message>
    <message>
        <source>The service answered, but %1 holds no search form: this does not look like a register mirror.</source>
        <translation>Der Dienst hat geantwortet, aber %1 enthält kein Suchformular: Das sieht nicht nach einem Registerspiegel aus.</translation>
    </message>
    <message>
        <source>No search form from %1: %2</source>
        <translation>Kein Suchformular von %1: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an http:// address; the register service is reached over plain HTTP.</source>
        <translation>„%1“ ist keine http://-Adresse; der Registerdienst wird über einfaches HTTP erreicht.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names the page &quot;%2&quot;: give only the host and, if needed, the port.</source>
        <translation>„%1“ nennt die Seite „%2“: Geben Sie nur den Host und bei Bedarf den Port an.</translation>
    </message>
    <message>
        <source>The host box gives port %1 and the port box %2.</source>
        <translation>Im Host-Feld steht Port %1, im Port-Feld %2.</translation>
    </message>
    <message>
        <source>The register service&apos;s address is still the placeholder &quot;%1&quot;: set the address of a register mirror with File &gt; &quot;Register service...&quot;.</source>
        <translation>Die Adresse des Registerdienstes ist noch der Platzhalter „%1“: Legen Sie die Adresse eines Registerspiegels unter Datei &gt; „Registerdienst...“ fest.</translation>
    </message>
</context>
<context>
    <name>Region</name>
    <message>
        <source>All regions of Russia</source>
        <translation type="vanished">Alle Regionen Russlands</translation>
    </message>
    <message>
        <source>Moscow</source>
        <translation type="vanished">Moskau</translation>
    </message>
    <message>
        <source>St. Petersburg</source>
        <translation type="vanished">Sankt Petersburg</translation>
    </message>
    <message>
        <source>Республика Адыгея</source>
        <translation type="vanished">Republik Adygea</translation>
    </message>
    <message>
        <source>Республика Башкортостан</source>
        <translation type="vanished">Republik Bashkortostan</translation>
    </message>
    <message>
        <source>Республика Бурятия</source>
        <translation type="vanished">Republik Buryatia</translation>
    </message>
    <message>
        <source>Республика Алтай</source>
        <translation type="vanished">Republik Altai</translation>
    </message>
    <message>
        <source>Республика Дагестан</source>
        <translation type="vanished">Republik Dagestan</translation>
    </message>
    <message>
        <source>Республика Ингушетия</source>
        <translation type="vanished">Republik Ingushetia</translation>
    </message>
    <message>
        <source>Республика Кабардино-Балкария</source>
        <translation type="vanished">Republik Kabardino-Balkaria</translation>
    </message>
    <message>
        <source>Республика Калмыкия</source>
        <translation type="vanished">Republik Kalmykia</translation>
    </message>
    <message>
        <source>Карачаево-Черкесская республика</source>
        <translation type="vanished">Republik Karachay-Cherkessia</translation>
    </message>
    <message>
        <source>Республика Карелия</source>
        <translation type="vanished">Republik Karelia</translation>
    </message>
    <message>
        <source>Республика Коми</source>
        <translation type="vanished">Republik Komi</translation>
    </message>
    <message>
        <source>Республика Марий-Эл</source>
        <translation type="vanished">Republik Mari El</translation>
    </message>
    <message>
        <source>Республика Мордовия</source>
        <translation type="vanished">Republik Mordovia</translation>
    </message>
    <message>
        <source>Республика Саха (Якутия)</source>
        <translation type="vanished">Republik Sakha (Yakutia)</translation>
    </message>
    <message>
        <source>Республика Северная Осетия-Алания</source>
        <translation type="vanished">Republik North Ossetia-Alania</translation>
    </message>
    <message>
        <source>Республика Татарстан</source>
        <translation type="vanished">Republik Tatarstan</translation>
    </message>
    <message>
        <source>Республика Тыва</source>
        <translation type="vanished">Republik Tuva</translation>
    </message>
    <message>
        <source>Удмуртская Республика</source>
        <translation type="vanished">Republik Udmurtia</translation>
    </message>
    <message>
        <source>Республика Хакасия</source>
        <translation type="vanished">Republik Khakassia</translation>
    </message>
    <message>
        <source>Чеченская Республика</source>
        <translation type="vanished">Republik Chechnya</translation>
    </message>
    <message>
        <source>Чувашская Республика-Чаваш республики</source>
        <translation type="vanished">Republik Chuvashia</translation>
    </message>
    <message>
        <source>Алтайский край</source>
        <translation type="vanished">Region Altai</translation>
    </message>
    <message>
        <source>Краснодарский край</source>
        <translation type="vanished">Region Krasnodar</translation>
    </message>
    <message>
        <source>Красноярский край</source>
        <translation type="vanished">Region Krasnoyarsk</translation>
    </message>
    <message>
        <source>Приморский край</source>
        <translation type="vanished">Region Primorye</translation>
    </message>
    <message>
        <source>Ставропольский край</source>
        <translation type="vanished">Region Stavropol</translation>
    </message>
    <message>
        <source>Хабаровский край</source>
        <translation type="vanished">Region Khabarovsk</translation>
    </message>
    <message>
        <source>Амурская область</source>
        <translation type="vanished">Oblast Amur</translation>
    </message>
    <message>
        <source>Архангельская область</source>
        <translation type="vanished">Oblast Arkhangelsk</translation>
    </message>
    <message>
        <source>Астраханская область</source>
        <translation type="vanished">Oblast Astrakhan</translation>
    </message>
    <message>
        <source>Белгородская область</source>
        <translation type="vanished">Oblast Belgorod</translation>
    </message>
    <message>
        <source>Брянская область</source>
        <translation type="vanished">Oblast Bryansk</translation>
    </message>
    <message>
        <source>Владимирская область</source>
        <translation type="vanished">Oblast Vladimir</translation>
    </message>
    <message>
        <source>Волгоградская область</source>
        <translation type="vanished">Oblast Volgograd</translation>
    </message>
    <message>
        <source>Вологодская область</source>
        <translation type="vanished">Oblast Vologda</translation>
    </message>
    <message>
        <source>Воронежская область</source>
        <translation type="vanished">Oblast Voronezh</translation>
    </message>
    <message>
        <source>Ивановская область</source>
        <translation type="vanished">Oblast Ivanovo</translation>
    </message>
    <message>
        <source>Иркутская область</source>
        <translation type="vanished">Oblast Irkutsk</translation>
    </message>
    <message>
        <source>Калининградская область</source>
        <translation type="vanished">Oblast Kaliningrad</translation>
    </message>
    <message>
        <source>Калужская область</source>
        <translation type="vanished">Oblast Kaluga</translation>
    </message>
    <message>
        <source>Камчатская область</source>
        <translation type="vanished">Oblast Kamchatka</translation>
    </message>
    <message>
        <source>Кемеровская область</source>
        <translation type="vanished">Oblast Kemerovo</translation>
    </message>
    <message>
        <source>Кировская область</source>
        <translation type="vanished">Oblast Kirov</translation>
    </message>
    <message>
        <source>Костромская область</source>
        <translation type="vanished">Oblast Kostroma</translation>
    </message>
    <message>
        <source>Курганская область</source>
        <translation type="vanished">Oblast Kurgan</translation>
    </message>
    <message>
        <source>Курская область</source>
        <translation type="vanished">Oblast Kursk</translation>
    </message>
    <message>
        <source>Ленинградская область</source>
        <translation type="vanished">Oblast Leningrad</translation>
    </message>
    <message>
        <source>Липецкая область</source>
        <translation type="vanished">Oblast Lipetsk</translation>
    </message>
    <message>
        <source>Магаданская область</source>
        <translation type="vanished">Oblast Magadan</translation>
    </message>
    <message>
        <source>Московская область</source>
        <translation type="vanished">Oblast Moskau</translation>
    </message>
    <message>
        <source>Мурманская область</source>
        <translation type="vanished">Oblast Murmansk</translation>
    </message>
    <message>
        <source>Нижегородская область</source>
        <translation type="vanished">Oblast Nizhny Novgorod</translation>
    </message>
    <message>
        <source>Новгородская область</source>
        <translation type="vanished">Oblast Novgorod</translation>
    </message>
    <message>
        <source>Новосибирская область</source>
        <translation type="vanished">Oblast Novosibirsk</translation>
    </message>
    <message>
        <source>Омская область</source>
        <translation type="vanished">Oblast Omsk</translation>
    </message>
    <message>
        <source>Оренбургская область</source>
        <translation type="vanished">Oblast Orenburg</translation>
    </message>
    <message>
        <source>Орловская область</source>
        <translation type="vanished">Oblast Oryol</translation>
    </message>
    <message>
        <source>Пензенская область</source>
        <translation type="vanished">Oblast Penza</translation>
    </message>
    <message>
        <source>Пермская область</source>
        <translation type="vanished">Oblast Perm</translation>
    </message>
    <message>
        <source>Псковская область</source>
        <translation type="vanished">Oblast Pskov</translation>
    </message>
    <message>
        <source>Ростовская область</source>
        <translation type="vanished">Oblast Rostov</translation>
    </message>
    <message>
        <source>Рязанская область</source>
        <translation type="vanished">Oblast Ryazan</translation>
    </message>
    <message>
        <source>Самарская область</source>
        <translation type="vanished">Oblast Samara</translation>
    </message>
    <message>
        <source>Саратовская область</source>
        <translation type="vanished">Oblast Saratov</translation>
    </message>
    <message>
        <source>Сахалинская область</source>
        <translation type="vanished">Oblast Sakhalin</translation>
    </message>
    <message>
        <source>Свердловская область</source>
        <translation type="vanished">Oblast Sverdlovsk</translation>
    </message>
    <message>
        <source>Смоленская область</source>
        <translation type="vanished">Oblast Smolensk</translation>
    </message>
    <message>
        <source>Тамбовская область</source>
        <translation type="vanished">Oblast Tambov</translation>
    </message>
    <message>
        <source>Тверская область</source>
        <translation type="vanished">Oblast Tver</translation>
    </message>
    <message>
        <source>Томская область</source>
        <translation type="vanished">Oblast Tomsk</translation>
    </message>
    <message>
        <source>Тульская область</source>
        <translation type="vanished">Oblast Tula</translation>
    </message>
    <message>
        <source>Тюменская область</source>
        <translation type="vanished">Oblast Tyumen</translation>
    </message>
    <message>
        <source>Ульяновская область</source>
        <translation type="vanished">Oblast Ulyanovsk</translation>
    </message>
    <message>
        <source>Челябинская область</source>
        <translation type="vanished">Oblast Chelyabinsk</translation>
    </message>
    <message>
        <source>Читинская область</source>
        <translation type="vanished">Oblast Chita</translation>
    </message>
    <message>
        <source>Ярославская область</source>
        <translation type="vanished">Oblast Yaroslavl</translation>
    </message>
    <message>
        <source>Еврейская автономная область</source>
        <translation type="vanished">Jüdische Autonome Oblast</translation>
    </message>
    <message>
        <source>Агинский Бурятский автономный округ</source>
        <translation type="vanished">Autonomer Kreis Agin-Buryat</translation>
    </message>
    <message>
        <source>Коми-Пермяцкий автономный округ</source>
        <translation type="vanished">Autonomer Kreis Komi-Permyak</translation>
    </message>
    <message>
        <source>Корякский автономный округ</source>
        <translation type="vanished">Autonomer Kreis Koryak</translation>
    </message>
    <message>
        <source>Ненецкий автономный округ</source>
        <translation type="vanished">Autonomer Kreis Nenets</translation>
    </message>
    <message>
        <source>Таймырский (Долгано-Ненецкий) автономный округ</source>
        <translation type="vanished">Autonomer Kreis Taymyr (Dolgan-Nenets)</translation>
    </message>
    <message>
        <source>Усть-Ордынский Бурятский автономный округ</source>
        <translation type="vanished">Autonomer Kreis Ust-Orda Buryat</translation>
    </message>
    <message>
        <source>Ханты-Мансийский автономный округ</source>
        <translation type="vanished">Autonomer Kreis Khanty-Mansi</translation>
    </message>
    <message>
        <source>Чукотский автономный округ</source>
        <translation type="vanished">Autonomer Kreis Chukotka</translation>
    </message>
    <message>
        <source>Эвенкийский автономный округ</source>
        <translation type="vanished">Autonomer Kreis Evenk</translation>
    </message>
    <message>
        <source>Ямало-Ненецкий автономный округ</source>
        <translation type="vanished">Autonomer Kreis Yamalo-Nenets</translation>
    </message>
</context>
<context>
    <name>ServiceMessage</name>
    <message>
        <source>На сегодняшний день Ваш лимит запросов исчерпан</source>
        <translation type="vanished">Ihr Abfragelimit für heute ist erschöpft</translation>
    </message>
    <message>
        <source>Записей не найдено</source>
        <translation type="vanished">Keine Einträge gefunden</translation>
    </message>
    <message>
        <source>Ошибка:</source>
        <translation type="vanished">Fehler:</translation>
    </message>
    <message>
        <source>Найдено:0</source>
        <translation type="vanished">Gefunden: 0</translation>
    </message>
    <message>
        <source>Сервис временно недоступен, повторите запрос позже</source>
        <translation type="vanished">Der Dienst ist vorübergehend nicht verfügbar, bitte versuchen Sie es später erneut</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>&apos;%1&apos; is not a valid boolean value</source>
        <translation>„%1“ ist kein gültiger Wahrheitswert</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden. %2</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is larger than %2 bytes; the rest was not read</source>
        <translation>Die Datei „%1“ ist größer als %2 Byte; der Rest wurde nicht gelesen</translation>
    </message>
</context>
<context>
    <name>proxy::ProxyDialog</name>
    <message>
        <source>Proxy</source>
        <translation>Proxy</translation>
    </message>
    <message>
        <source>Proxy settings for Internet access</source>
        <translation>Proxy-Einstellungen für den Internetzugang</translation>
    </message>
    <message>
        <source>Use the system configuration</source>
        <translation>Systemeinstellungen verwenden</translation>
    </message>
    <message>
        <source>Use proxy</source>
        <translation>Proxy verwenden</translation>
    </message>
    <message>
        <source>Proxy:</source>
        <translation>Proxy:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Enter the proxy&apos;s host name or IP address.</source>
        <translation>Geben Sie den Hostnamen oder die IP-Adresse des Proxys ein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name, an IPv4 address or an IPv6 address.</source>
        <translation>„%1“ ist weder ein Hostname noch eine IPv4- oder IPv6-Adresse.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>Der Port „%1“ ist keine Zahl von 1 bis 65535.</translation>
    </message>
</context>
<context>
    <name>window::MainWindow</name>
    <message>
        <source>About Vendrake</source>
        <translation>Über Vendrake</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Quillmarsh</source>
        <translation>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Sucht juristische Personen im russischen Staatsregister und zeigt sie in Ihrer Sprache an.&lt;br&gt;&lt;br&gt;Quillmarsh</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>Vendrake</source>
        <translation>Vendrake</translation>
    </message>
    <message>
        <source>dd.mm.yyyy</source>
        <translation>TT.MM.JJJJ</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation>Datum wählen</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation> Daten eingeben </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Region:</source>
        <translation>Region:</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>OGRN/INN:</source>
        <translation>OGRN/INN:</translation>
    </message>
    <message>
        <source>OGRN/INN</source>
        <translation>OGRN/INN</translation>
    </message>
    <message>
        <source> Request parameters </source>
        <translation> Abfrageparameter </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation>Sprache der Transliteration</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation>Sprache der Übersetzung</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation>Diese Angaben werden abgefragt</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation>Abgefragter Name</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation>Abgefragte Adresse</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation>Abgefragte Region</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation>Abgefragtes Datum</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation>Abgefragte OGRN/INN</translation>
    </message>
    <message>
        <source>Search results in the original language</source>
        <translation type="vanished">Suchergebnisse in der Originalsprache</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation type="vanished">Details in der Originalsprache</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation type="vanished">Suchergebnisse in Ihrer Sprache</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation type="vanished">Sprache des Ergebnisbereichs</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation type="vanished">Details in Ihrer Sprache</translation>
    </message>
    <message>
        <source>File</source>
        <translation type="vanished">Datei</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Alles löschen</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>Загрузить данные</source>
        <translation>Daten laden</translation>
    </message>
    <message>
        <source>Proxy...</source>
        <translation>Proxy...</translation>
    </message>
    <message>
        <source>Register service...</source>
        <translation>Registerdienst...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="vanished">Hilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Копировать выделенное</source>
        <translation>Auswahl kopieren</translation>
    </message>
    <message>
        <source>Копировать все данные</source>
        <translation>Alle Daten kopieren</translation>
    </message>
    <message>
        <source>Ввести данные</source>
        <translation>Daten eingeben</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Ungültiger Datentyp für „%1“</translation>
    </message>
    <message>
        <source>No dictionary files</source>
        <translation>Keine Wörterbuchdateien</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden. %2</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation>Daten für „%1“ konnten nicht gesetzt werden</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation>Die Prüfziffer dieser OGRN stimmt nicht</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation>Die Prüfziffer dieser INN stimmt nicht</translation>
    </message>
    <message>
        <source>, Название: </source>
        <translation>, Название: </translation>
    </message>
    <message>
        <source>, Адрес: </source>
        <translation>, Адрес: </translation>
    </message>
    <message>
        <source>, Регион: </source>
        <translation>, Регион: </translation>
    </message>
    <message>
        <source>, Дата: </source>
        <translation>, Дата: </translation>
    </message>
    <message>
        <source>, ИНН: </source>
        <translation>, ИНН: </translation>
    </message>
    <message>
        <source>Search for entered data...(</source>
        <translation>Search for entered data...(</translation>
    </message>
    <message>
        <source>Query failed: </source>
        <translation>Abfrage fehlgeschlagen: </translation>
    </message>
    <message>
        <source>Checking completed.</source>
        <translation>Prüfung abgeschlossen.</translation>
    </message>
    <message>
        <source>Checking completed: %1 of %2 queries failed.</source>
        <translation>Prüfung abgeschlossen: %1 von %2 Abfragen fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Checking internet connection...</source>
        <translation>Internetverbindung wird geprüft...</translation>
    </message>
    <message>
        <source>No Internet connection...</source>
        <translation>Keine Internetverbindung...</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation>Wird geprüft...</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)</source>
        <translation>Textdatei (*.txt)</translation>
    </message>
    <message>
        <source>Queries are still running. Stop them and close the window?</source>
        <translation>Es laufen noch Abfragen. Sollen sie abgebrochen und das Fenster geschlossen werden?</translation>
    </message>
    <message>
        <source>Stop and close</source>
        <translation>Abbrechen und schließen</translation>
    </message>
    <message>
        <source>Keep running</source>
        <translation>Weiterlaufen lassen</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Textdatei (*.txt)</translation>
    </message>
    <message numerus="yes">
        <source>Saved %n firms to %1</source>
        <translation>
            <numerusform>%n Firma in %1 gespeichert</numerusform>
            <numerusform>%n Firmen in %1 gespeichert</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Stopped: %1 of %2 checked.</source>
        <translation>Angehalten: %1 von %2 geprüft.</translation>
    </message>
</context>
<context>
    <name>window::ResultsPane</name>
    <message>
        <source>Search results in the original language</source>
        <translation>Suchergebnisse in der Originalsprache</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation>Details in der Originalsprache</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation>Suchergebnisse in Ihrer Sprache</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation>Sprache des Ergebnisbereichs</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation>Details in Ihrer Sprache</translation>
    </message>
</context>
<context>
    <name>window::ServiceHostDialog</name>
    <message>
        <source>Register service</source>
        <translation>Registerdienst</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>host, host:port or http://host:port/</source>
        <translation>host, host:port oder http://host:port/</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>80</source>
        <translation>80</translation>
    </message>
    <message>
        <source>&amp;Host:</source>
        <translation>&amp;Host:</translation>
    </message>
    <message>
        <source>&amp;Port (optional):</source>
        <translation>&amp;Port (optional):</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Testen</translation>
    </message>
    <message>
        <source>The address of the register service&apos;s mirror; searches from now on go there.</source>
        <translation>Die Adresse des Spiegels des Registerdienstes; künftige Suchen gehen dorthin.</translation>
    </message>
    <message>
        <source>Asking %1 for its search form...</source>
        <translation>%1 wird nach dem Suchformular gefragt...</translation>
    </message>
</context>
</TS>
