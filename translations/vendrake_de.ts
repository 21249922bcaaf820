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
        <translation>Alle Regionen Russlands</translation>
    </message>
    <message>
        <source>Moscow</source>
        <translation>Moskau</translation>
    </message>
    <message>
        <source>St. Petersburg</source>
        <translation>Sankt Petersburg</translation>
    </message>
    <message>
        <source>Республика Адыгея</source>
        <translation>Republik Adygea</translation>
    </message>
    <message>
        <source>Республика Башкортостан</source>
        <translation>Republik Bashkortostan</translation>
    </message>
    <message>
        <source>Республика Бурятия</source>
        <translation>Republik Buryatia</translation>
    </message>
    <message>
        <source>Республика Алтай</source>
        <translation>Republik Altai</translation>
    </message>
    <message>
        <source>Республика Дагестан</source>
        <translation>Republik Dagestan</translation>
    </message>
    <message>
        <source>Республика Ингушетия</source>
        <translation>Republik Ingushetia</translation>
    </message>
    <message>
        <source>Республика Кабардино-Балкария</source>
        <translation>Republik Kabardino-Balkaria</translation>
    </message>
    <message>
        <source>Республика Калмыкия</source>
        <translation>Republik Kalmykia</translation>
    </message>
    <message>
        <source>Карачаево-Черкесская республика</source>
        <translation>Republik Karachay-Cherkessia</translation>
    </message>
    <message>
        <source>Республика Карелия</source>
        <translation>Republik Karelia</translation>
    </message>
    <message>
        <source>Республика Коми</source>
        <translation>Republik Komi</translation>
    </message>
    <message>
        <source>Республика Марий-Эл</source>
        <translation>Republik Mari El</translation>
    </message>
    <message>
        <source>Республика Мордовия</source>
        <translation>Republik Mordovia</translation>
    </message>
    <message>
        <source>Республика Саха (Якутия)</source>
        <translation>Republik Sakha (Yakutia)</translation>
    </message>
    <message>
        <source>Республика Северная Осетия-Алания</source>
        <translation>Republik North Ossetia-Alania</translation>
    </message>
    <message>
        <source>Республика Татарстан</source>
        <translation>Republik Tatarstan</translation>
    </message>
    <message>
        <source>Республика Тыва</source>
        <translation>Republik Tuva</translation>
    </message>
    <message>
        <source>Удмуртская Республика</source>
        <translation>Republik Udmurtia</translation>
    </message>
    <message>
        <source>Республика Хакасия</source>
        <translation>Republik Khakassia</translation>
    </message>
    <message>
        <source>Чеченская Республика</source>
        <translation>Republik Chechnya</translation>
    </message>
    <message>
        <source>Чувашская Республика-Чаваш республики</source>
        <translation>Republik Chuvashia</translation>
    </message>
    <message>
        <source>Алтайский край</source>
        <translation>Region Altai</translation>
    </message>
    <message>
        <source>Краснодарский край</source>
        <translation>Region Krasnodar</translation>
    </message>
    <message>
        <source>Красноярский край</source>
        <translation>Region Krasnoyarsk</translation>
    </message>
    <message>
        <source>Приморский край</source>
        <translation>Region Primorye</translation>
    </message>
    <message>
        <source>Ставропольский край</source>
        <translation>Region Stavropol</translation>
    </message>
    <message>
        <source>Хабаровский край</source>
        <translation>Region Khabarovsk</translation>
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
        <translation>Oblast Moskau</translation>
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
        <translation>Jüdische Autonome Oblast</translation>
    </message>
    <message>
        <source>Агинский Бурятский автономный округ</source>
        <translation>Autonomer Kreis Agin-Buryat</translation>
    </message>
    <message>
        <source>Коми-Пермяцкий автономный округ</source>
        <translation>Autonomer Kreis Komi-Permyak</translation>
    </message>
    <message>
        <source>Корякский автономный округ</source>
        <translation>Autonomer Kreis Koryak</translation>
    </message>
    <message>
        <source>Ненецкий автономный округ</source>
        <translation>Autonomer Kreis Nenets</translation>
    </message>
    <message>
        <source>Таймырский (Долгано-Ненецкий) автономный округ</source>
        <translation>Autonomer Kreis Taymyr (Dolgan-Nenets)</translation>
    </message>
    <message>
        <source>Усть-Ордынский Бурятский автономный округ</source>
        <translation>Autonomer Kreis Ust-Orda Buryat</translation>
    </message>
    <message>
        <source>Ханты-Мансийский автономный округ</source>
        <translation>Autonomer Kreis Khanty-Mansi</translation>
    </message>
    <message>
        <source>Чукотский автономный округ</source>
        <translation>Autonomer Kreis Chukotka</translation>
    </message>
    <message>
        <source>Эвенкийский автономный округ</source>
        <translation>Autonomer Kreis Evenk</translation>
    </message>
    <message>
        <source>Ямало-Ненецкий автономный округ</source>
        <translation>Autonomer Kreis Yamalo-Nenets</translation>
    </message>
</context>
<context>
    <name>ServiceMessage</name>
    <message>
        <source>На сегодняшний день Ваш лимит запросов исчерпан</source>
        <translation>Ihr Abfragelimit für heute ist erschöpft</translation>
    </message>
    <message>
        <source>Записей не найдено</source>
        <translation>Keine Einträge gefunden</translation>
    </message>
    <message>
        <source>Ошибка:</source>
        <translation>Fehler:</translation>
    </message>
    <message>
        <source>Найдено:0</source>
        <translation>Gefunden: 0</translation>
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
    <message>
        <source>Give it as HOST, HOST:PORT or http://HOST[:PORT]/ (for example register.example:8080).</source>
        <translation>Geben Sie sie als HOST, HOST:PORT oder http://HOST[:PORT]/ an (zum Beispiel register.example:8080).</translation>
    </message>
    <message>
        <source>The host is empty.</source>
        <translation>Der Host ist leer.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or address.</source>
        <translation>„%1“ ist kein Hostname und keine Adresse.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>Der Port „%1“ ist keine Zahl von 1 bis 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names port %2, the port field %3: give one port.</source>
        <translation>„%1“ nennt Port %2, das Portfeld %3: Geben Sie einen Port an.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a plain HTTP address. %2</source>
        <translation>„%1“ ist keine einfache HTTP-Adresse. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a path; the service is always at its root. %2</source>
        <translation>„%1“ enthält einen Pfad; der Dienst liegt immer im Stammverzeichnis. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lacks the closing &quot;]&quot;.</source>
        <translation>Bei „%1“ fehlt die schließende „]“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not HOST or HOST:PORT.</source>
        <translation>„%1“ ist weder HOST noch HOST:PORT.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ends with &quot;:&quot; but gives no port.</source>
        <translation>„%1“ endet mit „:“, nennt aber keinen Port.</translation>
    </message>
    <message>
        <source>The setting %1=&quot;%2&quot; is not a service address: %3</source>
        <translation>Die Einstellung %1=„%2“ ist keine Dienstadresse: %3</translation>
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
    <name>window::ArchiveSearchDialog</name>
    <message>
        <source>Search the archive</source>
        <translation>Archiv durchsuchen</translation>
    </message>
    <message>
        <source>Name, INN or OGRN</source>
        <translation>Name, INN oder OGRN</translation>
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
        <translation>Zuletzt gesehen</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Abfrage</translation>
    </message>
</context>
<context>
    <name>window::HistoryPanel</name>
    <message>
        <source>Firms found</source>
        <translation>Firmen gefunden</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Nicht gesendet: %1</translation>
    </message>
    <message>
        <source>Not checked (daily limit)</source>
        <translation>Nicht geprüft (Tageslimit)</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Text, INN or OGRN</source>
        <translation>Text, INN oder OGRN</translation>
    </message>
    <message>
        <source>from YYYY-MM-DD</source>
        <translation>von JJJJ-MM-TT</translation>
    </message>
    <message>
        <source>to YYYY-MM-DD</source>
        <translation>bis JJJJ-MM-TT</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Kriterien</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Firms</source>
        <translation>Firmen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Erneut prüfen</translation>
    </message>
    <message>
        <source>History (nothing is recorded)</source>
        <translation>Verlauf (es wird nichts aufgezeichnet)</translation>
    </message>
</context>
<context>
    <name>window::MainWindow</name>
    <message>
        <source>About Vendrake</source>
        <translation type="vanished">Über Vendrake</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Quillmarsh</source>
        <translation type="vanished">&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Sucht juristische Personen im russischen Staatsregister und zeigt sie in Ihrer Sprache an.&lt;br&gt;&lt;br&gt;Quillmarsh</translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="vanished">Exportieren</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation type="vanished">CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>Vendrake</source>
        <translation>Vendrake</translation>
    </message>
    <message>
        <source>dd.mm.yyyy</source>
        <translation type="vanished">TT.MM.JJJJ</translation>
    </message>
    <message>
        <source>...</source>
        <translation type="vanished">...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation type="vanished">Datum wählen</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation type="vanished"> Daten eingeben </translation>
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
        <translation type="vanished">Adresse:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="vanished">Adresse</translation>
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
        <translation type="vanished"> Abfrageparameter </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation type="vanished">Sprache der Transliteration</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation type="vanished">Sprache der Übersetzung</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation type="vanished">Diese Angaben werden abgefragt</translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="vanished">Suchen</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation type="vanished">Abgefragter Name</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation type="vanished">Abgefragte Adresse</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation type="vanished">Abgefragte Region</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation type="vanished">Abgefragtes Datum</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation type="vanished">Abgefragte OGRN/INN</translation>
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
        <translation type="vanished">Daten eingeben</translation>
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
        <translation type="vanished">Die Prüfziffer dieser OGRN stimmt nicht</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation type="vanished">Die Prüfziffer dieser INN stimmt nicht</translation>
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
        <source>the register service at %1 does not answer: %2</source>
        <translation>der Registerdienst unter %1 antwortet nicht: %2</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation type="vanished">Wird geprüft...</translation>
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
    <message>
        <source>%1 The default address %2 is used; set another under File &gt; &quot;Register service...&quot;.</source>
        <translation>%1 Die Standardadresse %2 wird verwendet; legen Sie eine andere unter Datei &gt; „Registerdienst...“ fest.</translation>
    </message>
    <message>
        <source>Progress of the search</source>
        <translation>Fortschritt der Suche</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation type="vanished">Das Register antwortet nur auf Namen in kyrillischen Buchstaben: Wählen Sie „Русский“ für einen kyrillisch eingegebenen Namen oder „Latin to Russian“ für einen in lateinischen Buchstaben.</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation type="vanished">„%1“ ist kein Datum. Geben Sie das Datum als TT.MM.JJJJ an, zum Beispiel 14.03.2002.</translation>
    </message>
    <message>
        <source>Checking: %1 of %2</source>
        <translation>Prüfung: %1 von %2</translation>
    </message>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>region</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>registration date</source>
        <translation>Registrierungsdatum</translation>
    </message>
    <message>
        <source>INN/OGRN</source>
        <translation>INN/OGRN</translation>
    </message>
    <message>
        <source>New since the check of %1</source>
        <translation>Neu seit der Prüfung vom %1</translation>
    </message>
    <message>
        <source>Changed since the check of %1: %2</source>
        <translation>Geändert seit der Prüfung vom %1: %2</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>Nicht aufgezeichnet: %1</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Archiv</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Search the archive...</source>
        <translation>Archiv durchsuchen...</translation>
    </message>
    <message>
        <source>Export report...</source>
        <translation>Bericht exportieren...</translation>
    </message>
    <message>
        <source>%1 (as of %2)</source>
        <translation>%1 (Stand %2)</translation>
    </message>
    <message>
        <source>Stored check of %1.</source>
        <translation>Gespeicherte Prüfung vom %1.</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation type="vanished">PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Report written to %1</source>
        <translation>Bericht in %1 geschrieben</translation>
    </message>
    <message>
        <source>A report is still being written; export again once it is done.</source>
        <translation>Ein Bericht wird noch geschrieben; exportieren Sie erneut, sobald er fertig ist.</translation>
    </message>
    <message>
        <source>The report is being written to %1...</source>
        <translation>Der Bericht wird in %1 geschrieben...</translation>
    </message>
    <message>
        <source>No firms to save.</source>
        <translation>Keine Firmen zu speichern.</translation>
    </message>
    <message>
        <source>No firms to save; %1 is left as it was.</source>
        <translation>Keine Firmen zu speichern; %1 bleibt unverändert.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more; &quot;%3&quot; is used instead.</source>
        <translation>%1: „%2“ ist nicht mehr installiert; stattdessen wird „%3“ verwendet.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more.</source>
        <translation>%1: „%2“ ist nicht mehr installiert.</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>Export to Excel...</source>
        <translation>Nach Excel exportieren...</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Excel-Arbeitsmappe (*.xlsx)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Nach %1 exportiert</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy all data</source>
        <translation>Alle Daten kopieren</translation>
    </message>
    <message>
        <source>Open in History</source>
        <translation>Im Verlauf öffnen</translation>
    </message>
    <message>
        <source>Find again</source>
        <translation>Erneut suchen</translation>
    </message>
    <message>
        <source>Checked %1 queries; %2 lines skipped</source>
        <translation>%1 Abfragen geprüft; %2 Zeilen übersprungen</translation>
    </message>
    <message>
        <source>Checked %1 queries: %2 failed; %3 lines skipped</source>
        <translation>%1 Abfragen geprüft: %2 fehlgeschlagen; %3 Zeilen übersprungen</translation>
    </message>
    <message>
        <source>%1 checks wait to be recorded: another program holds the archive locked</source>
        <translation>%1 Prüfungen warten auf die Aufzeichnung: ein anderes Programm hält das Archiv gesperrt</translation>
    </message>
    <message>
        <source>%1 checks that waited are recorded now</source>
        <translation>%1 wartende Prüfungen sind jetzt aufgezeichnet</translation>
    </message>
    <message>
        <source>Screening: %1</source>
        <translation>Screening: %1</translation>
    </message>
    <message>
        <source>Screening: no list loaded</source>
        <translation>Screening: keine Liste geladen</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 Version %2</translation>
    </message>
    <message>
        <source>%1 (INN %2): %3 version %4, %5 (%6): %7</source>
        <translation>%1 (INN %2): %3 Version %4, %5 (%6): %7</translation>
    </message>
    <message>
        <source>Screening lists...</source>
        <translation>Screening-Listen...</translation>
    </message>
    <message>
        <source>Stored check of %1, %2.</source>
        <translation>Gespeicherte Prüfung vom %1, %2.</translation>
    </message>
    <message>
        <source>Recorded unscreened: %1</source>
        <translation>Ohne Screening aufgezeichnet: %1</translation>
    </message>
    <message>
        <source>screened against no list</source>
        <translation>gegen keine Liste geprüft</translation>
    </message>
    <message>
        <source>screened against %1</source>
        <translation>geprüft gegen %1</translation>
    </message>
    <message>
        <source>%1 version %2, SHA-256 %3</source>
        <translation>%1 Version %2, SHA-256 %3</translation>
    </message>
</context>
<context>
    <name>window::QueryEntry</name>
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
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation>Das Register antwortet nur auf Namen in kyrillischen Buchstaben: Wählen Sie „Русский“ für einen kyrillisch eingegebenen Namen oder „Latin to Russian“ für einen in lateinischen Buchstaben.</translation>
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
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation>„%1“ ist kein Datum. Geben Sie das Datum als TT.MM.JJJJ an, zum Beispiel 14.03.2002.</translation>
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
        <translation>, Name: </translation>
    </message>
    <message>
        <source>, Адрес: </source>
        <translation>, Adresse: </translation>
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
        <translation>Suche nach eingegebenen Daten...(</translation>
    </message>
</context>
<context>
    <name>window::ReportPdf</name>
    <message>
        <source>Register check report</source>
        <translation>Bericht zur Registerprüfung</translation>
    </message>
    <message>
        <source>Checked at</source>
        <translation>Geprüft am</translation>
    </message>
    <message>
        <source>Service address</source>
        <translation>Dienstadresse</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Kriterien</translation>
    </message>
    <message>
        <source>Pane language</source>
        <translation>Sprache des Ergebnisbereichs</translation>
    </message>
    <message>
        <source>Archive record digest (SHA-256)</source>
        <translation>Prüfsumme des Archiveintrags (SHA-256)</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>nicht aufgezeichnet</translation>
    </message>
    <message>
        <source>No rows.</source>
        <translation>Keine Zeilen.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Umgewandelt</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>As received</source>
        <translation>Wie empfangen</translation>
    </message>
    <message>
        <source>Archive head</source>
        <translation>Archivkopf</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Time stamp</source>
        <translation>Zeitstempel</translation>
    </message>
    <message>
        <source>token from %1, not checked: no CA certificates are set (TsaCaFile)</source>
        <translation>Token von %1, nicht geprüft: keine CA-Zertifikate eingestellt (TsaCaFile)</translation>
    </message>
    <message>
        <source>token from %1, not checked: %2</source>
        <translation>Token von %1, nicht geprüft: %2</translation>
    </message>
    <message>
        <source>stamped by %1 at %2 (%3)</source>
        <translation>gestempelt von %1 am %2 (%3)</translation>
    </message>
    <message>
        <source>token from %1 does not hold: %2</source>
        <translation>Token von %1 ist ungültig: %2</translation>
    </message>
    <message>
        <source>not stamped yet</source>
        <translation>noch nicht gestempelt</translation>
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
        <translation>Nur die ersten Firmen der Liste werden angezeigt: Das Register hat sie gekürzt. Grenzen Sie die Suche ein, um die übrigen zu sehen.</translation>
    </message>
    <message>
        <source> — on watch lists: %1</source>
        <translation> — auf Beobachtungslisten: %1</translation>
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
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>Changed since the check of %1; it was: %2</source>
        <translation>Geändert seit der Prüfung vom %1; damals: %2</translation>
    </message>
    <message>
        <source>Changed since the check of %1; the values then:</source>
        <translation>Geändert seit der Prüfung vom %1; die damaligen Werte:</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Screening</translation>
    </message>
    <message>
        <source>Matches: %1 (by number among them)</source>
        <translation>Treffer: %1 (darunter nach Nummer)</translation>
    </message>
    <message>
        <source>Matches: %1 (by name)</source>
        <translation>Treffer: %1 (nach Name)</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 Version %2</translation>
    </message>
    <message>
        <source>Entity</source>
        <translation>Eintrag</translation>
    </message>
    <message>
        <source>Topics</source>
        <translation>Themen</translation>
    </message>
    <message>
        <source>What matched</source>
        <translation>Was übereinstimmte</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Wert</translation>
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
<context>
    <name>window::ShownReason</name>
    <message>
        <source>, records found: </source>
        <translation>, gefundene Einträge: </translation>
    </message>
    <message>
        <source>check digit does not match (%1)</source>
        <translation>Prüfziffer stimmt nicht (%1)</translation>
    </message>
    <message>
        <source>not checked: the daily request limit is used up</source>
        <translation>nicht geprüft: das tägliche Anfragelimit ist ausgeschöpft</translation>
    </message>
    <message>
        <source>no answer in time</source>
        <translation>keine Antwort in der Zeit</translation>
    </message>
    <message>
        <source>cannot find the host %1</source>
        <translation>Host %1 nicht gefunden</translation>
    </message>
    <message>
        <source>cannot connect to the proxy %1</source>
        <translation>keine Verbindung zum Proxy %1</translation>
    </message>
    <message>
        <source>cannot connect to %1</source>
        <translation>keine Verbindung zu %1</translation>
    </message>
    <message>
        <source>cannot find the proxy host %1</source>
        <translation>Proxy-Host %1 nicht gefunden</translation>
    </message>
    <message>
        <source>the proxy %1 asks for a password</source>
        <translation>der Proxy %1 verlangt ein Passwort</translation>
    </message>
    <message>
        <source>the proxy %1 failed</source>
        <translation>der Proxy %1 ist gescheitert</translation>
    </message>
    <message>
        <source>cannot decode the answer</source>
        <translation>die Antwort kann nicht dekodiert werden</translation>
    </message>
    <message>
        <source>the connection broke</source>
        <translation>die Verbindung ist abgebrochen</translation>
    </message>
    <message>
        <source>the connection closed without an answer</source>
        <translation>die Verbindung wurde ohne Antwort geschlossen</translation>
    </message>
    <message>
        <source>the answer ended early</source>
        <translation>die Antwort endete zu früh</translation>
    </message>
    <message>
        <source>too many redirects</source>
        <translation>zu viele Weiterleitungen</translation>
    </message>
    <message>
        <source>unreadable answer from %1</source>
        <translation>unlesbare Antwort von %1</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>kein Speicher mehr</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>answer larger than %1</source>
        <translation>Antwort größer als %1</translation>
    </message>
    <message>
        <source>too many result pages</source>
        <translation>zu viele Ergebnisseiten</translation>
    </message>
    <message>
        <source>the register&apos;s answer was not recognised</source>
        <translation>die Antwort des Registers wurde nicht erkannt</translation>
    </message>
    <message>
        <source>too many rows (a result page may hold %1)</source>
        <translation>zu viele Zeilen (eine Ergebnisseite darf %1 enthalten)</translation>
    </message>
</context>
<context>
    <name>window::UserGuideDialog</name>
    <message>
        <source>&lt;h3&gt;Searching&lt;/h3&gt;&lt;p&gt;Type a name, an address, a region, a registration date (dd.mm.yyyy) or an OGRN or INN under &quot;Enter data&quot; and press &lt;b&gt;Find&lt;/b&gt; or Enter. The fields on the right show what is sent to the register. The register answers only to Cyrillic: choose &quot;Русский&quot; as the language of transliteration for a name typed in Russian, or &quot;Latin to Russian&quot; for a name written in Latin letters.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Suchen&lt;/h3&gt;&lt;p&gt;Geben Sie unter „Daten eingeben“ einen Namen, eine Adresse, eine Region, ein Registrierungsdatum (TT.MM.JJJJ) oder eine OGRN oder INN ein und drücken Sie &lt;b&gt;Suchen&lt;/b&gt; oder die Eingabetaste. Die Felder rechts zeigen, was an das Register gesendet wird. Das Register antwortet nur auf Kyrillisch: Wählen Sie „Русский“ als Sprache der Transliteration für einen russisch eingegebenen Namen oder „Latin to Russian“ für einen in lateinischen Buchstaben geschriebenen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Results&lt;/h3&gt;&lt;p&gt;Each query is a row of the left tree, with the firms, the register&apos;s messages and failures under it. The right tree shows the same rows converted into the language chosen above it, with the dictionary chosen as &quot;Language of translation&quot;. Click a firm to read its ten fields below both trees.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Ergebnisse&lt;/h3&gt;&lt;p&gt;Jede Abfrage ist eine Zeile des linken Baums, darunter die Firmen, die Meldungen des Registers und Fehler. Der rechte Baum zeigt dieselben Zeilen in der darüber gewählten Sprache, mit dem als „Sprache der Übersetzung“ gewählten Wörterbuch. Klicken Sie auf eine Firma, um ihre zehn Felder unter beiden Bäumen zu lesen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Lists&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;Загрузить данные&quot; (Ctrl+O) checks a text file with one name or number per line. The status bar counts the lines checked; &quot;Stop&quot; (Escape) ends the run and keeps what was found.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Listen&lt;/h3&gt;&lt;p&gt;Datei &amp;gt; „Daten laden“ (Strg+O) prüft eine Textdatei mit einem Namen oder einer Nummer pro Zeile. Die Statusleiste zählt die geprüften Zeilen; „Anhalten“ (Esc) beendet den Lauf und behält das Gefundene.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;&quot;Save...&quot; (Ctrl+S) writes the firms to a text file, &quot;Export&quot; (Ctrl+E) writes every row as CSV, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation type="vanished">&lt;h3&gt;Ergebnisse behalten&lt;/h3&gt;&lt;p&gt;„Speichern...“ (Strg+S) schreibt die Firmen in eine Textdatei, „Exportieren“ (Strg+E) schreibt jede Zeile als CSV, und das Menü einer Detailliste kopiert ihre Werte.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Connection&lt;/h3&gt;&lt;p&gt;&quot;Proxy...&quot; sets an HTTP proxy; &quot;Register service...&quot; sets the address of the register&apos;s mirror and tests it.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Verbindung&lt;/h3&gt;&lt;p&gt;„Proxy...“ legt einen HTTP-Proxy fest; „Registerdienst...“ legt die Adresse des Registerspiegels fest und testet sie.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Register service in use: %2&lt;br&gt;&lt;br&gt;Licence: proprietary; all rights reserved by Quillmarsh.</source>
        <translation>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Sucht juristische Personen im russischen staatlichen Register und zeigt sie in Ihrer Sprache.&lt;br&gt;&lt;br&gt;Verwendeter Registerdienst: %2&lt;br&gt;&lt;br&gt;Lizenz: proprietär; alle Rechte bei Quillmarsh.</translation>
    </message>
    <message>
        <source>Vendrake user guide</source>
        <translation type="vanished">Vendrake-Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Archive&lt;/h3&gt;&lt;p&gt;Every query is kept in the archive on this computer. Archive &amp;gt; &quot;History&quot; (Ctrl+H) lists past checks: open one to see what the register said then, without a request, or check it again. &quot;Search the archive...&quot; (Ctrl+Shift+F) finds every firm seen before by name, INN or OGRN. A firm that changed since the previous check of the same query is marked; its details mark the fields that changed and show, under them, their values at that check. &quot;Export report...&quot; writes the query shown as a PDF.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Archiv&lt;/h3&gt;&lt;p&gt;Jede Abfrage wird im Archiv auf diesem Computer aufbewahrt. Archiv &amp;gt; „Verlauf“ (Strg+H) listet frühere Prüfungen: Öffnen Sie eine, um ohne Anfrage zu sehen, was das Register damals sagte, oder prüfen Sie sie erneut. „Archiv durchsuchen...“ (Strg+Umschalt+F) findet jede schon gesehene Firma nach Name, INN oder OGRN. Eine Firma, die sich seit der vorigen Prüfung derselben Abfrage geändert hat, ist markiert; ihre Details markieren die geänderten Felder und zeigen darunter deren Werte bei jener Prüfung. „Bericht exportieren...“ schreibt die gezeigte Abfrage als PDF.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; (Ctrl+S) writes the firms to a text file, &quot;%2&quot; (Ctrl+E) writes every row as CSV and &quot;%3&quot; as an Excel workbook whose cells keep numbers and dates as they are. The menu of either tree copies a row or the whole tree, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Ergebnisse behalten&lt;/h3&gt;&lt;p&gt;Datei &amp;gt; „%1“ (Strg+S) schreibt die Firmen in eine Textdatei, „%2“ (Strg+E) schreibt jede Zeile als CSV und „%3“ als Excel-Arbeitsmappe, deren Zellen Zahlen und Daten so behalten, wie sie sind. Das Menü beider Bäume kopiert eine Zeile oder den ganzen Baum, und das Menü einer Detailliste kopiert ihre Werte.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Screening&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; imports a sanctions or watch list you keep (FollowTheMoney JSON lines or its simple CSV) and shows the versions imported. Every firm found is then checked against the newest version of each list, by INN, OGRN and KPP and by name across scripts. A red square flag marks a firm matched by a number, an amber pointed flag one matched by name, in both trees; the query row counts the firms marked, and a firm&apos;s details show a &quot;%2&quot; section with the list, the entity, its topics, what matched and the score. The status bar names the list versions in use, or says &quot;%3&quot;. Each check is recorded with the versions it was screened against and its matches; a check opened from History shows those, not a screening against today&apos;s lists.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Screening&lt;/h3&gt;&lt;p&gt;Datei &amp;gt; „%1“ importiert eine Sanktions- oder Beobachtungsliste, die Sie führen (FollowTheMoney-JSON-Zeilen oder deren einfaches CSV), und zeigt die importierten Versionen. Jede gefundene Firma wird dann gegen die neueste Version jeder Liste geprüft, nach INN, OGRN und KPP und nach dem Namen über Schriften hinweg. Eine rote eckige Fahne markiert eine über eine Nummer gefundene Firma, eine gelbe spitze Fahne eine über den Namen gefundene, in beiden Bäumen; die Abfragezeile zählt die markierten Firmen, und die Details einer Firma zeigen einen Abschnitt „%2“ mit Liste, Eintrag, Themen, Übereinstimmung und Wert. Die Statusleiste nennt die verwendeten Listenversionen oder meldet „%3“. Jede Prüfung wird mit den Versionen, gegen die sie geprüft wurde, und ihren Treffern aufgezeichnet; eine aus dem Verlauf geöffnete Prüfung zeigt diese, nicht ein Screening gegen die heutigen Listen.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>window::Screening</name>
    <message>
        <source>%1 version %2 (%3 entities, imported %4)</source>
        <translation>%1 Version %2 (%3 Einträge, importiert %4)</translation>
    </message>
</context>
<context>
    <name>window::ScreeningListsDialog</name>
    <message>
        <source>Imported %1.</source>
        <translation>Importiert: %1.</translation>
    </message>
    <message>
        <source>%1 malformed lines skipped (lines %2).</source>
        <translation>%1 fehlerhafte Zeilen übersprungen (Zeilen %2).</translation>
    </message>
    <message>
        <source>Nothing imported: the newest version of %1 is this file already.</source>
        <translation>Nichts importiert: die neueste Version von %1 ist bereits diese Datei.</translation>
    </message>
    <message>
        <source>Not imported: %1</source>
        <translation>Nicht importiert: %1</translation>
    </message>
    <message>
        <source>Screening lists</source>
        <translation>Screening-Listen</translation>
    </message>
    <message>
        <source>Screening index: %1</source>
        <translation>Screening-Index: %1</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Entities</source>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>Imported</source>
        <translation>Importiert</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importieren...</translation>
    </message>
    <message>
        <source>Import a screening list</source>
        <translation>Screening-Liste importieren</translation>
    </message>
    <message>
        <source>Screening lists (*.json *.jsonl *.ndjson *.csv);;All files (*)</source>
        <translation>Screening-Listen (*.json *.jsonl *.ndjson *.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>%1 wird importiert...</translation>
    </message>
</context>
</TS>
