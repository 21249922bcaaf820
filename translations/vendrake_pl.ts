<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en">
<context>
    <name>FirmField</name>
    <message>
        <source>Название</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwa</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adres</translation>
    </message>
    <message>
        <source>ОГРН</source>
        <translation>ОГРН</translation>
    </message>
    <message>
        <source>Principal state registration number</source>
        <translation>Główny państwowy numer rejestracyjny</translation>
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
        <translation>NIP (INN)</translation>
    </message>
    <message>
        <source>КПП</source>
        <translation>КПП</translation>
    </message>
    <message>
        <source>Reason code of registration</source>
        <translation>Kod przyczyny rejestracji (KPP)</translation>
    </message>
    <message>
        <source>Дата записи</source>
        <translation>Дата записи</translation>
    </message>
    <message>
        <source>Posting date</source>
        <translation>Data wpisu</translation>
    </message>
    <message>
        <source>Рег. орган</source>
        <translation>Рег. орган</translation>
    </message>
    <message>
        <source>Registration authority</source>
        <translation>Organ rejestrowy</translation>
    </message>
    <message>
        <source>Адрес органа</source>
        <translation>Адрес органа</translation>
    </message>
    <message>
        <source>Address of the authority</source>
        <translation>Adres organu</translation>
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
        <translation>Usługa odpowiedziała formularzem wyszukiwania (%1).</translation>
    </message>
    <message>
        <source>The service answered, but %1 holds no search form: this does not look like a register mirror.</source>
        <translation>Usługa odpowiedziała, ale %1 nie zawiera formularza wyszukiwania: to nie wygląda na kopię rejestru.</translation>
    </message>
    <message>
        <source>No search form from %1: %2</source>
        <translation>Brak formularza wyszukiwania z %1: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an http:// address; the register service is reached over plain HTTP.</source>
        <translation>„%1” nie jest adresem http://; usługa rejestru działa przez zwykłe HTTP.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names the page &quot;%2&quot;: give only the host and, if needed, the port.</source>
        <translation>„%1” wskazuje stronę „%2”: podaj tylko host i w razie potrzeby port.</translation>
    </message>
    <message>
        <source>The host box gives port %1 and the port box %2.</source>
        <translation>Pole hosta podaje port %1, a pole portu %2.</translation>
    </message>
    <message>
        <source>The register service&apos;s address is still the placeholder &quot;%1&quot;: set the address of a register mirror with File &gt; &quot;Register service...&quot;.</source>
        <translation>Adres usługi rejestru to wciąż symbol zastępczy „%1”: ustaw adres kopii rejestru w menu Plik &gt; „Usługa rejestru...”.</translation>
    </message>
</context>
<context>
    <name>Region</name>
    <message>
        <source>All regions of Russia</source>
        <translation>Wszystkie regiony Rosji</translation>
    </message>
    <message>
        <source>Moscow</source>
        <translation>Moskwa</translation>
    </message>
    <message>
        <source>St. Petersburg</source>
        <translation>Petersburg</translation>
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
        <translation>Obwód Amur</translation>
    </message>
    <message>
        <source>Архангельская область</source>
        <translation>Obwód Arkhangelsk</translation>
    </message>
    <message>
        <source>Астраханская область</source>
        <translation>Obwód Astrakhan</translation>
    </message>
    <message>
        <source>Белгородская область</source>
        <translation>Obwód Belgorod</translation>
    </message>
    <message>
        <source>Брянская область</source>
        <translation>Obwód Bryansk</translation>
    </message>
    <message>
        <source>Владимирская область</source>
        <translation>Obwód Vladimir</translation>
    </message>
    <message>
        <source>Волгоградская область</source>
        <translation>Obwód Volgograd</translation>
    </message>
    <message>
        <source>Вологодская область</source>
        <translation>Obwód Vologda</translation>
    </message>
    <message>
        <source>Воронежская область</source>
        <translation>Obwód Voronezh</translation>
    </message>
    <message>
        <source>Ивановская область</source>
        <translation>Obwód Ivanovo</translation>
    </message>
    <message>
        <source>Иркутская область</source>
        <translation>Obwód Irkutsk</translation>
    </message>
    <message>
        <source>Калининградская область</source>
        <translation>Obwód Kaliningrad</translation>
    </message>
    <message>
        <source>Калужская область</source>
        <translation>Obwód Kaluga</translation>
    </message>
    <message>
        <source>Камчатская область</source>
        <translation>Obwód Kamchatka</translation>
    </message>
    <message>
        <source>Кемеровская область</source>
        <translation>Obwód Kemerovo</translation>
    </message>
    <message>
        <source>Кировская область</source>
        <translation>Obwód Kirov</translation>
    </message>
    <message>
        <source>Костромская область</source>
        <translation>Obwód Kostroma</translation>
    </message>
    <message>
        <source>Курганская область</source>
        <translation>Obwód Kurgan</translation>
    </message>
    <message>
        <source>Курская область</source>
        <translation>Obwód Kursk</translation>
    </message>
    <message>
        <source>Ленинградская область</source>
        <translation>Obwód Leningrad</translation>
    </message>
    <message>
        <source>Липецкая область</source>
        <translation>Obwód Lipetsk</translation>
    </message>
    <message>
        <source>Магаданская область</source>
        <translation>Obwód Magadan</translation>
    </message>
    <message>
        <source>Московская область</source>
        <translation>Obwód Moskwa</translation>
    </message>
    <message>
        <source>Мурманская область</source>
        <translation>Obwód Murmansk</translation>
    </message>
    <message>
        <source>Нижегородская область</source>
        <translation>Obwód Nizhny Novgorod</translation>
    </message>
    <message>
        <source>Новгородская область</source>
        <translation>Obwód Novgorod</translation>
    </message>
    <message>
        <source>Новосибирская область</source>
        <translation>Obwód Novosibirsk</translation>
    </message>
    <message>
        <source>Омская область</source>
        <translation>Obwód Omsk</translation>
    </message>
    <message>
        <source>Оренбургская область</source>
        <translation>Obwód Orenburg</translation>
    </message>
    <message>
        <source>Орловская область</source>
        <translation>Obwód Oryol</translation>
    </message>
    <message>
        <source>Пензенская область</source>
        <translation>Obwód Penza</translation>
    </message>
    <message>
        <source>Пермская область</source>
        <translation>Obwód Perm</translation>
    </message>
    <message>
        <source>Псковская область</source>
        <translation>Obwód Pskov</translation>
    </message>
    <message>
        <source>Ростовская область</source>
        <translation>Obwód Rostov</translation>
    </message>
    <message>
        <source>Рязанская область</source>
        <translation>Obwód Ryazan</translation>
    </message>
    <message>
        <source>Самарская область</source>
        <translation>Obwód Samara</translation>
    </message>
    <message>
        <source>Саратовская область</source>
        <translation>Obwód Saratov</translation>
    </message>
    <message>
        <source>Сахалинская область</source>
        <translation>Obwód Sakhalin</translation>
    </message>
    <message>
        <source>Свердловская область</source>
        <translation>Obwód Sverdlovsk</translation>
    </message>
    <message>
        <source>Смоленская область</source>
        <translation>Obwód Smolensk</translation>
    </message>
    <message>
        <source>Тамбовская область</source>
        <translation>Obwód Tambov</translation>
    </message>
    <message>
        <source>Тверская область</source>
        <translation>Obwód Tver</translation>
    </message>
    <message>
        <source>Томская область</source>
        <translation>Obwód Tomsk</translation>
    </message>
    <message>
        <source>Тульская область</source>
        <translation>Obwód Tula</translation>
    </message>
    <message>
        <source>Тюменская область</source>
        <translation>Obwód Tyumen</translation>
    </message>
    <message>
        <source>Ульяновская область</source>
        <translation>Obwód Ulyanovsk</translation>
    </message>
    <message>
        <source>Челябинская область</source>
        <translation>Obwód Chelyabinsk</translation>
    </message>
    <message>
        <source>Читинская область</source>
        <translation>Obwód Chita</translation>
    </message>
    <message>
        <source>Ярославская область</source>
        <translation>Obwód Yaroslavl</translation>
    </message>
    <message>
        <source>Еврейская автономная область</source>
        <translation>Żydowski Obwód Autonomiczny</translation>
    </message>
    <message>
        <source>Агинский Бурятский автономный округ</source>
        <translation>Okręg Autonomiczny Agin-Buryat</translation>
    </message>
    <message>
        <source>Коми-Пермяцкий автономный округ</source>
        <translation>Okręg Autonomiczny Komi-Permyak</translation>
    </message>
    <message>
        <source>Корякский автономный округ</source>
        <translation>Okręg Autonomiczny Koryak</translation>
    </message>
    <message>
        <source>Ненецкий автономный округ</source>
        <translation>Okręg Autonomiczny Nenets</translation>
    </message>
    <message>
        <source>Таймырский (Долгано-Ненецкий) автономный округ</source>
        <translation>Okręg Autonomiczny Taymyr (Dolgan-Nenets)</translation>
    </message>
    <message>
        <source>Усть-Ордынский Бурятский автономный округ</source>
        <translation>Okręg Autonomiczny Ust-Orda Buryat</translation>
    </message>
    <message>
        <source>Ханты-Мансийский автономный округ</source>
        <translation>Okręg Autonomiczny Khanty-Mansi</translation>
    </message>
    <message>
        <source>Чукотский автономный округ</source>
        <translation>Okręg Autonomiczny Chukotka</translation>
    </message>
    <message>
        <source>Эвенкийский автономный округ</source>
        <translation>Okręg Autonomiczny Evenk</translation>
    </message>
    <message>
        <source>Ямало-Ненецкий автономный округ</source>
        <translation>Okręg Autonomiczny Yamalo-Nenets</translation>
    </message>
</context>
<context>
    <name>ServiceMessage</name>
    <message>
        <source>На сегодняшний день Ваш лимит запросов исчерпан</source>
        <translation>Dzisiejszy limit zapytań został wyczerpany</translation>
    </message>
    <message>
        <source>Записей не найдено</source>
        <translation>Nie znaleziono wpisów</translation>
    </message>
    <message>
        <source>Ошибка:</source>
        <translation>Błąd:</translation>
    </message>
    <message>
        <source>Найдено:0</source>
        <translation>Znaleziono: 0</translation>
    </message>
    <message>
        <source>Сервис временно недоступен, повторите запрос позже</source>
        <translation type="vanished">Usługa jest chwilowo niedostępna, spróbuj ponownie później</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>&apos;%1&apos; is not a valid boolean value</source>
        <translation>„%1” nie jest prawidłową wartością logiczną</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Nie można otworzyć pliku „%1”. %2</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is larger than %2 bytes; the rest was not read</source>
        <translation>Plik „%1” jest większy niż %2 B; reszty nie wczytano</translation>
    </message>
    <message>
        <source>Give it as HOST, HOST:PORT or http://HOST[:PORT]/ (for example register.example:8080).</source>
        <translation>Podaj go jako HOST, HOST:PORT lub http://HOST[:PORT]/ (na przykład register.example:8080).</translation>
    </message>
    <message>
        <source>The host is empty.</source>
        <translation>Host jest pusty.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or address.</source>
        <translation>„%1” nie jest nazwą hosta ani adresem.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>Port „%1” nie jest liczbą od 1 do 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names port %2, the port field %3: give one port.</source>
        <translation>„%1” podaje port %2, a pole portu %3: podaj jeden port.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a plain HTTP address. %2</source>
        <translation>„%1” nie jest zwykłym adresem HTTP. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a path; the service is always at its root. %2</source>
        <translation>„%1” zawiera ścieżkę; usługa jest zawsze w katalogu głównym. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lacks the closing &quot;]&quot;.</source>
        <translation>W „%1” brakuje zamykającego „]”.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not HOST or HOST:PORT.</source>
        <translation>„%1” nie jest ani HOST, ani HOST:PORT.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ends with &quot;:&quot; but gives no port.</source>
        <translation>„%1” kończy się znakiem „:”, ale nie podaje portu.</translation>
    </message>
    <message>
        <source>The setting %1=&quot;%2&quot; is not a service address: %3</source>
        <translation>Ustawienie %1=„%2” nie jest adresem usługi: %3</translation>
    </message>
</context>
<context>
    <name>window::ProxyDialog</name>
    <message>
        <source>Proxy</source>
        <translation>Serwer proxy</translation>
    </message>
    <message>
        <source>Proxy settings for Internet access</source>
        <translation>Ustawienia proxy dostępu do Internetu</translation>
    </message>
    <message>
        <source>Use the system configuration</source>
        <translation>Użyj konfiguracji systemu</translation>
    </message>
    <message>
        <source>Use proxy</source>
        <translation>Użyj serwera proxy</translation>
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
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Enter the proxy&apos;s host name or IP address.</source>
        <translation>Wpisz nazwę hosta lub adres IP serwera proxy.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name, an IPv4 address or an IPv6 address.</source>
        <translation>„%1” nie jest nazwą hosta ani adresem IPv4 lub IPv6.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>Port „%1” nie jest liczbą od 1 do 65535.</translation>
    </message>
</context>
<context>
    <name>window::ArchiveSearchDialog</name>
    <message>
        <source>Search the archive</source>
        <translation>Przeszukaj archiwum</translation>
    </message>
    <message>
        <source>Name, INN or OGRN</source>
        <translation>Nazwa, INN lub OGRN</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwa</translation>
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
        <translation>Ostatnio widziana</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Zapytanie</translation>
    </message>
</context>
<context>
    <name>window::HistoryPanel</name>
    <message>
        <source>Firms found</source>
        <translation>Znalezione firmy</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Niepowodzenie: %1</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Nie wysłano: %1</translation>
    </message>
    <message>
        <source>Not checked (daily limit)</source>
        <translation>Nie sprawdzono (limit dzienny)</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historia</translation>
    </message>
    <message>
        <source>Text, INN or OGRN</source>
        <translation>Tekst, INN lub OGRN</translation>
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
        <translation>Czas</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Kryteria</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Wynik</translation>
    </message>
    <message>
        <source>Firms</source>
        <translation>Firmy</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otwórz</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Sprawdź ponownie</translation>
    </message>
    <message>
        <source>History (nothing is recorded)</source>
        <translation>Historia (nic nie jest zapisywane)</translation>
    </message>
</context>
<context>
    <name>window::MainWindow</name>
    <message>
        <source>About Vendrake</source>
        <translation type="vanished">O programie Vendrake</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Quillmarsh</source>
        <translation type="vanished">&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Wyszukuje osoby prawne w rosyjskim rejestrze państwowym i pokazuje je w Twoim języku.&lt;br&gt;&lt;br&gt;Quillmarsh</translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="vanished">Eksportuj</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation type="vanished">Plik CSV (*.csv)</translation>
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
        <translation type="vanished">Wybierz datę</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation type="vanished"> Wprowadź dane </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="vanished">Nazwa:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="vanished">Nazwa</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="vanished">Adres:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="vanished">Adres</translation>
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
        <translation type="vanished">Data:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="vanished">Data</translation>
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
        <translation type="vanished"> Parametry zapytania </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation type="vanished">Język transliteracji</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation type="vanished">Język tłumaczenia</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation type="vanished">Zostaną wysłane następujące dane</translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="vanished">Szukaj</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation type="vanished">Szukana nazwa</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation type="vanished">Szukany adres</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation type="vanished">Szukany region</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation type="vanished">Szukana data</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation type="vanished">Szukany OGRN/INN</translation>
    </message>
    <message>
        <source>Search results in the original language</source>
        <translation type="vanished">Wyniki wyszukiwania w języku oryginalnym</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation type="vanished">Szczegóły w języku oryginalnym</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation type="vanished">Wyniki wyszukiwania w Twoim języku</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation type="vanished">Język panelu wyników</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation type="vanished">Szczegóły w Twoim języku</translation>
    </message>
    <message>
        <source>File</source>
        <translation type="vanished">Plik</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Wyczyść wszystko</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Zapisz...</translation>
    </message>
    <message>
        <source>Загрузить данные</source>
        <translation>Wczytaj dane</translation>
    </message>
    <message>
        <source>Proxy...</source>
        <translation>Serwer proxy...</translation>
    </message>
    <message>
        <source>Register service...</source>
        <translation>Usługa rejestru...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="vanished">Pomoc</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Копировать выделенное</source>
        <translation>Kopiuj zaznaczone</translation>
    </message>
    <message>
        <source>Копировать все данные</source>
        <translation>Kopiuj wszystkie dane</translation>
    </message>
    <message>
        <source>Ввести данные</source>
        <translation type="vanished">Wprowadź dane</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Nieprawidłowy typ danych dla „%1”</translation>
    </message>
    <message>
        <source>No dictionary files</source>
        <translation>Brak plików słowników</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Nie można otworzyć pliku „%1”. %2</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation>Nie udało się ustawić danych dla „%1”</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation type="vanished">Cyfra kontrolna tego numeru OGRN się nie zgadza</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation type="vanished">Cyfra kontrolna tego numeru INN się nie zgadza</translation>
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
        <translation>Zapytanie nie powiodło się: </translation>
    </message>
    <message>
        <source>Checking completed.</source>
        <translation>Sprawdzanie zakończone.</translation>
    </message>
    <message>
        <source>Checking completed: %1 of %2 queries failed.</source>
        <translation>Sprawdzanie zakończone: nie powiodło się zapytań: %1 z %2.</translation>
    </message>
    <message>
        <source>Checking internet connection...</source>
        <translation>Sprawdzanie połączenia z Internetem...</translation>
    </message>
    <message>
        <source>No Internet connection...</source>
        <translation>Brak połączenia z Internetem...</translation>
    </message>
    <message>
        <source>the register service at %1 does not answer: %2</source>
        <translation>usługa rejestru pod adresem %1 nie odpowiada: %2</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation type="vanished">Sprawdzanie...</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)</source>
        <translation>Plik tekstowy (*.txt)</translation>
    </message>
    <message>
        <source>Queries are still running. Stop them and close the window?</source>
        <translation>Zapytania wciąż trwają. Zatrzymać je i zamknąć okno?</translation>
    </message>
    <message>
        <source>Stop and close</source>
        <translation>Zatrzymaj i zamknij</translation>
    </message>
    <message>
        <source>Keep running</source>
        <translation>Kontynuuj</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Zapisz jako</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Plik tekstowy (*.txt)</translation>
    </message>
    <message numerus="yes">
        <source>Saved %n firms to %1</source>
        <translation>
            <numerusform>Zapisano %n firmę do %1</numerusform>
            <numerusform>Zapisano %n firmy do %1</numerusform>
            <numerusform>Zapisano %n firm do %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Zapisz jako...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Zatrzymaj</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Wyszukiwanie</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Po&amp;moc</translation>
    </message>
    <message>
        <source>Stopped: %1 of %2 checked.</source>
        <translation>Zatrzymano: sprawdzono %1 z %2.</translation>
    </message>
    <message>
        <source>%1 The default address %2 is used; set another under File &gt; &quot;Register service...&quot;.</source>
        <translation>%1 Używany jest domyślny adres %2; ustaw inny w menu Plik &gt; „Usługa rejestru...”.</translation>
    </message>
    <message>
        <source>Progress of the search</source>
        <translation>Postęp wyszukiwania</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation type="vanished">Rejestr odpowiada tylko na nazwy zapisane cyrylicą: wybierz „Русский” dla nazwy wpisanej cyrylicą lub „Latin to Russian” dla nazwy wpisanej literami łacińskimi.</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Podręcznik użytkownika</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;O programie</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation type="vanished">„%1” nie jest datą. Podaj datę jako dd.mm.rrrr, na przykład 14.03.2002.</translation>
    </message>
    <message>
        <source>Checking: %1 of %2</source>
        <translation>Sprawdzanie: %1 z %2</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nazwa</translation>
    </message>
    <message>
        <source>address</source>
        <translation>adres</translation>
    </message>
    <message>
        <source>region</source>
        <translation>region</translation>
    </message>
    <message>
        <source>registration date</source>
        <translation>data rejestracji</translation>
    </message>
    <message>
        <source>INN/OGRN</source>
        <translation>INN/OGRN</translation>
    </message>
    <message>
        <source>New since the check of %1</source>
        <translation>Nowa od sprawdzenia z %1</translation>
    </message>
    <message>
        <source>Changed since the check of %1: %2</source>
        <translation>Zmieniona od sprawdzenia z %1: %2</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>Nie zapisano: %1</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Archiwum</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historia</translation>
    </message>
    <message>
        <source>Search the archive...</source>
        <translation>Przeszukaj archiwum...</translation>
    </message>
    <message>
        <source>Export report...</source>
        <translation>Eksportuj raport...</translation>
    </message>
    <message>
        <source>%1 (as of %2)</source>
        <translation>%1 (stan na %2)</translation>
    </message>
    <message>
        <source>Stored check of %1.</source>
        <translation>Zapisane sprawdzenie z %1.</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation type="vanished">PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Report written to %1</source>
        <translation>Raport zapisano w %1</translation>
    </message>
    <message>
        <source>A report is still being written; export again once it is done.</source>
        <translation>Raport jest jeszcze zapisywany; wyeksportuj ponownie, gdy będzie gotowy.</translation>
    </message>
    <message>
        <source>The report is being written to %1...</source>
        <translation>Raport jest zapisywany w %1...</translation>
    </message>
    <message>
        <source>No firms to save.</source>
        <translation>Brak firm do zapisania.</translation>
    </message>
    <message>
        <source>No firms to save; %1 is left as it was.</source>
        <translation>Brak firm do zapisania; %1 pozostaje bez zmian.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more; &quot;%3&quot; is used instead.</source>
        <translation>%1: „%2” nie jest już zainstalowany; zamiast niego używany jest „%3”.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more.</source>
        <translation>%1: „%2” nie jest już zainstalowany.</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Eksportuj...</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>Plik CSV (*.csv)</translation>
    </message>
    <message>
        <source>Export to Excel...</source>
        <translation>Eksportuj do Excela...</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Skoroszyt programu Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Wyeksportowano do %1</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Dokument PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Copy all data</source>
        <translation>Kopiuj wszystkie dane</translation>
    </message>
    <message>
        <source>Open in History</source>
        <translation>Otwórz w historii</translation>
    </message>
    <message>
        <source>Find again</source>
        <translation>Szukaj ponownie</translation>
    </message>
    <message>
        <source>Checked %1 queries; %2 lines skipped</source>
        <translation>Sprawdzono zapytań: %1; pominięto wierszy: %2</translation>
    </message>
    <message>
        <source>Checked %1 queries: %2 failed; %3 lines skipped</source>
        <translation>Sprawdzono zapytań: %1, nieudanych: %2; pominięto wierszy: %3</translation>
    </message>
    <message>
        <source>%1 checks wait to be recorded: another program holds the archive locked</source>
        <translation>Sprawdzeń czekających na zapis: %1 – inny program blokuje archiwum</translation>
    </message>
    <message>
        <source>%1 checks that waited are recorded now</source>
        <translation>Oczekujące sprawdzenia zapisane: %1</translation>
    </message>
    <message>
        <source>Screening: %1</source>
        <translation>Weryfikacja: %1</translation>
    </message>
    <message>
        <source>Screening: no list loaded</source>
        <translation>Weryfikacja: nie wczytano listy</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 wersja %2</translation>
    </message>
    <message>
        <source>%1 (INN %2): %3 version %4, %5 (%6): %7</source>
        <translation>%1 (INN %2): %3 wersja %4, %5 (%6): %7</translation>
    </message>
    <message>
        <source>Screening lists...</source>
        <translation>Listy weryfikacyjne...</translation>
    </message>
    <message>
        <source>Stored check of %1, %2.</source>
        <translation>Zapisane sprawdzenie z %1, %2.</translation>
    </message>
    <message>
        <source>Recorded unscreened: %1</source>
        <translation>Zapisano bez weryfikacji: %1</translation>
    </message>
    <message>
        <source>screened against no list</source>
        <translation>zweryfikowano wobec żadnej listy</translation>
    </message>
    <message>
        <source>screened against %1</source>
        <translation>zweryfikowano wobec %1</translation>
    </message>
    <message>
        <source>%1 version %2, SHA-256 %3</source>
        <translation>%1 wersja %2, SHA-256 %3</translation>
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
        <translation>Wybierz datę</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation> Wprowadź dane </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nazwa:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwa</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adres:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adres</translation>
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
        <translation>Data:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
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
        <translation> Parametry zapytania </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation>Język transliteracji</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation>Język tłumaczenia</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation>Zostaną wysłane następujące dane</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Szukaj</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation>Szukana nazwa</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation>Rejestr odpowiada tylko na nazwy zapisane cyrylicą: wybierz „Русский” dla nazwy wpisanej cyrylicą lub „Latin to Russian” dla nazwy wpisanej literami łacińskimi.</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation>Szukany adres</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation>Szukany region</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation>Szukana data</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation>Szukany OGRN/INN</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation>„%1” nie jest datą. Podaj datę jako dd.mm.rrrr, na przykład 14.03.2002.</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation>Cyfra kontrolna tego numeru OGRN się nie zgadza</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation>Cyfra kontrolna tego numeru INN się nie zgadza</translation>
    </message>
    <message>
        <source>, Название: </source>
        <translation>, Nazwa: </translation>
    </message>
    <message>
        <source>, Адрес: </source>
        <translation>, Adres: </translation>
    </message>
    <message>
        <source>, Регион: </source>
        <translation>, Region: </translation>
    </message>
    <message>
        <source>, Дата: </source>
        <translation>, Data: </translation>
    </message>
    <message>
        <source>, ИНН: </source>
        <translation>, INN/OGRN: </translation>
    </message>
    <message>
        <source>Search for entered data...(</source>
        <translation>Wyszukiwanie wprowadzonych danych...(</translation>
    </message>
</context>
<context>
    <name>window::ReportPdf</name>
    <message>
        <source>Register check report</source>
        <translation>Raport ze sprawdzenia w rejestrze</translation>
    </message>
    <message>
        <source>Checked at</source>
        <translation>Sprawdzono</translation>
    </message>
    <message>
        <source>Service address</source>
        <translation>Adres usługi</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Kryteria</translation>
    </message>
    <message>
        <source>Pane language</source>
        <translation>Język panelu</translation>
    </message>
    <message>
        <source>Archive record digest (SHA-256)</source>
        <translation>Skrót wpisu w archiwum (SHA-256)</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>nie zapisano</translation>
    </message>
    <message>
        <source>No rows.</source>
        <translation>Brak wierszy.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Komunikat</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Przekształcone</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Pole</translation>
    </message>
    <message>
        <source>As received</source>
        <translation>Jak otrzymano</translation>
    </message>
    <message>
        <source>Archive head</source>
        <translation>Głowa archiwum</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Strona %1 z %2</translation>
    </message>
    <message>
        <source>Time stamp</source>
        <translation>Znacznik czasu</translation>
    </message>
    <message>
        <source>token from %1, not checked: no CA certificates are set (TsaCaFile)</source>
        <translation>token od %1, niesprawdzony: nie ustawiono certyfikatów CA (TsaCaFile)</translation>
    </message>
    <message>
        <source>token from %1, not checked: %2</source>
        <translation>token od %1, niesprawdzony: %2</translation>
    </message>
    <message>
        <source>stamped by %1 at %2 (%3)</source>
        <translation>oznaczone przez %1 o %2 (%3)</translation>
    </message>
    <message>
        <source>token from %1 does not hold: %2</source>
        <translation>token od %1 jest nieważny: %2</translation>
    </message>
    <message>
        <source>not stamped yet</source>
        <translation>jeszcze bez znacznika</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Weryfikacja</translation>
    </message>
</context>
<context>
    <name>window::ResultsModel</name>
    <message>
        <source>Only the first firms of the list are shown: the register cut it short. Narrow the search to see the others.</source>
        <translation>Wyświetlane są tylko pierwsze firmy z listy: rejestr ją skrócił. Zawęź wyszukiwanie, aby zobaczyć pozostałe.</translation>
    </message>
    <message>
        <source> — on watch lists: %1</source>
        <translation> — na listach obserwacyjnych: %1</translation>
    </message>
</context>
<context>
    <name>window::ResultsPane</name>
    <message>
        <source>Search results in the original language</source>
        <translation>Wyniki wyszukiwania w języku oryginalnym</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation>Szczegóły w języku oryginalnym</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation>Wyniki wyszukiwania w Twoim języku</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation>Język panelu wyników</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation>Szczegóły w Twoim języku</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(puste)</translation>
    </message>
    <message>
        <source>Changed since the check of %1; it was: %2</source>
        <translation>Zmienione od sprawdzenia z %1; wcześniej: %2</translation>
    </message>
    <message>
        <source>Changed since the check of %1; the values then:</source>
        <translation>Zmienione od sprawdzenia z %1; ówczesne wartości:</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Weryfikacja</translation>
    </message>
    <message>
        <source>Matches: %1 (by number among them)</source>
        <translation>Dopasowania: %1 (w tym po numerze)</translation>
    </message>
    <message>
        <source>Matches: %1 (by name)</source>
        <translation>Dopasowania: %1 (po nazwie)</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 wersja %2</translation>
    </message>
    <message>
        <source>Entity</source>
        <translation>Podmiot</translation>
    </message>
    <message>
        <source>Topics</source>
        <translation>Tematy</translation>
    </message>
    <message>
        <source>What matched</source>
        <translation>Co pasuje</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Wynik</translation>
    </message>
</context>
<context>
    <name>window::ServiceHostDialog</name>
    <message>
        <source>Register service</source>
        <translation>Usługa rejestru</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>host, host:port or http://host:port/</source>
        <translation>host, host:port lub http://host:port/</translation>
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
        <translation>&amp;Port (opcjonalnie):</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Testuj</translation>
    </message>
    <message>
        <source>The address of the register service&apos;s mirror; searches from now on go there.</source>
        <translation>Adres kopii usługi rejestru; kolejne wyszukiwania trafią tam.</translation>
    </message>
    <message>
        <source>Asking %1 for its search form...</source>
        <translation>Pobieranie formularza wyszukiwania z %1...</translation>
    </message>
</context>
<context>
    <name>window::ShownReason</name>
    <message>
        <source>, records found: </source>
        <translation>, znalezione rekordy: </translation>
    </message>
    <message>
        <source>check digit does not match (%1)</source>
        <translation>cyfra kontrolna się nie zgadza (%1)</translation>
    </message>
    <message>
        <source>not checked: the daily request limit is used up</source>
        <translation>nie sprawdzono: dzienny limit zapytań został wyczerpany</translation>
    </message>
    <message>
        <source>no answer in time</source>
        <translation>brak odpowiedzi na czas</translation>
    </message>
    <message>
        <source>cannot find the host %1</source>
        <translation>nie można znaleźć hosta %1</translation>
    </message>
    <message>
        <source>cannot connect to the proxy %1</source>
        <translation>nie można połączyć się z proxy %1</translation>
    </message>
    <message>
        <source>cannot connect to %1</source>
        <translation>nie można połączyć się z %1</translation>
    </message>
    <message>
        <source>cannot find the proxy host %1</source>
        <translation>nie można znaleźć hosta proxy %1</translation>
    </message>
    <message>
        <source>the proxy %1 asks for a password</source>
        <translation>proxy %1 wymaga hasła</translation>
    </message>
    <message>
        <source>the proxy %1 failed</source>
        <translation>proxy %1 zawiodło</translation>
    </message>
    <message>
        <source>cannot decode the answer</source>
        <translation>nie można zdekodować odpowiedzi</translation>
    </message>
    <message>
        <source>the connection broke</source>
        <translation>połączenie zostało przerwane</translation>
    </message>
    <message>
        <source>the connection closed without an answer</source>
        <translation>połączenie zamknięto bez odpowiedzi</translation>
    </message>
    <message>
        <source>the answer ended early</source>
        <translation>odpowiedź skończyła się przedwcześnie</translation>
    </message>
    <message>
        <source>too many redirects</source>
        <translation>zbyt wiele przekierowań</translation>
    </message>
    <message>
        <source>unreadable answer from %1</source>
        <translation>nieczytelna odpowiedź z %1</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>brak pamięci</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>przerwano</translation>
    </message>
    <message>
        <source>answer larger than %1</source>
        <translation>odpowiedź większa niż %1</translation>
    </message>
    <message>
        <source>too many result pages</source>
        <translation>zbyt wiele stron wyników</translation>
    </message>
    <message>
        <source>the register&apos;s answer was not recognised</source>
        <translation>nie rozpoznano odpowiedzi rejestru</translation>
    </message>
    <message>
        <source>too many rows (a result page may hold %1)</source>
        <translation>zbyt wiele wierszy (strona wyników może mieć %1)</translation>
    </message>
</context>
<context>
    <name>window::UserGuideDialog</name>
    <message>
        <source>&lt;h3&gt;Searching&lt;/h3&gt;&lt;p&gt;Type a name, an address, a region, a registration date (dd.mm.yyyy) or an OGRN or INN under &quot;Enter data&quot; and press &lt;b&gt;Find&lt;/b&gt; or Enter. The fields on the right show what is sent to the register. The register answers only to Cyrillic: choose &quot;Русский&quot; as the language of transliteration for a name typed in Russian, or &quot;Latin to Russian&quot; for a name written in Latin letters.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Wyszukiwanie&lt;/h3&gt;&lt;p&gt;Wpisz nazwę, adres, region, datę rejestracji (dd.mm.rrrr) albo OGRN lub INN w sekcji „Wprowadź dane” i naciśnij &lt;b&gt;Szukaj&lt;/b&gt; lub Enter. Pola po prawej pokazują, co zostanie wysłane do rejestru. Rejestr odpowiada tylko na cyrylicę: wybierz „Русский” jako język transliteracji dla nazwy wpisanej po rosyjsku lub „Latin to Russian” dla nazwy zapisanej literami łacińskimi.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Results&lt;/h3&gt;&lt;p&gt;Each query is a row of the left tree, with the firms, the register&apos;s messages and failures under it. The right tree shows the same rows converted into the language chosen above it, with the dictionary chosen as &quot;Language of translation&quot;. Click a firm to read its ten fields below both trees.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Wyniki&lt;/h3&gt;&lt;p&gt;Każde zapytanie to wiersz lewego drzewa, a pod nim firmy, komunikaty rejestru i błędy. Prawe drzewo pokazuje te same wiersze przekształcone na język wybrany nad nim, ze słownikiem wybranym jako „Język tłumaczenia”. Kliknij firmę, aby odczytać jej dziesięć pól pod oboma drzewami.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Lists&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;Загрузить данные&quot; (Ctrl+O) checks a text file with one name or number per line. The status bar counts the lines checked; &quot;Stop&quot; (Escape) ends the run and keeps what was found.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Listy&lt;/h3&gt;&lt;p&gt;Plik &amp;gt; „Wczytaj dane” (Ctrl+O) sprawdza plik tekstowy z jedną nazwą lub numerem w wierszu. Pasek stanu liczy sprawdzone wiersze; „Zatrzymaj” (Esc) kończy przebieg i zachowuje to, co znaleziono.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;&quot;Save...&quot; (Ctrl+S) writes the firms to a text file, &quot;Export&quot; (Ctrl+E) writes every row as CSV, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation type="vanished">&lt;h3&gt;Zachowywanie wyników&lt;/h3&gt;&lt;p&gt;„Zapisz...” (Ctrl+S) zapisuje firmy do pliku tekstowego, „Eksportuj” (Ctrl+E) zapisuje każdy wiersz jako CSV, a menu listy szczegółów kopiuje jej wartości.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Connection&lt;/h3&gt;&lt;p&gt;&quot;Proxy...&quot; sets an HTTP proxy; &quot;Register service...&quot; sets the address of the register&apos;s mirror and tests it.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Połączenie&lt;/h3&gt;&lt;p&gt;„Serwer proxy...” ustawia serwer proxy HTTP; „Usługa rejestru...” ustawia adres kopii rejestru i ją testuje.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Register service in use: %2&lt;br&gt;&lt;br&gt;Licence: proprietary; all rights reserved by Quillmarsh.</source>
        <translation>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Wyszukuje osoby prawne w rosyjskim rejestrze państwowym i pokazuje je w Twoim języku.&lt;br&gt;&lt;br&gt;Używana usługa rejestru: %2&lt;br&gt;&lt;br&gt;Licencja: własnościowa; wszelkie prawa zastrzeżone przez Quillmarsh.</translation>
    </message>
    <message>
        <source>Vendrake user guide</source>
        <translation type="vanished">Podręcznik użytkownika Vendrake</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Archive&lt;/h3&gt;&lt;p&gt;Every query is kept in the archive on this computer. Archive &amp;gt; &quot;History&quot; (Ctrl+H) lists past checks: open one to see what the register said then, without a request, or check it again. &quot;Search the archive...&quot; (Ctrl+Shift+F) finds every firm seen before by name, INN or OGRN. A firm that changed since the previous check of the same query is marked; its details mark the fields that changed and show, under them, their values at that check. &quot;Export report...&quot; writes the query shown as a PDF.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Archiwum&lt;/h3&gt;&lt;p&gt;Każde zapytanie jest przechowywane w archiwum na tym komputerze. Archiwum &amp;gt; „Historia” (Ctrl+H) pokazuje wcześniejsze sprawdzenia: otwórz jedno, aby bez zapytania zobaczyć, co rejestr wtedy podał, lub sprawdź je ponownie. „Przeszukaj archiwum...” (Ctrl+Shift+F) znajduje każdą widzianą wcześniej firmę po nazwie, INN lub OGRN. Firma, która zmieniła się od poprzedniego sprawdzenia tego samego zapytania, jest oznaczona; jej szczegóły oznaczają zmienione pola i pokazują pod nimi ich wartości z tamtego sprawdzenia. „Eksportuj raport...” zapisuje pokazane zapytanie jako PDF.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Podręcznik użytkownika</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; (Ctrl+S) writes the firms to a text file, &quot;%2&quot; (Ctrl+E) writes every row as CSV and &quot;%3&quot; as an Excel workbook whose cells keep numbers and dates as they are. The menu of either tree copies a row or the whole tree, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Zachowywanie wyników&lt;/h3&gt;&lt;p&gt;Plik &amp;gt; „%1” (Ctrl+S) zapisuje firmy do pliku tekstowego, „%2” (Ctrl+E) zapisuje każdy wiersz jako CSV, a „%3” jako skoroszyt programu Excel, którego komórki zachowują liczby i daty bez zmian. Menu każdego z drzew kopiuje wiersz lub całe drzewo, a menu listy szczegółów kopiuje jej wartości.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Screening&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; imports a sanctions or watch list you keep (FollowTheMoney JSON lines or its simple CSV) and shows the versions imported. Every firm found is then checked against the newest version of each list, by INN, OGRN and KPP and by name across scripts. A red square flag marks a firm matched by a number, an amber pointed flag one matched by name, in both trees; the query row counts the firms marked, and a firm&apos;s details show a &quot;%2&quot; section with the list, the entity, its topics, what matched and the score. The status bar names the list versions in use, or says &quot;%3&quot;. Each check is recorded with the versions it was screened against and its matches; a check opened from History shows those, not a screening against today&apos;s lists.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Weryfikacja&lt;/h3&gt;&lt;p&gt;Plik &amp;gt; „%1” importuje prowadzoną przez Ciebie listę sankcyjną lub obserwacyjną (wiersze JSON FollowTheMoney lub jej prosty CSV) i pokazuje zaimportowane wersje. Każda znaleziona firma jest następnie sprawdzana wobec najnowszej wersji każdej listy, według INN, OGRN i KPP oraz według nazwy w różnych alfabetach. Czerwona kwadratowa flaga oznacza firmę znalezioną po numerze, bursztynowa spiczasta flaga firmę znalezioną po nazwie, w obu drzewach; wiersz zapytania liczy oznaczone firmy, a szczegóły firmy pokazują sekcję „%2” z listą, podmiotem, jego tematami, tym, co się zgodziło, i wynikiem. Pasek stanu podaje używane wersje list albo mówi „%3”. Każde sprawdzenie jest zapisywane z wersjami, wobec których je zweryfikowano, i jego trafieniami; sprawdzenie otwarte z Historii pokazuje je, a nie weryfikację wobec dzisiejszych list.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>window::Screening</name>
    <message>
        <source>%1 version %2 (%3 entities, imported %4)</source>
        <translation>%1 wersja %2 (podmiotów: %3, zaimportowano %4)</translation>
    </message>
</context>
<context>
    <name>window::ScreeningListsDialog</name>
    <message>
        <source>Imported %1.</source>
        <translation>Zaimportowano: %1.</translation>
    </message>
    <message>
        <source>%1 malformed lines skipped (lines %2).</source>
        <translation>Pominięto błędnych wierszy: %1 (wiersze %2).</translation>
    </message>
    <message>
        <source>Nothing imported: the newest version of %1 is this file already.</source>
        <translation>Nic nie zaimportowano: najnowsza wersja %1 to już ten plik.</translation>
    </message>
    <message>
        <source>Not imported: %1</source>
        <translation>Nie zaimportowano: %1</translation>
    </message>
    <message>
        <source>Screening lists</source>
        <translation>Listy weryfikacyjne</translation>
    </message>
    <message>
        <source>Screening index: %1</source>
        <translation>Indeks weryfikacji: %1</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Lista</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Wersja</translation>
    </message>
    <message>
        <source>Entities</source>
        <translation>Podmioty</translation>
    </message>
    <message>
        <source>Imported</source>
        <translation>Zaimportowano</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importuj...</translation>
    </message>
    <message>
        <source>Import a screening list</source>
        <translation>Importuj listę weryfikacyjną</translation>
    </message>
    <message>
        <source>Screening lists (*.json *.jsonl *.ndjson *.csv);;All files (*)</source>
        <translation>Listy weryfikacyjne (*.json *.jsonl *.ndjson *.csv);;Wszystkie pliki (*)</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importowanie %1...</translation>
    </message>
</context>
</TS>
