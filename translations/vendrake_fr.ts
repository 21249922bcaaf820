<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>FirmField</name>
    <message>
        <source>Название</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
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
        <translation>Numéro principal d&apos;immatriculation d&apos;État</translation>
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
        <translation>N° d&apos;identification fiscale (INN)</translation>
    </message>
    <message>
        <source>КПП</source>
        <translation>КПП</translation>
    </message>
    <message>
        <source>Reason code of registration</source>
        <translation>Code motif d&apos;enregistrement (KPP)</translation>
    </message>
    <message>
        <source>Дата записи</source>
        <translation>Дата записи</translation>
    </message>
    <message>
        <source>Posting date</source>
        <translation>Date d&apos;inscription</translation>
    </message>
    <message>
        <source>Рег. орган</source>
        <translation>Рег. орган</translation>
    </message>
    <message>
        <source>Registration authority</source>
        <translation>Autorité d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Адрес органа</source>
        <translation>Адрес органа</translation>
    </message>
    <message>
        <source>Address of the authority</source>
        <translation>Adresse de l&apos;autorité</translation>
    </message>
    <message>
        <source>Регион</source>
        <translation>Регион</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Région</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>The service answered with its search form (%1).</source>
        <translation>Le service a répondu avec son formulaire de recherche (%1).</translation>
    </message>
    <message>
        <source>The service answered, but %1 holds no search form: this does not look like a register mirror.</source>
        <translation>Le service a répondu, mais %1 ne contient aucun formulaire de recherche : ce n&apos;est apparemment pas un miroir du registre.</translation>
    </message>
    <message>
        <source>No search form from %1: %2</source>
        <translation>Aucun formulaire de recherche de %1 : %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an http:// address; the register service is reached over plain HTTP.</source>
        <translation>« %1 » n&apos;est pas une adresse http:// ; le service du registre est joint en HTTP simple.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names the page &quot;%2&quot;: give only the host and, if needed, the port.</source>
        <translation>« %1 » désigne la page « %2 » : indiquez seulement l&apos;hôte et, si besoin, le port.</translation>
    </message>
    <message>
        <source>The host box gives port %1 and the port box %2.</source>
        <translation>Le champ de l&apos;hôte indique le port %1 et le champ du port %2.</translation>
    </message>
    <message>
        <source>The register service&apos;s address is still the placeholder &quot;%1&quot;: set the address of a register mirror with File &gt; &quot;Register service...&quot;.</source>
        <translation>L&apos;adresse du service du registre est encore l&apos;adresse provisoire « %1 » : indiquez l&apos;adresse d&apos;un miroir du registre avec Fichier &gt; « Service du registre... ».</translation>
    </message>
</context>
<context>
    <name>Region</name>
    <message>
        <source>All regions of Russia</source>
        <translation>Toutes les régions de Russie</translation>
    </message>
    <message>
        <source>Moscow</source>
        <translation>Moscou</translation>
    </message>
    <message>
        <source>St. Petersburg</source>
        <translation>Saint-Pétersbourg</translation>
    </message>
    <message>
        <source>Республика Адыгея</source>
        <translation>République d&apos;Adygea</translation>
    </message>
    <message>
        <source>Республика Башкортостан</source>
        <translation>République de Bashkortostan</translation>
    </message>
    <message>
        <source>Республика Бурятия</source>
        <translation>République de Buryatia</translation>
    </message>
    <message>
        <source>Республика Алтай</source>
        <translation>République d&apos;Altai</translation>
    </message>
    <message>
        <source>Республика Дагестан</source>
        <translation>République de Dagestan</translation>
    </message>
    <message>
        <source>Республика Ингушетия</source>
        <translation>République d&apos;Ingushetia</translation>
    </message>
    <message>
        <source>Республика Кабардино-Балкария</source>
        <translation>République de Kabardino-Balkaria</translation>
    </message>
    <message>
        <source>Республика Калмыкия</source>
        <translation>République de Kalmykia</translation>
    </message>
    <message>
        <source>Карачаево-Черкесская республика</source>
        <translation>République de Karachay-Cherkessia</translation>
    </message>
    <message>
        <source>Республика Карелия</source>
        <translation>République de Karelia</translation>
    </message>
    <message>
        <source>Республика Коми</source>
        <translation>République de Komi</translation>
    </message>
    <message>
        <source>Республика Марий-Эл</source>
        <translation>République de Mari El</translation>
    </message>
    <message>
        <source>Республика Мордовия</source>
        <translation>République de Mordovia</translation>
    </message>
    <message>
        <source>Республика Саха (Якутия)</source>
        <translation>République de Sakha (Yakutia)</translation>
    </message>
    <message>
        <source>Республика Северная Осетия-Алания</source>
        <translation>République de North Ossetia-Alania</translation>
    </message>
    <message>
        <source>Республика Татарстан</source>
        <translation>République de Tatarstan</translation>
    </message>
    <message>
        <source>Республика Тыва</source>
        <translation>République de Tuva</translation>
    </message>
    <message>
        <source>Удмуртская Республика</source>
        <translation>République d&apos;Udmurtia</translation>
    </message>
    <message>
        <source>Республика Хакасия</source>
        <translation>République de Khakassia</translation>
    </message>
    <message>
        <source>Чеченская Республика</source>
        <translation>République de Chechnya</translation>
    </message>
    <message>
        <source>Чувашская Республика-Чаваш республики</source>
        <translation>République de Chuvashia</translation>
    </message>
    <message>
        <source>Алтайский край</source>
        <translation>Kraï d&apos;Altai</translation>
    </message>
    <message>
        <source>Краснодарский край</source>
        <translation>Kraï de Krasnodar</translation>
    </message>
    <message>
        <source>Красноярский край</source>
        <translation>Kraï de Krasnoyarsk</translation>
    </message>
    <message>
        <source>Приморский край</source>
        <translation>Kraï de Primorye</translation>
    </message>
    <message>
        <source>Ставропольский край</source>
        <translation>Kraï de Stavropol</translation>
    </message>
    <message>
        <source>Хабаровский край</source>
        <translation>Kraï de Khabarovsk</translation>
    </message>
    <message>
        <source>Амурская область</source>
        <translation>Oblast d&apos;Amur</translation>
    </message>
    <message>
        <source>Архангельская область</source>
        <translation>Oblast d&apos;Arkhangelsk</translation>
    </message>
    <message>
        <source>Астраханская область</source>
        <translation>Oblast d&apos;Astrakhan</translation>
    </message>
    <message>
        <source>Белгородская область</source>
        <translation>Oblast de Belgorod</translation>
    </message>
    <message>
        <source>Брянская область</source>
        <translation>Oblast de Bryansk</translation>
    </message>
    <message>
        <source>Владимирская область</source>
        <translation>Oblast de Vladimir</translation>
    </message>
    <message>
        <source>Волгоградская область</source>
        <translation>Oblast de Volgograd</translation>
    </message>
    <message>
        <source>Вологодская область</source>
        <translation>Oblast de Vologda</translation>
    </message>
    <message>
        <source>Воронежская область</source>
        <translation>Oblast de Voronezh</translation>
    </message>
    <message>
        <source>Ивановская область</source>
        <translation>Oblast d&apos;Ivanovo</translation>
    </message>
    <message>
        <source>Иркутская область</source>
        <translation>Oblast d&apos;Irkutsk</translation>
    </message>
    <message>
        <source>Калининградская область</source>
        <translation>Oblast de Kaliningrad</translation>
    </message>
    <message>
        <source>Калужская область</source>
        <translation>Oblast de Kaluga</translation>
    </message>
    <message>
        <source>Камчатская область</source>
        <translation>Oblast de Kamchatka</translation>
    </message>
    <message>
        <source>Кемеровская область</source>
        <translation>Oblast de Kemerovo</translation>
    </message>
    <message>
        <source>Кировская область</source>
        <translation>Oblast de Kirov</translation>
    </message>
    <message>
        <source>Костромская область</source>
        <translation>Oblast de Kostroma</translation>
    </message>
    <message>
        <source>Курганская область</source>
        <translation>Oblast de Kurgan</translation>
    </message>
    <message>
        <source>Курская область</source>
        <translation>Oblast de Kursk</translation>
    </message>
    <message>
        <source>Ленинградская область</source>
        <translation>Oblast de Leningrad</translation>
    </message>
    <message>
        <source>Липецкая область</source>
        <translation>Oblast de Lipetsk</translation>
    </message>
    <message>
        <source>Магаданская область</source>
        <translation>Oblast de Magadan</translation>
    </message>
    <message>
        <source>Московская область</source>
        <translation>Oblast de Moscou</translation>
    </message>
    <message>
        <source>Мурманская область</source>
        <translation>Oblast de Murmansk</translation>
    </message>
    <message>
        <source>Нижегородская область</source>
        <translation>Oblast de Nizhny Novgorod</translation>
    </message>
    <message>
        <source>Новгородская область</source>
        <translation>Oblast de Novgorod</translation>
    </message>
    <message>
        <source>Новосибирская область</source>
        <translation>Oblast de Novosibirsk</translation>
    </message>
    <message>
        <source>Омская область</source>
        <translation>Oblast d&apos;Omsk</translation>
    </message>
    <message>
        <source>Оренбургская область</source>
        <translation>Oblast d&apos;Orenburg</translation>
    </message>
    <message>
        <source>Орловская область</source>
        <translation>Oblast d&apos;Oryol</translation>
    </message>
    <message>
        <source>Пензенская область</source>
        <translation>Oblast de Penza</translation>
    </message>
    <message>
        <source>Пермская область</source>
        <translation>Oblast de Perm</translation>
    </message>
    <message>
        <source>Псковская область</source>
        <translation>Oblast de Pskov</translation>
    </message>
    <message>
        <source>Ростовская область</source>
        <translation>Oblast de Rostov</translation>
    </message>
    <message>
        <source>Рязанская область</source>
        <translation>Oblast de Ryazan</translation>
    </message>
    <message>
        <source>Самарская область</source>
        <translation>Oblast de Samara</translation>
    </message>
    <message>
        <source>Саратовская область</source>
        <translation>Oblast de Saratov</translation>
    </message>
    <message>
        <source>Сахалинская область</source>
        <translation>Oblast de Sakhalin</translation>
    </message>
    <message>
        <source>Свердловская область</source>
        <translation>Oblast de Sverdlovsk</translation>
    </message>
    <message>
        <source>Смоленская область</source>
        <translation>Oblast de Smolensk</translation>
    </message>
    <message>
        <source>Тамбовская область</source>
        <translation>Oblast de Tambov</translation>
    </message>
    <message>
        <source>Тверская область</source>
        <translation>Oblast de Tver</translation>
    </message>
    <message>
        <source>Томская область</source>
        <translation>Oblast de Tomsk</translation>
    </message>
    <message>
        <source>Тульская область</source>
        <translation>Oblast de Tula</translation>
    </message>
    <message>
        <source>Тюменская область</source>
        <translation>Oblast de Tyumen</translation>
    </message>
    <message>
        <source>Ульяновская область</source>
        <translation>Oblast d&apos;Ulyanovsk</translation>
    </message>
    <message>
        <source>Челябинская область</source>
        <translation>Oblast de Chelyabinsk</translation>
    </message>
    <message>
        <source>Читинская область</source>
        <translation>Oblast de Chita</translation>
    </message>
    <message>
        <source>Ярославская область</source>
        <translation>Oblast d&apos;Yaroslavl</translation>
    </message>
    <message>
        <source>Еврейская автономная область</source>
        <translation>Oblast autonome juif</translation>
    </message>
    <message>
        <source>Агинский Бурятский автономный округ</source>
        <translation>District autonome d&apos;Agin-Buryat</translation>
    </message>
    <message>
        <source>Коми-Пермяцкий автономный округ</source>
        <translation>District autonome de Komi-Permyak</translation>
    </message>
    <message>
        <source>Корякский автономный округ</source>
        <translation>District autonome de Koryak</translation>
    </message>
    <message>
        <source>Ненецкий автономный округ</source>
        <translation>District autonome de Nenets</translation>
    </message>
    <message>
        <source>Таймырский (Долгано-Ненецкий) автономный округ</source>
        <translation>District autonome de Taymyr (Dolgan-Nenets)</translation>
    </message>
    <message>
        <source>Усть-Ордынский Бурятский автономный округ</source>
        <translation>District autonome d&apos;Ust-Orda Buryat</translation>
    </message>
    <message>
        <source>Ханты-Мансийский автономный округ</source>
        <translation>District autonome de Khanty-Mansi</translation>
    </message>
    <message>
        <source>Чукотский автономный округ</source>
        <translation>District autonome de Chukotka</translation>
    </message>
    <message>
        <source>Эвенкийский автономный округ</source>
        <translation>District autonome d&apos;Evenk</translation>
    </message>
    <message>
        <source>Ямало-Ненецкий автономный округ</source>
        <translation>District autonome d&apos;Yamalo-Nenets</translation>
    </message>
</context>
<context>
    <name>ServiceMessage</name>
    <message>
        <source>На сегодняшний день Ваш лимит запросов исчерпан</source>
        <translation>Votre limite de requêtes pour aujourd&apos;hui est atteinte</translation>
    </message>
    <message>
        <source>Записей не найдено</source>
        <translation>Aucun enregistrement trouvé</translation>
    </message>
    <message>
        <source>Ошибка:</source>
        <translation>Erreur :</translation>
    </message>
    <message>
        <source>Найдено:0</source>
        <translation>Trouvés : 0</translation>
    </message>
    <message>
        <source>Сервис временно недоступен, повторите запрос позже</source>
        <translation type="vanished">Le service est temporairement indisponible, veuillez réessayer plus tard</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>&apos;%1&apos; is not a valid boolean value</source>
        <translation>« %1 » n&apos;est pas une valeur booléenne valide</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossible d&apos;ouvrir le fichier « %1 ». %2</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is larger than %2 bytes; the rest was not read</source>
        <translation>Le fichier « %1 » dépasse %2 octets ; le reste n&apos;a pas été lu</translation>
    </message>
    <message>
        <source>Give it as HOST, HOST:PORT or http://HOST[:PORT]/ (for example register.example:8080).</source>
        <translation>Indiquez-la sous la forme HOST, HOST:PORT ou http://HOST[:PORT]/ (par exemple register.example:8080).</translation>
    </message>
    <message>
        <source>The host is empty.</source>
        <translation>L&apos;hôte est vide.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or address.</source>
        <translation>« %1 » n&apos;est ni un nom d&apos;hôte ni une adresse.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>Le port « %1 » n&apos;est pas un nombre de 1 à 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names port %2, the port field %3: give one port.</source>
        <translation>« %1 » indique le port %2, le champ du port %3 : indiquez un seul port.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a plain HTTP address. %2</source>
        <translation>« %1 » n&apos;est pas une simple adresse HTTP. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a path; the service is always at its root. %2</source>
        <translation>« %1 » contient un chemin ; le service est toujours à la racine. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lacks the closing &quot;]&quot;.</source>
        <translation>« %1 » n&apos;a pas de « ] » fermant.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not HOST or HOST:PORT.</source>
        <translation>« %1 » n&apos;est ni HOST ni HOST:PORT.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ends with &quot;:&quot; but gives no port.</source>
        <translation>« %1 » se termine par « : » mais n&apos;indique pas de port.</translation>
    </message>
    <message>
        <source>The setting %1=&quot;%2&quot; is not a service address: %3</source>
        <translation>Le réglage %1=« %2 » n&apos;est pas une adresse de service : %3</translation>
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
        <translation>Proxy pour l&apos;accès à Internet</translation>
    </message>
    <message>
        <source>Use the system configuration</source>
        <translation>Utiliser la configuration du système</translation>
    </message>
    <message>
        <source>Use proxy</source>
        <translation>Utiliser un proxy</translation>
    </message>
    <message>
        <source>Proxy:</source>
        <translation>Proxy :</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Enter the proxy&apos;s host name or IP address.</source>
        <translation>Saisissez le nom d&apos;hôte ou l&apos;adresse IP du proxy.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name, an IPv4 address or an IPv6 address.</source>
        <translation>« %1 » n&apos;est ni un nom d&apos;hôte, ni une adresse IPv4, ni une adresse IPv6.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>Le port « %1 » n&apos;est pas un nombre de 1 à 65535.</translation>
    </message>
</context>
<context>
    <name>window::ArchiveSearchDialog</name>
    <message>
        <source>Search the archive</source>
        <translation>Rechercher dans les archives</translation>
    </message>
    <message>
        <source>Name, INN or OGRN</source>
        <translation>Nom, INN ou OGRN</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
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
        <translation>Vu en dernier</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Requête</translation>
    </message>
</context>
<context>
    <name>window::HistoryPanel</name>
    <message>
        <source>Firms found</source>
        <translation>Entreprises trouvées</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Échec : %1</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Non envoyée : %1</translation>
    </message>
    <message>
        <source>Not checked (daily limit)</source>
        <translation>Non vérifiée (limite quotidienne)</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Text, INN or OGRN</source>
        <translation>Texte, INN ou OGRN</translation>
    </message>
    <message>
        <source>from YYYY-MM-DD</source>
        <translation>du AAAA-MM-JJ</translation>
    </message>
    <message>
        <source>to YYYY-MM-DD</source>
        <translation>au AAAA-MM-JJ</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Critères</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Firms</source>
        <translation>Entreprises</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Vérifier à nouveau</translation>
    </message>
    <message>
        <source>History (nothing is recorded)</source>
        <translation>Historique (rien n&apos;est enregistré)</translation>
    </message>
</context>
<context>
    <name>window::MainWindow</name>
    <message>
        <source>About Vendrake</source>
        <translation type="vanished">À propos de Vendrake</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Quillmarsh</source>
        <translation type="vanished">&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Recherche des personnes morales dans le registre d&apos;État russe et les affiche dans votre langue.&lt;br&gt;&lt;br&gt;Quillmarsh</translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="vanished">Exporter</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation type="vanished">Fichier CSV (*.csv)</translation>
    </message>
    <message>
        <source>Vendrake</source>
        <translation>Vendrake</translation>
    </message>
    <message>
        <source>dd.mm.yyyy</source>
        <translation type="vanished">jj.mm.aaaa</translation>
    </message>
    <message>
        <source>...</source>
        <translation type="vanished">...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation type="vanished">Choisir une date</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation type="vanished"> Saisie des données </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="vanished">Nom :</translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="vanished">Nom</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="vanished">Adresse :</translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="vanished">Adresse</translation>
    </message>
    <message>
        <source>Region:</source>
        <translation type="vanished">Région :</translation>
    </message>
    <message>
        <source>Region</source>
        <translation type="vanished">Région</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation type="vanished">Date :</translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="vanished">Date</translation>
    </message>
    <message>
        <source>OGRN/INN:</source>
        <translation type="vanished">OGRN/INN :</translation>
    </message>
    <message>
        <source>OGRN/INN</source>
        <translation type="vanished">OGRN/INN</translation>
    </message>
    <message>
        <source> Request parameters </source>
        <translation type="vanished"> Paramètres de la requête </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation type="vanished">Langue de translittération</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation type="vanished">Langue de traduction</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation type="vanished">Les données suivantes seront demandées</translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="vanished">Rechercher</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation type="vanished">Nom demandé</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation type="vanished">Adresse demandée</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation type="vanished">Région demandée</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation type="vanished">Date demandée</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation type="vanished">OGRN/INN demandé</translation>
    </message>
    <message>
        <source>Search results in the original language</source>
        <translation type="vanished">Résultats dans la langue d&apos;origine</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation type="vanished">Détails dans la langue d&apos;origine</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation type="vanished">Résultats dans votre langue</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation type="vanished">Langue du volet des résultats</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation type="vanished">Détails dans votre langue</translation>
    </message>
    <message>
        <source>File</source>
        <translation type="vanished">Fichier</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Enregistrer...</translation>
    </message>
    <message>
        <source>Загрузить данные</source>
        <translation>Charger des données</translation>
    </message>
    <message>
        <source>Proxy...</source>
        <translation>Proxy...</translation>
    </message>
    <message>
        <source>Register service...</source>
        <translation>Service du registre...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="vanished">Aide</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Копировать выделенное</source>
        <translation>Copier la sélection</translation>
    </message>
    <message>
        <source>Копировать все данные</source>
        <translation>Copier toutes les données</translation>
    </message>
    <message>
        <source>Ввести данные</source>
        <translation type="vanished">Saisir des données</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Type de données non valide pour « %1 »</translation>
    </message>
    <message>
        <source>No dictionary files</source>
        <translation>Aucun fichier de dictionnaire</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossible d&apos;ouvrir le fichier « %1 ». %2</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation>Impossible de définir les données pour « %1 »</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation type="vanished">Le chiffre de contrôle de cet OGRN ne correspond pas</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation type="vanished">Le chiffre de contrôle de cet INN ne correspond pas</translation>
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
        <translation>Échec de la requête : </translation>
    </message>
    <message>
        <source>Checking completed.</source>
        <translation>Vérification terminée.</translation>
    </message>
    <message>
        <source>Checking completed: %1 of %2 queries failed.</source>
        <translation>Vérification terminée : %1 requêtes sur %2 ont échoué.</translation>
    </message>
    <message>
        <source>Checking internet connection...</source>
        <translation>Vérification de la connexion Internet...</translation>
    </message>
    <message>
        <source>No Internet connection...</source>
        <translation>Pas de connexion Internet...</translation>
    </message>
    <message>
        <source>the register service at %1 does not answer: %2</source>
        <translation>le service du registre à %1 ne répond pas : %2</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation type="vanished">Vérification...</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)</source>
        <translation>Fichier texte (*.txt)</translation>
    </message>
    <message>
        <source>Queries are still running. Stop them and close the window?</source>
        <translation>Des requêtes sont encore en cours. Les arrêter et fermer la fenêtre ?</translation>
    </message>
    <message>
        <source>Stop and close</source>
        <translation>Arrêter et fermer</translation>
    </message>
    <message>
        <source>Keep running</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Fichier texte (*.txt)</translation>
    </message>
    <message numerus="yes">
        <source>Saved %n firms to %1</source>
        <translation>
            <numerusform>%n entreprise enregistrée dans %1</numerusform>
            <numerusform>%n entreprises enregistrées dans %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Recherche</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Stopped: %1 of %2 checked.</source>
        <translation>Arrêté : %1 sur %2 vérifiés.</translation>
    </message>
    <message>
        <source>%1 The default address %2 is used; set another under File &gt; &quot;Register service...&quot;.</source>
        <translation>%1 L&apos;adresse par défaut %2 est utilisée ; indiquez-en une autre avec Fichier &gt; « Service du registre... ».</translation>
    </message>
    <message>
        <source>Progress of the search</source>
        <translation>Progression de la recherche</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation type="vanished">Le registre ne répond qu&apos;aux noms en lettres cyrilliques : choisissez « Русский » pour un nom saisi en cyrillique ou « Latin to Russian » pour un nom saisi en lettres latines.</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Guide d&apos;utilisation</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation type="vanished">« %1 » n&apos;est pas une date. Indiquez la date sous la forme jj.mm.aaaa, par exemple 14.03.2002.</translation>
    </message>
    <message>
        <source>Checking: %1 of %2</source>
        <translation>Vérification : %1 sur %2</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>address</source>
        <translation>adresse</translation>
    </message>
    <message>
        <source>region</source>
        <translation>région</translation>
    </message>
    <message>
        <source>registration date</source>
        <translation>date d&apos;enregistrement</translation>
    </message>
    <message>
        <source>INN/OGRN</source>
        <translation>INN/OGRN</translation>
    </message>
    <message>
        <source>New since the check of %1</source>
        <translation>Nouvelle depuis la vérification du %1</translation>
    </message>
    <message>
        <source>Changed since the check of %1: %2</source>
        <translation>Modifiée depuis la vérification du %1 : %2</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>Non enregistrée : %1</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>A&amp;rchives</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Search the archive...</source>
        <translation>Rechercher dans les archives...</translation>
    </message>
    <message>
        <source>Export report...</source>
        <translation>Exporter un rapport...</translation>
    </message>
    <message>
        <source>%1 (as of %2)</source>
        <translation>%1 (au %2)</translation>
    </message>
    <message>
        <source>Stored check of %1.</source>
        <translation>Vérification enregistrée du %1.</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation type="vanished">PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Report written to %1</source>
        <translation>Rapport écrit dans %1</translation>
    </message>
    <message>
        <source>A report is still being written; export again once it is done.</source>
        <translation>Un rapport est encore en cours d&apos;écriture ; exportez de nouveau une fois qu&apos;il est terminé.</translation>
    </message>
    <message>
        <source>The report is being written to %1...</source>
        <translation>Le rapport est en cours d&apos;écriture dans %1...</translation>
    </message>
    <message>
        <source>No firms to save.</source>
        <translation>Aucune entreprise à enregistrer.</translation>
    </message>
    <message>
        <source>No firms to save; %1 is left as it was.</source>
        <translation>Aucune entreprise à enregistrer ; %1 reste inchangé.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more; &quot;%3&quot; is used instead.</source>
        <translation>%1 : « %2 » n&apos;est plus installé ; « %3 » est utilisé à la place.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more.</source>
        <translation>%1 : « %2 » n&apos;est plus installé.</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exporter...</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>Fichier CSV (*.csv)</translation>
    </message>
    <message>
        <source>Export to Excel...</source>
        <translation>Exporter vers Excel...</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Classeur Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exporté vers %1</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Document PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Copy all data</source>
        <translation>Copier toutes les données</translation>
    </message>
    <message>
        <source>Open in History</source>
        <translation>Ouvrir dans l&apos;historique</translation>
    </message>
    <message>
        <source>Find again</source>
        <translation>Rechercher à nouveau</translation>
    </message>
    <message>
        <source>Checked %1 queries; %2 lines skipped</source>
        <translation>%1 requêtes vérifiées ; %2 lignes ignorées</translation>
    </message>
    <message>
        <source>Checked %1 queries: %2 failed; %3 lines skipped</source>
        <translation>%1 requêtes vérifiées : %2 en échec ; %3 lignes ignorées</translation>
    </message>
    <message>
        <source>%1 checks wait to be recorded: another program holds the archive locked</source>
        <translation>%1 vérifications attendent d’être enregistrées : un autre programme garde l’archive verrouillée</translation>
    </message>
    <message>
        <source>%1 checks that waited are recorded now</source>
        <translation>%1 vérifications en attente sont maintenant enregistrées</translation>
    </message>
    <message>
        <source>Screening: %1</source>
        <translation>Filtrage : %1</translation>
    </message>
    <message>
        <source>Screening: no list loaded</source>
        <translation>Filtrage : aucune liste chargée</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 version %2</translation>
    </message>
    <message>
        <source>%1 (INN %2): %3 version %4, %5 (%6): %7</source>
        <translation>%1 (INN %2) : %3 version %4, %5 (%6) : %7</translation>
    </message>
    <message>
        <source>Screening lists...</source>
        <translation>Listes de filtrage...</translation>
    </message>
    <message>
        <source>Stored check of %1, %2.</source>
        <translation>Vérification enregistrée du %1, %2.</translation>
    </message>
    <message>
        <source>Recorded unscreened: %1</source>
        <translation>Enregistrée sans filtrage : %1</translation>
    </message>
    <message>
        <source>screened against no list</source>
        <translation>filtrée contre aucune liste</translation>
    </message>
    <message>
        <source>screened against %1</source>
        <translation>filtrée contre %1</translation>
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
        <translation>jj.mm.aaaa</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation>Choisir une date</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation> Saisie des données </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Region:</source>
        <translation>Région :</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Région</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Date :</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>OGRN/INN:</source>
        <translation>OGRN/INN :</translation>
    </message>
    <message>
        <source>OGRN/INN</source>
        <translation>OGRN/INN</translation>
    </message>
    <message>
        <source> Request parameters </source>
        <translation> Paramètres de la requête </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation>Langue de translittération</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation>Langue de traduction</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation>Les données suivantes seront demandées</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation>Nom demandé</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation>Le registre ne répond qu&apos;aux noms en lettres cyrilliques : choisissez « Русский » pour un nom saisi en cyrillique ou « Latin to Russian » pour un nom saisi en lettres latines.</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation>Adresse demandée</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation>Région demandée</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation>Date demandée</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation>OGRN/INN demandé</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation>« %1 » n&apos;est pas une date. Indiquez la date sous la forme jj.mm.aaaa, par exemple 14.03.2002.</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation>Le chiffre de contrôle de cet OGRN ne correspond pas</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation>Le chiffre de contrôle de cet INN ne correspond pas</translation>
    </message>
    <message>
        <source>, Название: </source>
        <translation>, Nom : </translation>
    </message>
    <message>
        <source>, Адрес: </source>
        <translation>, Adresse : </translation>
    </message>
    <message>
        <source>, Регион: </source>
        <translation>, Région : </translation>
    </message>
    <message>
        <source>, Дата: </source>
        <translation>, Date : </translation>
    </message>
    <message>
        <source>, ИНН: </source>
        <translation>, INN/OGRN : </translation>
    </message>
    <message>
        <source>Search for entered data...(</source>
        <translation>Recherche des données saisies...(</translation>
    </message>
</context>
<context>
    <name>window::ReportPdf</name>
    <message>
        <source>Register check report</source>
        <translation>Rapport de vérification au registre</translation>
    </message>
    <message>
        <source>Checked at</source>
        <translation>Vérifié le</translation>
    </message>
    <message>
        <source>Service address</source>
        <translation>Adresse du service</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Critères</translation>
    </message>
    <message>
        <source>Pane language</source>
        <translation>Langue du volet</translation>
    </message>
    <message>
        <source>Archive record digest (SHA-256)</source>
        <translation>Empreinte de l&apos;enregistrement archivé (SHA-256)</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>non enregistré</translation>
    </message>
    <message>
        <source>No rows.</source>
        <translation>Aucune ligne.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Converti</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Champ</translation>
    </message>
    <message>
        <source>As received</source>
        <translation>Tel que reçu</translation>
    </message>
    <message>
        <source>Archive head</source>
        <translation>Tête de l&apos;archive</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>Time stamp</source>
        <translation>Horodatage</translation>
    </message>
    <message>
        <source>token from %1, not checked: no CA certificates are set (TsaCaFile)</source>
        <translation>jeton de %1, non vérifié : aucun certificat d’AC n’est défini (TsaCaFile)</translation>
    </message>
    <message>
        <source>token from %1, not checked: %2</source>
        <translation>jeton de %1, non vérifié : %2</translation>
    </message>
    <message>
        <source>stamped by %1 at %2 (%3)</source>
        <translation>horodaté par %1 le %2 (%3)</translation>
    </message>
    <message>
        <source>token from %1 does not hold: %2</source>
        <translation>le jeton de %1 n’est pas valable : %2</translation>
    </message>
    <message>
        <source>not stamped yet</source>
        <translation>pas encore horodaté</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Filtrage</translation>
    </message>
</context>
<context>
    <name>window::ResultsModel</name>
    <message>
        <source>Only the first firms of the list are shown: the register cut it short. Narrow the search to see the others.</source>
        <translation>Seules les premières entreprises de la liste sont affichées : le registre l&apos;a tronquée. Affinez la recherche pour voir les autres.</translation>
    </message>
    <message>
        <source> — on watch lists: %1</source>
        <translation> — sur des listes de surveillance : %1</translation>
    </message>
</context>
<context>
    <name>window::ResultsPane</name>
    <message>
        <source>Search results in the original language</source>
        <translation>Résultats dans la langue d&apos;origine</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation>Détails dans la langue d&apos;origine</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation>Résultats dans votre langue</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation>Langue du volet des résultats</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation>Détails dans votre langue</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(vide)</translation>
    </message>
    <message>
        <source>Changed since the check of %1; it was: %2</source>
        <translation>Modifié depuis la vérification du %1 ; avant : %2</translation>
    </message>
    <message>
        <source>Changed since the check of %1; the values then:</source>
        <translation>Modifié depuis la vérification du %1 ; les valeurs d&apos;alors :</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Filtrage</translation>
    </message>
    <message>
        <source>Matches: %1 (by number among them)</source>
        <translation>Correspondances : %1 (dont par numéro)</translation>
    </message>
    <message>
        <source>Matches: %1 (by name)</source>
        <translation>Correspondances : %1 (par nom)</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 version %2</translation>
    </message>
    <message>
        <source>Entity</source>
        <translation>Entité</translation>
    </message>
    <message>
        <source>Topics</source>
        <translation>Thèmes</translation>
    </message>
    <message>
        <source>What matched</source>
        <translation>Ce qui correspond</translation>
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
        <translation>Service du registre</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Hôte</translation>
    </message>
    <message>
        <source>host, host:port or http://host:port/</source>
        <translation>hôte, hôte:port ou http://hôte:port/</translation>
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
        <translation>&amp;Hôte :</translation>
    </message>
    <message>
        <source>&amp;Port (optional):</source>
        <translation>&amp;Port (facultatif) :</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Tester</translation>
    </message>
    <message>
        <source>The address of the register service&apos;s mirror; searches from now on go there.</source>
        <translation>L&apos;adresse du miroir du service du registre ; les recherches suivantes y seront envoyées.</translation>
    </message>
    <message>
        <source>Asking %1 for its search form...</source>
        <translation>Demande du formulaire de recherche à %1...</translation>
    </message>
</context>
<context>
    <name>window::ShownReason</name>
    <message>
        <source>, records found: </source>
        <translation>, enregistrements trouvés : </translation>
    </message>
    <message>
        <source>check digit does not match (%1)</source>
        <translation>le chiffre de contrôle ne correspond pas (%1)</translation>
    </message>
    <message>
        <source>not checked: the daily request limit is used up</source>
        <translation>non vérifié : la limite quotidienne de requêtes est atteinte</translation>
    </message>
    <message>
        <source>no answer in time</source>
        <translation>pas de réponse à temps</translation>
    </message>
    <message>
        <source>cannot find the host %1</source>
        <translation>hôte %1 introuvable</translation>
    </message>
    <message>
        <source>cannot connect to the proxy %1</source>
        <translation>impossible de se connecter au proxy %1</translation>
    </message>
    <message>
        <source>cannot connect to %1</source>
        <translation>impossible de se connecter à %1</translation>
    </message>
    <message>
        <source>cannot find the proxy host %1</source>
        <translation>hôte du proxy %1 introuvable</translation>
    </message>
    <message>
        <source>the proxy %1 asks for a password</source>
        <translation>le proxy %1 demande un mot de passe</translation>
    </message>
    <message>
        <source>the proxy %1 failed</source>
        <translation>le proxy %1 a échoué</translation>
    </message>
    <message>
        <source>cannot decode the answer</source>
        <translation>impossible de décoder la réponse</translation>
    </message>
    <message>
        <source>the connection broke</source>
        <translation>la connexion a été interrompue</translation>
    </message>
    <message>
        <source>the connection closed without an answer</source>
        <translation>la connexion s&apos;est fermée sans réponse</translation>
    </message>
    <message>
        <source>the answer ended early</source>
        <translation>la réponse s&apos;est terminée trop tôt</translation>
    </message>
    <message>
        <source>too many redirects</source>
        <translation>trop de redirections</translation>
    </message>
    <message>
        <source>unreadable answer from %1</source>
        <translation>réponse illisible de %1</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>mémoire insuffisante</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>interrompu</translation>
    </message>
    <message>
        <source>answer larger than %1</source>
        <translation>réponse plus grande que %1</translation>
    </message>
    <message>
        <source>too many result pages</source>
        <translation>trop de pages de résultats</translation>
    </message>
    <message>
        <source>the register&apos;s answer was not recognised</source>
        <translation>la réponse du registre n&apos;a pas été reconnue</translation>
    </message>
    <message>
        <source>too many rows (a result page may hold %1)</source>
        <translation>trop de lignes (une page de résultats peut en contenir %1)</translation>
    </message>
</context>
<context>
    <name>window::UserGuideDialog</name>
    <message>
        <source>&lt;h3&gt;Searching&lt;/h3&gt;&lt;p&gt;Type a name, an address, a region, a registration date (dd.mm.yyyy) or an OGRN or INN under &quot;Enter data&quot; and press &lt;b&gt;Find&lt;/b&gt; or Enter. The fields on the right show what is sent to the register. The register answers only to Cyrillic: choose &quot;Русский&quot; as the language of transliteration for a name typed in Russian, or &quot;Latin to Russian&quot; for a name written in Latin letters.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Rechercher&lt;/h3&gt;&lt;p&gt;Saisissez un nom, une adresse, une région, une date d&apos;immatriculation (jj.mm.aaaa) ou un OGRN ou INN sous « Saisie des données » et appuyez sur &lt;b&gt;Rechercher&lt;/b&gt; ou Entrée. Les champs de droite montrent ce qui est envoyé au registre. Le registre ne répond qu&apos;au cyrillique : choisissez « Русский » comme langue de translittération pour un nom saisi en russe, ou « Latin to Russian » pour un nom écrit en lettres latines.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Results&lt;/h3&gt;&lt;p&gt;Each query is a row of the left tree, with the firms, the register&apos;s messages and failures under it. The right tree shows the same rows converted into the language chosen above it, with the dictionary chosen as &quot;Language of translation&quot;. Click a firm to read its ten fields below both trees.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Résultats&lt;/h3&gt;&lt;p&gt;Chaque requête est une ligne de l&apos;arbre de gauche, avec en dessous les entreprises, les messages du registre et les échecs. L&apos;arbre de droite montre les mêmes lignes converties dans la langue choisie au-dessus, avec le dictionnaire choisi comme « Langue de traduction ». Cliquez sur une entreprise pour lire ses dix champs sous les deux arbres.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Lists&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;Загрузить данные&quot; (Ctrl+O) checks a text file with one name or number per line. The status bar counts the lines checked; &quot;Stop&quot; (Escape) ends the run and keeps what was found.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Listes&lt;/h3&gt;&lt;p&gt;Fichier &amp;gt; « Charger des données » (Ctrl+O) vérifie un fichier texte avec un nom ou un numéro par ligne. La barre d&apos;état compte les lignes vérifiées ; « Arrêter » (Échap) met fin à l&apos;exécution et garde ce qui a été trouvé.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;&quot;Save...&quot; (Ctrl+S) writes the firms to a text file, &quot;Export&quot; (Ctrl+E) writes every row as CSV, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation type="vanished">&lt;h3&gt;Conserver les résultats&lt;/h3&gt;&lt;p&gt;« Enregistrer... » (Ctrl+S) écrit les entreprises dans un fichier texte, « Exporter » (Ctrl+E) écrit chaque ligne en CSV, et le menu d&apos;une liste de détails copie ses valeurs.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Connection&lt;/h3&gt;&lt;p&gt;&quot;Proxy...&quot; sets an HTTP proxy; &quot;Register service...&quot; sets the address of the register&apos;s mirror and tests it.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Connexion&lt;/h3&gt;&lt;p&gt;« Proxy... » définit un proxy HTTP ; « Service du registre... » définit l&apos;adresse du miroir du registre et la teste.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Register service in use: %2&lt;br&gt;&lt;br&gt;Licence: proprietary; all rights reserved by Quillmarsh.</source>
        <translation>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Recherche des personnes morales dans le registre d&apos;État russe et les affiche dans votre langue.&lt;br&gt;&lt;br&gt;Service du registre utilisé : %2&lt;br&gt;&lt;br&gt;Licence : propriétaire ; tous droits réservés par Quillmarsh.</translation>
    </message>
    <message>
        <source>Vendrake user guide</source>
        <translation type="vanished">Guide d&apos;utilisation de Vendrake</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Archive&lt;/h3&gt;&lt;p&gt;Every query is kept in the archive on this computer. Archive &amp;gt; &quot;History&quot; (Ctrl+H) lists past checks: open one to see what the register said then, without a request, or check it again. &quot;Search the archive...&quot; (Ctrl+Shift+F) finds every firm seen before by name, INN or OGRN. A firm that changed since the previous check of the same query is marked; its details mark the fields that changed and show, under them, their values at that check. &quot;Export report...&quot; writes the query shown as a PDF.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Archives&lt;/h3&gt;&lt;p&gt;Chaque requête est conservée dans les archives de cet ordinateur. Archives &amp;gt; « Historique » (Ctrl+H) liste les vérifications passées : ouvrez-en une pour voir ce que disait alors le registre, sans requête, ou vérifiez-la à nouveau. « Rechercher dans les archives... » (Ctrl+Maj+F) retrouve toute entreprise déjà vue par nom, INN ou OGRN. Une entreprise modifiée depuis la vérification précédente de la même requête est marquée ; ses détails marquent les champs modifiés et montrent en dessous leurs valeurs lors de cette vérification. « Exporter un rapport... » enregistre la requête affichée en PDF.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Guide de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; (Ctrl+S) writes the firms to a text file, &quot;%2&quot; (Ctrl+E) writes every row as CSV and &quot;%3&quot; as an Excel workbook whose cells keep numbers and dates as they are. The menu of either tree copies a row or the whole tree, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Conserver les résultats&lt;/h3&gt;&lt;p&gt;Fichier &amp;gt; « %1 » (Ctrl+S) écrit les entreprises dans un fichier texte, « %2 » (Ctrl+E) écrit chaque ligne en CSV et « %3 » en classeur Excel dont les cellules gardent les nombres et les dates tels quels. Le menu de chacun des arbres copie une ligne ou l&apos;arbre entier, et le menu d&apos;une liste de détails copie ses valeurs.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Screening&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; imports a sanctions or watch list you keep (FollowTheMoney JSON lines or its simple CSV) and shows the versions imported. Every firm found is then checked against the newest version of each list, by INN, OGRN and KPP and by name across scripts. A red square flag marks a firm matched by a number, an amber pointed flag one matched by name, in both trees; the query row counts the firms marked, and a firm&apos;s details show a &quot;%2&quot; section with the list, the entity, its topics, what matched and the score. The status bar names the list versions in use, or says &quot;%3&quot;. Each check is recorded with the versions it was screened against and its matches; a check opened from History shows those, not a screening against today&apos;s lists.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Filtrage&lt;/h3&gt;&lt;p&gt;Fichier &amp;gt; « %1 » importe une liste de sanctions ou de surveillance que vous tenez (lignes JSON FollowTheMoney ou son CSV simple) et montre les versions importées. Chaque entreprise trouvée est alors comparée à la version la plus récente de chaque liste, par INN, OGRN et KPP et par nom d’une écriture à l’autre. Un drapeau rouge carré marque une entreprise trouvée par un numéro, un drapeau orangé pointu une entreprise trouvée par son nom, dans les deux arbres ; la ligne de la requête compte les entreprises marquées et les détails d’une entreprise montrent une section « %2 » avec la liste, l’entité, ses thèmes, ce qui correspond et le score. La barre d’état nomme les versions de listes utilisées, ou indique « %3 ». Chaque vérification est enregistrée avec les versions contre lesquelles elle a été filtrée et ses correspondances ; une vérification ouverte depuis l’Historique montre celles-ci, et non un filtrage contre les listes du jour.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>window::Screening</name>
    <message>
        <source>%1 version %2 (%3 entities, imported %4)</source>
        <translation>%1 version %2 (%3 entités, importée le %4)</translation>
    </message>
</context>
<context>
    <name>window::ScreeningListsDialog</name>
    <message>
        <source>Imported %1.</source>
        <translation>Importé : %1.</translation>
    </message>
    <message>
        <source>%1 malformed lines skipped (lines %2).</source>
        <translation>%1 lignes mal formées ignorées (lignes %2).</translation>
    </message>
    <message>
        <source>Nothing imported: the newest version of %1 is this file already.</source>
        <translation>Rien n’a été importé : la version la plus récente de %1 est déjà ce fichier.</translation>
    </message>
    <message>
        <source>Not imported: %1</source>
        <translation>Non importé : %1</translation>
    </message>
    <message>
        <source>Screening lists</source>
        <translation>Listes de filtrage</translation>
    </message>
    <message>
        <source>Screening index: %1</source>
        <translation>Index de filtrage : %1</translation>
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
        <translation>Entités</translation>
    </message>
    <message>
        <source>Imported</source>
        <translation>Importée</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importer...</translation>
    </message>
    <message>
        <source>Import a screening list</source>
        <translation>Importer une liste de filtrage</translation>
    </message>
    <message>
        <source>Screening lists (*.json *.jsonl *.ndjson *.csv);;All files (*)</source>
        <translation>Listes de filtrage (*.json *.jsonl *.ndjson *.csv);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importation de %1...</translation>
    </message>
</context>
</TS>
