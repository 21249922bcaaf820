<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>FirmField</name>
    <message>
        <source>Название</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>ОГРН</source>
        <translation>ОГРН</translation>
    </message>
    <message>
        <source>Principal state registration number</source>
        <translation>Número principal de registro estatal</translation>
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
        <translation>NIF (INN)</translation>
    </message>
    <message>
        <source>КПП</source>
        <translation>КПП</translation>
    </message>
    <message>
        <source>Reason code of registration</source>
        <translation>Código de motivo de registro (KPP)</translation>
    </message>
    <message>
        <source>Дата записи</source>
        <translation>Дата записи</translation>
    </message>
    <message>
        <source>Posting date</source>
        <translation>Fecha de inscripción</translation>
    </message>
    <message>
        <source>Рег. орган</source>
        <translation>Рег. орган</translation>
    </message>
    <message>
        <source>Registration authority</source>
        <translation>Autoridad de registro</translation>
    </message>
    <message>
        <source>Адрес органа</source>
        <translation>Адрес органа</translation>
    </message>
    <message>
        <source>Address of the authority</source>
        <translation>Dirección de la autoridad</translation>
    </message>
    <message>
        <source>Регион</source>
        <translation>Регион</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Región</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>The service answered with its search form (%1).</source>
        <translation>El servicio respondió con su formulario de búsqueda (%1).</translation>
    </message>
    <message>
        <source>The service answered, but %1 holds no search form: this does not look like a register mirror.</source>
        <translation>El servicio respondió, pero %1 no contiene ningún formulario de búsqueda: no parece una réplica del registro.</translation>
    </message>
    <message>
        <source>No search form from %1: %2</source>
        <translation>Ningún formulario de búsqueda de %1: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an http:// address; the register service is reached over plain HTTP.</source>
        <translation>«%1» no es una dirección http://; al servicio del registro se accede por HTTP simple.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names the page &quot;%2&quot;: give only the host and, if needed, the port.</source>
        <translation>«%1» indica la página «%2»: indique solo el host y, si hace falta, el puerto.</translation>
    </message>
    <message>
        <source>The host box gives port %1 and the port box %2.</source>
        <translation>El campo del host indica el puerto %1 y el campo del puerto %2.</translation>
    </message>
    <message>
        <source>The register service&apos;s address is still the placeholder &quot;%1&quot;: set the address of a register mirror with File &gt; &quot;Register service...&quot;.</source>
        <translation>La dirección del servicio del registro sigue siendo el marcador «%1»: indique la dirección de una réplica del registro en Archivo &gt; «Servicio del registro...».</translation>
    </message>
</context>
<context>
    <name>Region</name>
    <message>
        <source>All regions of Russia</source>
        <translation>Todas las regiones de Rusia</translation>
    </message>
    <message>
        <source>Moscow</source>
        <translation>Moscú</translation>
    </message>
    <message>
        <source>St. Petersburg</source>
        <translation>San Petersburgo</translation>
    </message>
    <message>
        <source>Республика Адыгея</source>
        <translation>República de Adygea</translation>
    </message>
    <message>
        <source>Республика Башкортостан</source>
        <translation>República de Bashkortostan</translation>
    </message>
    <message>
        <source>Республика Бурятия</source>
        <translation>República de Buryatia</translation>
    </message>
    <message>
        <source>Республика Алтай</source>
        <translation>República de Altai</translation>
    </message>
    <message>
        <source>Республика Дагестан</source>
        <translation>República de Dagestan</translation>
    </message>
    <message>
        <source>Республика Ингушетия</source>
        <translation>República de Ingushetia</translation>
    </message>
    <message>
        <source>Республика Кабардино-Балкария</source>
        <translation>República de Kabardino-Balkaria</translation>
    </message>
    <message>
        <source>Республика Калмыкия</source>
        <translation>República de Kalmykia</translation>
    </message>
    <message>
        <source>Карачаево-Черкесская республика</source>
        <translation>República de Karachay-Cherkessia</translation>
    </message>
    <message>
        <source>Республика Карелия</source>
        <translation>República de Karelia</translation>
    </message>
    <message>
        <source>Республика Коми</source>
        <translation>República de Komi</translation>
    </message>
    <message>
        <source>Республика Марий-Эл</source>
        <translation>República de Mari El</translation>
    </message>
    <message>
        <source>Республика Мордовия</source>
        <translation>República de Mordovia</translation>
    </message>
    <message>
        <source>Республика Саха (Якутия)</source>
        <translation>República de Sakha (Yakutia)</translation>
    </message>
    <message>
        <source>Республика Северная Осетия-Алания</source>
        <translation>República de North Ossetia-Alania</translation>
    </message>
    <message>
        <source>Республика Татарстан</source>
        <translation>República de Tatarstan</translation>
    </message>
    <message>
        <source>Республика Тыва</source>
        <translation>República de Tuva</translation>
    </message>
    <message>
        <source>Удмуртская Республика</source>
        <translation>República de Udmurtia</translation>
    </message>
    <message>
        <source>Республика Хакасия</source>
        <translation>República de Khakassia</translation>
    </message>
    <message>
        <source>Чеченская Республика</source>
        <translation>República de Chechnya</translation>
    </message>
    <message>
        <source>Чувашская Республика-Чаваш республики</source>
        <translation>República de Chuvashia</translation>
    </message>
    <message>
        <source>Алтайский край</source>
        <translation>Krai de Altai</translation>
    </message>
    <message>
        <source>Краснодарский край</source>
        <translation>Krai de Krasnodar</translation>
    </message>
    <message>
        <source>Красноярский край</source>
        <translation>Krai de Krasnoyarsk</translation>
    </message>
    <message>
        <source>Приморский край</source>
        <translation>Krai de Primorye</translation>
    </message>
    <message>
        <source>Ставропольский край</source>
        <translation>Krai de Stavropol</translation>
    </message>
    <message>
        <source>Хабаровский край</source>
        <translation>Krai de Khabarovsk</translation>
    </message>
    <message>
        <source>Амурская область</source>
        <translation>Óblast de Amur</translation>
    </message>
    <message>
        <source>Архангельская область</source>
        <translation>Óblast de Arkhangelsk</translation>
    </message>
    <message>
        <source>Астраханская область</source>
        <translation>Óblast de Astrakhan</translation>
    </message>
    <message>
        <source>Белгородская область</source>
        <translation>Óblast de Belgorod</translation>
    </message>
    <message>
        <source>Брянская область</source>
        <translation>Óblast de Bryansk</translation>
    </message>
    <message>
        <source>Владимирская область</source>
        <translation>Óblast de Vladimir</translation>
    </message>
    <message>
        <source>Волгоградская область</source>
        <translation>Óblast de Volgograd</translation>
    </message>
    <message>
        <source>Вологодская область</source>
        <translation>Óblast de Vologda</translation>
    </message>
    <message>
        <source>Воронежская область</source>
        <translation>Óblast de Voronezh</translation>
    </message>
    <message>
        <source>Ивановская область</source>
        <translation>Óblast de Ivanovo</translation>
    </message>
    <message>
        <source>Иркутская область</source>
        <translation>Óblast de Irkutsk</translation>
    </message>
    <message>
        <source>Калининградская область</source>
        <translation>Óblast de Kaliningrad</translation>
    </message>
    <message>
        <source>Калужская область</source>
        <translation>Óblast de Kaluga</translation>
    </message>
    <message>
        <source>Камчатская область</source>
        <translation>Óblast de Kamchatka</translation>
    </message>
    <message>
        <source>Кемеровская область</source>
        <translation>Óblast de Kemerovo</translation>
    </message>
    <message>
        <source>Кировская область</source>
        <translation>Óblast de Kirov</translation>
    </message>
    <message>
        <source>Костромская область</source>
        <translation>Óblast de Kostroma</translation>
    </message>
    <message>
        <source>Курганская область</source>
        <translation>Óblast de Kurgan</translation>
    </message>
    <message>
        <source>Курская область</source>
        <translation>Óblast de Kursk</translation>
    </message>
    <message>
        <source>Ленинградская область</source>
        <translation>Óblast de Leningrad</translation>
    </message>
    <message>
        <source>Липецкая область</source>
        <translation>Óblast de Lipetsk</translation>
    </message>
    <message>
        <source>Магаданская область</source>
        <translation>Óblast de Magadan</translation>
    </message>
    <message>
        <source>Московская область</source>
        <translation>Óblast de Moscú</translation>
    </message>
    <message>
        <source>Мурманская область</source>
        <translation>Óblast de Murmansk</translation>
    </message>
    <message>
        <source>Нижегородская область</source>
        <translation>Óblast de Nizhny Novgorod</translation>
    </message>
    <message>
        <source>Новгородская область</source>
        <translation>Óblast de Novgorod</translation>
    </message>
    <message>
        <source>Новосибирская область</source>
        <translation>Óblast de Novosibirsk</translation>
    </message>
    <message>
        <source>Омская область</source>
        <translation>Óblast de Omsk</translation>
    </message>
    <message>
        <source>Оренбургская область</source>
        <translation>Óblast de Orenburg</translation>
    </message>
    <message>
        <source>Орловская область</source>
        <translation>Óblast de Oryol</translation>
    </message>
    <message>
        <source>Пензенская область</source>
        <translation>Óblast de Penza</translation>
    </message>
    <message>
        <source>Пермская область</source>
        <translation>Óblast de Perm</translation>
    </message>
    <message>
        <source>Псковская область</source>
        <translation>Óblast de Pskov</translation>
    </message>
    <message>
        <source>Ростовская область</source>
        <translation>Óblast de Rostov</translation>
    </message>
    <message>
        <source>Рязанская область</source>
        <translation>Óblast de Ryazan</translation>
    </message>
    <message>
        <source>Самарская область</source>
        <translation>Óblast de Samara</translation>
    </message>
    <message>
        <source>Саратовская область</source>
        <translation>Óblast de Saratov</translation>
    </message>
    <message>
        <source>Сахалинская область</source>
        <translation>Óblast de Sakhalin</translation>
    </message>
    <message>
        <source>Свердловская область</source>
        <translation>Óblast de Sverdlovsk</translation>
    </message>
    <message>
        <source>Смоленская область</source>
        <translation>Óblast de Smolensk</translation>
    </message>
    <message>
        <source>Тамбовская область</source>
        <translation>Óblast de Tambov</translation>
    </message>
    <message>
        <source>Тверская область</source>
        <translation>Óblast de Tver</translation>
    </message>
    <message>
        <source>Томская область</source>
        <translation>Óblast de Tomsk</translation>
    </message>
    <message>
        <source>Тульская область</source>
        <translation>Óblast de Tula</translation>
    </message>
    <message>
        <source>Тюменская область</source>
        <translation>Óblast de Tyumen</translation>
    </message>
    <message>
        <source>Ульяновская область</source>
        <translation>Óblast de Ulyanovsk</translation>
    </message>
    <message>
        <source>Челябинская область</source>
        <translation>Óblast de Chelyabinsk</translation>
    </message>
    <message>
        <source>Читинская область</source>
        <translation>Óblast de Chita</translation>
    </message>
    <message>
        <source>Ярославская область</source>
        <translation>Óblast de Yaroslavl</translation>
    </message>
    <message>
        <source>Еврейская автономная область</source>
        <translation>Óblast Autónomo Hebreo</translation>
    </message>
    <message>
        <source>Агинский Бурятский автономный округ</source>
        <translation>Distrito autónomo de Agin-Buryat</translation>
    </message>
    <message>
        <source>Коми-Пермяцкий автономный округ</source>
        <translation>Distrito autónomo de Komi-Permyak</translation>
    </message>
    <message>
        <source>Корякский автономный округ</source>
        <translation>Distrito autónomo de Koryak</translation>
    </message>
    <message>
        <source>Ненецкий автономный округ</source>
        <translation>Distrito autónomo de Nenets</translation>
    </message>
    <message>
        <source>Таймырский (Долгано-Ненецкий) автономный округ</source>
        <translation>Distrito autónomo de Taymyr (Dolgan-Nenets)</translation>
    </message>
    <message>
        <source>Усть-Ордынский Бурятский автономный округ</source>
        <translation>Distrito autónomo de Ust-Orda Buryat</translation>
    </message>
    <message>
        <source>Ханты-Мансийский автономный округ</source>
        <translation>Distrito autónomo de Khanty-Mansi</translation>
    </message>
    <message>
        <source>Чукотский автономный округ</source>
        <translation>Distrito autónomo de Chukotka</translation>
    </message>
    <message>
        <source>Эвенкийский автономный округ</source>
        <translation>Distrito autónomo de Evenk</translation>
    </message>
    <message>
        <source>Ямало-Ненецкий автономный округ</source>
        <translation>Distrito autónomo de Yamalo-Nenets</translation>
    </message>
</context>
<context>
    <name>ServiceMessage</name>
    <message>
        <source>На сегодняшний день Ваш лимит запросов исчерпан</source>
        <translation>Su límite de consultas de hoy se ha agotado</translation>
    </message>
    <message>
        <source>Записей не найдено</source>
        <translation>No se encontraron registros</translation>
    </message>
    <message>
        <source>Ошибка:</source>
        <translation>Error:</translation>
    </message>
    <message>
        <source>Найдено:0</source>
        <translation>Encontrados: 0</translation>
    </message>
    <message>
        <source>Сервис временно недоступен, повторите запрос позже</source>
        <translation type="vanished">El servicio no está disponible temporalmente, inténtelo de nuevo más tarde</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <source>&apos;%1&apos; is not a valid boolean value</source>
        <translation>«%1» no es un valor booleano válido</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>No se puede abrir el archivo «%1». %2</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; is larger than %2 bytes; the rest was not read</source>
        <translation>El archivo «%1» supera los %2 bytes; el resto no se ha leído</translation>
    </message>
    <message>
        <source>Give it as HOST, HOST:PORT or http://HOST[:PORT]/ (for example register.example:8080).</source>
        <translation>Indíquela como HOST, HOST:PORT o http://HOST[:PORT]/ (por ejemplo register.example:8080).</translation>
    </message>
    <message>
        <source>The host is empty.</source>
        <translation>El host está vacío.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or address.</source>
        <translation>«%1» no es un nombre de host ni una dirección.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>El puerto «%1» no es un número del 1 al 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names port %2, the port field %3: give one port.</source>
        <translation>«%1» indica el puerto %2 y el campo del puerto %3: indique un solo puerto.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a plain HTTP address. %2</source>
        <translation>«%1» no es una dirección HTTP simple. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a path; the service is always at its root. %2</source>
        <translation>«%1» contiene una ruta; el servicio está siempre en la raíz. %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lacks the closing &quot;]&quot;.</source>
        <translation>A «%1» le falta el «]» de cierre.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not HOST or HOST:PORT.</source>
        <translation>«%1» no es HOST ni HOST:PORT.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ends with &quot;:&quot; but gives no port.</source>
        <translation>«%1» termina en «:» pero no indica un puerto.</translation>
    </message>
    <message>
        <source>The setting %1=&quot;%2&quot; is not a service address: %3</source>
        <translation>El ajuste %1=«%2» no es una dirección de servicio: %3</translation>
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
        <translation>Proxy para el acceso a Internet</translation>
    </message>
    <message>
        <source>Use the system configuration</source>
        <translation>Usar la configuración del sistema</translation>
    </message>
    <message>
        <source>Use proxy</source>
        <translation>Usar proxy</translation>
    </message>
    <message>
        <source>Proxy:</source>
        <translation>Proxy:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Puerto:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Enter the proxy&apos;s host name or IP address.</source>
        <translation>Introduzca el nombre de host o la dirección IP del proxy.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name, an IPv4 address or an IPv6 address.</source>
        <translation>«%1» no es un nombre de host ni una dirección IPv4 o IPv6.</translation>
    </message>
    <message>
        <source>The port &quot;%1&quot; is not a number from 1 to 65535.</source>
        <translation>El puerto «%1» no es un número del 1 al 65535.</translation>
    </message>
</context>
<context>
    <name>window::ArchiveSearchDialog</name>
    <message>
        <source>Search the archive</source>
        <translation>Buscar en el histórico</translation>
    </message>
    <message>
        <source>Name, INN or OGRN</source>
        <translation>Nombre, INN u OGRN</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
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
        <translation>Visto por última vez</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>Consulta</translation>
    </message>
</context>
<context>
    <name>window::HistoryPanel</name>
    <message>
        <source>Firms found</source>
        <translation>Empresas encontradas</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>No enviada: %1</translation>
    </message>
    <message>
        <source>Not checked (daily limit)</source>
        <translation>No comprobada (límite diario)</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>Text, INN or OGRN</source>
        <translation>Texto, INN u OGRN</translation>
    </message>
    <message>
        <source>from YYYY-MM-DD</source>
        <translation>desde AAAA-MM-DD</translation>
    </message>
    <message>
        <source>to YYYY-MM-DD</source>
        <translation>hasta AAAA-MM-DD</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Criterios</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>Firms</source>
        <translation>Empresas</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Check again</source>
        <translation>Volver a comprobar</translation>
    </message>
    <message>
        <source>History (nothing is recorded)</source>
        <translation>Historial (no se registra nada)</translation>
    </message>
</context>
<context>
    <name>window::MainWindow</name>
    <message>
        <source>About Vendrake</source>
        <translation type="vanished">Acerca de Vendrake</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Quillmarsh</source>
        <translation type="vanished">&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Busca personas jurídicas en el registro estatal ruso y las muestra en su idioma.&lt;br&gt;&lt;br&gt;Quillmarsh</translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="vanished">Exportar</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation type="vanished">Archivo CSV (*.csv)</translation>
    </message>
    <message>
        <source>Vendrake</source>
        <translation>Vendrake</translation>
    </message>
    <message>
        <source>dd.mm.yyyy</source>
        <translation type="vanished">dd.mm.aaaa</translation>
    </message>
    <message>
        <source>...</source>
        <translation type="vanished">...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation type="vanished">Elegir una fecha</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation type="vanished"> Introducir datos </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="vanished">Nombre:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="vanished">Nombre</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="vanished">Dirección:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="vanished">Dirección</translation>
    </message>
    <message>
        <source>Region:</source>
        <translation type="vanished">Región:</translation>
    </message>
    <message>
        <source>Region</source>
        <translation type="vanished">Región</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation type="vanished">Fecha:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="vanished">Fecha</translation>
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
        <translation type="vanished"> Parámetros de la consulta </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation type="vanished">Idioma de transliteración</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation type="vanished">Idioma de traducción</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation type="vanished">Se consultarán los datos siguientes</translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="vanished">Buscar</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation type="vanished">Nombre consultado</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation type="vanished">Dirección consultada</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation type="vanished">Región consultada</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation type="vanished">Fecha consultada</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation type="vanished">OGRN/INN consultado</translation>
    </message>
    <message>
        <source>Search results in the original language</source>
        <translation type="vanished">Resultados en el idioma original</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation type="vanished">Detalles en el idioma original</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation type="vanished">Resultados en su idioma</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation type="vanished">Idioma del panel de resultados</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation type="vanished">Detalles en su idioma</translation>
    </message>
    <message>
        <source>File</source>
        <translation type="vanished">Archivo</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Borrar todo</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Guardar...</translation>
    </message>
    <message>
        <source>Загрузить данные</source>
        <translation>Cargar datos</translation>
    </message>
    <message>
        <source>Proxy...</source>
        <translation>Proxy...</translation>
    </message>
    <message>
        <source>Register service...</source>
        <translation>Servicio del registro...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="vanished">Ayuda</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Копировать выделенное</source>
        <translation>Copiar la selección</translation>
    </message>
    <message>
        <source>Копировать все данные</source>
        <translation>Copiar todos los datos</translation>
    </message>
    <message>
        <source>Ввести данные</source>
        <translation type="vanished">Introducir datos</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Tipo de datos no válido para «%1»</translation>
    </message>
    <message>
        <source>No dictionary files</source>
        <translation>No hay archivos de diccionario</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>No se puede abrir el archivo «%1». %2</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation>No se pudieron establecer los datos de «%1»</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation type="vanished">El dígito de control de este OGRN no coincide</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation type="vanished">El dígito de control de este INN no coincide</translation>
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
        <translation>La consulta falló: </translation>
    </message>
    <message>
        <source>Checking completed.</source>
        <translation>Comprobación terminada.</translation>
    </message>
    <message>
        <source>Checking completed: %1 of %2 queries failed.</source>
        <translation>Comprobación terminada: fallaron %1 de %2 consultas.</translation>
    </message>
    <message>
        <source>Checking internet connection...</source>
        <translation>Comprobando la conexión a Internet...</translation>
    </message>
    <message>
        <source>No Internet connection...</source>
        <translation>Sin conexión a Internet...</translation>
    </message>
    <message>
        <source>the register service at %1 does not answer: %2</source>
        <translation>el servicio del registro en %1 no responde: %2</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation type="vanished">Comprobando...</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)</source>
        <translation>Archivo de texto (*.txt)</translation>
    </message>
    <message>
        <source>Queries are still running. Stop them and close the window?</source>
        <translation>Todavía hay consultas en curso. ¿Detenerlas y cerrar la ventana?</translation>
    </message>
    <message>
        <source>Stop and close</source>
        <translation>Detener y cerrar</translation>
    </message>
    <message>
        <source>Keep running</source>
        <translation>Seguir</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Guardar como</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Archivo de texto (*.txt)</translation>
    </message>
    <message numerus="yes">
        <source>Saved %n firms to %1</source>
        <translation>
            <numerusform>%n empresa guardada en %1</numerusform>
            <numerusform>%n empresas guardadas en %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Guardar como...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Búsqueda</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Stopped: %1 of %2 checked.</source>
        <translation>Detenido: %1 de %2 comprobados.</translation>
    </message>
    <message>
        <source>%1 The default address %2 is used; set another under File &gt; &quot;Register service...&quot;.</source>
        <translation>%1 Se usa la dirección predeterminada %2; indique otra en Archivo &gt; «Servicio del registro...».</translation>
    </message>
    <message>
        <source>Progress of the search</source>
        <translation>Progreso de la búsqueda</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation type="vanished">El registro solo responde a nombres en letras cirílicas: elija «Русский» para un nombre escrito en cirílico o «Latin to Russian» para uno escrito en letras latinas.</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Guía del usuario</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation type="vanished">«%1» no es una fecha. Indique la fecha como dd.mm.aaaa, por ejemplo 14.03.2002.</translation>
    </message>
    <message>
        <source>Checking: %1 of %2</source>
        <translation>Comprobando: %1 de %2</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nombre</translation>
    </message>
    <message>
        <source>address</source>
        <translation>dirección</translation>
    </message>
    <message>
        <source>region</source>
        <translation>región</translation>
    </message>
    <message>
        <source>registration date</source>
        <translation>fecha de registro</translation>
    </message>
    <message>
        <source>INN/OGRN</source>
        <translation>INN/OGRN</translation>
    </message>
    <message>
        <source>New since the check of %1</source>
        <translation>Nueva desde la comprobación del %1</translation>
    </message>
    <message>
        <source>Changed since the check of %1: %2</source>
        <translation>Cambiada desde la comprobación del %1: %2</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>No registrada: %1</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Histórico</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>Search the archive...</source>
        <translation>Buscar en el histórico...</translation>
    </message>
    <message>
        <source>Export report...</source>
        <translation>Exportar informe...</translation>
    </message>
    <message>
        <source>%1 (as of %2)</source>
        <translation>%1 (a fecha de %2)</translation>
    </message>
    <message>
        <source>Stored check of %1.</source>
        <translation>Comprobación guardada del %1.</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation type="vanished">PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Report written to %1</source>
        <translation>Informe escrito en %1</translation>
    </message>
    <message>
        <source>A report is still being written; export again once it is done.</source>
        <translation>Todavía se está escribiendo un informe; vuelva a exportar cuando termine.</translation>
    </message>
    <message>
        <source>The report is being written to %1...</source>
        <translation>Se está escribiendo el informe en %1...</translation>
    </message>
    <message>
        <source>No firms to save.</source>
        <translation>No hay empresas que guardar.</translation>
    </message>
    <message>
        <source>No firms to save; %1 is left as it was.</source>
        <translation>No hay empresas que guardar; %1 queda como estaba.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more; &quot;%3&quot; is used instead.</source>
        <translation>%1: «%2» ya no está instalado; se usa «%3» en su lugar.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not installed any more.</source>
        <translation>%1: «%2» ya no está instalado.</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportar...</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>Archivo CSV (*.csv)</translation>
    </message>
    <message>
        <source>Export to Excel...</source>
        <translation>Exportar a Excel...</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Libro de Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportado a %1</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Copy all data</source>
        <translation>Copiar todos los datos</translation>
    </message>
    <message>
        <source>Open in History</source>
        <translation>Abrir en el historial</translation>
    </message>
    <message>
        <source>Find again</source>
        <translation>Buscar de nuevo</translation>
    </message>
    <message>
        <source>Checked %1 queries; %2 lines skipped</source>
        <translation>%1 consultas comprobadas; %2 líneas omitidas</translation>
    </message>
    <message>
        <source>Checked %1 queries: %2 failed; %3 lines skipped</source>
        <translation>%1 consultas comprobadas: %2 fallidas; %3 líneas omitidas</translation>
    </message>
    <message>
        <source>%1 checks wait to be recorded: another program holds the archive locked</source>
        <translation>%1 comprobaciones esperan a registrarse: otro programa mantiene bloqueado el archivo</translation>
    </message>
    <message>
        <source>%1 checks that waited are recorded now</source>
        <translation>%1 comprobaciones en espera ya están registradas</translation>
    </message>
    <message>
        <source>Screening: %1</source>
        <translation>Cribado: %1</translation>
    </message>
    <message>
        <source>Screening: no list loaded</source>
        <translation>Cribado: ninguna lista cargada</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 versión %2</translation>
    </message>
    <message>
        <source>%1 (INN %2): %3 version %4, %5 (%6): %7</source>
        <translation>%1 (INN %2): %3 versión %4, %5 (%6): %7</translation>
    </message>
    <message>
        <source>Screening lists...</source>
        <translation>Listas de cribado...</translation>
    </message>
    <message>
        <source>Stored check of %1, %2.</source>
        <translation>Comprobación guardada del %1, %2.</translation>
    </message>
    <message>
        <source>Recorded unscreened: %1</source>
        <translation>Registrada sin cribado: %1</translation>
    </message>
    <message>
        <source>screened against no list</source>
        <translation>cribada contra ninguna lista</translation>
    </message>
    <message>
        <source>screened against %1</source>
        <translation>cribada contra %1</translation>
    </message>
    <message>
        <source>%1 version %2, SHA-256 %3</source>
        <translation>%1 versión %2, SHA-256 %3</translation>
    </message>
</context>
<context>
    <name>window::QueryEntry</name>
    <message>
        <source>dd.mm.yyyy</source>
        <translation>dd.mm.aaaa</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Pick a date</source>
        <translation>Elegir una fecha</translation>
    </message>
    <message>
        <source> Enter data </source>
        <translation> Introducir datos </translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Dirección:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Region:</source>
        <translation>Región:</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Región</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Fecha:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
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
        <translation> Parámetros de la consulta </translation>
    </message>
    <message>
        <source>Language of transliteration</source>
        <translation>Idioma de transliteración</translation>
    </message>
    <message>
        <source>Language of translation</source>
        <translation>Idioma de traducción</translation>
    </message>
    <message>
        <source>Following items will be requested data</source>
        <translation>Se consultarán los datos siguientes</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Requested name</source>
        <translation>Nombre consultado</translation>
    </message>
    <message>
        <source>The register answers only to names in Cyrillic letters: choose &quot;Русский&quot; for a name typed in Cyrillic or &quot;Latin to Russian&quot; for one typed in Latin letters.</source>
        <translation>El registro solo responde a nombres en letras cirílicas: elija «Русский» para un nombre escrito en cirílico o «Latin to Russian» para uno escrito en letras latinas.</translation>
    </message>
    <message>
        <source>Requested address</source>
        <translation>Dirección consultada</translation>
    </message>
    <message>
        <source>Requested region</source>
        <translation>Región consultada</translation>
    </message>
    <message>
        <source>Requested date</source>
        <translation>Fecha consultada</translation>
    </message>
    <message>
        <source>Requested OGRN/INN</source>
        <translation>OGRN/INN consultado</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.</source>
        <translation>«%1» no es una fecha. Indique la fecha como dd.mm.aaaa, por ejemplo 14.03.2002.</translation>
    </message>
    <message>
        <source>The check digit of this OGRN does not match</source>
        <translation>El dígito de control de este OGRN no coincide</translation>
    </message>
    <message>
        <source>The check digit of this INN does not match</source>
        <translation>El dígito de control de este INN no coincide</translation>
    </message>
    <message>
        <source>, Название: </source>
        <translation>, Nombre: </translation>
    </message>
    <message>
        <source>, Адрес: </source>
        <translation>, Dirección: </translation>
    </message>
    <message>
        <source>, Регион: </source>
        <translation>, Región: </translation>
    </message>
    <message>
        <source>, Дата: </source>
        <translation>, Fecha: </translation>
    </message>
    <message>
        <source>, ИНН: </source>
        <translation>, INN/OGRN: </translation>
    </message>
    <message>
        <source>Search for entered data...(</source>
        <translation>Búsqueda de los datos introducidos...(</translation>
    </message>
</context>
<context>
    <name>window::ReportPdf</name>
    <message>
        <source>Register check report</source>
        <translation>Informe de comprobación en el registro</translation>
    </message>
    <message>
        <source>Checked at</source>
        <translation>Comprobado el</translation>
    </message>
    <message>
        <source>Service address</source>
        <translation>Dirección del servicio</translation>
    </message>
    <message>
        <source>Criteria</source>
        <translation>Criterios</translation>
    </message>
    <message>
        <source>Pane language</source>
        <translation>Idioma del panel</translation>
    </message>
    <message>
        <source>Archive record digest (SHA-256)</source>
        <translation>Resumen del registro archivado (SHA-256)</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>no registrado</translation>
    </message>
    <message>
        <source>No rows.</source>
        <translation>Sin filas.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Convertido</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Campo</translation>
    </message>
    <message>
        <source>As received</source>
        <translation>Tal como se recibió</translation>
    </message>
    <message>
        <source>Archive head</source>
        <translation>Cabeza del archivo</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
    <message>
        <source>Time stamp</source>
        <translation>Sello de tiempo</translation>
    </message>
    <message>
        <source>token from %1, not checked: no CA certificates are set (TsaCaFile)</source>
        <translation>token de %1, no comprobado: no hay certificados de CA configurados (TsaCaFile)</translation>
    </message>
    <message>
        <source>token from %1, not checked: %2</source>
        <translation>token de %1, no comprobado: %2</translation>
    </message>
    <message>
        <source>stamped by %1 at %2 (%3)</source>
        <translation>sellado por %1 el %2 (%3)</translation>
    </message>
    <message>
        <source>token from %1 does not hold: %2</source>
        <translation>el token de %1 no es válido: %2</translation>
    </message>
    <message>
        <source>not stamped yet</source>
        <translation>aún sin sellar</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Cribado</translation>
    </message>
</context>
<context>
    <name>window::ResultsModel</name>
    <message>
        <source>Only the first firms of the list are shown: the register cut it short. Narrow the search to see the others.</source>
        <translation>Solo se muestran las primeras empresas de la lista: el registro la ha cortado. Acote la búsqueda para ver las demás.</translation>
    </message>
    <message>
        <source> — on watch lists: %1</source>
        <translation> — en listas de vigilancia: %1</translation>
    </message>
</context>
<context>
    <name>window::ResultsPane</name>
    <message>
        <source>Search results in the original language</source>
        <translation>Resultados en el idioma original</translation>
    </message>
    <message>
        <source>Details in the original language</source>
        <translation>Detalles en el idioma original</translation>
    </message>
    <message>
        <source>Search results in your language</source>
        <translation>Resultados en su idioma</translation>
    </message>
    <message>
        <source>Language of the results pane</source>
        <translation>Idioma del panel de resultados</translation>
    </message>
    <message>
        <source>Details in your language</source>
        <translation>Detalles en su idioma</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(vacío)</translation>
    </message>
    <message>
        <source>Changed since the check of %1; it was: %2</source>
        <translation>Cambiado desde la comprobación del %1; antes: %2</translation>
    </message>
    <message>
        <source>Changed since the check of %1; the values then:</source>
        <translation>Cambiado desde la comprobación del %1; los valores de entonces:</translation>
    </message>
    <message>
        <source>Screening</source>
        <translation>Cribado</translation>
    </message>
    <message>
        <source>Matches: %1 (by number among them)</source>
        <translation>Coincidencias: %1 (entre ellas por número)</translation>
    </message>
    <message>
        <source>Matches: %1 (by name)</source>
        <translation>Coincidencias: %1 (por nombre)</translation>
    </message>
    <message>
        <source>%1 version %2</source>
        <translation>%1 versión %2</translation>
    </message>
    <message>
        <source>Entity</source>
        <translation>Entidad</translation>
    </message>
    <message>
        <source>Topics</source>
        <translation>Temas</translation>
    </message>
    <message>
        <source>What matched</source>
        <translation>Qué coincidió</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntuación</translation>
    </message>
</context>
<context>
    <name>window::ServiceHostDialog</name>
    <message>
        <source>Register service</source>
        <translation>Servicio del registro</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>host, host:port or http://host:port/</source>
        <translation>host, host:puerto o http://host:puerto/</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Puerto</translation>
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
        <translation>&amp;Puerto (opcional):</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Probar</translation>
    </message>
    <message>
        <source>The address of the register service&apos;s mirror; searches from now on go there.</source>
        <translation>La dirección de la réplica del servicio del registro; las búsquedas siguientes irán allí.</translation>
    </message>
    <message>
        <source>Asking %1 for its search form...</source>
        <translation>Pidiendo a %1 su formulario de búsqueda...</translation>
    </message>
</context>
<context>
    <name>window::ShownReason</name>
    <message>
        <source>, records found: </source>
        <translation>, registros encontrados: </translation>
    </message>
    <message>
        <source>check digit does not match (%1)</source>
        <translation>el dígito de control no coincide (%1)</translation>
    </message>
    <message>
        <source>not checked: the daily request limit is used up</source>
        <translation>no comprobado: se ha agotado el límite diario de consultas</translation>
    </message>
    <message>
        <source>no answer in time</source>
        <translation>sin respuesta a tiempo</translation>
    </message>
    <message>
        <source>cannot find the host %1</source>
        <translation>no se encuentra el host %1</translation>
    </message>
    <message>
        <source>cannot connect to the proxy %1</source>
        <translation>no se puede conectar al proxy %1</translation>
    </message>
    <message>
        <source>cannot connect to %1</source>
        <translation>no se puede conectar a %1</translation>
    </message>
    <message>
        <source>cannot find the proxy host %1</source>
        <translation>no se encuentra el host del proxy %1</translation>
    </message>
    <message>
        <source>the proxy %1 asks for a password</source>
        <translation>el proxy %1 pide una contraseña</translation>
    </message>
    <message>
        <source>the proxy %1 failed</source>
        <translation>el proxy %1 falló</translation>
    </message>
    <message>
        <source>cannot decode the answer</source>
        <translation>no se puede decodificar la respuesta</translation>
    </message>
    <message>
        <source>the connection broke</source>
        <translation>la conexión se interrumpió</translation>
    </message>
    <message>
        <source>the connection closed without an answer</source>
        <translation>la conexión se cerró sin respuesta</translation>
    </message>
    <message>
        <source>the answer ended early</source>
        <translation>la respuesta terminó antes de tiempo</translation>
    </message>
    <message>
        <source>too many redirects</source>
        <translation>demasiadas redirecciones</translation>
    </message>
    <message>
        <source>unreadable answer from %1</source>
        <translation>respuesta ilegible de %1</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>memoria agotada</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>cancelado</translation>
    </message>
    <message>
        <source>answer larger than %1</source>
        <translation>respuesta mayor que %1</translation>
    </message>
    <message>
        <source>too many result pages</source>
        <translation>demasiadas páginas de resultados</translation>
    </message>
    <message>
        <source>the register&apos;s answer was not recognised</source>
        <translation>no se reconoció la respuesta del registro</translation>
    </message>
    <message>
        <source>too many rows (a result page may hold %1)</source>
        <translation>demasiadas filas (una página de resultados puede tener %1)</translation>
    </message>
</context>
<context>
    <name>window::UserGuideDialog</name>
    <message>
        <source>&lt;h3&gt;Searching&lt;/h3&gt;&lt;p&gt;Type a name, an address, a region, a registration date (dd.mm.yyyy) or an OGRN or INN under &quot;Enter data&quot; and press &lt;b&gt;Find&lt;/b&gt; or Enter. The fields on the right show what is sent to the register. The register answers only to Cyrillic: choose &quot;Русский&quot; as the language of transliteration for a name typed in Russian, or &quot;Latin to Russian&quot; for a name written in Latin letters.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Buscar&lt;/h3&gt;&lt;p&gt;Escriba un nombre, una dirección, una región, una fecha de registro (dd.mm.aaaa) o un OGRN o INN en «Introducir datos» y pulse &lt;b&gt;Buscar&lt;/b&gt; o Intro. Los campos de la derecha muestran lo que se envía al registro. El registro solo responde en cirílico: elija «Русский» como idioma de transliteración para un nombre escrito en ruso, o «Latin to Russian» para uno escrito en letras latinas.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Results&lt;/h3&gt;&lt;p&gt;Each query is a row of the left tree, with the firms, the register&apos;s messages and failures under it. The right tree shows the same rows converted into the language chosen above it, with the dictionary chosen as &quot;Language of translation&quot;. Click a firm to read its ten fields below both trees.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Resultados&lt;/h3&gt;&lt;p&gt;Cada consulta es una fila del árbol izquierdo, con las empresas, los mensajes del registro y los fallos debajo. El árbol derecho muestra las mismas filas convertidas al idioma elegido encima, con el diccionario elegido como «Idioma de traducción». Haga clic en una empresa para leer sus diez campos debajo de ambos árboles.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Lists&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;Загрузить данные&quot; (Ctrl+O) checks a text file with one name or number per line. The status bar counts the lines checked; &quot;Stop&quot; (Escape) ends the run and keeps what was found.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Listas&lt;/h3&gt;&lt;p&gt;Archivo &amp;gt; «Cargar datos» (Ctrl+O) comprueba un archivo de texto con un nombre o número por línea. La barra de estado cuenta las líneas comprobadas; «Detener» (Esc) termina la ejecución y conserva lo encontrado.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;&quot;Save...&quot; (Ctrl+S) writes the firms to a text file, &quot;Export&quot; (Ctrl+E) writes every row as CSV, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation type="vanished">&lt;h3&gt;Conservar los resultados&lt;/h3&gt;&lt;p&gt;«Guardar...» (Ctrl+S) escribe las empresas en un archivo de texto, «Exportar» (Ctrl+E) escribe cada fila como CSV y el menú de una lista de detalles copia sus valores.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Connection&lt;/h3&gt;&lt;p&gt;&quot;Proxy...&quot; sets an HTTP proxy; &quot;Register service...&quot; sets the address of the register&apos;s mirror and tests it.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Conexión&lt;/h3&gt;&lt;p&gt;«Proxy...» establece un proxy HTTP; «Servicio del registro...» establece la dirección de la réplica del registro y la prueba.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Looks up legal entities in the Russian state register and shows them in your language.&lt;br&gt;&lt;br&gt;Register service in use: %2&lt;br&gt;&lt;br&gt;Licence: proprietary; all rights reserved by Quillmarsh.</source>
        <translation>&lt;b&gt;Vendrake&lt;/b&gt; %1&lt;br&gt;&lt;br&gt;Busca personas jurídicas en el registro estatal ruso y las muestra en su idioma.&lt;br&gt;&lt;br&gt;Servicio del registro en uso: %2&lt;br&gt;&lt;br&gt;Licencia: propietaria; todos los derechos reservados por Quillmarsh.</translation>
    </message>
    <message>
        <source>Vendrake user guide</source>
        <translation type="vanished">Guía del usuario de Vendrake</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Archive&lt;/h3&gt;&lt;p&gt;Every query is kept in the archive on this computer. Archive &amp;gt; &quot;History&quot; (Ctrl+H) lists past checks: open one to see what the register said then, without a request, or check it again. &quot;Search the archive...&quot; (Ctrl+Shift+F) finds every firm seen before by name, INN or OGRN. A firm that changed since the previous check of the same query is marked; its details mark the fields that changed and show, under them, their values at that check. &quot;Export report...&quot; writes the query shown as a PDF.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Histórico&lt;/h3&gt;&lt;p&gt;Cada consulta se guarda en el histórico de este ordenador. Histórico &amp;gt; «Historial» (Ctrl+H) muestra las comprobaciones anteriores: abra una para ver lo que decía entonces el registro, sin hacer una petición, o vuelva a comprobarla. «Buscar en el histórico...» (Ctrl+Mayús+F) encuentra cualquier empresa ya vista por nombre, INN u OGRN. Una empresa que ha cambiado desde la comprobación anterior de la misma consulta aparece marcada; sus detalles marcan los campos que cambiaron y muestran debajo sus valores en aquella comprobación. «Exportar informe...» guarda la consulta mostrada como PDF.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Guía del usuario</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keeping results&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; (Ctrl+S) writes the firms to a text file, &quot;%2&quot; (Ctrl+E) writes every row as CSV and &quot;%3&quot; as an Excel workbook whose cells keep numbers and dates as they are. The menu of either tree copies a row or the whole tree, and the menu of a detail list copies its values.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Conservar los resultados&lt;/h3&gt;&lt;p&gt;Archivo &amp;gt; «%1» (Ctrl+S) escribe las empresas en un archivo de texto, «%2» (Ctrl+E) escribe cada fila como CSV y «%3» como un libro de Excel cuyas celdas conservan los números y las fechas tal como son. El menú de cualquiera de los árboles copia una fila o el árbol entero, y el menú de una lista de detalles copia sus valores.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Screening&lt;/h3&gt;&lt;p&gt;File &amp;gt; &quot;%1&quot; imports a sanctions or watch list you keep (FollowTheMoney JSON lines or its simple CSV) and shows the versions imported. Every firm found is then checked against the newest version of each list, by INN, OGRN and KPP and by name across scripts. A red square flag marks a firm matched by a number, an amber pointed flag one matched by name, in both trees; the query row counts the firms marked, and a firm&apos;s details show a &quot;%2&quot; section with the list, the entity, its topics, what matched and the score. The status bar names the list versions in use, or says &quot;%3&quot;. Each check is recorded with the versions it was screened against and its matches; a check opened from History shows those, not a screening against today&apos;s lists.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Cribado&lt;/h3&gt;&lt;p&gt;Archivo &amp;gt; «%1» importa una lista de sanciones o de vigilancia que usted mantiene (líneas JSON de FollowTheMoney o su CSV simple) y muestra las versiones importadas. Cada empresa encontrada se coteja entonces con la versión más reciente de cada lista, por INN, OGRN y KPP y por nombre entre alfabetos. Una bandera roja cuadrada marca una empresa hallada por un número, una bandera ámbar en punta una hallada por el nombre, en ambos árboles; la fila de la consulta cuenta las empresas marcadas y los detalles de una empresa muestran una sección «%2» con la lista, la entidad, sus temas, lo que coincidió y la puntuación. La barra de estado nombra las versiones de listas en uso o dice «%3». Cada comprobación se registra con las versiones contra las que se cribó y sus coincidencias; una comprobación abierta desde el Historial muestra esas, no un cribado contra las listas de hoy.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>window::Screening</name>
    <message>
        <source>%1 version %2 (%3 entities, imported %4)</source>
        <translation>%1 versión %2 (%3 entidades, importada %4)</translation>
    </message>
</context>
<context>
    <name>window::ScreeningListsDialog</name>
    <message>
        <source>Imported %1.</source>
        <translation>Importada: %1.</translation>
    </message>
    <message>
        <source>%1 malformed lines skipped (lines %2).</source>
        <translation>%1 líneas mal formadas omitidas (líneas %2).</translation>
    </message>
    <message>
        <source>Nothing imported: the newest version of %1 is this file already.</source>
        <translation>No se importó nada: la versión más reciente de %1 ya es este archivo.</translation>
    </message>
    <message>
        <source>Not imported: %1</source>
        <translation>No importado: %1</translation>
    </message>
    <message>
        <source>Screening lists</source>
        <translation>Listas de cribado</translation>
    </message>
    <message>
        <source>Screening index: %1</source>
        <translation>Índice de cribado: %1</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Lista</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Entities</source>
        <translation>Entidades</translation>
    </message>
    <message>
        <source>Imported</source>
        <translation>Importada</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importar...</translation>
    </message>
    <message>
        <source>Import a screening list</source>
        <translation>Importar una lista de cribado</translation>
    </message>
    <message>
        <source>Screening lists (*.json *.jsonl *.ndjson *.csv);;All files (*)</source>
        <translation>Listas de cribado (*.json *.jsonl *.ndjson *.csv);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importando %1...</translation>
    </message>
</context>
</TS>
