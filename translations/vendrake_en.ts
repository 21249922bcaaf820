<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en">
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
        <translation>Address</translation>
    </message>
    <message>
        <source>ОГРН</source>
        <translation>ОГРН</translation>
    </message>
    <message>
        <source>Principal state registration number</source>
        <translation>Principal state registration number</translation>
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
        <translation>VATIN</translation>
    </message>
    <message>
        <source>КПП</source>
        <translation>КПП</translation>
    </message>
    <message>
        <source>Reason code of registration</source>
        <translation>Reason code of registration</translation>
    </message>
    <message>
        <source>Дата записи</source>
        <translation>Дата записи</translation>
    </message>
    <message>
        <source>Posting date</source>
        <translation>Posting date</translation>
    </message>
    <message>
        <source>Рег. орган</source>
        <translation>Рег. орган</translation>
    </message>
    <message>
        <source>Registration authority</source>
        <translation>Registration authority</translation>
    </message>
    <message>
        <source>Адрес органа</source>
        <translation>Адрес органа</translation>
    </message>
    <message>
        <source>Address of the authority</source>
        <translation>Address of the authority</translation>
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
        <translation>The service answered with its search form (%1).</translation>
    </message>
    <message>
        <source>The service answered, but %1 holds no search form: this does not look like a register mirror.</source>
        <translation>The service answered, but %1 holds no search form: this does not look like a register mirror.</translation>
    </message>
    <message>
        <source>No search form from %1: %2</source>
        <translation>No search form from %1: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an http:// address; the register service is reached over plain HTTP.</source>
        <translation>&quot;%1&quot; is not an http:// address; the register service is reached over plain HTTP.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names the page &quot;%2&quot;: give only the host and, if needed, the port.</source>
        <translation>&quot;%1&quot; names the page &quot;%2&quot;: give only the host and, if needed, the port.</translation>
    </message>
    <message>
        <source>The host box gives port %1 and the port box %2.</source>
        <translation>The host box gives port %1 and the port box %2.</translation>
    </message>
    <message>
        <source>The register service&apos;s address is still the placeholder &quot;%1&quot;: set the address of a register mirror with File &gt; &quot;Register service...&quot;.</source>
        <translation>The register service&apos;s address is still the placeholder &quot;%1&quot;: set the address of a register mirror with File &gt; &quot;Register service...&quot;.</translation>
    </message>
</context>
<context>
    <name>Region</name>
    <message>
        <source>All regions of Russia</source>
        <translation>All regions of Russia</translation>
    </message>
    <message>
        <source>Moscow</source>
        <translation>Moscow</translation>
    </message>
    <message>
        <source>St. Petersburg</source>
        <translation>St. Petersburg</translation>
    </message>
    <message>
        <source>Республика Адыгея</source>
        <translation>Republic of Adygea</translation>
    </message>
    <message>
        <source>Республика Башкортостан</source>
        <translation>Republic of Bashkortostan</translation>
    </message>
    <message>
        <source>Республика Бурятия</source>
        <translation>Republic of Buryatia</translation>
    </message>
    <message>
        <source>Республика Алтай</source>
        <translation>Republic of Altai</translation>
    </message>
    <message>
        <source>Республика Дагестан</source>
        <translation>Republic of Dagestan</translation>
    </message>
    <message>
        <source>Республика Ингушетия</source>
        <translation>Republic of Ingushetia</translation>
    </message>
    <message>
        <source>Республика Кабардино-Балкария</source>
        <translation>Republic of Kabardino-Balkaria</translation>
    </message>
    <message>
        <source>Республика Калмыкия</source>
        <translation>Republic of Kalmykia</translation>
    </message>
    <message>
        <source>Карачаево-Черкесская республика</source>
        <translation>Republic of Karachay-Cherkessia</translation>
    </message>
    <message>
        <source>Республика Карелия</source>
        <translation>Republic of Karelia</translation>
    </message>
    <message>
        <source>Республика Коми</source>
        <translation>Republic of Komi</translation>
    </message>
    <message>
        <source>Республика Марий-Эл</source>
        <translation>Republic of Mari El</translation>
    </message>
    <message>
        <source>Республика Мордовия</source>
        <translation>Republic of Mordovia</translation>
    </message>
    <message>
        <source>Республика Саха (Якутия)</source>
        <translation>Republic of Sakha (Yakutia)</translation>
    </message>
    <message>
        <source>Республика Северная Осетия-Алания</source>
        <translation>Republic of North Ossetia-Alania</translation>
    </message>
    <message>
        <source>Республика Татарстан</source>
        <translation>Republic of Tatarstan</translation>
    </message>
    <message>
        <source>Республика Тыва</source>
        <translation>Republic of Tuva</translation>
    </message>
    <message>
        <source>Удмуртская Республика</source>
        <translation>Republic of Udmurtia</translation>
    </message>
    <message>
        <source>Республика Хакасия</source>
        <translation>Republic of Khakassia</translation>
    </message>
    <message>
        <source>Чеченская Республика</source>
        <translation>Republic of Chechnya</translation>
    </message>
    <message>
        <source>Чувашская Республика-Чаваш республики</source>
        <translation>Republic of Chuvashia</translation>
    </message>
    <message>
        <source>Алтайский край</source>
        <translation>Altai Krai</translation>
    </message>
    <message>
        <source>Краснодарский край</source>
        <translation>Krasnodar Krai</translation>
    </message>
    <message>
        <source>Красноярский край</source>
        <translation>Krasnoyarsk Krai</translation>
    </message>
    <message>
        <source>Приморский край</source>
        <translation>Primorye Krai</translation>
    </message>
    <message>
        <source>Ставропольский край</source>
        <translation>Stavropol Krai</translation>
    </message>
    <message>
        <source>Хабаровский край</source>
        <translation>Khabarovsk Krai</translation>
    </message>
    <message>
        <source>Амурская область</source>
        <translation>Amur Oblast</translation>
    </message>
    <message>
        <source>Архангельская область</source>
        <translation>Arkhangelsk Oblast</translation>
    </message>
    <message>
        <source>Астраханская область</source>
        <translation>Astrakhan Oblast</translation>
    </message>
    <message>
        <source>Белгородская область</source>
        <translation>Belgorod Oblast</translation>
    </message>
    <message>
        <source>Брянская область</source>
        <translation>Bryansk Oblast</translation>
    </message>
    <message>
        <source>Владимирская область</source>
        <translation>Vladimir Oblast</translation>
    </message>
    <message>
        <source>Волгоградская область</source>
        <translation>Volgograd Oblast</translation>
    </message>
    <message>
        <source>Вологодская область</source>
        <translation>Vologda Oblast</translation>
    </message>
    <message>
        <source>Воронежская область</source>
        <translation>Voronezh Oblast</translation>
    </message>
    <message>
        <source>Ивановская область</source>
        <translation>Ivanovo Oblast</translation>
    </message>
    <message>
        <source>Иркутская область</source>
        <translation>Irkutsk Oblast</translation>
    </message>
    <message>
        <source>Калининградская область</source>
        <translation>Kaliningrad Oblast</translation>
    </message>
    <message>
        <source>Калужская область</source>
        <translation>Kaluga Oblast</translation>
    </message>
    <message>
        <source>Камчатская область</source>
        <translation>Kamchatka Oblast</translation>
    </message>
    <message>
        <source>Кемеровская область</source>
        <translation>Kemerovo Oblast</translation>
    </message>
    <message>
        <source>Кировская область</source>
        <translation>Kirov Oblast</translation>
    </message>
    <message>
        <source>Костромская область</source>
        <translation>Kostroma Oblast</translation>
    </message>
    <message>
        <source>Курганская область</source>
        <translation>Kurgan Oblast</translation>
    </message>
    <message>
        <source>Курская область</source>
        <translation>Kursk Oblast</translation>
    </message>
    <message>
        <source>Ленинградская область</source>
        <translation>Leningrad Oblast</translation>
    </message>
    <message>
        <source>Липецкая область</source>
        <translation>Lipetsk Oblast</translation>
    </message>
    <message>
        <source>Магаданская область</source>
        <translation>Magadan Oblast</translation>
    </message>
    <message>
        <source>Московская область</source>
        <translation>Moscow Oblast</translation>
    </message>
    <message>
        <source>Мурманская область</source>
        <translation>Murmansk Oblast</translation>
    </message>
    <message>
        <source>Нижегородская область</source>
        <translation>Nizhny Novgorod Oblast</translation>
    </message>
    <message>
        <source>Новгородская область</source>
        <translation>Novgorod Oblast</translation>
    </message>
    <message>
        <source>Новосибирская область</source>
        <translation>Novosibirsk Oblast</translation>
    </message>
    <message>
        <source>Омская область</source>
        <translation>Omsk Oblast</translation>
    </message>
    <message>
        <source>Оренбургская область</source>
        <translation>Orenburg Oblast</translation>
    </message>
    <message>
        <source>Орловская область</source>
        <translation>Oryol Oblast</translation>
    </message>
    <message>
        <source>Пензенская область</source>
        <translation>Penza Oblast</translation>
    </message>
    <message>
        <source>Пермская область</source>
        <translation>Perm Oblast</translation>
    </message>
    <message>
        <source>Псковская область</source>
        <translation>Pskov Oblast</translation>
    </message>
    <message>
        <source>Ростовская область</source>
        <translation>Rostov Oblast</translation>
    </message>
    <message>
        <source>Рязанская область</source>
        <translation>Ryazan Oblast</translation>
    </message>
    <message>
        <source>Самарская область</source>
        <translation>Samara Oblast</translation>
    </message>
    <message>
        <source>Саратовская область</source>
        <translation>Saratov Oblast</translation>
    </message>
    <message>
        <source>Сахалинская область</source>
        <translation>Sakhalin Oblast</translation>
    </message>
    <message>
        <source>Свердловская область</source>
        <translation>Sverdlovsk Oblast</translation>
    </message>
    <message>
        <source>Смоленская область</source>
        <translation>Smolensk Oblast</translation>
    </message>
    <message>
        <source>Тамбовская область</source>
        <translation>Tambov Oblast</translation>
    </message>
    <message>
        <source>Тверская область</source>
        <translation>Tver Oblast</translation>
    </message>
    <message>
        <source>Томская область</source>
        <translation>Tomsk Oblast</translation>
    </message>
    <message>
        <source>Тульская область</source>
        <translation>Tula Oblast</translation>
    </message>
    <message>
        <source>Тюменская область</source>
        <translation>Tyumen Oblast</translation>
    </message>
    <message>
        <source>Ульяновская область</source>
        <translation>Ulyanovsk Oblast</translation>
    </message>
    <message>
        <source>Челябинская область</source>
        <translation>Chelyabinsk Oblast</translation>
    </message>
    <message>
        <source>Читинская область</source>
        <translation>Chita Oblast</translation>
    </message>
    <message>
        <source>Ярославская область</source>
        <translation>Yaroslavl Oblast</translation>
    </message>
    <message>
        <source>Еврейская автономная область</source>
        <translation>Jewish Autonomous Oblast</translation>
    </message>
    <message>
        <source>Агинский Бурятский автономный округ</source>
        <translation>Agin-Buryat Autonomous Okrug</translation>
    </message>
    <message>
        <source>Коми-Пермяцкий автономный округ</source>
        <translation>Komi-Permyak Autonomous Okrug</translation>
    </message>
    <message>
        <source>Корякский автономный округ</source>
        <translation>Koryak Autonomous Okrug</translation>
    </message>
    <message>
        <source>Ненецкий автономный округ</source>
        <translation>Nenets Autonomous Okrug</translation>
    </message>
    <message>
        <source>Таймырский (Долгано-Ненецкий) автономный округ</source>
        <translation>Taymyr (Dolgan-Nenets) Autonomous Okrug</translation>
    </message>
    <message>
        <source>Усть-Ордынский Бурятский автономный округ</source>
        <translation>Ust-Orda Buryat Autonomous Okrug</translation>
    </message>
    <message>
        <source>Ханты-Мансийский автономный округ</source>
        <translation>Khanty-Mansi Autonomous Okrug</translation>
    </message>
    <message>
        <source>Чукотский автономный округ</source>
        <translation>Chukotka Autonomous Okrug</translation>
    </message>
    <message>
        <source>Эвенкийский автономный округ</source>
        <translation>Evenk Autonomous Okrug</translation>
    </message>
    <message>
        <source>Ямало-Ненецкий автономный округ</source>
        <translation>Yamalo-Nenets Autonomous Okrug</translation>
    </message>
</context>
<context>
    <name>ServiceMessage</name>
    <message>
        <source>На сегодняшний день Ваш лимит запросов исчерпан</source>
        <translation>Your query limit for today is used up</translation>
    </message>
    <message>
        <source>Записей не найдено</source>
        <translation>No records found</translation>
    </message>
    <message>
        <source>Ошибка:</source>
        <translation>Error:</translation>
    </message>
    <message>
        <source>Найдено:0</source>
        <translation>Found: 0</translation>
    </message>
    <message>
        <source>Сервис временно недоступен, повторите запрос позже</source>
        <translation type="vanished">The service is temporarily unavailable, please try again later</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>&apos;%1&apos; is not a valid boolean value</source>
        <translation>&apos;%1&apos; is not a valid boolean value</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Cannot open file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is larger than %2 bytes; the rest was not read</source>
        <translation>File &quot;%1&quot; is larger than %2 bytes; the rest was not read</translation>
    </message>
    <message>
        <source>Give it as HOST, HOST:PORT or http://HOST[:PORT]/ (for example register.example:8080).</source>
        <translation>Give it as HOST, HOST:PORT or http://HOST[:PORT]/ (for example register.example:8080).</translation>
    </message>
    <message>
        <source>The host is empty.</source>
        <translation>The host is empty.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or address.</source>
        <translation>&quot;%1&quot; is not a host name or address.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>The port &quot;%1&quot; is not a number from 1 to 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names port %2, the port field %3: give one port.</source>
        <translation>&quot;%1&quot; names port %2, the port field %3: give one port.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a plain HTTP address. %2</source>
        <translation>&quot;%1&quot; is not a plain HTTP address. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a path; the service is always at its root. %2</source>
        <translation>&quot;%1&quot; holds a path; the service is always at its root. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lacks the closing &quot;]&quot;.</source>
        <translation>&quot;%1&quot; lacks the closing &quot;]&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not HOST or HOST:PORT.</source>
        <translation>&quot;%1&quot; is not HOST or HOST:PORT.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ends with &quot;:&quot; but gives no port.</source>
        <translation>&quot;%1&quot; ends with &quot;:&quot; but gives no port.</translation>
    </message>
    <message>
        <source>The setting %1=&quot;%2&quot; is not a service address: %3</source>
        <translation>The setting %1=&quot;%2&quot; is not a service address: %3</translation>
    </message>
</context>
<context>
    <name>window::ProxyDialog</name>
    <message>
        <source>Proxy</source>
        <translation>Proxy</translation>
    </message>
    <message>
        <source>Proxy settings for Internet access</source>
        <translation>Proxy settings for Internet access</translation>
    </message>
    <message>
        <source>Use the system configuration</source>
        <translation>Use the system configuration</translation>
    </message>
    <message>
        <source>Use proxy</source>
        <translation>Use proxy</translation>
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
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Enter the proxy&apos;s host name or IP address.</source>
        <translation>Enter the proxy&apos;s host name or IP address.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name, an IPv4 address or an IPv6 address.</source>
        <translation>&quot;%1&quot; is not a host name, an IPv4 address or an IPv6 address.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>The port &quot;%1&quot; is not a number from 1 to 65535.</translation>
    </message>
</context>
<context>
    <name>window::ArchiveSearchDialog</name>
    <message>
        <source>Search the archive</source>
        <translation>Search the archive</translation>
    </message>
    <message>
        <source>Name, INN or OGRN</source>
        <translation>Name, INN or OGRN</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>INN</source>
        <translation>INN</translation>
    </message>
    <message>
        <source>OGRN</source>
        <translation>OGRN</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>Last seen</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Query</translation>
    </message>
</context>
<context>
    <name>window::HistoryPanel</name>
    <message>
        <source>Firms found</source>
        <translation>Firms found</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Failed: %1</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Not sent: %1</translation>
    </message>
    <message>
        <source>Not checked (daily limit)</source>
        <translation>Not checked (daily limit)</translation>
    </message>
    <message>
        <source>History</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Text, INN or OGRN</source>
        <translation>Text, INN or OGRN</translation>
    </message>
    <message>
        <source>from YYYY-MM-DD</source>
        <translation>from YYYY-MM-DD</translation>
    </message>
    <message>
        <source>to YYYY-MM-DD</source>
        <translation>to YYYY-MM-DD</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Criteria</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>Firms</source>
        <translation>Firms</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Check again</translation>
    </message>
    <message>
        <source>History (nothing is recorded)</source>
        <translation>History (nothing is recorded)</translation>
    </message>
</context>
<context>
    <name>window::MainWindow</name>
    <message>
        <source>About Vendrake</source>
        <translation type="vanished">About Vendrake</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Quillmarsh</source>
        <translation type="vanished">&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Quillmarsh</translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="vanished">Export</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation type="vanished">CSV (*.csv)</translation>
    </message>
    <message>
        <source>Vendrake</source>
        <translation>Vendrake</translation>
    </message>
    <message>
        <source>dd.mm.yyyy</source>
        <translation type="vanished">dd.mm.yyyy</translation>
    </message>
    <message>
        <source>...</source>
        <translation type="vanished">...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation type="vanished">Pick a date</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation type="vanished"> Enter data </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="vanished">Name:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="vanished">Name</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="vanished">Address:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="vanished">Address</translation>
    </message>
    <message>
        <source>Region:</source>
        <translation type="vanished">Region:</translation>
    </message>
    <message>
        <source>Region</source>
        <translation type="vanished">Region</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation type="vanished">Date:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="vanished">Date</translation>
    </message>
    <message>
        <source>OGRN/INN:</source>
        <translation type="vanished">OGRN/INN:</translation>
    </message>
    <message>
        <source>OGRN/INN</source>
        <translation type="vanished">OGRN/INN</translation>
    </message>
    <message>
        <source> Request parameters </source>
        <translation type="vanished"> Request parameters </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation type="vanished">Language of transliteration</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation type="vanished">Language of translation</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation type="vanished">Following items will be requested data</translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="vanished">Find</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation type="vanished">Requested name</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation type="vanished">Requested address</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation type="vanished">Requested region</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation type="vanished">Requested date</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation type="vanished">Requested OGRN/INN</translation>
    </message>
    <message>
        <source>Search results in the original language</source>
        <translation type="vanished">Search results in the original language</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation type="vanished">Details in the original language</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation type="vanished">Search results in your language</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation type="vanished">Language of the results pane</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation type="vanished">Details in your language</translation>
    </message>
    <message>
        <source>File</source>
        <translation type="vanished">File</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Загрузить данные</source>
        <translation>Load data</translation>
    </message>
    <message>
        <source>Proxy...</source>
        <translation>Proxy...</translation>
    </message>
    <message>
        <source>Register service...</source>
        <translation>Register service...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="vanished">Help</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Копировать выделенное</source>
        <translation>Copy selected</translation>
    </message>
    <message>
        <source>Копировать все данные</source>
        <translation>Copy all data</translation>
    </message>
    <message>
        <source>Ввести данные</source>
        <translation type="vanished">Enter data</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Invalid data type for &apos;%1&apos;</translation>
    </message>
    <message>
        <source>No dictionary files</source>
        <translation>No dictionary files</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Cannot open file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation>Failed to set data for &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation type="vanished">The check digit of this OGRN does not match</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation type="vanished">The check digit of this INN does not match</translation>
    </message>
    <message>
        <source>, Название: </source>
        <translation type="vanished">, Название: </translation>
    </message>
    <message>
        <source>, Адрес: </source>
        <translation type="vanished">, Адрес: </translation>
    </message>
    <message>
        <source>, Регион: </source>
        <translation type="vanished">, Регион: </translation>
    </message>
    <message>
        <source>, Дата: </source>
        <translation type="vanished">, Дата: </translation>
    </message>
    <message>
        <source>, ИНН: </source>
        <translation type="vanished">, ИНН: </translation>
    </message>
    <message>
        <source>Search for entered data...(</source>
        <translation type="vanished">Search for entered data...(</translation>
    </message>
    <message>
        <source>Query failed: </source>
        <translation>Query failed: </translation>
    </message>
    <message>
        <source>Checking completed.</source>
        <translation>Checking completed.</translation>
    </message>
    <message>
        <source>Checking completed: %1 of %2 queries failed.</source>
        <translation>Checking completed: %1 of %2 queries failed.</translation>
    </message>
    <message>
        <source>Checking internet connection...</source>
        <translation>Checking internet connection...</translation>
    </message>
    <message>
        <source>No Internet connection...</source>
        <translation>No Internet connection...</translation>
    </message>
    <message>
        <source>the register service at %1 does not answer: %2</source>
        <translation>the register service at %1 does not answer: %2</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation type="vanished">Checking...</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
    <message>
        <source>Queries are still running. Stop them and close the window?</source>
        <translation>Queries are still running. Stop them and close the window?</translation>
    </message>
    <message>
        <source>Stop and close</source>
        <translation>Stop and close</translation>
    </message>
    <message>
        <source>Keep running</source>
        <translation>Keep running</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
    <message numerus="yes">
        <source>Saved %n firms to %1</source>
        <translation>
            <numerusform>Saved %n firm to %1</numerusform>
            <numerusform>Saved %n firms to %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Stopped: %1 of %2 checked.</source>
        <translation>Stopped: %1 of %2 checked.</translation>
    </message>
    <message>
        <source>%1 The default address %2 is used; set another under File &gt; &quot;Register service...&quot;.</source>
        <translation>%1 The default address %2 is used; set another under File &gt; &quot;Register service...&quot;.</translation>
    </message>
    <message>
        <source>Progress of the search</source>
        <translation>Progress of the search</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation type="vanished">The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;User guide</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation type="vanished">&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</translation>
    </message>
    <message>
        <source>Checking: %1 of %2</source>
        <translation>Checking: %1 of %2</translation>
    </message>
    <message>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <source>address</source>
        <translation>address</translation>
    </message>
    <message>
        <source>region</source>
        <translation>region</translation>
    </message>
    <message>
        <source>registration date</source>
        <translation>registration date</translation>
    </message>
    <message>
        <source>INN/OGRN</source>
        <translation>INN/OGRN</translation>
    </message>
    <message>
        <source>New since the check of %1</source>
        <translation>New since the check of %1</translation>
    </message>
    <message>
        <source>Changed since the check of %1: %2</source>
        <translation>Changed since the check of %1: %2</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>Not recorded: %1</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Archive</translation>
    </message>
    <message>
        <source>History</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Search the archive...</source>
        <translation>Search the archive...</translation>
    </message>
    <message>
        <source>Export report...</source>
        <translation>Export report...</translation>
    </message>
    <message>
        <source>%1 (as of %2)</source>
        <translation>%1 (as of %2)</translation>
    </message>
    <message>
        <source>Stored check of %1.</source>
        <translation>Stored check of %1.</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation type="vanished">PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Report written to %1</source>
        <translation>Report written to %1</translation>
    </message>
    <message>
        <source>A report is still being written; export again once it is done.</source>
        <translation>A report is still being written; export again once it is done.</translation>
    </message>
    <message>
        <source>The report is being written to %1...</source>
        <translation>The report is being written to %1...</translation>
    </message>
    <message>
        <source>No firms to save.</source>
        <translation>No firms to save.</translation>
    </message>
    <message>
        <source>No firms to save; %1 is left as it was.</source>
        <translation>No firms to save; %1 is left as it was.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more; &quot;%3&quot; is used instead.</source>
        <translation>%1: &quot;%2&quot; is not installed any more; &quot;%3&quot; is used instead.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more.</source>
        <translation>%1: &quot;%2&quot; is not installed any more.</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
    <message>
        <source>Export to Excel...</source>
        <translation>Export to Excel...</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exported to %1</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Copy all data</source>
        <translation>Copy all data</translation>
    </message>
    <message>
        <source>Open in History</source>
        <translation>Open in History</translation>
    </message>
    <message>
        <source>Find again</source>
        <translation>Find again</translation>
    </message>
    <message>
        <source>Checked %1 queries; %2 lines skipped</source>
        <translation>Checked %1 queries; %2 lines skipped</translation>
    </message>
    <message>
        <source>Checked %1 queries: %2 failed; %3 lines skipped</source>
        <translation>Checked %1 queries: %2 failed; %3 lines skipped</translation>
    </message>
    <message>
        <source>%1 checks wait to be recorded: another program holds the archive locked</source>
        <translation>%1 checks wait to be recorded: another program holds the archive locked</translation>
    </message>
    <message>
        <source>%1 checks that waited are recorded now</source>
        <translation>%1 checks that waited are recorded now</translation>
    </message>
    <message>
        <source>Screening: %1</source>
        <translation>Screening: %1</translation>
    </message>
    <message>
        <source>Screening: no list loaded</source>
        <translation>Screening: no list loaded</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 version %2</translation>
    </message>
    <message>
        <source>%1 (INN %2): %3 version %4, %5 (%6): %7</source>
        <translation>%1 (INN %2): %3 version %4, %5 (%6): %7</translation>
    </message>
    <message>
        <source>Screening lists...</source>
        <translation>Screening lists...</translation>
    </message>
    <message>
        <source>Stored check of %1, %2.</source>
        <translation>Stored check of %1, %2.</translation>
    </message>
    <message>
        <source>Recorded unscreened: %1</source>
        <translation>Recorded unscreened: %1</translation>
    </message>
    <message>
        <source>screened against no list</source>
        <translation>screened against no list</translation>
    </message>
    <message>
        <source>screened against %1</source>
        <translation>screened against %1</translation>
    </message>
    <message>
        <source>%1 version %2, SHA-256 %3</source>
        <translation>%1 version %2, SHA-256 %3</translation>
    </message>
</context>
<context>
    <name>window::QueryEntry</name>
    <message>
        <source>dd.mm.yyyy</source>
        <translation>dd.mm.yyyy</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation>Pick a date</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation> Enter data </translation>
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
        <translation>Address:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
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
        <translation>Date:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
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
        <translation> Request parameters </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation>Language of transliteration</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation>Language of translation</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation>Following items will be requested data</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation>Requested name</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation>Requested address</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation>Requested region</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation>Requested date</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation>Requested OGRN/INN</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation>The check digit of this OGRN does not match</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation>The check digit of this INN does not match</translation>
    </message>
    <message>
        <source>, Название: </source>
        <translation>, Name: </translation>
    </message>
    <message>
        <source>, Адрес: </source>
        <translation>, Address: </translation>
    </message>
    <message>
        <source>, Регион: </source>
        <translation>, Region: </translation>
    </message>
    <message>
        <source>, Дата: </source>
        <translation>, Date: </translation>
    </message>
    <message>
        <source>, ИНН: </source>
        <translation>, INN/OGRN: </translation>
    </message>
    <message>
        <source>Search for entered data...(</source>
        <translation>Search for entered data...(</translation>
    </message>
</context>
<context>
    <name>window::ReportPdf</name>
    <message>
        <source>Register check report</source>
        <translation>Register check report</translation>
    </message>
    <message>
        <source>Checked at</source>
        <translation>Checked at</translation>
    </message>
    <message>
        <source>Service address</source>
        <translation>Service address</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Criteria</translation>
    </message>
    <message>
        <source>Pane language</source>
        <translation>Pane language</translation>
    </message>
    <message>
        <source>Archive record digest (SHA-256)</source>
        <translation>Archive record digest (SHA-256)</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>not recorded</translation>
    </message>
    <message>
        <source>No rows.</source>
        <translation>No rows.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Converted</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>As received</source>
        <translation>As received</translation>
    </message>
    <message>
        <source>Archive head</source>
        <translation>Archive head</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Time stamp</source>
        <translation>Time stamp</translation>
    </message>
    <message>
        <source>token from %1, not checked: no CA certificates are set (TsaCaFile)</source>
        <translation>token from %1, not checked: no CA certificates are set (TsaCaFile)</translation>
    </message>
    <message>
        <source>token from %1, not checked: %2</source>
        <translation>token from %1, not checked: %2</translation>
    </message>
    <message>
        <source>stamped by %1 at %2 (%3)</source>
        <translation>stamped by %1 at %2 (%3)</translation>
    </message>
    <message>
        <source>token from %1 does not hold: %2</source>
        <translation>token from %1 does not hold: %2</translation>
    </message>
    <message>
        <source>not stamped yet</source>
        <translation>not stamped yet</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Screening</translation>
    </message>
</context>
<context>
    <name>window::ResultsModel</name>
    <message>
        <source>Only the first firms of the list are shown: the register cut it short. Narrow the search to see the others.</source>
        <translation>Only the first firms of the list are shown: the register cut it short. Narrow the search to see the others.</translation>
    </message>
    <message>
        <source> — on watch lists: %1</source>
        <translation> — on watch lists: %1</translation>
    </message>
</context>
<context>
    <name>window::ResultsPane</name>
    <message>
        <source>Search results in the original language</source>
        <translation>Search results in the original language</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation>Details in the original language</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation>Search results in your language</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation>Language of the results pane</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation>Details in your language</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>Changed since the check of %1; it was: %2</source>
        <translation>Changed since the check of %1; it was: %2</translation>
    </message>
    <message>
        <source>Changed since the check of %1; the values then:</source>
        <translation>Changed since the check of %1; the values then:</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Screening</translation>
    </message>
    <message>
        <source>Matches: %1 (by number among them)</source>
        <translation>Matches: %1 (by number among them)</translation>
    </message>
    <message>
        <source>Matches: %1 (by name)</source>
        <translation>Matches: %1 (by name)</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 version %2</translation>
    </message>
    <message>
        <source>Entity</source>
        <translation>Entity</translation>
    </message>
    <message>
        <source>Topics</source>
        <translation>Topics</translation>
    </message>
    <message>
        <source>What matched</source>
        <translation>What matched</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
</context>
<context>
    <name>window::ServiceHostDialog</name>
    <message>
        <source>Register service</source>
        <translation>Register service</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>host, host:port or http://host:port/</source>
        <translation>host, host:port or http://host:port/</translation>
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
        <translation>&amp;Test</translation>
    </message>
    <message>
        <source>The address of the register service&apos;s mirror; searches from now on go there.</source>
        <translation>The address of the register service&apos;s mirror; searches from now on go there.</translation>
    </message>
    <message>
        <source>Asking %1 for its search form...</source>
        <translation>Asking %1 for its search form...</translation>
    </message>
</context>
<context>
    <name>window::ShownReason</name>
    <message>
        <source>, records found: </source>
        <translation>, records found: </translation>
    </message>
    <message>
        <source>check digit does not match (%1)</source>
        <translation>check digit does not match (%1)</translation>
    </message>
    <message>
        <source>not checked: the daily request limit is used up</source>
        <translation>not checked: the daily request limit is used up</translation>
    </message>
    <message>
        <source>no answer in time</source>
        <translation>no answer in time</translation>
    </message>
    <message>
        <source>cannot find the host %1</source>
        <translation>cannot find the host %1</translation>
    </message>
    <message>
        <source>cannot connect to the proxy %1</source>
        <translation>cannot connect to the proxy %1</translation>
    </message>
    <message>
        <source>cannot connect to %1</source>
        <translation>cannot connect to %1</translation>
    </message>
    <message>
        <source>cannot find the proxy host %1</source>
        <translation>cannot find the proxy host %1</translation>
    </message>
    <message>
        <source>the proxy %1 asks for a password</source>
        <translation>the proxy %1 asks for a password</translation>
    </message>
    <message>
        <source>the proxy %1 failed</source>
        <translation>the proxy %1 failed</translation>
    </message>
    <message>
        <source>cannot decode the answer</source>
        <translation>cannot decode the answer</translation>
    </message>
    <message>
        <source>the connection broke</source>
        <translation>the connection broke</translation>
    </message>
    <message>
        <source>the connection closed without an answer</source>
        <translation>the connection closed without an answer</translation>
    </message>
    <message>
        <source>the answer ended early</source>
        <translation>the answer ended early</translation>
    </message>
    <message>
        <source>too many redirects</source>
        <translation>too many redirects</translation>
    </message>
    <message>
        <source>unreadable answer from %1</source>
        <translation>unreadable answer from %1</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>aborted</translation>
    </message>
    <message>
        <source>answer larger than %1</source>
        <translation>answer larger than %1</translation>
    </message>
    <message>
        <source>too many result pages</source>
        <translation>too many result pages</translation>
    </message>
    <message>
        <source>the register&apos;s answer was not recognised</source>
        <translation>the register&apos;s answer was not recognised</translation>
    </message>
    <message>
        <source>too many rows (a result page may hold %1)</source>
        <translation>too many rows (a result page may hold %1)</translation>
    </message>
</context>
<context>
    <name>window::UserGuideDialog</name>
    <message>
        <source>&lt;h3&gt;Searching&lt;/h3&gt;&lt;p&gt;Type a name, an address, a region, a registration date (dd.mm.yyyy) or an OGRN or INN under &quot;Enter data&quot; and press &lt;b&gt;Find&lt;/b&gt; or Enter. The fields on the right show what is sent to the register. The register answers only to Cyrillic: choose &quot;Русский&quot; as the language of transliteration for a name typed in Russian, or &quot;Latin to Russian&quot; for a name written in Latin letters.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Searching&lt;/h3&gt;&lt;p&gt;Type a name, an address, a region, a registration date (dd.mm.yyyy) or an OGRN or INN under &quot;Enter data&quot; and press &lt;b&gt;Find&lt;/b&gt; or Enter. The fields on the right show what is sent to the register. The register answers only to Cyrillic: choose &quot;Русский&quot; as the language of transliteration for a name typed in Russian, or &quot;Latin to Russian&quot; for a name written in Latin letters.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Results&lt;/h3&gt;&lt;p&gt;Each query is a row of the left tree, with the firms, the register&apos;s messages and failures under it. The right tree shows the same rows converted into the language chosen above it, with the dictionary chosen as &quot;Language of translation&quot;. Click a firm to read its ten fields below both trees.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Results&lt;/h3&gt;&lt;p&gt;Each query is a row of the left tree, with the firms, the register&apos;s messages and failures under it. The right tree shows the same rows converted into the language chosen above it, with the dictionary chosen as &quot;Language of translation&quot;. Click a firm to read its ten fields below both trees.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Lists&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;Загрузить данные&quot; (Ctrl+O) checks a text file with one name or number per line. The status bar counts the lines checked; &quot;Stop&quot; (Escape) ends the run and keeps what was found.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Lists&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;Загрузить данные&quot; (Ctrl+O) checks a text file with one name or number per line. The status bar counts the lines checked; &quot;Stop&quot; (Escape) ends the run and keeps what was found.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;&quot;Save...&quot; (Ctrl+S) writes the firms to a text file, &quot;Export&quot; (Ctrl+E) writes every row as CSV, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation type="vanished">&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;&quot;Save...&quot; (Ctrl+S) writes the firms to a text file, &quot;Export&quot; (Ctrl+E) writes every row as CSV, and the menu of a detail list copies its values.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Connection&lt;/h3&gt;&lt;p&gt;&quot;Proxy...&quot; sets an HTTP proxy; &quot;Register service...&quot; sets the address of the register&apos;s mirror and tests it.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Connection&lt;/h3&gt;&lt;p&gt;&quot;Proxy...&quot; sets an HTTP proxy; &quot;Register service...&quot; sets the address of the register&apos;s mirror and tests it.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Register service in use: %2&lt;br&gt;&lt;br&gt;Licence: proprietary; all rights reserved by Quillmarsh.</source>
        <translation>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Register service in use: %2&lt;br&gt;&lt;br&gt;Licence: proprietary; all rights reserved by Quillmarsh.</translation>
    </message>
    <message>
        <source>Vendrake user guide</source>
        <translation type="vanished">Vendrake user guide</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Archive&lt;/h3&gt;&lt;p&gt;Every query is kept in the archive on this computer. Archive &amp;gt; &quot;History&quot; (Ctrl+H) lists past checks: open one to see what the register said then, without a request, or check it again. &quot;Search the archive...&quot; (Ctrl+Shift+F) finds every firm seen before by name, INN or OGRN. A firm that changed since the previous check of the same query is marked; its details mark the fields that changed and show, under them, their values at that check. &quot;Export report...&quot; writes the query shown as a PDF.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Archive&lt;/h3&gt;&lt;p&gt;Every query is kept in the archive on this computer. Archive &amp;gt; &quot;History&quot; (Ctrl+H) lists past checks: open one to see what the register said then, without a request, or check it again. &quot;Search the archive...&quot; (Ctrl+Shift+F) finds every firm seen before by name, INN or OGRN. A firm that changed since the previous check of the same query is marked; its details mark the fields that changed and show, under them, their values at that check. &quot;Export report...&quot; writes the query shown as a PDF.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>User guide</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; (Ctrl+S) writes the firms to a text file, &quot;%2&quot; (Ctrl+E) writes every row as CSV and &quot;%3&quot; as an Excel workbook whose cells keep numbers and dates as they are. The menu of either tree copies a row or the whole tree, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; (Ctrl+S) writes the firms to a text file, &quot;%2&quot; (Ctrl+E) writes every row as CSV and &quot;%3&quot; as an Excel workbook whose cells keep numbers and dates as they are. The menu of either tree copies a row or the whole tree, and the menu of a detail list copies its values.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Screening&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; imports a sanctions or watch list you keep (FollowTheMoney JSON lines or its simple CSV) and shows the versions imported. Every firm found is then checked against the newest version of each list, by INN, OGRN and KPP and by name across scripts. A red square flag marks a firm matched by a number, an amber pointed flag one matched by name, in both trees; the query row counts the firms marked, and a firm&apos;s details show a &quot;%2&quot; section with the list, the entity, its topics, what matched and the score. The status bar names the list versions in use, or says &quot;%3&quot;. Each check is recorded with the versions it was screened against and its matches; a check opened from History shows those, not a screening against today&apos;s lists.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Screening&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; imports a sanctions or watch list you keep (FollowTheMoney JSON lines or its simple CSV) and shows the versions imported. Every firm found is then checked against the newest version of each list, by INN, OGRN and KPP and by name across scripts. A red square flag marks a firm matched by a number, an amber pointed flag one matched by name, in both trees; the query row counts the firms marked, and a firm&apos;s details show a &quot;%2&quot; section with the list, the entity, its topics, what matched and the score. The status bar names the list versions in use, or says &quot;%3&quot;. Each check is recorded with the versions it was screened against and its matches; a check opened from History shows those, not a screening against today&apos;s lists.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>window::Screening</name>
    <message>
        <source>%1 version %2 (%3 entities, imported %4)</source>
        <translation>%1 version %2 (%3 entities, imported %4)</translation>
    </message>
</context>
<context>
    <name>window::ScreeningListsDialog</name>
    <message>
        <source>Imported %1.</source>
        <translation>Imported %1.</translation>
    </message>
    <message>
        <source>%1 malformed lines skipped (lines %2).</source>
        <translation>%1 malformed lines skipped (lines %2).</translation>
    </message>
    <message>
        <source>Nothing imported: the newest version of %1 is this file already.</source>
        <translation>Nothing imported: the newest version of %1 is this file already.</translation>
    </message>
    <message>
        <source>Not imported: %1</source>
        <translation>Not imported: %1</translation>
    </message>
    <message>
        <source>Screening lists</source>
        <translation>Screening lists</translation>
    </message>
    <message>
        <source>Screening index: %1</source>
        <translation>Screening index: %1</translation>
    </message>
    <message>
        <source>List</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Entities</source>
        <translation>Entities</translation>
    </message>
    <message>
        <source>Imported</source>
        <translation>Imported</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Import...</translation>
    </message>
    <message>
        <source>Import a screening list</source>
        <translation>Import a screening list</translation>
    </message>
    <message>
        <source>Screening lists (*.json *.jsonl *.ndjson *.csv);;All files (*)</source>
        <translation>Screening lists (*.json *.jsonl *.ndjson *.csv);;All files (*)</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importing %1...</translation>
    </message>
</context>
</TS>
