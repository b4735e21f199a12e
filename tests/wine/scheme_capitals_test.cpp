// The thirteen schemes added to the library and the capitals of every shipped
// profile, through the real DLL.
//
// Each scheme's examples are those of its file in the reference pack of
// transliteration standards (published where the pack found any, worked out
// from the table where it says "derived"), as printed there; the README lists
// the few that cannot come out as printed (Рыркайпий, ДШК, каньон, выйти),
// which are left out here. A quotation mark of a table is '' in a file name.
//
// The capitals table holds for every profile and every letter of its
// language: a capital is written as the small letter's Latin capitalised when
// no capital stands beside it (alone, as an initial, at the end of a name,
// before a small letter) and in capitals when one does (at the start, in the
// middle and at the end of a word in capitals). It is stated against what the
// same profile makes of the small letters, so that it holds whatever the
// scheme's context rules are.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "tests/wine/support/shipped_profile.h"

namespace {

struct SchemeExamples {
  const char* file;
  std::vector<std::pair<const char*, const char*>> examples;
};

// clang-format off
const SchemeExamples kSchemes[] = {
    {"wikipedia.pch", {{"Аник", "Anik"}, {"Аликово", "Alikovo"}, {"Поганкино", "Pogankino"}, {"Болотин", "Bolotin"}, {"Колбасин", "Kolbasin"}, {"Воронин", "Voronin"}, {"Привалин", "Privalin"}, {"Галкин", "Galkin"}, {"Луговой", "Lugovoy"}, {"Дровяное", "Drovyanoye"}, {"Подгорск", "Podgorsk"}, {"Ёлкино", "Yolkino"}, {"Озёрск", "Ozyorsk"}, {"Жиров", "Zhirov"}, {"Приволжское", "Privolzhskoye"}, {"Зорин", "Zorin"}, {"Обозов", "Obozov"}, {"Иркутск", "Irkutsk"}, {"Владивосток", "Vladivostok"}, {"Киров", "Kirov"}, {"Лапинск", "Lapinsk"}, {"Комсомольск", "Komsomolsk"}, {"Мичурин", "Michurin"}, {"Колыма", "Kolyma"}, {"Нальчик", "Nalchik"}, {"Савино", "Savino"}, {"Оха", "Okha"}, {"Грозный", "Grozny"}, {"Петроград", "Petrograd"}, {"Ставрополь", "Stavropol"}, {"Родниковое", "Rodnikovoye"}, {"Высокогорск", "Vysokogorsk"}, {"Ступино", "Stupino"}, {"Бирск", "Birsk"}, {"Тавричанка", "Tavrichanka"}, {"Ростов", "Rostov"}, {"Улетайск", "Uletaysk"}, {"Шушенское", "Shushenskoye"}, {"Фёдоровка", "Fyodorovka"}, {"Уфа", "Ufa"}, {"Хабаровск", "Khabarovsk"}, {"Царское", "Tsarskoye"}, {"Зарецкий", "Zaretsky"}, {"Черемшаны", "Cheremshany"}, {"Зареченск", "Zarechensk"}, {"Шадрин", "Shadrin"}, {"Моршанск", "Morshansk"}, {"Щукино", "Shchukino"}, {"Рощинский", "Roshchinsky"}, {"Ытык-Кюёль", "Ytyk-Kyuyol"}, {"Элиста", "Elista"}, {"Тетраэдральный", "Tetraedralny"}, {"Южный", "Yuzhny"}, {"Вилючинск", "Vilyuchinsk"}, {"Ярославль", "Yaroslavl"}, {"Бурянск", "Buryansk"}, {"Синий", "Siny"}, {"Майер", "Mayer"}}},
    {"mvd-310-1997.pch", {{"Ильенко", "Ilyenko"}, {"Васильев", "Vasilyev"}, {"Юрьевич", "Yuryevich"}, {"Объедков", "Obyedkov"}, {"Щербаков", "Shcherbakov"}, {"Хохлов", "Khokhlov"}, {"Цыганов", "Tsyganov"}, {"Аксёнов", "Aksenov"}, {"Ёлкин", "Elkin"}, {"Маяковский", "Mayakovskiy"}, {"Ильич", "Il'ich"}, {"Дьяково", "D'yakovo"}, {"Подъячева", "Pod''yacheva"}, {"Серебряный Бор", "Serebryanyy Bor"}, {"Мытищи", "Mytishchi"}, {"Жулебино", "Zhulebino"}}},
    {"mvd-782-2000.pch", {{"Аксёнов", "Aksyenov"}, {"Чёрный", "Chernyy"}, {"Шёлковый", "Shelkovyy"}, {"Щёлково", "Shchelkovo"}, {"Ёлкин", "Yolkin"}, {"Достоевский", "Dostoyevskiy"}, {"Отрадное", "Otradnoye"}, {"Братцево", "Brattsevo"}, {"Мытищи", "Mytishchi"}, {"Маяковский", "Mayakovskiy"}, {"Артёмовский", "Artyemovskiy"}, {"Хохлов", "Khokhlov"}, {"Цыганов", "Tsyganov"}, {"Дьяково", "D'yakovo"}, {"Подъячева", "Pod'yacheva"}, {"Жулебино", "Zhulebino"}}},
    {"gost-r-52290-2004.pch", {{"Аксёнов", "Aksyenov"}, {"Чёрный", "Chernyy"}, {"Шёлковый", "Shelkovyy"}, {"Щёлково", "Shchelkovo"}, {"Ёлкин", "Yolkin"}, {"Достоевский", "Dostoyevskiy"}, {"Отрадное", "Otradnoye"}, {"Братцево", "Brattsevo"}, {"Мытищи", "Mytishchi"}, {"Маяковский", "Mayakovskiy"}, {"Артёмовский", "Artyemovskiy"}, {"Хохлов", "Khokhlov"}, {"Цыганов", "Tsyganov"}, {"Дьяково", "D'yakovo"}, {"Подъячева", "Pod'yacheva"}, {"Жулебино", "Zhulebino"}}},
    {"moscow-metro.pch", {{"Братцево", "Bratsevo"}, {"Соловьёв", "Solovyov"}, {"Ильич", "Ilyich"}, {"Дьяково", "Dyakovo"}, {"Щербаков", "Scherbakov"}, {"Мытищи", "Mytischi"}, {"Маяковский", "Mayakovsky"}, {"Достоевский", "Dostoevsky"}, {"Аксёнов", "Aksenov"}, {"Юрьевич", "Yuryevich"}, {"Объедков", "Obyedkov"}, {"Подъячева", "Podyacheva"}, {"Серебряный Бор", "Serebryany Bor"}, {"Отрадное", "Otradnoe"}, {"Пятницкий", "Pyatnitsky"}, {"Вьюгин", "Vyugin"}, {"Жулебино", "Zhulebino"}, {"Медведково", "Medvedkovo"}}},
    {"yandex-maps.pch", {{"съёмка", "syomka"}, {"съезд", "syezd"}, {"который", "kotoriy"}, {"альянс", "alyans"}, {"Ерёменко", "Yeryomenko"}, {"Ежов", "Yezhov"}, {"Достоевский", "Dostoyevskiy"}, {"Заречье", "Zarechye"}, {"Ильич", "Ilyich"}, {"Юрьевич", "Yuryevich"}, {"Соловьёв", "Solovyov"}, {"Объедков", "Obyedkov"}, {"Чёрный", "Chyorniy"}, {"Щёлково", "Schyolkovo"}, {"Мытищи", "Mytischi"}, {"Братцево", "Brattsevo"}, {"Серебряный Бор", "Serebryaniy Bor"}, {"Отрадное", "Otradnoye"}, {"Маяковский", "Mayakovskiy"}, {"Хохлов", "Khokhlov"}}},
    {"yandex-money.pch", {{"Маяковский", "Mayakovskii"}, {"Соловьёв", "Solovev"}, {"Ильич", "Ilich"}, {"Щербаков", "Scherbakov"}, {"Майорова", "Maiorova"}, {"Объедков", "Obedkov"}, {"Юрьевич", "Yurevich"}, {"Чёрный", "Chernyi"}, {"Ёлкин", "Elkin"}, {"Мытищи", "Mytischi"}, {"Хохлов", "Khokhlov"}, {"Цыганов", "Tsyganov"}, {"Аксёнов", "Aksenov"}, {"Серебряный Бор", "Serebryanyi Bor"}}},
    {"bulgarian-2009.pch", {{"Весела Лозанова", "Vesela Lozanova"}, {"Лом", "Lom"}, {"Васил Левски", "Vasil Levski"}, {"Скът", "Skat"}, {"Мария", "Maria"}, {"София", "Sofia"}, {"Вилияна", "Viliyana"}, {"България", "Bulgaria"}, {"Добруджа", "Dobrudzha"}, {"дзвер", "dzver"}, {"нос Айтос", "nos Aytos"}, {"залив Баба Тонка", "zaliv Baba Tonka"}, {"Балабански камък", "Balabanski kamak"}, {"Бедечки поток", "Bedechki potok"}, {"Чакъров остров", "Chakarov ostrov"}, {"връх Дъбник", "vrah Dabnik"}, {"залив Десислава", "zaliv Desislava"}, {"Джегова скала", "Dzhegova skala"}, {"Елховска седловина", "Elhovska sedlovina"}, {"нунатак Филип Тотю", "nunatak Filip Totyu"}, {"Гяуров връх", "Gyaurov vrah"}, {"връх Ичера", "vrah Ichera"}, {"нос Иречек", "nos Irechek"}, {"Костинбродски проход", "Kostinbrodski prohod"}, {"залив Лазурен бряг", "zaliv Lazuren bryag"}, {"Михневски връх", "Mihnevski vrah"}, {"езеро Наяда", "ezero Nayada"}, {"рид Оборище", "rid Oborishte"}, {"връх Парангалица", "vrah Parangalitsa"}, {"Първомайски провлак", "Parvomayski provlak"}, {"връх Петко Войвода", "vrah Petko Voyvoda"}, {"Пресиянов рид", "Presiyanov rid"}, {"нунатак Ръченица", "nunatak Rachenitsa"}, {"връх Райна Княгиня", "vrah Rayna Knyaginya"}, {"ледник Сабазий", "lednik Sabaziy"}, {"ледник Съединение", "lednik Saedinenie"}, {"Сейдолски камък", "Seydolski kamak"}, {"залив Слънчев бряг", "zaliv Slanchev bryag"}, {"ледник Световрачене", "lednik Svetovrachene"}, {"остров Вълчедръм", "ostrov Valchedram"}, {"залив Ямфорина", "zaliv Yamforina"}, {"Йовков нос", "Yovkov nos"}, {"залив Златни пясъци", "zaliv Zlatni pyasatsi"}}},
    {"macedonian.pch", {{"Желино", "Zhelino"}, {"Ѓорче Петров", "Gjorche Petrov"}, {"Кичево", "Kichevo"}, {"Чаир", "Chair"}, {"Арачиново", "Arachinovo"}, {"Вевчани", "Vevchani"}, {"Врапчиште", "Vrapchishte"}, {"Конче", "Konche"}, {"Кочани", "Kochani"}, {"Крушево", "Krushevo"}, {"Пробиштип", "Probishtip"}, {"Радовиш", "Radovish"}, {"Чешиново-Облешево", "Cheshinovo-Obleshevo"}, {"Штип", "Shtip"}, {"Старо Нагоричане", "Staro Nagorichane"}, {"Сопиште", "Sopishte"}, {"Карпош", "Karposh"}, {"Македонска Каменица", "Makedonska Kamenica"}, {"Крива Паланка", "Kriva Palanka"}, {"Зрновци", "Zrnovci"}, {"Дојран", "Dojran"}, {"Центар", "Centar"}, {"Гази Баба", "Gazi Baba"}, {"Кисела Вода", "Kisela Voda"}, {"Сарај", "Saraj"}, {"Зајас", "Zajas"}, {"Тетово", "Tetovo"}, {"Букојчани", "Bukojchani"}, {"Ѓорѓи", "Gjorgji"}, {"Ѓорѓе", "Gjorgje"}, {"Ѓавато", "Gjavato"}, {"Ќафасан", "Kjafasan"}, {"Џепчиште", "Djepchishte"}, {"Ѕвегор", "Dzvegor"}, {"Љиќен и Бард", "Ljikjen i Bard"}, {"Џамалџи", "Djamaldji"}, {"Ваљановец", "Valjanovec"}, {"Планинарски Дом Караџица", "Planinarski Dom Karadjica"}, {"Абазова Куќарица", "Abazova Kukjarica"}, {"Баба Анѓина Маала", "Baba Angjina Maala"}, {"Хидроелектрана Сапунџица", "Hidroelektrana Sapundjica"}, {"Ѓенови Ливаѓе", "Gjenovi Livagje"}}},
    {"belarusian.pch", {{"Адамаўка", "Adamawka"}, {"Бабруйск", "Babrujsk"}, {"Воранава", "Voranava"}, {"Дзедаў Курган", "Dziedaw Kurgan"}, {"Заазер’е", "Zaazierje"}, {"Віцебск", "Viciebsk"}, {"Ёды", "Jody"}, {"Мікалаёўка", "Mikalajowka"}, {"Вераб’ёвічы", "Vierabjovichy"}, {"Мураўёўка", "Murawjowka"}, {"Жажэлка", "Zhazhelka"}, {"Загуззе", "Zaguzzie"}, {"Лагойск", "Lagojsk"}, {"Лепель", "Liepiel"}, {"Мамонава", "Mamonava"}, {"Нёман", "Nioman"}, {"Полацк", "Polack"}, {"Паперня", "Papiernia"}, {"Свіслач", "Svislach"}, {"Татаршчына", "Tatarshchyna"}, {"Тураў", "Turaw"}, {"Фаніпаль", "Fanipal"}, {"Цяцерын", "Ciacieryn"}, {"Чарнаручча", "Charnaruchcha"}, {"Шаркаўшчына", "Sharkawshchyna"}, {"Паставы", "Pastavy"}, {"Вародзькаў 1", "Varodzkaw 1"}, {"Чачэрск", "Chachersk"}, {"Юрацішкі", "Juracishki"}, {"Цюрлі", "Ciurli"}, {"Ямнае", "Jamnaje"}, {"Баяры", "Bajary"}, {"Вязынка", "Viazynka"}, {"Раз’езд", "Razjezd"}}},
    {"belarusian-bgn-pcgn.pch", {{"Антон", "Anton"}, {"Брэст", "Brest"}, {"Дубна", "Dubna"}, {"Віцебск", "Vitsyebsk"}, {"Гродна", "Hrodna"}, {"Добруш", "Dobrush"}, {"Ліда", "Lida"}, {"Гомель", "Homyel'"}, {"Ёдкавічы", "Yodkavichy"}, {"Жлобін", "Zhlobin"}, {"Нёман", "Nyoman"}, {"Зоя", "Zoya"}, {"Ігнат", "Ihnat"}, {"Мінск", "Minsk"}, {"Койданава", "Koydanava"}}},
    {"serbian-ascii.pch", {{"Новак Ђоковић", "Novak Djokovic"}, {"Александар Вучић", "Aleksandar Vucic"}, {"Ђоковића", "Djokovica"}, {"Новака се можда више не плаше на терену, али се плаше ћаци по Србији", "Novaka se mozda vise ne plase na terenu, ali se plase caci po Srbiji"}, {"Зашто је у Србији ћирилица мртво слово на папиру", "Zasto je u Srbiji cirilica mrtvo slovo na papiru"}, {"Компликовано слово Ђ у пасошу", "Komplikovano slovo Dj u pasosu"}, {"Кориснички сервис", "Korisnicki servis"}, {"Живан Ћирић", "Zivan Ciric"}, {"Драги, отишла сам на шишање и шатирање да ти будем лепа", "Dragi, otisla sam na sisanje i satiranje da ti budem lepa"}, {"Ђорђе Ђорђевић", "Djordje Djordjevic"}}},
    {"web-safe.pch", {{"я люблю единорогов", "ya-lyublyu-edinorogov"}, {"Компьютер", "kompyuter"}, {"Отчёт (финал).docx", "otchyot-final.docx"}, {"Подъезд № 5", "podezd-no-5"}, {"Щукин и сыновья — прайс-лист 2024.xls", "shchukin-i-synovya-prays-list-2024.xls"}, {"Объявление «Ёлка»", "obyavlenie-yolka"}, {"Юлька_фото 01.jpg", "yulka_foto-01.jpg"}, {"Хрущёвка, Царицыно", "khrushchyovka-tsaritsyno"}, {"Дарья Ильинична", "darya-ilinichna"}, {"Счёт-фактура №17.pdf", "schyot-faktura-no17.pdf"}, {"Пётр Чайковский", "pyotr-chaykovskiy"}, {"Журнал учёта (v2).xlsx", "zhurnal-uchyota-v2.xlsx"}, {"Съезд", "sezd"}, {"Жёлтый", "zhyoltyy"}, {"Вьюга", "vyuga"}, {"Ещё раз", "eshchyo-raz"}, {"Цех №3", "tsekh-no3"}, {"Эхо", "ekho"}, {"Ильич", "ilich"}, {"Шёлк", "shyolk"}, {"Новак Ђоковић", "novak-djokovic"}, {"М’ята і ґанок", "myata-i-ganok"}}},
};
// clang-format on

TEST(NewSchemes, WriteTheExamplesOfTheirStandards) {
  for (const SchemeExamples& scheme : kSchemes) {
    ShippedProfile profile(scheme.file);
    ASSERT_FALSE(profile.bytes().empty()) << scheme.file;
    EXPECT_FALSE(scheme.examples.empty()) << scheme.file;
    for (const auto& [cyrillic, latin] : scheme.examples) {
      EXPECT_EQ(profile.Forward(cyrillic), latin) << scheme.file << ": " << latin;
    }
  }
}

// The rules a table cannot show: word ends, whole words, the letters around.
TEST(NewSchemes, FollowTheirContextRulesAtWordEndsAndInCapitals) {
  const std::pair<const char*, std::vector<std::pair<const char*, const char*>>> cases[] = {
      {"bulgarian-2009.pch",
       {{"Мария-Антония", "Maria-Antonia"},
        {"МАРИЯ", "MARIA"},
        {"Виляния", "Vilyania"},
        {"БЪЛГАРИЯ", "BULGARIA"},
        {"Щастие", "Shtastie"}}},
      {"wikipedia.pch",
       {{"Грозный край", "Grozny kray"},
        {"Синий-синий", "Siny-siny"},
        {"ЕРМАК", "YERMAK"},
        {"Ильич, Объект", "Ilyich, Obyekt"},
        {"новые", "novye"}}},
      {"moscow-metro.pch", {{"ПЯТНИЦКИЙ", "PYATNITSKY"}, {"Соловьёв", "Solovyov"}}},
      {"yandex-maps.pch", {{"ЕЖОВ", "YEZHOV"}, {"Красный Бор", "Krasniy Bor"}}},
      {"belarusian.pch", {{"Мінск", "Minsk"}, {"сям'і", "siamji"}, {"ЁДЫ", "JODY"}}},
      {"web-safe.pch", {{"Отчёт «Итоги» — 2024!", "otchyot-itogi-2024"}}},
      {"serbian-ascii.pch", {{"ЂОРЂЕ", "DJORDJE"}, {"Џ.Љ.txt", "Dz.Lj.txt"}}},
  };
  for (const auto& [file, examples] : cases) {
    ShippedProfile profile(file);
    for (const auto& [cyrillic, latin] : examples) {
      EXPECT_EQ(profile.Forward(cyrillic), latin) << file;
    }
  }
}

// ---- Capitals in every profile ------------------------------------------------

struct Alphabet {
  const char* file;
  const char* small_letters;  // Windows-1251 once compiled
  const char* capitals;
  bool lower_case_only;  // the profile writes no capitals at all
};

const char kRussianSmall[] = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя";
const char kRussianCapitals[] = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";

const Alphabet kAlphabets[] = {
    {"standart.pch", kRussianSmall, kRussianCapitals, false},
    {"icao-9303.pch", kRussianSmall, kRussianCapitals, false},
    {"gost-7.79-b.pch", kRussianSmall, kRussianCapitals, false},
    {"gost-16876-71.pch", kRussianSmall, kRussianCapitals, false},
    {"gost-r-52535.1-2006.pch", kRussianSmall, kRussianCapitals, false},
    {"gost-r-7.0.34-2014.pch", kRussianSmall, kRussianCapitals, false},
    {"ala-lc.pch", kRussianSmall, kRussianCapitals, false},
    {"telegram.pch", kRussianSmall, kRussianCapitals, false},
    {"bgn-pcgn.pch", kRussianSmall, kRussianCapitals, false},
    {"ukrainian-2010.pch", "абвгґдеєжзиіїйклмнопрстуфхцчшщьюя", "АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ",
     false},
    {"wikipedia.pch", kRussianSmall, kRussianCapitals, false},
    {"mvd-310-1997.pch", kRussianSmall, kRussianCapitals, false},
    {"mvd-782-2000.pch", kRussianSmall, kRussianCapitals, false},
    {"gost-r-52290-2004.pch", kRussianSmall, kRussianCapitals, false},
    {"moscow-metro.pch", kRussianSmall, kRussianCapitals, false},
    {"yandex-maps.pch", kRussianSmall, kRussianCapitals, false},
    {"yandex-money.pch", kRussianSmall, kRussianCapitals, false},
    {"bulgarian-2009.pch", "абвгдежзийклмнопрстуфхцчшщъьюя", "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ",
     false},
    {"macedonian.pch", "абвгдѓежзѕијклљмнњопрстќуфхцчџш", "АБВГДЃЕЖЗЅИЈКЛЉМНЊОПРСТЌУФХЦЧЏШ", false},
    {"belarusian.pch", "абвгдеёжзійклмнопрстуўфхцчшыьэюя", "АБВГДЕЁЖЗІЙКЛМНОПРСТУЎФХЦЧШЫЬЭЮЯ",
     false},
    {"belarusian-bgn-pcgn.pch", "абвгдеёжзійклмнопрстуўфхцчшыьэюя",
     "АБВГДЕЁЖЗІЙКЛМНОПРСТУЎФХЦЧШЫЬЭЮЯ", false},
    {"serbian-ascii.pch", "абвгдђежзијклљмнњопрстћуфхцчџш", "АБВГДЂЕЖЗИЈКЛЉМНЊОПРСТЋУФХЦЧЏШ",
     false},
    {"web-safe.pch", kRussianSmall, kRussianCapitals, true},
};

class Capitals : public ::testing::TestWithParam<Alphabet> {};

TEST_P(Capitals, AreDecidedByTheLetterOnEitherSide) {
  const Alphabet& alphabet = GetParam();
  ShippedProfile profile(alphabet.file);
  ASSERT_FALSE(profile.bytes().empty());
  const std::string smalls = alphabet.small_letters;
  const std::string capitals = alphabet.capitals;
  ASSERT_EQ(smalls.size(), capitals.size());
  // О and о, written o in every scheme, stand beside the letter.
  const std::string o = "\xCE";
  const std::string so = "\xEE";
  auto capitals_form = [&](const std::string& latin) {
    return alphabet.lower_case_only ? latin : LatinCapitals(latin);
  };
  for (std::size_t i = 0; i < smalls.size(); ++i) {
    const std::string x(1, smalls[i]);
    const std::string X(1, capitals[i]);
    const std::string letter = X + " (" + std::to_string(i) + ")";
    // The letter's own Latin, before "oo": a sign written as a mark, or left
    // out, has no capital form.
    const std::string before_oo = profile.Forward(x + so + so);
    const std::string latin = before_oo.substr(0, before_oo.size() - 2);
    const bool has_case = std::any_of(latin.begin(), latin.end(), [](char c) {
      return std::isalpha(static_cast<unsigned char>(c)) != 0;
    });
    auto capital_form = [&](const std::string& text) {
      return alphabet.lower_case_only || !has_case ? text : LatinCapitalised(text);
    };
    // In a word in capitals: at its start, in its middle, at its end.
    for (const std::string& word : {X + o + o, o + X + o, o + o + X}) {
      std::string small_word;
      for (char c : word) small_word += c == o[0] ? so[0] : smalls[i];
      EXPECT_EQ(profile.Forward(word), capitals_form(profile.Forward(small_word))) << letter;
    }
    // Small, and capitalised: before a small letter, alone, as an initial
    // before a dot and at the end of a name.
    EXPECT_EQ(profile.Forward(X + so + so), capital_form(before_oo)) << letter;
    const std::string alone = profile.Forward(x);
    if (alone == x) continue;  // left out: a name of the letter alone would be empty
    EXPECT_EQ(profile.Forward(X), capital_form(alone)) << letter;
    // (A file name cannot end in a dot or a space: the dot comes before the
    // extension, and the last word stands after a space.)
    EXPECT_EQ(profile.Forward(X + ".1"), capital_form(profile.Forward(x + ".1"))) << letter;
    EXPECT_EQ(profile.Forward(o + so + so + " " + X),
              alphabet.lower_case_only
                  ? profile.Forward(so + so + so + " " + x)
                  : LatinCapitalised(profile.Forward(so + so + so)) + " " + capital_form(alone))
        << letter;
  }
}

std::string AlphabetName(const ::testing::TestParamInfo<Alphabet>& info) {
  std::string name;
  for (const char* c = info.param.file; *c && std::string(c) != ".pch"; ++c) {
    name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, Capitals, ::testing::ValuesIn(kAlphabets), AlphabetName);

// The names of the issue, in every Russian profile: initials at the end of a
// name (the extension split off), a word in capitals that ends in a letter
// group, a name in capitals before a capitalised one.
TEST(CapitalsInNames, InitialsAtTheEndOfANameAreCapitalised) {
  for (const Alphabet& alphabet : kAlphabets) {
    if (alphabet.small_letters != kRussianSmall || alphabet.lower_case_only) continue;
    ShippedProfile profile(alphabet.file);
    const std::string yu = LatinCapitalised(profile.Forward("\xFE"));  // ю
    const std::string zh = LatinCapitalised(profile.Forward("\xE6"));  // ж
    const std::string ya = LatinCapitalised(profile.Forward("\xFF"));  // я
    EXPECT_EQ(profile.ForwardFileName("Петров Ю.Ж.docx"),
              profile.Forward("Петров") + " " + yu + "." + zh + ".docx")
        << alphabet.file;
    EXPECT_EQ(profile.ForwardFileName("Щукин Ю.txt"), profile.Forward("Щукин") + " " + yu + ".txt")
        << alphabet.file;
    EXPECT_EQ(profile.ForwardFileName("Я.txt"), ya + ".txt") << alphabet.file;
    for (const char* word : {"НОЖ", "ПЛАЩ", "ВСЮ", "ЩУКИН"}) {
      std::string small_word;
      for (const char* c = word; *c; ++c) small_word += static_cast<char>(*c + 0x20);
      EXPECT_EQ(profile.Forward(word), LatinCapitals(profile.Forward(small_word))) << alphabet.file;
    }
    EXPECT_EQ(profile.Forward("ЩУКИН Юрий"), LatinCapitals(profile.Forward("щукин")) + " " +
                                                 LatinCapitalised(profile.Forward("юрий")))
        << alphabet.file;
  }
}

}  // namespace
