<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs_CZ" sourcelanguage="en">
<context>
    <name>FirmField</name>
    <message>
        <source>Название</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Název</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresa</translation>
    </message>
    <message>
        <source>ОГРН</source>
        <translation>ОГРН</translation>
    </message>
    <message>
        <source>Principal state registration number</source>
        <translation>Hlavní státní registrační číslo</translation>
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
        <translation>DIČ (INN)</translation>
    </message>
    <message>
        <source>КПП</source>
        <translation>КПП</translation>
    </message>
    <message>
        <source>Reason code of registration</source>
        <translation>Kód důvodu registrace (KPP)</translation>
    </message>
    <message>
        <source>Дата записи</source>
        <translation>Дата записи</translation>
    </message>
    <message>
        <source>Posting date</source>
        <translation>Datum zápisu</translation>
    </message>
    <message>
        <source>Рег. орган</source>
        <translation>Рег. орган</translation>
    </message>
    <message>
        <source>Registration authority</source>
        <translation>Registrační úřad</translation>
    </message>
    <message>
        <source>Адрес органа</source>
        <translation>Адрес органа</translation>
    </message>
    <message>
        <source>Address of the authority</source>
        <translation>Adresa úřadu</translation>
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
        <translation>Služba odpověděla svým vyhledávacím formulářem (%1).</translation>
    </message>
    <message>
        <source>The service answered, but %1 holds no search form: this does not look like a register mirror.</source>
        <translation>Služba odpověděla, ale %1 neobsahuje vyhledávací formulář: nevypadá to na zrcadlo rejstříku.</translation>
    </message>
    <message>
        <source>No search form from %1: %2</source>
        <translation>Žádný vyhledávací formulář z %1: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an http:// address; the register service is reached over plain HTTP.</source>
        <translation>„%1“ není adresa http://; služba rejstříku se připojuje přes prosté HTTP.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names the page &quot;%2&quot;: give only the host and, if needed, the port.</source>
        <translation>„%1“ uvádí stránku „%2“: zadejte jen hostitele a případně port.</translation>
    </message>
    <message>
        <source>The host box gives port %1 and the port box %2.</source>
        <translation>Pole hostitele uvádí port %1 a pole portu %2.</translation>
    </message>
    <message>
        <source>The register service&apos;s address is still the placeholder &quot;%1&quot;: set the address of a register mirror with File &gt; &quot;Register service...&quot;.</source>
        <translation>Adresa služby rejstříku je stále zástupná „%1“: nastavte adresu zrcadla rejstříku v nabídce Soubor &gt; „Služba rejstříku...“.</translation>
    </message>
</context>
<context>
    <name>Region</name>
    <message>
        <source>All regions of Russia</source>
        <translation>Všechny regiony Ruska</translation>
    </message>
    <message>
        <source>Moscow</source>
        <translation>Moskva</translation>
    </message>
    <message>
        <source>St. Petersburg</source>
        <translation>Petrohrad</translation>
    </message>
    <message>
        <source>Республика Адыгея</source>
        <translation>Republika Adygea</translation>
    </message>
    <message>
        <source>Республика Башкортостан</source>
        <translation>Republika Bashkortostan</translation>
    </message>
    <message>
        <source>Республика Бурятия</source>
        <translation>Republika Buryatia</translation>
    </message>
    <message>
        <source>Республика Алтай</source>
        <translation>Republika Altai</translation>
    </message>
    <message>
        <source>Республика Дагестан</source>
        <translation>Republika Dagestan</translation>
    </message>
    <message>
        <source>Республика Ингушетия</source>
        <translation>Republika Ingushetia</translation>
    </message>
    <message>
        <source>Республика Кабардино-Балкария</source>
        <translation>Republika Kabardino-Balkaria</translation>
    </message>
    <message>
        <source>Республика Калмыкия</source>
        <translation>Republika Kalmykia</translation>
    </message>
    <message>
        <source>Карачаево-Черкесская республика</source>
        <translation>Republika Karachay-Cherkessia</translation>
    </message>
    <message>
        <source>Республика Карелия</source>
        <translation>Republika Karelia</translation>
    </message>
    <message>
        <source>Республика Коми</source>
        <translation>Republika Komi</translation>
    </message>
    <message>
        <source>Республика Марий-Эл</source>
        <translation>Republika Mari El</translation>
    </message>
    <message>
        <source>Республика Мордовия</source>
        <translation>Republika Mordovia</translation>
    </message>
    <message>
        <source>Республика Саха (Якутия)</source>
        <translation>Republika Sakha (Yakutia)</translation>
    </message>
    <message>
        <source>Республика Северная Осетия-Алания</source>
        <translation>Republika North Ossetia-Alania</translation>
    </message>
    <message>
        <source>Республика Татарстан</source>
        <translation>Republika Tatarstan</translation>
    </message>
    <message>
        <source>Республика Тыва</source>
        <translation>Republika Tuva</translation>
    </message>
    <message>
        <source>Удмуртская Республика</source>
        <translation>Republika Udmurtia</translation>
    </message>
    <message>
        <source>Республика Хакасия</source>
        <translation>Republika Khakassia</translation>
    </message>
    <message>
        <source>Чеченская Республика</source>
        <translation>Republika Chechnya</translation>
    </message>
    <message>
        <source>Чувашская Республика-Чаваш республики</source>
        <translation>Republika Chuvashia</translation>
    </message>
    <message>
        <source>Алтайский край</source>
        <translation>Kraj Altai</translation>
    </message>
    <message>
        <source>Краснодарский край</source>
        <translation>Kraj Krasnodar</translation>
    </message>
    <message>
        <source>Красноярский край</source>
        <translation>Kraj Krasnoyarsk</translation>
    </message>
    <message>
        <source>Приморский край</source>
        <translation>Kraj Primorye</translation>
    </message>
    <message>
        <source>Ставропольский край</source>
        <translation>Kraj Stavropol</translation>
    </message>
    <message>
        <source>Хабаровский край</source>
        <translation>Kraj Khabarovsk</translation>
    </message>
    <message>
        <source>Амурская область</source>
        <translation>Oblast Amur</translation>
    </message>
    <message>
        <source>Архангельская область</source>
        <translation>Oblast Arkhangelsk</translation>
    </message>
    <message>
        <source>Астраханская область</source>
        <translation>Oblast Astrakhan</translation>
    </message>
    <message>
        <source>Белгородская область</source>
        <translation>Oblast Belgorod</translation>
    </message>
    <message>
        <source>Брянская область</source>
        <translation>Oblast Bryansk</translation>
    </message>
    <message>
        <source>Владимирская область</source>
        <translation>Oblast Vladimir</translation>
    </message>
    <message>
        <source>Волгоградская область</source>
        <translation>Oblast Volgograd</translation>
    </message>
    <message>
        <source>Вологодская область</source>
        <translation>Oblast Vologda</translation>
    </message>
    <message>
        <source>Воронежская область</source>
        <translation>Oblast Voronezh</translation>
    </message>
    <message>
        <source>Ивановская область</source>
        <translation>Oblast Ivanovo</translation>
    </message>
    <message>
        <source>Иркутская область</source>
        <translation>Oblast Irkutsk</translation>
    </message>
    <message>
        <source>Калининградская область</source>
        <translation>Oblast Kaliningrad</translation>
    </message>
    <message>
        <source>Калужская область</source>
        <translation>Oblast Kaluga</translation>
    </message>
    <message>
        <source>Камчатская область</source>
        <translation>Oblast Kamchatka</translation>
    </message>
    <message>
        <source>Кемеровская область</source>
        <translation>Oblast Kemerovo</translation>
    </message>
    <message>
        <source>Кировская область</source>
        <translation>Oblast Kirov</translation>
    </message>
    <message>
        <source>Костромская область</source>
        <translation>Oblast Kostroma</translation>
    </message>
    <message>
        <source>Курганская область</source>
        <translation>Oblast Kurgan</translation>
    </message>
    <message>
        <source>Курская область</source>
        <translation>Oblast Kursk</translation>
    </message>
    <message>
        <source>Ленинградская область</source>
        <translation>Oblast Leningrad</translation>
    </message>
    <message>
        <source>Липецкая область</source>
        <translation>Oblast Lipetsk</translation>
    </message>
    <message>
        <source>Магаданская область</source>
        <translation>Oblast Magadan</translation>
    </message>
    <message>
        <source>Московская область</source>
        <translation>Oblast Moskva</translation>
    </message>
    <message>
        <source>Мурманская область</source>
        <translation>Oblast Murmansk</translation>
    </message>
    <message>
        <source>Нижегородская область</source>
        <translation>Oblast Nizhny Novgorod</translation>
    </message>
    <message>
        <source>Новгородская область</source>
        <translation>Oblast Novgorod</translation>
    </message>
    <message>
        <source>Новосибирская область</source>
        <translation>Oblast Novosibirsk</translation>
    </message>
    <message>
        <source>Омская область</source>
        <translation>Oblast Omsk</translation>
    </message>
    <message>
        <source>Оренбургская область</source>
        <translation>Oblast Orenburg</translation>
    </message>
    <message>
        <source>Орловская область</source>
        <translation>Oblast Oryol</translation>
    </message>
    <message>
        <source>Пензенская область</source>
        <translation>Oblast Penza</translation>
    </message>
    <message>
        <source>Пермская область</source>
        <translation>Oblast Perm</translation>
    </message>
    <message>
        <source>Псковская область</source>
        <translation>Oblast Pskov</translation>
    </message>
    <message>
        <source>Ростовская область</source>
        <translation>Oblast Rostov</translation>
    </message>
    <message>
        <source>Рязанская область</source>
        <translation>Oblast Ryazan</translation>
    </message>
    <message>
        <source>Самарская область</source>
        <translation>Oblast Samara</translation>
    </message>
    <message>
        <source>Саратовская область</source>
        <translation>Oblast Saratov</translation>
    </message>
    <message>
        <source>Сахалинская область</source>
        <translation>Oblast Sakhalin</translation>
    </message>
    <message>
        <source>Свердловская область</source>
        <translation>Oblast Sverdlovsk</translation>
    </message>
    <message>
        <source>Смоленская область</source>
        <translation>Oblast Smolensk</translation>
    </message>
    <message>
        <source>Тамбовская область</source>
        <translation>Oblast Tambov</translation>
    </message>
    <message>
        <source>Тверская область</source>
        <translation>Oblast Tver</translation>
    </message>
    <message>
        <source>Томская область</source>
        <translation>Oblast Tomsk</translation>
    </message>
    <message>
        <source>Тульская область</source>
        <translation>Oblast Tula</translation>
    </message>
    <message>
        <source>Тюменская область</source>
        <translation>Oblast Tyumen</translation>
    </message>
    <message>
        <source>Ульяновская область</source>
        <translation>Oblast Ulyanovsk</translation>
    </message>
    <message>
        <source>Челябинская область</source>
        <translation>Oblast Chelyabinsk</translation>
    </message>
    <message>
        <source>Читинская область</source>
        <translation>Oblast Chita</translation>
    </message>
    <message>
        <source>Ярославская область</source>
        <translation>Oblast Yaroslavl</translation>
    </message>
    <message>
        <source>Еврейская автономная область</source>
        <translation>Židovská autonomní oblast</translation>
    </message>
    <message>
        <source>Агинский Бурятский автономный округ</source>
        <translation>Autonomní okruh Agin-Buryat</translation>
    </message>
    <message>
        <source>Коми-Пермяцкий автономный округ</source>
        <translation>Autonomní okruh Komi-Permyak</translation>
    </message>
    <message>
        <source>Корякский автономный округ</source>
        <translation>Autonomní okruh Koryak</translation>
    </message>
    <message>
        <source>Ненецкий автономный округ</source>
        <translation>Autonomní okruh Nenets</translation>
    </message>
    <message>
        <source>Таймырский (Долгано-Ненецкий) автономный округ</source>
        <translation>Autonomní okruh Taymyr (Dolgan-Nenets)</translation>
    </message>
    <message>
        <source>Усть-Ордынский Бурятский автономный округ</source>
        <translation>Autonomní okruh Ust-Orda Buryat</translation>
    </message>
    <message>
        <source>Ханты-Мансийский автономный округ</source>
        <translation>Autonomní okruh Khanty-Mansi</translation>
    </message>
    <message>
        <source>Чукотский автономный округ</source>
        <translation>Autonomní okruh Chukotka</translation>
    </message>
    <message>
        <source>Эвенкийский автономный округ</source>
        <translation>Autonomní okruh Evenk</translation>
    </message>
    <message>
        <source>Ямало-Ненецкий автономный округ</source>
        <translation>Autonomní okruh Yamalo-Nenets</translation>
    </message>
</context>
<context>
    <name>ServiceMessage</name>
    <message>
        <source>На сегодняшний день Ваш лимит запросов исчерпан</source>
        <translation>Dnešní limit dotazů je vyčerpán</translation>
    </message>
    <message>
        <source>Записей не найдено</source>
        <translation>Nebyly nalezeny žádné záznamy</translation>
    </message>
    <message>
        <source>Ошибка:</source>
        <translation>Chyba:</translation>
    </message>
    <message>
        <source>Найдено:0</source>
        <translation>Nalezeno: 0</translation>
    </message>
    <message>
        <source>Сервис временно недоступен, повторите запрос позже</source>
        <translation type="vanished">Služba je dočasně nedostupná, opakujte dotaz později</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>&apos;%1&apos; is not a valid boolean value</source>
        <translation>„%1“ není platná logická hodnota</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Soubor „%1“ nelze otevřít. %2</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is larger than %2 bytes; the rest was not read</source>
        <translation>Soubor „%1“ je větší než %2 bajtů; zbytek nebyl načten</translation>
    </message>
    <message>
        <source>Give it as HOST, HOST:PORT or http://HOST[:PORT]/ (for example register.example:8080).</source>
        <translation>Zadejte ji jako HOST, HOST:PORT nebo http://HOST[:PORT]/ (například register.example:8080).</translation>
    </message>
    <message>
        <source>The host is empty.</source>
        <translation>Hostitel je prázdný.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or address.</source>
        <translation>„%1“ není název hostitele ani adresa.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>Port „%1“ není číslo od 1 do 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names port %2, the port field %3: give one port.</source>
        <translation>„%1“ uvádí port %2, pole portu %3: zadejte jeden port.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a plain HTTP address. %2</source>
        <translation>„%1“ není prostá adresa HTTP. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a path; the service is always at its root. %2</source>
        <translation>„%1“ obsahuje cestu; služba je vždy v kořeni. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lacks the closing &quot;]&quot;.</source>
        <translation>V „%1“ chybí uzavírací „]“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not HOST or HOST:PORT.</source>
        <translation>„%1“ není HOST ani HOST:PORT.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ends with &quot;:&quot; but gives no port.</source>
        <translation>„%1“ končí znakem „:“, ale neuvádí port.</translation>
    </message>
    <message>
        <source>The setting %1=&quot;%2&quot; is not a service address: %3</source>
        <translation>Nastavení %1=„%2“ není adresa služby: %3</translation>
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
        <translation>Nastavení proxy pro přístup k internetu</translation>
    </message>
    <message>
        <source>Use the system configuration</source>
        <translation>Použít nastavení systému</translation>
    </message>
    <message>
        <source>Use proxy</source>
        <translation>Použít proxy</translation>
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
        <translation>Zrušit</translation>
    </message>
    <message>
        <source>Enter the proxy&apos;s host name or IP address.</source>
        <translation>Zadejte název hostitele nebo IP adresu proxy.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name, an IPv4 address or an IPv6 address.</source>
        <translation>„%1“ není název hostitele ani adresa IPv4 či IPv6.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>Port „%1“ není číslo od 1 do 65535.</translation>
    </message>
</context>
<context>
    <name>window::ArchiveSearchDialog</name>
    <message>
        <source>Search the archive</source>
        <translation>Hledat v archivu</translation>
    </message>
    <message>
        <source>Name, INN or OGRN</source>
        <translation>Název, INN nebo OGRN</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Název</translation>
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
        <translation>Naposledy viděno</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Dotaz</translation>
    </message>
</context>
<context>
    <name>window::HistoryPanel</name>
    <message>
        <source>Firms found</source>
        <translation>Nalezené firmy</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Selhalo: %1</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Neodesláno: %1</translation>
    </message>
    <message>
        <source>Not checked (daily limit)</source>
        <translation>Neověřeno (denní limit)</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historie</translation>
    </message>
    <message>
        <source>Text, INN or OGRN</source>
        <translation>Text, INN nebo OGRN</translation>
    </message>
    <message>
        <source>from YYYY-MM-DD</source>
        <translation>od RRRR-MM-DD</translation>
    </message>
    <message>
        <source>to YYYY-MM-DD</source>
        <translation>do RRRR-MM-DD</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Čas</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Kritéria</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Výsledek</translation>
    </message>
    <message>
        <source>Firms</source>
        <translation>Firmy</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otevřít</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Ověřit znovu</translation>
    </message>
    <message>
        <source>History (nothing is recorded)</source>
        <translation>Historie (nic se nezaznamenává)</translation>
    </message>
</context>
<context>
    <name>window::MainWindow</name>
    <message>
        <source>About Vendrake</source>
        <translation type="vanished">O programu Vendrake</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Quillmarsh</source>
        <translation type="vanished">&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Vyhledává právnické osoby v ruském státním rejstříku a zobrazuje je ve vašem jazyce.&lt;br&gt;&lt;br&gt;Quillmarsh</translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="vanished">Exportovat</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation type="vanished">Soubor CSV (*.csv)</translation>
    </message>
    <message>
        <source>Vendrake</source>
        <translation>Vendrake</translation>
    </message>
    <message>
        <source>dd.mm.yyyy</source>
        <translation type="vanished">dd.mm.rrrr</translation>
    </message>
    <message>
        <source>...</source>
        <translation type="vanished">...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation type="vanished">Vybrat datum</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation type="vanished"> Zadejte údaje </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="vanished">Název:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="vanished">Název</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="vanished">Adresa:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="vanished">Adresa</translation>
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
        <translation type="vanished">Datum:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="vanished">Datum</translation>
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
        <translation type="vanished"> Parametry dotazu </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation type="vanished">Jazyk transliterace</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation type="vanished">Jazyk překladu</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation type="vanished">Budou dotazovány tyto údaje</translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="vanished">Hledat</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation type="vanished">Dotazovaný název</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation type="vanished">Dotazovaná adresa</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation type="vanished">Dotazovaný region</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation type="vanished">Dotazované datum</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation type="vanished">Dotazované OGRN/INN</translation>
    </message>
    <message>
        <source>Search results in the original language</source>
        <translation type="vanished">Výsledky hledání v původním jazyce</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation type="vanished">Podrobnosti v původním jazyce</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation type="vanished">Výsledky hledání ve vašem jazyce</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation type="vanished">Jazyk panelu výsledků</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation type="vanished">Podrobnosti ve vašem jazyce</translation>
    </message>
    <message>
        <source>File</source>
        <translation type="vanished">Soubor</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Vymazat vše</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Uložit...</translation>
    </message>
    <message>
        <source>Загрузить данные</source>
        <translation>Načíst data</translation>
    </message>
    <message>
        <source>Proxy...</source>
        <translation>Proxy...</translation>
    </message>
    <message>
        <source>Register service...</source>
        <translation>Služba rejstříku...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Ukončit</translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="vanished">Nápověda</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programu</translation>
    </message>
    <message>
        <source>Копировать выделенное</source>
        <translation>Kopírovat vybrané</translation>
    </message>
    <message>
        <source>Копировать все данные</source>
        <translation>Kopírovat všechna data</translation>
    </message>
    <message>
        <source>Ввести данные</source>
        <translation type="vanished">Zadat data</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Neplatný typ dat pro „%1“</translation>
    </message>
    <message>
        <source>No dictionary files</source>
        <translation>Žádné soubory slovníků</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Soubor „%1“ nelze otevřít. %2</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation>Data pro „%1“ nelze nastavit</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation type="vanished">Kontrolní číslice tohoto OGRN nesouhlasí</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation type="vanished">Kontrolní číslice tohoto INN nesouhlasí</translation>
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
        <translation>Dotaz selhal: </translation>
    </message>
    <message>
        <source>Checking completed.</source>
        <translation>Kontrola dokončena.</translation>
    </message>
    <message>
        <source>Checking completed: %1 of %2 queries failed.</source>
        <translation>Kontrola dokončena: selhalo dotazů: %1 z %2.</translation>
    </message>
    <message>
        <source>Checking internet connection...</source>
        <translation>Kontrola připojení k internetu...</translation>
    </message>
    <message>
        <source>No Internet connection...</source>
        <translation>Žádné připojení k internetu...</translation>
    </message>
    <message>
        <source>the register service at %1 does not answer: %2</source>
        <translation>registrační služba na %1 neodpovídá: %2</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation type="vanished">Probíhá kontrola...</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)</source>
        <translation>Textový soubor (*.txt)</translation>
    </message>
    <message>
        <source>Queries are still running. Stop them and close the window?</source>
        <translation>Dotazy ještě běží. Zastavit je a zavřít okno?</translation>
    </message>
    <message>
        <source>Stop and close</source>
        <translation>Zastavit a zavřít</translation>
    </message>
    <message>
        <source>Keep running</source>
        <translation>Pokračovat</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Uložit jako</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Textový soubor (*.txt)</translation>
    </message>
    <message numerus="yes">
        <source>Saved %n firms to %1</source>
        <translation>
            <numerusform>%n firma uložena do %1</numerusform>
            <numerusform>%n firmy uloženy do %1</numerusform>
            <numerusform>%n firem uloženo do %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Soubor</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Uložit jako...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Zastavit</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Hledání</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Nápověda</translation>
    </message>
    <message>
        <source>Stopped: %1 of %2 checked.</source>
        <translation>Zastaveno: zkontrolováno %1 z %2.</translation>
    </message>
    <message>
        <source>%1 The default address %2 is used; set another under File &gt; &quot;Register service...&quot;.</source>
        <translation>%1 Použije se výchozí adresa %2; jinou nastavte v nabídce Soubor &gt; „Služba rejstříku...“.</translation>
    </message>
    <message>
        <source>Progress of the search</source>
        <translation>Průběh hledání</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation type="vanished">Rejstřík odpovídá jen na názvy v cyrilici: zvolte „Русский“ pro název zadaný cyrilicí nebo „Latin to Russian“ pro název zadaný latinkou.</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Uživatelská příručka</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>O &amp;programu</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation type="vanished">„%1“ není datum. Zadejte datum jako dd.mm.rrrr, například 14.03.2002.</translation>
    </message>
    <message>
        <source>Checking: %1 of %2</source>
        <translation>Kontrola: %1 z %2</translation>
    </message>
    <message>
        <source>name</source>
        <translation>název</translation>
    </message>
    <message>
        <source>address</source>
        <translation>adresa</translation>
    </message>
    <message>
        <source>region</source>
        <translation>region</translation>
    </message>
    <message>
        <source>registration date</source>
        <translation>datum registrace</translation>
    </message>
    <message>
        <source>INN/OGRN</source>
        <translation>INN/OGRN</translation>
    </message>
    <message>
        <source>New since the check of %1</source>
        <translation>Nová od ověření z %1</translation>
    </message>
    <message>
        <source>Changed since the check of %1: %2</source>
        <translation>Změněno od ověření z %1: %2</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>Nezaznamenáno: %1</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Archiv</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historie</translation>
    </message>
    <message>
        <source>Search the archive...</source>
        <translation>Hledat v archivu...</translation>
    </message>
    <message>
        <source>Export report...</source>
        <translation>Exportovat zprávu...</translation>
    </message>
    <message>
        <source>%1 (as of %2)</source>
        <translation>%1 (stav k %2)</translation>
    </message>
    <message>
        <source>Stored check of %1.</source>
        <translation>Uložené ověření z %1.</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation type="vanished">PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Report written to %1</source>
        <translation>Zpráva zapsána do %1</translation>
    </message>
    <message>
        <source>A report is still being written; export again once it is done.</source>
        <translation>Zpráva se ještě zapisuje; exportujte znovu, až bude hotová.</translation>
    </message>
    <message>
        <source>The report is being written to %1...</source>
        <translation>Zpráva se zapisuje do %1...</translation>
    </message>
    <message>
        <source>No firms to save.</source>
        <translation>Žádné firmy k uložení.</translation>
    </message>
    <message>
        <source>No firms to save; %1 is left as it was.</source>
        <translation>Žádné firmy k uložení; %1 zůstává beze změny.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more; &quot;%3&quot; is used instead.</source>
        <translation>%1: „%2“ již není nainstalován; místo něj se použije „%3“.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more.</source>
        <translation>%1: „%2“ již není nainstalován.</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportovat...</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>Soubor CSV (*.csv)</translation>
    </message>
    <message>
        <source>Export to Excel...</source>
        <translation>Exportovat do Excelu...</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Sešit Excelu (*.xlsx)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportováno do %1</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Dokument PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopírovat</translation>
    </message>
    <message>
        <source>Copy all data</source>
        <translation>Kopírovat všechna data</translation>
    </message>
    <message>
        <source>Open in History</source>
        <translation>Otevřít v historii</translation>
    </message>
    <message>
        <source>Find again</source>
        <translation>Hledat znovu</translation>
    </message>
    <message>
        <source>Checked %1 queries; %2 lines skipped</source>
        <translation>Zkontrolováno dotazů: %1; vynechaných řádků: %2</translation>
    </message>
    <message>
        <source>Checked %1 queries: %2 failed; %3 lines skipped</source>
        <translation>Zkontrolováno dotazů: %1, z toho neúspěšných: %2; vynechaných řádků: %3</translation>
    </message>
    <message>
        <source>%1 checks wait to be recorded: another program holds the archive locked</source>
        <translation>Na zápis do archivu čeká kontrol: %1 – archiv drží zamčený jiný program</translation>
    </message>
    <message>
        <source>%1 checks that waited are recorded now</source>
        <translation>Čekající kontroly jsou nyní zapsány: %1</translation>
    </message>
    <message>
        <source>Screening: %1</source>
        <translation>Prověrka: %1</translation>
    </message>
    <message>
        <source>Screening: no list loaded</source>
        <translation>Prověrka: není načten žádný seznam</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 verze %2</translation>
    </message>
    <message>
        <source>%1 (INN %2): %3 version %4, %5 (%6): %7</source>
        <translation>%1 (INN %2): %3 verze %4, %5 (%6): %7</translation>
    </message>
    <message>
        <source>Screening lists...</source>
        <translation>Seznamy pro prověrku...</translation>
    </message>
    <message>
        <source>Stored check of %1, %2.</source>
        <translation>Uložené ověření z %1, %2.</translation>
    </message>
    <message>
        <source>Recorded unscreened: %1</source>
        <translation>Zaznamenáno bez prověrky: %1</translation>
    </message>
    <message>
        <source>screened against no list</source>
        <translation>prověřeno proti žádnému seznamu</translation>
    </message>
    <message>
        <source>screened against %1</source>
        <translation>prověřeno proti %1</translation>
    </message>
    <message>
        <source>%1 version %2, SHA-256 %3</source>
        <translation>%1 verze %2, SHA-256 %3</translation>
    </message>
</context>
<context>
    <name>window::QueryEntry</name>
    <message>
        <source>dd.mm.yyyy</source>
        <translation>dd.mm.rrrr</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation>Vybrat datum</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation> Zadejte údaje </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Název:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Název</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresa:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresa</translation>
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
        <translation> Parametry dotazu </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation>Jazyk transliterace</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation>Jazyk překladu</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation>Budou dotazovány tyto údaje</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Hledat</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation>Dotazovaný název</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation>Rejstřík odpovídá jen na názvy v cyrilici: zvolte „Русский“ pro název zadaný cyrilicí nebo „Latin to Russian“ pro název zadaný latinkou.</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation>Dotazovaná adresa</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation>Dotazovaný region</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation>Dotazované datum</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation>Dotazované OGRN/INN</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation>„%1“ není datum. Zadejte datum jako dd.mm.rrrr, například 14.03.2002.</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation>Kontrolní číslice tohoto OGRN nesouhlasí</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation>Kontrolní číslice tohoto INN nesouhlasí</translation>
    </message>
    <message>
        <source>, Название: </source>
        <translation>, Název: </translation>
    </message>
    <message>
        <source>, Адрес: </source>
        <translation>, Adresa: </translation>
    </message>
    <message>
        <source>, Регион: </source>
        <translation>, Region: </translation>
    </message>
    <message>
        <source>, Дата: </source>
        <translation>, Datum: </translation>
    </message>
    <message>
        <source>, ИНН: </source>
        <translation>, INN/OGRN: </translation>
    </message>
    <message>
        <source>Search for entered data...(</source>
        <translation>Hledání zadaných údajů...(</translation>
    </message>
</context>
<context>
    <name>window::ReportPdf</name>
    <message>
        <source>Register check report</source>
        <translation>Zpráva o ověření v rejstříku</translation>
    </message>
    <message>
        <source>Checked at</source>
        <translation>Ověřeno</translation>
    </message>
    <message>
        <source>Service address</source>
        <translation>Adresa služby</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Kritéria</translation>
    </message>
    <message>
        <source>Pane language</source>
        <translation>Jazyk panelu</translation>
    </message>
    <message>
        <source>Archive record digest (SHA-256)</source>
        <translation>Otisk záznamu v archivu (SHA-256)</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>nezaznamenáno</translation>
    </message>
    <message>
        <source>No rows.</source>
        <translation>Žádné řádky.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Zpráva</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Převedeno</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Pole</translation>
    </message>
    <message>
        <source>As received</source>
        <translation>Jak bylo přijato</translation>
    </message>
    <message>
        <source>Archive head</source>
        <translation>Hlava archivu</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Strana %1 z %2</translation>
    </message>
    <message>
        <source>Time stamp</source>
        <translation>Časové razítko</translation>
    </message>
    <message>
        <source>token from %1, not checked: no CA certificates are set (TsaCaFile)</source>
        <translation>token od %1, neověřen: nejsou nastaveny certifikáty CA (TsaCaFile)</translation>
    </message>
    <message>
        <source>token from %1, not checked: %2</source>
        <translation>token od %1, neověřen: %2</translation>
    </message>
    <message>
        <source>stamped by %1 at %2 (%3)</source>
        <translation>opatřeno razítkem %1 v %2 (%3)</translation>
    </message>
    <message>
        <source>token from %1 does not hold: %2</source>
        <translation>token od %1 neplatí: %2</translation>
    </message>
    <message>
        <source>not stamped yet</source>
        <translation>zatím bez razítka</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Prověrka</translation>
    </message>
</context>
<context>
    <name>window::ResultsModel</name>
    <message>
        <source>Only the first firms of the list are shown: the register cut it short. Narrow the search to see the others.</source>
        <translation>Zobrazeny jsou jen první firmy seznamu: rejstřík jej zkrátil. Zužte hledání, abyste viděli ostatní.</translation>
    </message>
    <message>
        <source> — on watch lists: %1</source>
        <translation> — na sledovaných seznamech: %1</translation>
    </message>
</context>
<context>
    <name>window::ResultsPane</name>
    <message>
        <source>Search results in the original language</source>
        <translation>Výsledky hledání v původním jazyce</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation>Podrobnosti v původním jazyce</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation>Výsledky hledání ve vašem jazyce</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation>Jazyk panelu výsledků</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation>Podrobnosti ve vašem jazyce</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(prázdné)</translation>
    </message>
    <message>
        <source>Changed since the check of %1; it was: %2</source>
        <translation>Změněno od ověření z %1; dříve: %2</translation>
    </message>
    <message>
        <source>Changed since the check of %1; the values then:</source>
        <translation>Změněno od ověření z %1; tehdejší hodnoty:</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Prověrka</translation>
    </message>
    <message>
        <source>Matches: %1 (by number among them)</source>
        <translation>Shody: %1 (z toho podle čísla)</translation>
    </message>
    <message>
        <source>Matches: %1 (by name)</source>
        <translation>Shody: %1 (podle názvu)</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 verze %2</translation>
    </message>
    <message>
        <source>Entity</source>
        <translation>Entita</translation>
    </message>
    <message>
        <source>Topics</source>
        <translation>Témata</translation>
    </message>
    <message>
        <source>What matched</source>
        <translation>Co se shodovalo</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Skóre</translation>
    </message>
</context>
<context>
    <name>window::ServiceHostDialog</name>
    <message>
        <source>Register service</source>
        <translation>Služba rejstříku</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Hostitel</translation>
    </message>
    <message>
        <source>host, host:port or http://host:port/</source>
        <translation>hostitel, hostitel:port nebo http://hostitel:port/</translation>
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
        <translation>&amp;Hostitel:</translation>
    </message>
    <message>
        <source>&amp;Port (optional):</source>
        <translation>&amp;Port (volitelný):</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Otestovat</translation>
    </message>
    <message>
        <source>The address of the register service&apos;s mirror; searches from now on go there.</source>
        <translation>Adresa zrcadla služby rejstříku; další hledání půjdou tam.</translation>
    </message>
    <message>
        <source>Asking %1 for its search form...</source>
        <translation>Získávání vyhledávacího formuláře z %1...</translation>
    </message>
</context>
<context>
    <name>window::ShownReason</name>
    <message>
        <source>, records found: </source>
        <translation>, nalezeno záznamů: </translation>
    </message>
    <message>
        <source>check digit does not match (%1)</source>
        <translation>kontrolní číslice nesouhlasí (%1)</translation>
    </message>
    <message>
        <source>not checked: the daily request limit is used up</source>
        <translation>nezkontrolováno: denní limit dotazů je vyčerpán</translation>
    </message>
    <message>
        <source>no answer in time</source>
        <translation>žádná odpověď včas</translation>
    </message>
    <message>
        <source>cannot find the host %1</source>
        <translation>nelze najít hostitele %1</translation>
    </message>
    <message>
        <source>cannot connect to the proxy %1</source>
        <translation>nelze se připojit k proxy %1</translation>
    </message>
    <message>
        <source>cannot connect to %1</source>
        <translation>nelze se připojit k %1</translation>
    </message>
    <message>
        <source>cannot find the proxy host %1</source>
        <translation>nelze najít hostitele proxy %1</translation>
    </message>
    <message>
        <source>the proxy %1 asks for a password</source>
        <translation>proxy %1 vyžaduje heslo</translation>
    </message>
    <message>
        <source>the proxy %1 failed</source>
        <translation>proxy %1 selhala</translation>
    </message>
    <message>
        <source>cannot decode the answer</source>
        <translation>odpověď nelze dekódovat</translation>
    </message>
    <message>
        <source>the connection broke</source>
        <translation>spojení se přerušilo</translation>
    </message>
    <message>
        <source>the connection closed without an answer</source>
        <translation>spojení se uzavřelo bez odpovědi</translation>
    </message>
    <message>
        <source>the answer ended early</source>
        <translation>odpověď skončila předčasně</translation>
    </message>
    <message>
        <source>too many redirects</source>
        <translation>příliš mnoho přesměrování</translation>
    </message>
    <message>
        <source>unreadable answer from %1</source>
        <translation>nečitelná odpověď od %1</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>nedostatek paměti</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>přerušeno</translation>
    </message>
    <message>
        <source>answer larger than %1</source>
        <translation>odpověď větší než %1</translation>
    </message>
    <message>
        <source>too many result pages</source>
        <translation>příliš mnoho stránek výsledků</translation>
    </message>
    <message>
        <source>the register&apos;s answer was not recognised</source>
        <translation>odpověď rejstříku nebyla rozpoznána</translation>
    </message>
    <message>
        <source>too many rows (a result page may hold %1)</source>
        <translation>příliš mnoho řádků (stránka výsledků smí mít %1)</translation>
    </message>
</context>
<context>
    <name>window::UserGuideDialog</name>
    <message>
        <source>&lt;h3&gt;Searching&lt;/h3&gt;&lt;p&gt;Type a name, an address, a region, a registration date (dd.mm.yyyy) or an OGRN or INN under &quot;Enter data&quot; and press &lt;b&gt;Find&lt;/b&gt; or Enter. The fields on the right show what is sent to the register. The register answers only to Cyrillic: choose &quot;Русский&quot; as the language of transliteration for a name typed in Russian, or &quot;Latin to Russian&quot; for a name written in Latin letters.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Hledání&lt;/h3&gt;&lt;p&gt;Zadejte název, adresu, region, datum registrace (dd.mm.rrrr) nebo OGRN či INN v části „Zadejte údaje“ a stiskněte &lt;b&gt;Hledat&lt;/b&gt; nebo Enter. Pole vpravo ukazují, co se odešle do rejstříku. Rejstřík odpovídá jen na cyrilici: zvolte „Русский“ jako jazyk transliterace pro název zadaný rusky, nebo „Latin to Russian“ pro název psaný latinkou.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Results&lt;/h3&gt;&lt;p&gt;Each query is a row of the left tree, with the firms, the register&apos;s messages and failures under it. The right tree shows the same rows converted into the language chosen above it, with the dictionary chosen as &quot;Language of translation&quot;. Click a firm to read its ten fields below both trees.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Výsledky&lt;/h3&gt;&lt;p&gt;Každý dotaz je řádek levého stromu a pod ním jsou firmy, zprávy rejstříku a chyby. Pravý strom ukazuje tytéž řádky převedené do jazyka zvoleného nad ním, se slovníkem zvoleným jako „Jazyk překladu“. Klepněte na firmu a pod oběma stromy si přečtete jejích deset polí.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Lists&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;Загрузить данные&quot; (Ctrl+O) checks a text file with one name or number per line. The status bar counts the lines checked; &quot;Stop&quot; (Escape) ends the run and keeps what was found.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Seznamy&lt;/h3&gt;&lt;p&gt;Soubor &amp;gt; „Načíst data“ (Ctrl+O) zkontroluje textový soubor s jedním názvem nebo číslem na řádek. Stavový řádek počítá zkontrolované řádky; „Zastavit“ (Esc) běh ukončí a ponechá, co bylo nalezeno.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;&quot;Save...&quot; (Ctrl+S) writes the firms to a text file, &quot;Export&quot; (Ctrl+E) writes every row as CSV, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation type="vanished">&lt;h3&gt;Uchování výsledků&lt;/h3&gt;&lt;p&gt;„Uložit...“ (Ctrl+S) zapíše firmy do textového souboru, „Exportovat“ (Ctrl+E) zapíše každý řádek jako CSV a nabídka seznamu podrobností kopíruje jeho hodnoty.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Connection&lt;/h3&gt;&lt;p&gt;&quot;Proxy...&quot; sets an HTTP proxy; &quot;Register service...&quot; sets the address of the register&apos;s mirror and tests it.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Připojení&lt;/h3&gt;&lt;p&gt;„Proxy...“ nastaví proxy HTTP; „Služba rejstříku...“ nastaví adresu zrcadla rejstříku a otestuje ji.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Register service in use: %2&lt;br&gt;&lt;br&gt;Licence: proprietary; all rights reserved by Quillmarsh.</source>
        <translation>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Vyhledává právnické osoby v ruském státním rejstříku a zobrazuje je ve vašem jazyce.&lt;br&gt;&lt;br&gt;Používaná služba rejstříku: %2&lt;br&gt;&lt;br&gt;Licence: proprietární; všechna práva vyhrazena společností Quillmarsh.</translation>
    </message>
    <message>
        <source>Vendrake user guide</source>
        <translation type="vanished">Uživatelská příručka Vendrake</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Archive&lt;/h3&gt;&lt;p&gt;Every query is kept in the archive on this computer. Archive &amp;gt; &quot;History&quot; (Ctrl+H) lists past checks: open one to see what the register said then, without a request, or check it again. &quot;Search the archive...&quot; (Ctrl+Shift+F) finds every firm seen before by name, INN or OGRN. A firm that changed since the previous check of the same query is marked; its details mark the fields that changed and show, under them, their values at that check. &quot;Export report...&quot; writes the query shown as a PDF.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Archiv&lt;/h3&gt;&lt;p&gt;Každý dotaz se uchovává v archivu v tomto počítači. Archiv &amp;gt; „Historie“ (Ctrl+H) vypíše dřívější kontroly: otevřete některou a uvidíte bez dotazu, co tehdy uváděl rejstřík, nebo ji zkontrolujte znovu. „Hledat v archivu...“ (Ctrl+Shift+F) najde každou dříve viděnou firmu podle názvu, INN nebo OGRN. Firma, která se od předchozí kontroly téhož dotazu změnila, je označena; její podrobnosti označí změněná pole a pod nimi ukážou jejich hodnoty z té kontroly. „Exportovat zprávu...“ uloží zobrazený dotaz jako PDF.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Uživatelská příručka</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; (Ctrl+S) writes the firms to a text file, &quot;%2&quot; (Ctrl+E) writes every row as CSV and &quot;%3&quot; as an Excel workbook whose cells keep numbers and dates as they are. The menu of either tree copies a row or the whole tree, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Uchování výsledků&lt;/h3&gt;&lt;p&gt;Soubor &amp;gt; „%1“ (Ctrl+S) zapíše firmy do textového souboru, „%2“ (Ctrl+E) zapíše každý řádek jako CSV a „%3“ jako sešit Excelu, jehož buňky zachovají čísla a data tak, jak jsou. Nabídka každého ze stromů kopíruje řádek nebo celý strom a nabídka seznamu podrobností kopíruje jeho hodnoty.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Screening&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; imports a sanctions or watch list you keep (FollowTheMoney JSON lines or its simple CSV) and shows the versions imported. Every firm found is then checked against the newest version of each list, by INN, OGRN and KPP and by name across scripts. A red square flag marks a firm matched by a number, an amber pointed flag one matched by name, in both trees; the query row counts the firms marked, and a firm&apos;s details show a &quot;%2&quot; section with the list, the entity, its topics, what matched and the score. The status bar names the list versions in use, or says &quot;%3&quot;. Each check is recorded with the versions it was screened against and its matches; a check opened from History shows those, not a screening against today&apos;s lists.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Prověrka&lt;/h3&gt;&lt;p&gt;Soubor &amp;gt; „%1“ importuje sankční nebo sledovaný seznam, který vedete (řádky JSON FollowTheMoney nebo jeho jednoduché CSV), a ukáže importované verze. Každá nalezená firma se pak prověří proti nejnovější verzi každého seznamu, podle IČ (INN), OGRN a KPP i podle názvu napříč písmy. Červená hranatá vlajka označí firmu nalezenou podle čísla, žlutá špičatá vlajka firmu nalezenou podle názvu, v obou stromech; řádek dotazu počítá označené firmy a podrobnosti firmy ukazují oddíl „%2“ se seznamem, záznamem, jeho tématy, tím, co se shodovalo, a skóre. Stavový řádek jmenuje použité verze seznamů nebo hlásí „%3“. Každé ověření se zaznamená s verzemi, proti nimž bylo prověřeno, a se shodami; ověření otevřené z Historie ukazuje tyto, ne prověrku proti dnešním seznamům.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>window::Screening</name>
    <message>
        <source>%1 version %2 (%3 entities, imported %4)</source>
        <translation>%1 verze %2 (entit: %3, importováno %4)</translation>
    </message>
</context>
<context>
    <name>window::ScreeningListsDialog</name>
    <message>
        <source>Imported %1.</source>
        <translation>Importováno: %1.</translation>
    </message>
    <message>
        <source>%1 malformed lines skipped (lines %2).</source>
        <translation>Vynecháno chybných řádků: %1 (řádky %2).</translation>
    </message>
    <message>
        <source>Nothing imported: the newest version of %1 is this file already.</source>
        <translation>Nic nebylo importováno: nejnovější verze %1 je již tento soubor.</translation>
    </message>
    <message>
        <source>Not imported: %1</source>
        <translation>Neimportováno: %1</translation>
    </message>
    <message>
        <source>Screening lists</source>
        <translation>Seznamy pro prověrku</translation>
    </message>
    <message>
        <source>Screening index: %1</source>
        <translation>Index prověrky: %1</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Seznam</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Verze</translation>
    </message>
    <message>
        <source>Entities</source>
        <translation>Entity</translation>
    </message>
    <message>
        <source>Imported</source>
        <translation>Importováno</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importovat...</translation>
    </message>
    <message>
        <source>Import a screening list</source>
        <translation>Importovat seznam pro prověrku</translation>
    </message>
    <message>
        <source>Screening lists (*.json *.jsonl *.ndjson *.csv);;All files (*)</source>
        <translation>Seznamy pro prověrku (*.json *.jsonl *.ndjson *.csv);;Všechny soubory (*)</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importuje se %1...</translation>
    </message>
</context>
</TS>
