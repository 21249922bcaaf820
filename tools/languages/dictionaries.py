"""The word dictionaries that ship: what the register and the program put into the
results tree (legal forms, registering authorities, region words, the query-node labels
and the service messages), translated into each dictionary's language.

The dictionary pass replaces every occurrence of a source, ignoring case and word
boundaries, and later pairs see the targets of earlier ones. So:
  - pairs are written longest source first (ordered_pairs sorts them);
  - a source must not occur inside ordinary words: short abbreviations that do
    (ЗАО in "заочный", АО in "какао", НКО in "банковский", ИП in "типография") are
    only replaced when an opening quote follows, as in ЗАО "Ромашка";
  - the query-node labels are matched with the "(" or ", " before them and the ":"
    after them, never as bare words ("дата" is in "кандидата");
  - targets hold no Cyrillic, so no later pair can rewrite them, except the first
    letter of a name that a source ends with and its target keeps.
"""

# Column order of every row below.
COLUMNS = ["English", "Deutsch", "Français", "Español", "Italiano", "Polski", "Čeština"]
DICTIONARIES = {name: index for index, name in enumerate(COLUMNS)}

# Legal forms written out in full, and other fixed phrases of firm names.
PHRASES = [
    ("Общество с ограниченной ответственностью", "Limited Liability Company",
     "Gesellschaft mit beschränkter Haftung", "Société à responsabilité limitée",
     "Sociedad de responsabilidad limitada", "Società a responsabilità limitata",
     "Spółka z ograniczoną odpowiedzialnością", "Společnost s ručením omezeným"),
    ("Открытое акционерное общество", "Open Joint-Stock Company",
     "Offene Aktiengesellschaft", "Société anonyme ouverte", "Sociedad anónima abierta",
     "Società per azioni aperta", "Otwarta spółka akcyjna", "Otevřená akciová společnost"),
    ("Закрытое акционерное общество", "Closed Joint-Stock Company",
     "Geschlossene Aktiengesellschaft", "Société anonyme fermée", "Sociedad anónima cerrada",
     "Società per azioni chiusa", "Zamknięta spółka akcyjna", "Uzavřená akciová společnost"),
    ("Публичное акционерное общество", "Public Joint-Stock Company",
     "Öffentliche Aktiengesellschaft", "Société anonyme publique", "Sociedad anónima pública",
     "Società per azioni pubblica", "Publiczna spółka akcyjna", "Veřejná akciová společnost"),
    ("Непубличное акционерное общество", "Non-public Joint-Stock Company",
     "Nichtöffentliche Aktiengesellschaft", "Société anonyme non publique",
     "Sociedad anónima no pública", "Società per azioni non pubblica",
     "Niepubliczna spółka akcyjna", "Neveřejná akciová společnost"),
    ("Акционерное общество", "Joint-Stock Company", "Aktiengesellschaft", "Société anonyme",
     "Sociedad anónima", "Società per azioni", "Spółka akcyjna", "Akciová společnost"),
    ("Автономная некоммерческая организация", "Autonomous Non-profit Organization",
     "Autonome gemeinnützige Organisation", "Organisation autonome à but non lucratif",
     "Organización autónoma sin fines de lucro",
     "Organizzazione autonoma senza scopo di lucro", "Autonomiczna organizacja non-profit",
     "Autonomní nezisková organizace"),
    ("Некоммерческая организация", "Non-profit Organization",
     "Gemeinnützige Organisation", "Organisation à but non lucratif",
     "Organización sin fines de lucro", "Organizzazione senza scopo di lucro",
     "Organizacja non-profit", "Nezisková organizace"),
    ("Некоммерческое партнерство", "Non-profit Partnership", "Gemeinnützige Partnerschaft",
     "Partenariat à but non lucratif", "Asociación sin fines de lucro",
     "Partenariato senza scopo di lucro", "Partnerstwo non-profit", "Neziskové partnerství"),
    ("Индивидуальный предприниматель", "Individual Entrepreneur", "Einzelunternehmer",
     "Entrepreneur individuel", "Empresario individual", "Imprenditore individuale",
     "Indywidualny przedsiębiorca", "Individuální podnikatel"),
    ("Федеральное государственное унитарное предприятие",
     "Federal State Unitary Enterprise", "Föderales staatliches Einheitsunternehmen",
     "Entreprise unitaire d'État fédérale", "Empresa unitaria estatal federal",
     "Impresa unitaria statale federale", "Federalne państwowe przedsiębiorstwo unitarne",
     "Federální státní unitární podnik"),
    ("Государственное унитарное предприятие", "State Unitary Enterprise",
     "Staatliches Einheitsunternehmen", "Entreprise unitaire d'État",
     "Empresa unitaria estatal", "Impresa unitaria statale",
     "Państwowe przedsiębiorstwo unitarne", "Státní unitární podnik"),
    ("Муниципальное унитарное предприятие", "Municipal Unitary Enterprise",
     "Kommunales Einheitsunternehmen", "Entreprise unitaire municipale",
     "Empresa unitaria municipal", "Impresa unitaria municipale",
     "Komunalne przedsiębiorstwo unitarne", "Obecní unitární podnik"),
    ("Федеральное государственное бюджетное учреждение",
     "Federal State Budgetary Institution", "Föderale staatliche Haushaltseinrichtung",
     "Établissement budgétaire d'État fédéral", "Institución presupuestaria estatal federal",
     "Istituzione statale federale di bilancio", "Federalna państwowa instytucja budżetowa",
     "Federální státní rozpočtová instituce"),
    ("Государственное бюджетное учреждение", "State Budgetary Institution",
     "Staatliche Haushaltseinrichtung", "Établissement budgétaire d'État",
     "Institución presupuestaria estatal", "Istituzione statale di bilancio",
     "Państwowa instytucja budżetowa", "Státní rozpočtová instituce"),
    ("Муниципальное бюджетное учреждение", "Municipal Budgetary Institution",
     "Kommunale Haushaltseinrichtung", "Établissement budgétaire municipal",
     "Institución presupuestaria municipal", "Istituzione municipale di bilancio",
     "Komunalna instytucja budżetowa", "Obecní rozpočtová instituce"),
    ("Сельскохозяйственный производственный кооператив",
     "Agricultural Production Cooperative", "Landwirtschaftliche Produktionsgenossenschaft",
     "Coopérative de production agricole", "Cooperativa de producción agrícola",
     "Cooperativa di produzione agricola", "Rolnicza spółdzielnia produkcyjna",
     "Zemědělské výrobní družstvo"),
    ("Производственный кооператив", "Production Cooperative", "Produktionsgenossenschaft",
     "Coopérative de production", "Cooperativa de producción", "Cooperativa di produzione",
     "Spółdzielnia produkcyjna", "Výrobní družstvo"),
    ("Потребительский кооператив", "Consumer Cooperative", "Verbrauchergenossenschaft",
     "Coopérative de consommation", "Cooperativa de consumo", "Cooperativa di consumo",
     "Spółdzielnia spożywców", "Spotřební družstvo"),
    ("Товарищество собственников жилья", "Homeowners' Association",
     "Wohnungseigentümergemeinschaft", "Association de copropriétaires",
     "Asociación de propietarios de viviendas", "Associazione dei proprietari di alloggi",
     "Wspólnota mieszkaniowa", "Společenství vlastníků jednotek"),
    ("Крестьянское (фермерское) хозяйство", "Peasant (Farm) Holding",
     "Bäuerlicher (landwirtschaftlicher) Betrieb", "Exploitation paysanne (agricole)",
     "Explotación campesina (agrícola)", "Azienda contadina (agricola)",
     "Gospodarstwo chłopskie (rolne)", "Rolnické (farmářské) hospodářství"),
    ("Общественная организация", "Public Organization", "Gesellschaftliche Organisation",
     "Organisation sociale", "Organización social", "Organizzazione sociale",
     "Organizacja społeczna", "Společenská organizace"),
    ("Благотворительный фонд", "Charitable Foundation", "Wohltätigkeitsstiftung",
     "Fondation caritative", "Fundación benéfica", "Fondazione di beneficenza",
     "Fundacja charytatywna", "Charitativní nadace"),
    ("Полное товарищество", "General Partnership", "Offene Handelsgesellschaft",
     "Société en nom collectif", "Sociedad colectiva", "Società in nome collettivo",
     "Spółka jawna", "Veřejná obchodní společnost"),
    ("Товарищество на вере", "Limited Partnership", "Kommanditgesellschaft",
     "Société en commandite", "Sociedad comanditaria", "Società in accomandita",
     "Spółka komandytowa", "Komanditní společnost"),
    ("Научно-производственное предприятие", "Research and Production Enterprise",
     "Forschungs- und Produktionsunternehmen", "Entreprise de recherche et de production",
     "Empresa de investigación y producción", "Impresa di ricerca e produzione",
     "Przedsiębiorstwo naukowo-produkcyjne", "Výzkumně-výrobní podnik"),
    ("Научно-производственное объединение", "Research and Production Association",
     "Forschungs- und Produktionsvereinigung", "Association de recherche et de production",
     "Asociación de investigación y producción", "Associazione di ricerca e produzione",
     "Zrzeszenie naukowo-produkcyjne", "Výzkumně-výrobní sdružení"),
    ("Торговый дом", "Trading House", "Handelshaus", "Maison de commerce", "Casa comercial",
     "Casa commerciale", "Dom handlowy", "Obchodní dům"),
    ("Управляющая компания", "Management Company", "Verwaltungsgesellschaft",
     "Société de gestion", "Sociedad gestora", "Società di gestione", "Spółka zarządzająca",
     "Správcovská společnost"),
    ("Строительная компания", "Construction Company", "Baufirma",
     "Entreprise de construction", "Empresa constructora", "Impresa di costruzioni",
     "Firma budowlana", "Stavební společnost"),
    ("Группа компаний", "Group of Companies", "Unternehmensgruppe", "Groupe de sociétés",
     "Grupo de empresas", "Gruppo di società", "Grupa spółek", "Skupina společností"),
]

# Abbreviations that never occur inside Russian words: replaced wherever they stand.
SAFE_ABBREVIATIONS = [
    ("ООО", "LLC", "GmbH", "SARL", "SRL", "S.r.l.", "sp. z o.o.", "s.r.o."),
    ("ОАО", "OJSC", "offene AG", "SA ouverte", "SA abierta", "S.p.A. aperta",
     "otwarta SA", "otevřená a.s."),
    ("ФГУП", "FSUE", "föderales staatliches Einheitsunternehmen",
     "entreprise unitaire d'État fédérale", "empresa unitaria estatal federal",
     "impresa unitaria statale federale", "federalne przedsiębiorstwo unitarne",
     "federální státní unitární podnik"),
    ("ФГБУ", "FSBI", "föderale staatliche Haushaltseinrichtung",
     "établissement budgétaire d'État fédéral", "institución presupuestaria estatal federal",
     "istituzione statale federale di bilancio", "federalna instytucja budżetowa",
     "federální státní rozpočtová instituce"),
    ("ТСЖ", "HOA", "Wohnungseigentümergemeinschaft", "association de copropriétaires",
     "asociación de propietarios", "associazione dei proprietari", "wspólnota mieszkaniowa",
     "SVJ"),
    ("КФХ", "Peasant Farm", "Bauernhof", "exploitation paysanne", "explotación campesina",
     "azienda contadina", "gospodarstwo rolne", "farma"),
    ("СПК", "Agricultural Production Cooperative",
     "landwirtschaftliche Produktionsgenossenschaft", "coopérative de production agricole",
     "cooperativa de producción agrícola", "cooperativa di produzione agricola",
     "rolnicza spółdzielnia produkcyjna", "zemědělské výrobní družstvo"),
]

# Abbreviations that also occur inside words: replaced only before an opening quote.
QUOTED_ABBREVIATIONS = [
    ("ЗАО", "CJSC", "geschlossene AG", "SA fermée", "SA cerrada", "S.p.A. chiusa",
     "zamknięta SA", "uzavřená a.s."),
    ("ПАО", "PJSC", "öffentliche AG", "SA publique", "SA pública", "S.p.A. pubblica",
     "publiczna SA", "veřejná a.s."),
    ("НАО", "Non-public JSC", "nichtöffentliche AG", "SA non publique", "SA no pública",
     "S.p.A. non pubblica", "niepubliczna SA", "neveřejná a.s."),
    ("АО", "JSC", "AG", "SA", "SA", "S.p.A.", "SA", "a.s."),
    ("АНО", "Autonomous Non-profit Organization", "autonome gemeinnützige Organisation",
     "organisation autonome à but non lucratif", "organización autónoma sin fines de lucro",
     "organizzazione autonoma senza scopo di lucro", "autonomiczna organizacja non-profit",
     "autonomní nezisková organizace"),
    ("НКО", "Non-profit Organization", "gemeinnützige Organisation",
     "organisation à but non lucratif", "organización sin fines de lucro",
     "organizzazione senza scopo di lucro", "organizacja non-profit",
     "nezisková organizace"),
    ("НП", "Non-profit Partnership", "gemeinnützige Partnerschaft",
     "partenariat à but non lucratif", "asociación sin fines de lucro",
     "partenariato senza scopo di lucro", "partnerstwo non-profit", "neziskové partnerství"),
    ("ГУП", "SUE", "staatliches Einheitsunternehmen", "entreprise unitaire d'État",
     "empresa unitaria estatal", "impresa unitaria statale",
     "państwowe przedsiębiorstwo unitarne", "státní unitární podnik"),
    ("МУП", "MUE", "kommunales Einheitsunternehmen", "entreprise unitaire municipale",
     "empresa unitaria municipal", "impresa unitaria municipale",
     "komunalne przedsiębiorstwo unitarne", "obecní unitární podnik"),
    ("ИП", "Individual Entrepreneur", "Einzelunternehmer", "entrepreneur individuel",
     "empresario individual", "imprenditore individuale", "indywidualny przedsiębiorca",
     "individuální podnikatel"),
]
OPENING_QUOTES = ['"', "«"]

# Registering authorities and the places they serve.
AUTHORITIES = [
    ("Межрайонная инспекция Федеральной налоговой службы",
     "Interdistrict Inspectorate of the Federal Tax Service",
     "Bezirksübergreifende Inspektion des Föderalen Steuerdienstes",
     "Inspection interdistricts du Service fédéral des impôts",
     "Inspección interdistrital del Servicio Federal de Impuestos",
     "Ispettorato interdistrettuale del Servizio fiscale federale",
     "Międzyrejonowy Inspektorat Federalnej Służby Podatkowej",
     "Meziobvodní inspekce Federální daňové služby"),
    ("Инспекция Федеральной налоговой службы", "Inspectorate of the Federal Tax Service",
     "Inspektion des Föderalen Steuerdienstes", "Inspection du Service fédéral des impôts",
     "Inspección del Servicio Federal de Impuestos",
     "Ispettorato del Servizio fiscale federale",
     "Inspektorat Federalnej Służby Podatkowej", "Inspekce Federální daňové služby"),
    ("Управление Федеральной налоговой службы", "Office of the Federal Tax Service",
     "Verwaltung des Föderalen Steuerdienstes", "Direction du Service fédéral des impôts",
     "Dirección del Servicio Federal de Impuestos", "Direzione del Servizio fiscale federale",
     "Urząd Federalnej Służby Podatkowej", "Správa Federální daňové služby"),
    ("Федеральной налоговой службы", "of the Federal Tax Service",
     "des Föderalen Steuerdienstes", "du Service fédéral des impôts",
     "del Servicio Federal de Impuestos", "del Servizio fiscale federale",
     "Federalnej Służby Podatkowej", "Federální daňové služby"),
    ("Межрайонная ИФНС России",
     "Interdistrict Inspectorate of the Federal Tax Service of Russia",
     "Bezirksübergreifende Inspektion des Föderalen Steuerdienstes Russlands",
     "Inspection interdistricts du Service fédéral des impôts de Russie",
     "Inspección interdistrital del Servicio Federal de Impuestos de Rusia",
     "Ispettorato interdistrettuale del Servizio fiscale federale della Russia",
     "Międzyrejonowy Inspektorat Federalnej Służby Podatkowej Rosji",
     "Meziobvodní inspekce Federální daňové služby Ruska"),
    ("МИФНС России", "Interdistrict Inspectorate of the Federal Tax Service of Russia",
     "Bezirksübergreifende Inspektion des Föderalen Steuerdienstes Russlands",
     "Inspection interdistricts du Service fédéral des impôts de Russie",
     "Inspección interdistrital del Servicio Federal de Impuestos de Rusia",
     "Ispettorato interdistrettuale del Servizio fiscale federale della Russia",
     "Międzyrejonowy Inspektorat Federalnej Służby Podatkowej Rosji",
     "Meziobvodní inspekce Federální daňové služby Ruska"),
    ("ИФНС России", "Inspectorate of the Federal Tax Service of Russia",
     "Inspektion des Föderalen Steuerdienstes Russlands",
     "Inspection du Service fédéral des impôts de Russie",
     "Inspección del Servicio Federal de Impuestos de Rusia",
     "Ispettorato del Servizio fiscale federale della Russia",
     "Inspektorat Federalnej Służby Podatkowej Rosji",
     "Inspekce Federální daňové služby Ruska"),
    ("УФНС России", "Office of the Federal Tax Service of Russia",
     "Verwaltung des Föderalen Steuerdienstes Russlands",
     "Direction du Service fédéral des impôts de Russie",
     "Dirección del Servicio Federal de Impuestos de Rusia",
     "Direzione del Servizio fiscale federale della Russia",
     "Urząd Federalnej Służby Podatkowej Rosji", "Správa Federální daňové služby Ruska"),
    ("ФНС России", "Federal Tax Service of Russia", "Föderaler Steuerdienst Russlands",
     "Service fédéral des impôts de Russie", "Servicio Federal de Impuestos de Rusia",
     "Servizio fiscale federale della Russia", "Federalna Służba Podatkowa Rosji",
     "Federální daňová služba Ruska"),
    ("Межрайонная инспекция МНС России",
     "Interdistrict Inspectorate of the Ministry of Taxes of Russia",
     "Bezirksübergreifende Inspektion des Steuerministeriums Russlands",
     "Inspection interdistricts du ministère des Impôts de Russie",
     "Inspección interdistrital del Ministerio de Impuestos de Rusia",
     "Ispettorato interdistrettuale del Ministero delle imposte della Russia",
     "Międzyrejonowy Inspektorat Ministerstwa Podatków Rosji",
     "Meziobvodní inspekce Ministerstva daní Ruska"),
    ("Инспекция МНС России", "Inspectorate of the Ministry of Taxes of Russia",
     "Inspektion des Steuerministeriums Russlands",
     "Inspection du ministère des Impôts de Russie",
     "Inspección del Ministerio de Impuestos de Rusia",
     "Ispettorato del Ministero delle imposte della Russia",
     "Inspektorat Ministerstwa Podatków Rosji", "Inspekce Ministerstva daní Ruska"),
    ("Министерства Российской Федерации по налогам и сборам",
     "of the Ministry of Taxes and Levies of the Russian Federation",
     "des Ministeriums für Steuern und Abgaben der Russischen Föderation",
     "du ministère des Impôts et Taxes de la Fédération de Russie",
     "del Ministerio de Impuestos y Tasas de la Federación de Rusia",
     "del Ministero delle imposte e dei tributi della Federazione Russa",
     "Ministerstwa Podatków i Opłat Federacji Rosyjskiej",
     "Ministerstva daní a poplatků Ruské federace"),
    ("Межрайонная инспекция", "Interdistrict Inspectorate", "Bezirksübergreifende Inspektion",
     "Inspection interdistricts", "Inspección interdistrital", "Ispettorato interdistrettuale",
     "Międzyrejonowy Inspektorat", "Meziobvodní inspekce"),
    ("Российской Федерации", "of the Russian Federation", "der Russischen Föderation",
     "de la Fédération de Russie", "de la Federación de Rusia", "della Federazione Russa",
     "Federacji Rosyjskiej", "Ruské federace"),
    ("Российская Федерация", "Russian Federation", "Russische Föderation",
     "Fédération de Russie", "Federación de Rusia", "Federazione Russa",
     "Federacja Rosyjska", "Ruská federace"),
    ("по г. Москве", "for Moscow", "für Moskau", "pour Moscou", "de Moscú", "per Mosca",
     "dla Moskwy", "pro Moskvu"),
    ("по г.Москве", "for Moscow", "für Moskau", "pour Moscou", "de Moscú", "per Mosca",
     "dla Moskwy", "pro Moskvu"),
    ("по г. Санкт-Петербургу", "for Saint Petersburg", "für Sankt Petersburg",
     "pour Saint-Pétersbourg", "de San Petersburgo", "per San Pietroburgo",
     "dla Petersburga", "pro Petrohrad"),
    ("по г.Санкт-Петербургу", "for Saint Petersburg", "für Sankt Petersburg",
     "pour Saint-Pétersbourg", "de San Petersburgo", "per San Pietroburgo",
     "dla Petersburga", "pro Petrohrad"),
    ("по Санкт-Петербургу", "for Saint Petersburg", "für Sankt Petersburg",
     "pour Saint-Pétersbourg", "de San Petersburgo", "per San Pietroburgo",
     "dla Petersburga", "pro Petrohrad"),
    ("по Московской области", "for Moscow Oblast", "für die Oblast Moskau",
     "pour l'oblast de Moscou", "de la óblast de Moscú", "per l'oblast' di Mosca",
     "dla obwodu moskiewskiego", "pro Moskevskou oblast"),
    ("по Ленинградской области", "for Leningrad Oblast", "für die Oblast Leningrad",
     "pour l'oblast de Léningrad", "de la óblast de Leningrado",
     "per l'oblast' di Leningrado", "dla obwodu leningradzkiego",
     "pro Leningradskou oblast"),
    ("по Республике", "for the Republic of", "für die Republik", "pour la République de",
     "de la República de", "per la Repubblica di", "dla Republiki", "pro republiku"),
    ("г. Москва", "Moscow", "Moskau", "Moscou", "Moscú", "Mosca", "Moskwa", "Moskva"),
    ("г.Москва", "Moscow", "Moskau", "Moscou", "Moscú", "Mosca", "Moskwa", "Moskva"),
    ("г. Санкт-Петербург", "Saint Petersburg", "Sankt Petersburg", "Saint-Pétersbourg",
     "San Petersburgo", "San Pietroburgo", "Sankt Petersburg", "Petrohrad"),
    ("г.Санкт-Петербург", "Saint Petersburg", "Sankt Petersburg", "Saint-Pétersbourg",
     "San Petersburgo", "San Pietroburgo", "Sankt Petersburg", "Petrohrad"),
    ("№", "No.", "Nr.", "n°", "n.º", "n.", "nr", "č."),
]

# Region names and region words of the region list.
REGIONS = [
    ("Удмуртская Республика", "Udmurt Republic", "Republik Udmurtien",
     "République d'Oudmourtie", "República de Udmurtia", "Repubblica dell'Udmurtia",
     "Republika Udmurcka", "Udmurtská republika"),
    ("Чеченская Республика", "Chechen Republic", "Republik Tschetschenien",
     "République de Tchétchénie", "República de Chechenia", "Repubblica cecena",
     "Republika Czeczeńska", "Čečenská republika"),
    ("Чувашская Республика", "Chuvash Republic", "Republik Tschuwaschien",
     "République de Tchouvachie", "República de Chuvasia", "Repubblica ciuvascia",
     "Republika Czuwaska", "Čuvašská republika"),
    ("Карачаево-Черкесская республика", "Karachay-Cherkess Republic",
     "Republik Karatschai-Tscherkessien", "République de Karatchaïévo-Tcherkessie",
     "República de Karacháyevo-Cherkesia", "Repubblica di Karačaj-Circassia",
     "Republika Karaczajo-Czerkieska", "Karačajevo-Čerkeská republika"),
    ("Автономный округ", "Autonomous Okrug", "Autonomer Kreis", "district autonome",
     "distrito autónomo", "circondario autonomo", "Okręg Autonomiczny", "autonomní okruh"),
    ("Автономная область", "Autonomous Oblast", "Autonome Oblast", "oblast autonome",
     "óblast autónomo", "oblast' autonoma", "Obwód Autonomiczny", "autonomní oblast"),
    ("область", "Oblast", "Oblast", "oblast", "óblast", "oblast'", "obwód", "oblast"),
    ("Алтайский край", "Altai Krai", "Region Altai", "kraï de l'Altaï", "krai de Altái",
     "territorio dell'Altaj", "Kraj Ałtajski", "Altajský kraj"),
    ("Краснодарский край", "Krasnodar Krai", "Region Krasnodar", "kraï de Krasnodar",
     "krai de Krasnodar", "territorio di Krasnodar", "Kraj Krasnodarski",
     "Krasnodarský kraj"),
    ("Красноярский край", "Krasnoyarsk Krai", "Region Krasnojarsk", "kraï de Krasnoïarsk",
     "krai de Krasnoyarsk", "territorio di Krasnojarsk", "Kraj Krasnojarski",
     "Krasnojarský kraj"),
    ("Приморский край", "Primorsky Krai", "Region Primorje", "kraï du Primorié",
     "krai de Primorie", "territorio del Litorale", "Kraj Nadmorski", "Přímořský kraj"),
    ("Ставропольский край", "Stavropol Krai", "Region Stawropol", "kraï de Stavropol",
     "krai de Stávropol", "territorio di Stavropol'", "Kraj Stawropolski",
     "Stavropolský kraj"),
    ("Хабаровский край", "Khabarovsk Krai", "Region Chabarowsk", "kraï de Khabarovsk",
     "krai de Jabárovsk", "territorio di Chabarovsk", "Kraj Chabarowski",
     "Chabarovský kraj"),
    ("Пермский край", "Perm Krai", "Region Perm", "kraï de Perm", "krai de Perm",
     "territorio di Perm'", "Kraj Permski", "Permský kraj"),
    ("Камчатский край", "Kamchatka Krai", "Region Kamtschatka", "kraï du Kamtchatka",
     "krai de Kamchatka", "territorio della Kamčatka", "Kraj Kamczacki", "Kamčatský kraj"),
    ("Забайкальский край", "Zabaykalsky Krai", "Region Transbaikalien",
     "kraï de Transbaïkalie", "krai de Zabaikalie", "territorio della Transbajkalia",
     "Kraj Zabajkalski", "Zabajkalský kraj"),
]

# "Республика" followed by a name: matched together with the name's first letter, which
# is kept (and transliterated later), because "республика" begins "республиканский".
REPUBLIC = ("Республика", "Republic of", "Republik", "République de", "República de",
            "Repubblica di", "Republika", "Republika")
CAPITALS = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЭЮЯ"

# Labels of the query node, "(Название: ..., Регион: ...)"; matched with their neighbours.
LABELS = [
    ("Название", "Name", "Name", "Nom", "Nombre", "Denominazione", "Nazwa", "Název"),
    ("Адрес", "Address", "Adresse", "Adresse", "Dirección", "Indirizzo", "Adres", "Adresa"),
    ("Регион", "Region", "Region", "Région", "Región", "Regione", "Region", "Region"),
    ("Дата", "Date", "Datum", "Date", "Fecha", "Data", "Data", "Datum"),
    ("ИНН", "TIN", "Steuernummer", "NIF", "NIF", "Codice fiscale", "NIP", "DIČ"),
]

# Captions of the detail lists, each matched with the ":" the window puts after it.
CAPTIONS = [
    ("Название", "Name", "Name", "Nom", "Nombre", "Denominazione", "Nazwa", "Název"),
    ("Адрес", "Address", "Adresse", "Adresse", "Dirección", "Indirizzo", "Adres", "Adresa"),
    ("ОГРН", "Primary State Registration Number",
     "Hauptstaatliche Registrierungsnummer", "Numéro principal d'enregistrement d'État",
     "Número principal de registro estatal", "Numero principale di registrazione statale",
     "Główny państwowy numer rejestracyjny", "Hlavní státní registrační číslo"),
    ("ГРН", "State Registration Number", "Staatliche Registrierungsnummer",
     "Numéro d'enregistrement d'État", "Número de registro estatal",
     "Numero di registrazione statale", "Państwowy numer rejestracyjny",
     "Státní registrační číslo"),
    ("ИНН", "TIN", "Steuernummer", "NIF", "NIF", "Codice fiscale", "NIP", "DIČ"),
    ("КПП", "Registration Reason Code", "Registrierungsgrundcode",
     "Code du motif d'enregistrement", "Código de motivo de registro",
     "Codice motivo di registrazione", "Kod przyczyny rejestracji", "Kód důvodu registrace"),
    ("Дата записи", "Entry date", "Eintragsdatum", "Date d'inscription", "Fecha de inscripción",
     "Data di iscrizione", "Data wpisu", "Datum zápisu"),
    ("Рег. орган", "Registering authority", "Registrierungsbehörde",
     "Autorité d'enregistrement", "Autoridad de registro", "Autorità di registrazione",
     "Organ rejestrowy", "Registrační orgán"),
    ("Адрес органа", "Authority's address", "Adresse der Behörde", "Adresse de l'autorité",
     "Dirección de la autoridad", "Indirizzo dell'autorità", "Adres organu", "Adresa orgánu"),
    ("Регион", "Region", "Region", "Région", "Región", "Regione", "Region", "Region"),
]

# Messages of the register service, shown as message nodes.
MESSAGES = [
    ("На сегодняшний день Ваш лимит запросов исчерпан",
     "The request limit for today has been used up",
     "Das Abfragelimit für heute ist erschöpft",
     "La limite de requêtes pour aujourd'hui est atteinte",
     "Se ha agotado el límite de consultas de hoy",
     "Il limite di richieste per oggi è esaurito",
     "Dzisiejszy limit zapytań został wyczerpany", "Dnešní limit dotazů byl vyčerpán"),
    ("Записей не найдено", "No records found", "Keine Einträge gefunden",
     "Aucun enregistrement trouvé", "No se encontraron registros", "Nessun record trovato",
     "Nie znaleziono wpisów", "Nebyly nalezeny žádné záznamy"),
    ("Найдено:0", "Found: 0", "Gefunden: 0", "Trouvé: 0", "Encontrados: 0", "Trovati: 0",
     "Znaleziono: 0", "Nalezeno: 0"),
    ("Ошибка:", "Error:", "Fehler:", "Erreur:", "Error:", "Errore:", "Błąd:", "Chyba:"),
]


def _rows():
    rows = list(PHRASES) + list(SAFE_ABBREVIATIONS) + list(AUTHORITIES) + list(REGIONS)
    rows += list(MESSAGES)
    for letter in CAPITALS:
        rows.append(tuple(text + " " + letter for text in REPUBLIC))
    # Every abbreviation also with its quote, so that the longer ОАО "..." and ФГУП "..."
    # are replaced before the АО "..." and ГУП "..." they end with.
    for row in SAFE_ABBREVIATIONS + QUOTED_ABBREVIATIONS:
        for quote in OPENING_QUOTES:
            rows.append(tuple(text + " " + quote for text in row))
    for row in CAPTIONS:
        rows.append(tuple(text + ":" for text in row))
    for row in LABELS:
        for before in ("(", ", "):
            rows.append((before + row[0] + ":",) + tuple(before + t + ":" for t in row[1:]))
    return rows


def ordered_pairs(column):
    """(source, target) pairs of one dictionary, longest source first, file order kept
    among sources of the same length."""
    pairs = []
    seen = set()
    for row in _rows():
        if len(row) != len(COLUMNS) + 1:
            raise ValueError(f"row {row[0]!r} has {len(row) - 1} targets")
        key = row[0].upper()
        if key in seen:
            raise ValueError(f"source {row[0]!r} twice")
        seen.add(key)
        pairs.append((row[0], row[column + 1]))
    return sorted(pairs, key=lambda pair: -len(pair[0]))
