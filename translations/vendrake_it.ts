<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="en">
<context>
    <name>FirmField</name>
    <message>
        <source>Название</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Indirizzo</translation>
    </message>
    <message>
        <source>ОГРН</source>
        <translation>ОГРН</translation>
    </message>
    <message>
        <source>Principal state registration number</source>
        <translation>Numero principale di registrazione statale</translation>
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
        <translation>Codice fiscale (INN)</translation>
    </message>
    <message>
        <source>КПП</source>
        <translation>КПП</translation>
    </message>
    <message>
        <source>Reason code of registration</source>
        <translation>Codice causale di registrazione (KPP)</translation>
    </message>
    <message>
        <source>Дата записи</source>
        <translation>Дата записи</translation>
    </message>
    <message>
        <source>Posting date</source>
        <translation>Data di iscrizione</translation>
    </message>
    <message>
        <source>Рег. орган</source>
        <translation>Рег. орган</translation>
    </message>
    <message>
        <source>Registration authority</source>
        <translation>Autorità di registrazione</translation>
    </message>
    <message>
        <source>Адрес органа</source>
        <translation>Адрес органа</translation>
    </message>
    <message>
        <source>Address of the authority</source>
        <translation>Indirizzo dell&apos;autorità</translation>
    </message>
    <message>
        <source>Регион</source>
        <translation>Регион</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Regione</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>The service answered with its search form (%1).</source>
        <translation>Il servizio ha risposto con il suo modulo di ricerca (%1).</translation>
    </message>
    <message>
        <source>The service answered, but %1 holds no search form: this does not look like a register mirror.</source>
        <translation>Il servizio ha risposto, ma %1 non contiene alcun modulo di ricerca: non sembra un mirror del registro.</translation>
    </message>
    <message>
        <source>No search form from %1: %2</source>
        <translation>Nessun modulo di ricerca da %1: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an http:// address; the register service is reached over plain HTTP.</source>
        <translation>«%1» non è un indirizzo http://; il servizio del registro si raggiunge via HTTP semplice.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names the page &quot;%2&quot;: give only the host and, if needed, the port.</source>
        <translation>«%1» indica la pagina «%2»: indica solo l&apos;host e, se serve, la porta.</translation>
    </message>
    <message>
        <source>The host box gives port %1 and the port box %2.</source>
        <translation>Il campo dell&apos;host indica la porta %1 e il campo della porta %2.</translation>
    </message>
    <message>
        <source>The register service&apos;s address is still the placeholder &quot;%1&quot;: set the address of a register mirror with File &gt; &quot;Register service...&quot;.</source>
        <translation>L&apos;indirizzo del servizio del registro è ancora il segnaposto «%1»: imposta l&apos;indirizzo di un mirror del registro con File &gt; «Servizio del registro...».</translation>
    </message>
</context>
<context>
    <name>Region</name>
    <message>
        <source>All regions of Russia</source>
        <translation>Tutte le regioni della Russia</translation>
    </message>
    <message>
        <source>Moscow</source>
        <translation>Mosca</translation>
    </message>
    <message>
        <source>St. Petersburg</source>
        <translation>San Pietroburgo</translation>
    </message>
    <message>
        <source>Республика Адыгея</source>
        <translation>Repubblica di Adygea</translation>
    </message>
    <message>
        <source>Республика Башкортостан</source>
        <translation>Repubblica di Bashkortostan</translation>
    </message>
    <message>
        <source>Республика Бурятия</source>
        <translation>Repubblica di Buryatia</translation>
    </message>
    <message>
        <source>Республика Алтай</source>
        <translation>Repubblica di Altai</translation>
    </message>
    <message>
        <source>Республика Дагестан</source>
        <translation>Repubblica di Dagestan</translation>
    </message>
    <message>
        <source>Республика Ингушетия</source>
        <translation>Repubblica di Ingushetia</translation>
    </message>
    <message>
        <source>Республика Кабардино-Балкария</source>
        <translation>Repubblica di Kabardino-Balkaria</translation>
    </message>
    <message>
        <source>Республика Калмыкия</source>
        <translation>Repubblica di Kalmykia</translation>
    </message>
    <message>
        <source>Карачаево-Черкесская республика</source>
        <translation>Repubblica di Karachay-Cherkessia</translation>
    </message>
    <message>
        <source>Республика Карелия</source>
        <translation>Repubblica di Karelia</translation>
    </message>
    <message>
        <source>Республика Коми</source>
        <translation>Repubblica di Komi</translation>
    </message>
    <message>
        <source>Республика Марий-Эл</source>
        <translation>Repubblica di Mari El</translation>
    </message>
    <message>
        <source>Республика Мордовия</source>
        <translation>Repubblica di Mordovia</translation>
    </message>
    <message>
        <source>Республика Саха (Якутия)</source>
        <translation>Repubblica di Sakha (Yakutia)</translation>
    </message>
    <message>
        <source>Республика Северная Осетия-Алания</source>
        <translation>Repubblica di North Ossetia-Alania</translation>
    </message>
    <message>
        <source>Республика Татарстан</source>
        <translation>Repubblica di Tatarstan</translation>
    </message>
    <message>
        <source>Республика Тыва</source>
        <translation>Repubblica di Tuva</translation>
    </message>
    <message>
        <source>Удмуртская Республика</source>
        <translation>Repubblica di Udmurtia</translation>
    </message>
    <message>
        <source>Республика Хакасия</source>
        <translation>Repubblica di Khakassia</translation>
    </message>
    <message>
        <source>Чеченская Республика</source>
        <translation>Repubblica di Chechnya</translation>
    </message>
    <message>
        <source>Чувашская Республика-Чаваш республики</source>
        <translation>Repubblica di Chuvashia</translation>
    </message>
    <message>
        <source>Алтайский край</source>
        <translation>Territorio di Altai</translation>
    </message>
    <message>
        <source>Краснодарский край</source>
        <translation>Territorio di Krasnodar</translation>
    </message>
    <message>
        <source>Красноярский край</source>
        <translation>Territorio di Krasnoyarsk</translation>
    </message>
    <message>
        <source>Приморский край</source>
        <translation>Territorio di Primorye</translation>
    </message>
    <message>
        <source>Ставропольский край</source>
        <translation>Territorio di Stavropol</translation>
    </message>
    <message>
        <source>Хабаровский край</source>
        <translation>Territorio di Khabarovsk</translation>
    </message>
    <message>
        <source>Амурская область</source>
        <translation>Oblast di Amur</translation>
    </message>
    <message>
        <source>Архангельская область</source>
        <translation>Oblast di Arkhangelsk</translation>
    </message>
    <message>
        <source>Астраханская область</source>
        <translation>Oblast di Astrakhan</translation>
    </message>
    <message>
        <source>Белгородская область</source>
        <translation>Oblast di Belgorod</translation>
    </message>
    <message>
        <source>Брянская область</source>
        <translation>Oblast di Bryansk</translation>
    </message>
    <message>
        <source>Владимирская область</source>
        <translation>Oblast di Vladimir</translation>
    </message>
    <message>
        <source>Волгоградская область</source>
        <translation>Oblast di Volgograd</translation>
    </message>
    <message>
        <source>Вологодская область</source>
        <translation>Oblast di Vologda</translation>
    </message>
    <message>
        <source>Воронежская область</source>
        <translation>Oblast di Voronezh</translation>
    </message>
    <message>
        <source>Ивановская область</source>
        <translation>Oblast di Ivanovo</translation>
    </message>
    <message>
        <source>Иркутская область</source>
        <translation>Oblast di Irkutsk</translation>
    </message>
    <message>
        <source>Калининградская область</source>
        <translation>Oblast di Kaliningrad</translation>
    </message>
    <message>
        <source>Калужская область</source>
        <translation>Oblast di Kaluga</translation>
    </message>
    <message>
        <source>Камчатская область</source>
        <translation>Oblast di Kamchatka</translation>
    </message>
    <message>
        <source>Кемеровская область</source>
        <translation>Oblast di Kemerovo</translation>
    </message>
    <message>
        <source>Кировская область</source>
        <translation>Oblast di Kirov</translation>
    </message>
    <message>
        <source>Костромская область</source>
        <translation>Oblast di Kostroma</translation>
    </message>
    <message>
        <source>Курганская область</source>
        <translation>Oblast di Kurgan</translation>
    </message>
    <message>
        <source>Курская область</source>
        <translation>Oblast di Kursk</translation>
    </message>
    <message>
        <source>Ленинградская область</source>
        <translation>Oblast di Leningrad</translation>
    </message>
    <message>
        <source>Липецкая область</source>
        <translation>Oblast di Lipetsk</translation>
    </message>
    <message>
        <source>Магаданская область</source>
        <translation>Oblast di Magadan</translation>
    </message>
    <message>
        <source>Московская область</source>
        <translation>Oblast di Mosca</translation>
    </message>
    <message>
        <source>Мурманская область</source>
        <translation>Oblast di Murmansk</translation>
    </message>
    <message>
        <source>Нижегородская область</source>
        <translation>Oblast di Nizhny Novgorod</translation>
    </message>
    <message>
        <source>Новгородская область</source>
        <translation>Oblast di Novgorod</translation>
    </message>
    <message>
        <source>Новосибирская область</source>
        <translation>Oblast di Novosibirsk</translation>
    </message>
    <message>
        <source>Омская область</source>
        <translation>Oblast di Omsk</translation>
    </message>
    <message>
        <source>Оренбургская область</source>
        <translation>Oblast di Orenburg</translation>
    </message>
    <message>
        <source>Орловская область</source>
        <translation>Oblast di Oryol</translation>
    </message>
    <message>
        <source>Пензенская область</source>
        <translation>Oblast di Penza</translation>
    </message>
    <message>
        <source>Пермская область</source>
        <translation>Oblast di Perm</translation>
    </message>
    <message>
        <source>Псковская область</source>
        <translation>Oblast di Pskov</translation>
    </message>
    <message>
        <source>Ростовская область</source>
        <translation>Oblast di Rostov</translation>
    </message>
    <message>
        <source>Рязанская область</source>
        <translation>Oblast di Ryazan</translation>
    </message>
    <message>
        <source>Самарская область</source>
        <translation>Oblast di Samara</translation>
    </message>
    <message>
        <source>Саратовская область</source>
        <translation>Oblast di Saratov</translation>
    </message>
    <message>
        <source>Сахалинская область</source>
        <translation>Oblast di Sakhalin</translation>
    </message>
    <message>
        <source>Свердловская область</source>
        <translation>Oblast di Sverdlovsk</translation>
    </message>
    <message>
        <source>Смоленская область</source>
        <translation>Oblast di Smolensk</translation>
    </message>
    <message>
        <source>Тамбовская область</source>
        <translation>Oblast di Tambov</translation>
    </message>
    <message>
        <source>Тверская область</source>
        <translation>Oblast di Tver</translation>
    </message>
    <message>
        <source>Томская область</source>
        <translation>Oblast di Tomsk</translation>
    </message>
    <message>
        <source>Тульская область</source>
        <translation>Oblast di Tula</translation>
    </message>
    <message>
        <source>Тюменская область</source>
        <translation>Oblast di Tyumen</translation>
    </message>
    <message>
        <source>Ульяновская область</source>
        <translation>Oblast di Ulyanovsk</translation>
    </message>
    <message>
        <source>Челябинская область</source>
        <translation>Oblast di Chelyabinsk</translation>
    </message>
    <message>
        <source>Читинская область</source>
        <translation>Oblast di Chita</translation>
    </message>
    <message>
        <source>Ярославская область</source>
        <translation>Oblast di Yaroslavl</translation>
    </message>
    <message>
        <source>Еврейская автономная область</source>
        <translation>Oblast autonoma ebraica</translation>
    </message>
    <message>
        <source>Агинский Бурятский автономный округ</source>
        <translation>Circondario autonomo di Agin-Buryat</translation>
    </message>
    <message>
        <source>Коми-Пермяцкий автономный округ</source>
        <translation>Circondario autonomo di Komi-Permyak</translation>
    </message>
    <message>
        <source>Корякский автономный округ</source>
        <translation>Circondario autonomo di Koryak</translation>
    </message>
    <message>
        <source>Ненецкий автономный округ</source>
        <translation>Circondario autonomo di Nenets</translation>
    </message>
    <message>
        <source>Таймырский (Долгано-Ненецкий) автономный округ</source>
        <translation>Circondario autonomo di Taymyr (Dolgan-Nenets)</translation>
    </message>
    <message>
        <source>Усть-Ордынский Бурятский автономный округ</source>
        <translation>Circondario autonomo di Ust-Orda Buryat</translation>
    </message>
    <message>
        <source>Ханты-Мансийский автономный округ</source>
        <translation>Circondario autonomo di Khanty-Mansi</translation>
    </message>
    <message>
        <source>Чукотский автономный округ</source>
        <translation>Circondario autonomo di Chukotka</translation>
    </message>
    <message>
        <source>Эвенкийский автономный округ</source>
        <translation>Circondario autonomo di Evenk</translation>
    </message>
    <message>
        <source>Ямало-Ненецкий автономный округ</source>
        <translation>Circondario autonomo di Yamalo-Nenets</translation>
    </message>
</context>
<context>
    <name>ServiceMessage</name>
    <message>
        <source>На сегодняшний день Ваш лимит запросов исчерпан</source>
        <translation>Il limite di richieste per oggi è esaurito</translation>
    </message>
    <message>
        <source>Записей не найдено</source>
        <translation>Nessun record trovato</translation>
    </message>
    <message>
        <source>Ошибка:</source>
        <translation>Errore:</translation>
    </message>
    <message>
        <source>Найдено:0</source>
        <translation>Trovati: 0</translation>
    </message>
    <message>
        <source>Сервис временно недоступен, повторите запрос позже</source>
        <translation type="vanished">Il servizio è temporaneamente non disponibile, riprova più tardi</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>&apos;%1&apos; is not a valid boolean value</source>
        <translation>«%1» non è un valore booleano valido</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossibile aprire il file «%1». %2</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is larger than %2 bytes; the rest was not read</source>
        <translation>Il file «%1» supera i %2 byte; il resto non è stato letto</translation>
    </message>
    <message>
        <source>Give it as HOST, HOST:PORT or http://HOST[:PORT]/ (for example register.example:8080).</source>
        <translation>Indicalo come HOST, HOST:PORT o http://HOST[:PORT]/ (per esempio register.example:8080).</translation>
    </message>
    <message>
        <source>The host is empty.</source>
        <translation>L&apos;host è vuoto.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or address.</source>
        <translation>«%1» non è un nome host né un indirizzo.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>La porta «%1» non è un numero da 1 a 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names port %2, the port field %3: give one port.</source>
        <translation>«%1» indica la porta %2, il campo della porta %3: indica una sola porta.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a plain HTTP address. %2</source>
        <translation>«%1» non è un semplice indirizzo HTTP. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a path; the service is always at its root. %2</source>
        <translation>«%1» contiene un percorso; il servizio è sempre alla radice. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lacks the closing &quot;]&quot;.</source>
        <translation>A «%1» manca la «]» di chiusura.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not HOST or HOST:PORT.</source>
        <translation>«%1» non è né HOST né HOST:PORT.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ends with &quot;:&quot; but gives no port.</source>
        <translation>«%1» termina con «:» ma non indica una porta.</translation>
    </message>
    <message>
        <source>The setting %1=&quot;%2&quot; is not a service address: %3</source>
        <translation>L&apos;impostazione %1=«%2» non è un indirizzo del servizio: %3</translation>
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
        <translation>Proxy per l&apos;accesso a Internet</translation>
    </message>
    <message>
        <source>Use the system configuration</source>
        <translation>Usa la configurazione di sistema</translation>
    </message>
    <message>
        <source>Use proxy</source>
        <translation>Usa proxy</translation>
    </message>
    <message>
        <source>Proxy:</source>
        <translation>Proxy:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Porta:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Enter the proxy&apos;s host name or IP address.</source>
        <translation>Inserisci il nome host o l&apos;indirizzo IP del proxy.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name, an IPv4 address or an IPv6 address.</source>
        <translation>«%1» non è un nome host né un indirizzo IPv4 o IPv6.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>La porta «%1» non è un numero da 1 a 65535.</translation>
    </message>
</context>
<context>
    <name>window::ArchiveSearchDialog</name>
    <message>
        <source>Search the archive</source>
        <translation>Cerca nell&apos;archivio</translation>
    </message>
    <message>
        <source>Name, INN or OGRN</source>
        <translation>Nome, INN o OGRN</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
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
        <translation>Visto l&apos;ultima volta</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Richiesta</translation>
    </message>
</context>
<context>
    <name>window::HistoryPanel</name>
    <message>
        <source>Firms found</source>
        <translation>Aziende trovate</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Non riuscita: %1</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Non inviata: %1</translation>
    </message>
    <message>
        <source>Not checked (daily limit)</source>
        <translation>Non verificata (limite giornaliero)</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Cronologia</translation>
    </message>
    <message>
        <source>Text, INN or OGRN</source>
        <translation>Testo, INN o OGRN</translation>
    </message>
    <message>
        <source>from YYYY-MM-DD</source>
        <translation>dal AAAA-MM-GG</translation>
    </message>
    <message>
        <source>to YYYY-MM-DD</source>
        <translation>al AAAA-MM-GG</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Ora</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Criteri</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Esito</translation>
    </message>
    <message>
        <source>Firms</source>
        <translation>Aziende</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Apri</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Verifica di nuovo</translation>
    </message>
    <message>
        <source>History (nothing is recorded)</source>
        <translation>Cronologia (non viene registrato nulla)</translation>
    </message>
</context>
<context>
    <name>window::MainWindow</name>
    <message>
        <source>About Vendrake</source>
        <translation type="vanished">Informazioni su Vendrake</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Quillmarsh</source>
        <translation type="vanished">&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Cerca persone giuridiche nel registro statale russo e le mostra nella tua lingua.&lt;br&gt;&lt;br&gt;Quillmarsh</translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="vanished">Esporta</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation type="vanished">File CSV (*.csv)</translation>
    </message>
    <message>
        <source>Vendrake</source>
        <translation>Vendrake</translation>
    </message>
    <message>
        <source>dd.mm.yyyy</source>
        <translation type="vanished">gg.mm.aaaa</translation>
    </message>
    <message>
        <source>...</source>
        <translation type="vanished">...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation type="vanished">Scegli una data</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation type="vanished"> Inserisci i dati </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="vanished">Nome:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="vanished">Nome</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="vanished">Indirizzo:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="vanished">Indirizzo</translation>
    </message>
    <message>
        <source>Region:</source>
        <translation type="vanished">Regione:</translation>
    </message>
    <message>
        <source>Region</source>
        <translation type="vanished">Regione</translation>
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
        <translation type="vanished"> Parametri della richiesta </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation type="vanished">Lingua di traslitterazione</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation type="vanished">Lingua di traduzione</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation type="vanished">Verranno richiesti i dati seguenti</translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="vanished">Cerca</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation type="vanished">Nome richiesto</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation type="vanished">Indirizzo richiesto</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation type="vanished">Regione richiesta</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation type="vanished">Data richiesta</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation type="vanished">OGRN/INN richiesto</translation>
    </message>
    <message>
        <source>Search results in the original language</source>
        <translation type="vanished">Risultati nella lingua originale</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation type="vanished">Dettagli nella lingua originale</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation type="vanished">Risultati nella tua lingua</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation type="vanished">Lingua del riquadro dei risultati</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation type="vanished">Dettagli nella tua lingua</translation>
    </message>
    <message>
        <source>File</source>
        <translation type="vanished">File</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Cancella tutto</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Salva...</translation>
    </message>
    <message>
        <source>Загрузить данные</source>
        <translation>Carica dati</translation>
    </message>
    <message>
        <source>Proxy...</source>
        <translation>Proxy...</translation>
    </message>
    <message>
        <source>Register service...</source>
        <translation>Servizio del registro...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="vanished">Aiuto</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Копировать выделенное</source>
        <translation>Copia selezione</translation>
    </message>
    <message>
        <source>Копировать все данные</source>
        <translation>Copia tutti i dati</translation>
    </message>
    <message>
        <source>Ввести данные</source>
        <translation type="vanished">Inserisci dati</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Tipo di dati non valido per «%1»</translation>
    </message>
    <message>
        <source>No dictionary files</source>
        <translation>Nessun file di dizionario</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossibile aprire il file «%1». %2</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation>Impossibile impostare i dati per «%1»</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation type="vanished">La cifra di controllo di questo OGRN non corrisponde</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation type="vanished">La cifra di controllo di questo INN non corrisponde</translation>
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
        <translation>Richiesta non riuscita: </translation>
    </message>
    <message>
        <source>Checking completed.</source>
        <translation>Verifica completata.</translation>
    </message>
    <message>
        <source>Checking completed: %1 of %2 queries failed.</source>
        <translation>Verifica completata: %1 richieste su %2 non riuscite.</translation>
    </message>
    <message>
        <source>Checking internet connection...</source>
        <translation>Verifica della connessione a Internet...</translation>
    </message>
    <message>
        <source>No Internet connection...</source>
        <translation>Nessuna connessione a Internet...</translation>
    </message>
    <message>
        <source>the register service at %1 does not answer: %2</source>
        <translation>il servizio del registro su %1 non risponde: %2</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation type="vanished">Verifica...</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)</source>
        <translation>File di testo (*.txt)</translation>
    </message>
    <message>
        <source>Queries are still running. Stop them and close the window?</source>
        <translation>Ci sono ancora ricerche in corso. Interromperle e chiudere la finestra?</translation>
    </message>
    <message>
        <source>Stop and close</source>
        <translation>Interrompi e chiudi</translation>
    </message>
    <message>
        <source>Keep running</source>
        <translation>Continua</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Salva con nome</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>File di testo (*.txt)</translation>
    </message>
    <message numerus="yes">
        <source>Saved %n firms to %1</source>
        <translation>
            <numerusform>%n impresa salvata in %1</numerusform>
            <numerusform>%n imprese salvate in %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Salva con nome...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Interrompi</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Ricerca</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Guida</translation>
    </message>
    <message>
        <source>Stopped: %1 of %2 checked.</source>
        <translation>Interrotto: %1 di %2 verificati.</translation>
    </message>
    <message>
        <source>%1 The default address %2 is used; set another under File &gt; &quot;Register service...&quot;.</source>
        <translation>%1 Viene usato l&apos;indirizzo predefinito %2; impostane un altro con File &gt; «Servizio del registro...».</translation>
    </message>
    <message>
        <source>Progress of the search</source>
        <translation>Avanzamento della ricerca</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation type="vanished">Il registro risponde solo a nomi in lettere cirilliche: scegli «Русский» per un nome scritto in cirillico o «Latin to Russian» per uno scritto in lettere latine.</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Guida utente</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Informazioni</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation type="vanished">«%1» non è una data. Indica la data come gg.mm.aaaa, per esempio 14.03.2002.</translation>
    </message>
    <message>
        <source>Checking: %1 of %2</source>
        <translation>Verifica: %1 di %2</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nome</translation>
    </message>
    <message>
        <source>address</source>
        <translation>indirizzo</translation>
    </message>
    <message>
        <source>region</source>
        <translation>regione</translation>
    </message>
    <message>
        <source>registration date</source>
        <translation>data di registrazione</translation>
    </message>
    <message>
        <source>INN/OGRN</source>
        <translation>INN/OGRN</translation>
    </message>
    <message>
        <source>New since the check of %1</source>
        <translation>Nuova dalla verifica del %1</translation>
    </message>
    <message>
        <source>Changed since the check of %1: %2</source>
        <translation>Modificata dalla verifica del %1: %2</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>Non registrata: %1</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Archivio</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Cronologia</translation>
    </message>
    <message>
        <source>Search the archive...</source>
        <translation>Cerca nell&apos;archivio...</translation>
    </message>
    <message>
        <source>Export report...</source>
        <translation>Esporta rapporto...</translation>
    </message>
    <message>
        <source>%1 (as of %2)</source>
        <translation>%1 (al %2)</translation>
    </message>
    <message>
        <source>Stored check of %1.</source>
        <translation>Verifica salvata del %1.</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation type="vanished">PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Report written to %1</source>
        <translation>Rapporto scritto in %1</translation>
    </message>
    <message>
        <source>A report is still being written; export again once it is done.</source>
        <translation>Un rapporto è ancora in scrittura; esporta di nuovo quando è terminato.</translation>
    </message>
    <message>
        <source>The report is being written to %1...</source>
        <translation>Il rapporto viene scritto in %1...</translation>
    </message>
    <message>
        <source>No firms to save.</source>
        <translation>Nessuna impresa da salvare.</translation>
    </message>
    <message>
        <source>No firms to save; %1 is left as it was.</source>
        <translation>Nessuna impresa da salvare; %1 resta com&apos;era.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more; &quot;%3&quot; is used instead.</source>
        <translation>%1: «%2» non è più installato; al suo posto si usa «%3».</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more.</source>
        <translation>%1: «%2» non è più installato.</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Esporta...</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>File CSV (*.csv)</translation>
    </message>
    <message>
        <source>Export to Excel...</source>
        <translation>Esporta in Excel...</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Cartella di lavoro Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Esportato in %1</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copia</translation>
    </message>
    <message>
        <source>Copy all data</source>
        <translation>Copia tutti i dati</translation>
    </message>
    <message>
        <source>Open in History</source>
        <translation>Apri nella cronologia</translation>
    </message>
    <message>
        <source>Find again</source>
        <translation>Cerca di nuovo</translation>
    </message>
    <message>
        <source>Checked %1 queries; %2 lines skipped</source>
        <translation>%1 interrogazioni verificate; %2 righe saltate</translation>
    </message>
    <message>
        <source>Checked %1 queries: %2 failed; %3 lines skipped</source>
        <translation>%1 interrogazioni verificate: %2 non riuscite; %3 righe saltate</translation>
    </message>
    <message>
        <source>%1 checks wait to be recorded: another program holds the archive locked</source>
        <translation>%1 verifiche attendono di essere registrate: un altro programma tiene bloccato l’archivio</translation>
    </message>
    <message>
        <source>%1 checks that waited are recorded now</source>
        <translation>%1 verifiche in attesa sono ora registrate</translation>
    </message>
    <message>
        <source>Screening: %1</source>
        <translation>Screening: %1</translation>
    </message>
    <message>
        <source>Screening: no list loaded</source>
        <translation>Screening: nessuna lista caricata</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 versione %2</translation>
    </message>
    <message>
        <source>%1 (INN %2): %3 version %4, %5 (%6): %7</source>
        <translation>%1 (INN %2): %3 versione %4, %5 (%6): %7</translation>
    </message>
    <message>
        <source>Screening lists...</source>
        <translation>Liste di screening...</translation>
    </message>
    <message>
        <source>Stored check of %1, %2.</source>
        <translation>Verifica salvata del %1, %2.</translation>
    </message>
    <message>
        <source>Recorded unscreened: %1</source>
        <translation>Registrata senza screening: %1</translation>
    </message>
    <message>
        <source>screened against no list</source>
        <translation>sottoposta a screening su nessuna lista</translation>
    </message>
    <message>
        <source>screened against %1</source>
        <translation>sottoposta a screening su %1</translation>
    </message>
    <message>
        <source>%1 version %2, SHA-256 %3</source>
        <translation>%1 versione %2, SHA-256 %3</translation>
    </message>
</context>
<context>
    <name>window::QueryEntry</name>
    <message>
        <source>dd.mm.yyyy</source>
        <translation>gg.mm.aaaa</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation>Scegli una data</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation> Inserisci i dati </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nome:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Indirizzo:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Indirizzo</translation>
    </message>
    <message>
        <source>Region:</source>
        <translation>Regione:</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Regione</translation>
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
        <translation> Parametri della richiesta </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation>Lingua di traslitterazione</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation>Lingua di traduzione</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation>Verranno richiesti i dati seguenti</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Cerca</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation>Nome richiesto</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation>Il registro risponde solo a nomi in lettere cirilliche: scegli «Русский» per un nome scritto in cirillico o «Latin to Russian» per uno scritto in lettere latine.</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation>Indirizzo richiesto</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation>Regione richiesta</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation>Data richiesta</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation>OGRN/INN richiesto</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation>«%1» non è una data. Indica la data come gg.mm.aaaa, per esempio 14.03.2002.</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation>La cifra di controllo di questo OGRN non corrisponde</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation>La cifra di controllo di questo INN non corrisponde</translation>
    </message>
    <message>
        <source>, Название: </source>
        <translation>, Nome: </translation>
    </message>
    <message>
        <source>, Адрес: </source>
        <translation>, Indirizzo: </translation>
    </message>
    <message>
        <source>, Регион: </source>
        <translation>, Regione: </translation>
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
        <translation>Ricerca dei dati inseriti...(</translation>
    </message>
</context>
<context>
    <name>window::ReportPdf</name>
    <message>
        <source>Register check report</source>
        <translation>Rapporto di verifica nel registro</translation>
    </message>
    <message>
        <source>Checked at</source>
        <translation>Verificato il</translation>
    </message>
    <message>
        <source>Service address</source>
        <translation>Indirizzo del servizio</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Criteri</translation>
    </message>
    <message>
        <source>Pane language</source>
        <translation>Lingua del riquadro</translation>
    </message>
    <message>
        <source>Archive record digest (SHA-256)</source>
        <translation>Impronta del record archiviato (SHA-256)</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>non registrato</translation>
    </message>
    <message>
        <source>No rows.</source>
        <translation>Nessuna riga.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Messaggio</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Convertito</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Campo</translation>
    </message>
    <message>
        <source>As received</source>
        <translation>Come ricevuto</translation>
    </message>
    <message>
        <source>Archive head</source>
        <translation>Testa dell&apos;archivio</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Pagina %1 di %2</translation>
    </message>
    <message>
        <source>Time stamp</source>
        <translation>Marca temporale</translation>
    </message>
    <message>
        <source>token from %1, not checked: no CA certificates are set (TsaCaFile)</source>
        <translation>token da %1, non verificato: nessun certificato CA impostato (TsaCaFile)</translation>
    </message>
    <message>
        <source>token from %1, not checked: %2</source>
        <translation>token da %1, non verificato: %2</translation>
    </message>
    <message>
        <source>stamped by %1 at %2 (%3)</source>
        <translation>marcato da %1 il %2 (%3)</translation>
    </message>
    <message>
        <source>token from %1 does not hold: %2</source>
        <translation>il token da %1 non è valido: %2</translation>
    </message>
    <message>
        <source>not stamped yet</source>
        <translation>non ancora marcato</translation>
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
        <translation>Sono mostrate solo le prime imprese dell&apos;elenco: il registro lo ha troncato. Restringi la ricerca per vedere le altre.</translation>
    </message>
    <message>
        <source> — on watch lists: %1</source>
        <translation> — in liste di controllo: %1</translation>
    </message>
</context>
<context>
    <name>window::ResultsPane</name>
    <message>
        <source>Search results in the original language</source>
        <translation>Risultati nella lingua originale</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation>Dettagli nella lingua originale</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation>Risultati nella tua lingua</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation>Lingua del riquadro dei risultati</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation>Dettagli nella tua lingua</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(vuoto)</translation>
    </message>
    <message>
        <source>Changed since the check of %1; it was: %2</source>
        <translation>Modificato dalla verifica del %1; prima: %2</translation>
    </message>
    <message>
        <source>Changed since the check of %1; the values then:</source>
        <translation>Modificato dalla verifica del %1; i valori di allora:</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Screening</translation>
    </message>
    <message>
        <source>Matches: %1 (by number among them)</source>
        <translation>Corrispondenze: %1 (tra cui per numero)</translation>
    </message>
    <message>
        <source>Matches: %1 (by name)</source>
        <translation>Corrispondenze: %1 (per nome)</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 versione %2</translation>
    </message>
    <message>
        <source>Entity</source>
        <translation>Entità</translation>
    </message>
    <message>
        <source>Topics</source>
        <translation>Argomenti</translation>
    </message>
    <message>
        <source>What matched</source>
        <translation>Cosa corrisponde</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punteggio</translation>
    </message>
</context>
<context>
    <name>window::ServiceHostDialog</name>
    <message>
        <source>Register service</source>
        <translation>Servizio del registro</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>host, host:port or http://host:port/</source>
        <translation>host, host:porta o http://host:porta/</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Porta</translation>
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
        <translation>&amp;Porta (facoltativa):</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Verifica</translation>
    </message>
    <message>
        <source>The address of the register service&apos;s mirror; searches from now on go there.</source>
        <translation>L&apos;indirizzo del mirror del servizio del registro; le ricerche successive andranno lì.</translation>
    </message>
    <message>
        <source>Asking %1 for its search form...</source>
        <translation>Richiesta del modulo di ricerca a %1...</translation>
    </message>
</context>
<context>
    <name>window::ShownReason</name>
    <message>
        <source>, records found: </source>
        <translation>, record trovati: </translation>
    </message>
    <message>
        <source>check digit does not match (%1)</source>
        <translation>la cifra di controllo non corrisponde (%1)</translation>
    </message>
    <message>
        <source>not checked: the daily request limit is used up</source>
        <translation>non controllato: il limite giornaliero di richieste è esaurito</translation>
    </message>
    <message>
        <source>no answer in time</source>
        <translation>nessuna risposta in tempo</translation>
    </message>
    <message>
        <source>cannot find the host %1</source>
        <translation>impossibile trovare l&apos;host %1</translation>
    </message>
    <message>
        <source>cannot connect to the proxy %1</source>
        <translation>impossibile connettersi al proxy %1</translation>
    </message>
    <message>
        <source>cannot connect to %1</source>
        <translation>impossibile connettersi a %1</translation>
    </message>
    <message>
        <source>cannot find the proxy host %1</source>
        <translation>impossibile trovare l&apos;host del proxy %1</translation>
    </message>
    <message>
        <source>the proxy %1 asks for a password</source>
        <translation>il proxy %1 richiede una password</translation>
    </message>
    <message>
        <source>the proxy %1 failed</source>
        <translation>il proxy %1 non ha funzionato</translation>
    </message>
    <message>
        <source>cannot decode the answer</source>
        <translation>impossibile decodificare la risposta</translation>
    </message>
    <message>
        <source>the connection broke</source>
        <translation>la connessione si è interrotta</translation>
    </message>
    <message>
        <source>the connection closed without an answer</source>
        <translation>la connessione si è chiusa senza risposta</translation>
    </message>
    <message>
        <source>the answer ended early</source>
        <translation>la risposta è terminata prima del previsto</translation>
    </message>
    <message>
        <source>too many redirects</source>
        <translation>troppi reindirizzamenti</translation>
    </message>
    <message>
        <source>unreadable answer from %1</source>
        <translation>risposta illeggibile da %1</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>memoria esaurita</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>interrotto</translation>
    </message>
    <message>
        <source>answer larger than %1</source>
        <translation>risposta più grande di %1</translation>
    </message>
    <message>
        <source>too many result pages</source>
        <translation>troppe pagine di risultati</translation>
    </message>
    <message>
        <source>the register&apos;s answer was not recognised</source>
        <translation>la risposta del registro non è stata riconosciuta</translation>
    </message>
    <message>
        <source>too many rows (a result page may hold %1)</source>
        <translation>troppe righe (una pagina di risultati può contenerne %1)</translation>
    </message>
</context>
<context>
    <name>window::UserGuideDialog</name>
    <message>
        <source>&lt;h3&gt;Searching&lt;/h3&gt;&lt;p&gt;Type a name, an address, a region, a registration date (dd.mm.yyyy) or an OGRN or INN under &quot;Enter data&quot; and press &lt;b&gt;Find&lt;/b&gt; or Enter. The fields on the right show what is sent to the register. The register answers only to Cyrillic: choose &quot;Русский&quot; as the language of transliteration for a name typed in Russian, or &quot;Latin to Russian&quot; for a name written in Latin letters.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Cercare&lt;/h3&gt;&lt;p&gt;Scrivi un nome, un indirizzo, una regione, una data di registrazione (gg.mm.aaaa) o un OGRN o INN in «Inserisci i dati» e premi &lt;b&gt;Cerca&lt;/b&gt; o Invio. I campi a destra mostrano ciò che viene inviato al registro. Il registro risponde solo in cirillico: scegli «Русский» come lingua di traslitterazione per un nome scritto in russo, o «Latin to Russian» per uno scritto in lettere latine.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Results&lt;/h3&gt;&lt;p&gt;Each query is a row of the left tree, with the firms, the register&apos;s messages and failures under it. The right tree shows the same rows converted into the language chosen above it, with the dictionary chosen as &quot;Language of translation&quot;. Click a firm to read its ten fields below both trees.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Risultati&lt;/h3&gt;&lt;p&gt;Ogni richiesta è una riga dell&apos;albero di sinistra, con sotto le imprese, i messaggi del registro e gli errori. L&apos;albero di destra mostra le stesse righe convertite nella lingua scelta sopra, con il dizionario scelto come «Lingua di traduzione». Fai clic su un&apos;impresa per leggerne i dieci campi sotto i due alberi.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Lists&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;Загрузить данные&quot; (Ctrl+O) checks a text file with one name or number per line. The status bar counts the lines checked; &quot;Stop&quot; (Escape) ends the run and keeps what was found.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Elenchi&lt;/h3&gt;&lt;p&gt;File &amp;gt; «Carica dati» (Ctrl+O) verifica un file di testo con un nome o un numero per riga. La barra di stato conta le righe verificate; «Interrompi» (Esc) termina l&apos;esecuzione e conserva ciò che è stato trovato.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;&quot;Save...&quot; (Ctrl+S) writes the firms to a text file, &quot;Export&quot; (Ctrl+E) writes every row as CSV, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation type="vanished">&lt;h3&gt;Conservare i risultati&lt;/h3&gt;&lt;p&gt;«Salva...» (Ctrl+S) scrive le imprese in un file di testo, «Esporta» (Ctrl+E) scrive ogni riga come CSV e il menu di un elenco di dettagli ne copia i valori.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Connection&lt;/h3&gt;&lt;p&gt;&quot;Proxy...&quot; sets an HTTP proxy; &quot;Register service...&quot; sets the address of the register&apos;s mirror and tests it.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Connessione&lt;/h3&gt;&lt;p&gt;«Proxy...» imposta un proxy HTTP; «Servizio del registro...» imposta l&apos;indirizzo del mirror del registro e lo prova.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Register service in use: %2&lt;br&gt;&lt;br&gt;Licence: proprietary; all rights reserved by Quillmarsh.</source>
        <translation>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Cerca persone giuridiche nel registro statale russo e le mostra nella tua lingua.&lt;br&gt;&lt;br&gt;Servizio del registro in uso: %2&lt;br&gt;&lt;br&gt;Licenza: proprietaria; tutti i diritti riservati a Quillmarsh.</translation>
    </message>
    <message>
        <source>Vendrake user guide</source>
        <translation type="vanished">Guida utente di Vendrake</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Archive&lt;/h3&gt;&lt;p&gt;Every query is kept in the archive on this computer. Archive &amp;gt; &quot;History&quot; (Ctrl+H) lists past checks: open one to see what the register said then, without a request, or check it again. &quot;Search the archive...&quot; (Ctrl+Shift+F) finds every firm seen before by name, INN or OGRN. A firm that changed since the previous check of the same query is marked; its details mark the fields that changed and show, under them, their values at that check. &quot;Export report...&quot; writes the query shown as a PDF.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Archivio&lt;/h3&gt;&lt;p&gt;Ogni ricerca viene conservata nell&apos;archivio di questo computer. Archivio &amp;gt; «Cronologia» (Ctrl+H) elenca i controlli passati: aprine uno per vedere cosa diceva allora il registro, senza una richiesta, oppure ripetilo. «Cerca nell&apos;archivio...» (Ctrl+Maiusc+F) trova ogni impresa già vista per nome, INN o OGRN. Un&apos;impresa cambiata dal controllo precedente della stessa ricerca è contrassegnata; i suoi dettagli contrassegnano i campi cambiati e mostrano sotto i loro valori a quel controllo. «Esporta rapporto...» salva la ricerca mostrata come PDF.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Guida utente</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; (Ctrl+S) writes the firms to a text file, &quot;%2&quot; (Ctrl+E) writes every row as CSV and &quot;%3&quot; as an Excel workbook whose cells keep numbers and dates as they are. The menu of either tree copies a row or the whole tree, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Conservare i risultati&lt;/h3&gt;&lt;p&gt;File &amp;gt; «%1» (Ctrl+S) scrive le imprese in un file di testo, «%2» (Ctrl+E) scrive ogni riga come CSV e «%3» come cartella di lavoro Excel le cui celle mantengono numeri e date così come sono. Il menu di ciascun albero copia una riga o l&apos;intero albero, e il menu di un elenco di dettagli ne copia i valori.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Screening&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; imports a sanctions or watch list you keep (FollowTheMoney JSON lines or its simple CSV) and shows the versions imported. Every firm found is then checked against the newest version of each list, by INN, OGRN and KPP and by name across scripts. A red square flag marks a firm matched by a number, an amber pointed flag one matched by name, in both trees; the query row counts the firms marked, and a firm&apos;s details show a &quot;%2&quot; section with the list, the entity, its topics, what matched and the score. The status bar names the list versions in use, or says &quot;%3&quot;. Each check is recorded with the versions it was screened against and its matches; a check opened from History shows those, not a screening against today&apos;s lists.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Screening&lt;/h3&gt;&lt;p&gt;File &amp;gt; «%1» importa una lista di sanzioni o di osservazione che tenete (righe JSON FollowTheMoney o il suo CSV semplice) e mostra le versioni importate. Ogni impresa trovata viene poi confrontata con la versione più recente di ogni lista, per INN, OGRN e KPP e per nome tra alfabeti diversi. Una bandiera rossa quadrata segna un’impresa trovata per numero, una bandiera ambra a punta una trovata per nome, in entrambi gli alberi; la riga della ricerca conta le imprese segnate e i dettagli di un’impresa mostrano una sezione «%2» con la lista, l’entità, i suoi temi, che cosa corrisponde e il punteggio. La barra di stato nomina le versioni delle liste in uso, oppure dice «%3». Ogni verifica è registrata con le versioni su cui è stata sottoposta a screening e le sue corrispondenze; una verifica aperta dalla Cronologia mostra quelle, non uno screening sulle liste di oggi.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>window::Screening</name>
    <message>
        <source>%1 version %2 (%3 entities, imported %4)</source>
        <translation>%1 versione %2 (%3 entità, importata %4)</translation>
    </message>
</context>
<context>
    <name>window::ScreeningListsDialog</name>
    <message>
        <source>Imported %1.</source>
        <translation>Importata: %1.</translation>
    </message>
    <message>
        <source>%1 malformed lines skipped (lines %2).</source>
        <translation>%1 righe malformate saltate (righe %2).</translation>
    </message>
    <message>
        <source>Nothing imported: the newest version of %1 is this file already.</source>
        <translation>Nulla importato: la versione più recente di %1 è già questo file.</translation>
    </message>
    <message>
        <source>Not imported: %1</source>
        <translation>Non importato: %1</translation>
    </message>
    <message>
        <source>Screening lists</source>
        <translation>Liste di screening</translation>
    </message>
    <message>
        <source>Screening index: %1</source>
        <translation>Indice di screening: %1</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Lista</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versione</translation>
    </message>
    <message>
        <source>Entities</source>
        <translation>Entità</translation>
    </message>
    <message>
        <source>Imported</source>
        <translation>Importata</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importa...</translation>
    </message>
    <message>
        <source>Import a screening list</source>
        <translation>Importa una lista di screening</translation>
    </message>
    <message>
        <source>Screening lists (*.json *.jsonl *.ndjson *.csv);;All files (*)</source>
        <translation>Liste di screening (*.json *.jsonl *.ndjson *.csv);;Tutti i file (*)</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importazione di %1...</translation>
    </message>
</context>
</TS>
