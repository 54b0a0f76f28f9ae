// The parse-error texts: every character of them is what users have
// always been shown (typos, missing full stops and literal backslashes
// included), so each table is checked against texts typed here.
#include "parse_error_texts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "parser_fixture.h"

namespace TQJSON {
namespace {

struct ExpectedText {
  std::int32_t code;
  const char16_t* text;
};

void ExpectTexts(std::int32_t language, std::initializer_list<ExpectedText> expected) {
  for (const ExpectedText& entry : expected) {
    EXPECT_EQ(std::u16string(ParseErrorText(language, entry.code)), entry.text)
        << "language " << language << ", code " << entry.code;
  }
}

TEST(ParseErrorTexts, EnglishIsCompleteAndExact) {
  ExpectTexts(kParseErrorEnglish,
              {
                  {0, u"No error."},
                  {1, u"The document is empty."},
                  {2, u"The root must not be followed by other values."},
                  {3, u"Invalid value."},
                  {4, u"Missing a name for object member."},
                  {5, u"Missing a colon after a name of object member."},
                  {6, u"Missing a comma or '}' after an object member."},
                  {7, u"Missing a comma or ']' after an array element."},
                  {8, u"Incorrect hex digit after \\u escape in string."},
                  {9, u"The surrogate pair in string is invalid."},
                  {10, u"Invalid escape character in string."},
                  {11, u"Missing a closing quotation mark in string."},
                  {12, u"Invalid encoding in string."},
                  {13, u"Number too big to be stored in double."},
                  {14, u"Missing fraction part in number."},
                  {15, u"Missing exponent in number."},
                  {16, u"Terminate parsing due to Handler error."},
                  {17, u"Unspecific syntax error."},
                  {18, u"The pointer to the json text is null."},
                  {19, u"The pointer to the file name is null."},
                  {20, u"The file name does not exist."},
                  {21, u"The string is empty."},
                  {22, u"Failed to load the JSON data because its root node is not an object"},
              });
}

TEST(ParseErrorTexts, EveryTranslationKeepsItsExactCharacters) {
  ExpectTexts(kParseErrorJapanese,
              {
                  {0, u"エラーはありません。"},
                  {8, u"文字列内の \\u エスケープに続く16進数が不正です。"},
                  {13, u"Doubleに格納する数値が大きすぎます。"},
                  {18, u"jsonテキストへのポインタがnullです。"},
                  {22, u"ルートノードがオブジェクトではないため、JSONデータのロードに失敗しました。"},
              });
  ExpectTexts(kParseErrorDanish,
              {
                  {0, u"Ingen fejl."},
                  {7, u"Mangler komma eller ']' efter et array element."},
                  {8, u"Ukorrekt hex ciffer efter \\u escape i streng."},
                  {14, u"Manglende brøkdel i tal."},
                  {22, u"Kunne ikke indlæse JSON-dataene, fordi roden ikke er et objekt"},
              });
  ExpectTexts(kParseErrorDutch,
              {
                  {2, u"De wortel mag niet worden gevolgd door andere waarden."},
                  {8, u"Onjuiste hex digit na \\u ontsnapping in tekenreeks."},
                  {16, u"Beëindig parsing vanwege Handler-fout."},
                  {22, u"Fout bij het laden van de JSON-gegevens omdat het hoofdknooppunt geen object is."},
              });
  ExpectTexts(kParseErrorFrench,
              {
                  {0, u"Il n'y a pas d'erreur."},
                  {6, u"Manquer une virgule ou '} ' après un membre d'objet."},
                  {8, u"Chiffre hexadécimal incorrect après \\u échapper dans la chaîne."},
                  {22, u"Il n'est pas possible de charger des données JSON étant donné que le nœud racine n\u2019est "
                       u"pas un objet."},
              });
  ExpectTexts(kParseErrorGerman,
              {
                  {6, u"Es fehlt ein Komma oder '} ' nach dem Mitgliednamen des Objekts."},
                  {7, u"Ein Komma fehlt oder '] ' nach dem Array-Element."},
                  {8, u"Falsche Hexadezimalzahl nach \\u Escape in Zeichenfolge."},
                  {11, u"Ein schließendes Anführungszeichen in der Zeichenfolge fehlt."},
                  {22, u"Die JSON-Daten nicht geladen werden, da der Root-Knoten kein Objekt ist."},
              });
  ExpectTexts(kParseErrorItalian,
              {
                  {1, u"Il documento è vuoto."},
                  {8, u"Cifra esadecimale errata dopo \\u escape a catena."},
                  {10, u"Il carattere di esape non è valido nella catena."},
                  {19, u"Il puntatore al nome del file è null."},
                  {22, u"Non riesce a caricare i dati JSON perché il nodo radice non è un oggetto."},
              });
  ExpectTexts(kParseErrorNorwegian,
              {
                  {4, u"Manglar et navn til objekt medlem."},
                  {8, u"Feil hex-siffer etter \\u unnslipper i string."},
                  {13, u"Nummer for stort til å lagres i dobbeltrom."},
                  {21, u"Strign er tom."},
                  {22, u"Kan ikke laste av JSON-data fordi rotnode ikke er et objekt"},
              });
  ExpectTexts(kParseErrorSpanish,
              {
                  {3, u"Valor inválido."},
                  {8, u"Dígito hexadecimal incorrecto después de \\u escape en cadena."},
                  {17, u"Error de sintaxis no especificada."},
                  {22, u"Falla al cargar datos JSON debido a que el nodo raíz no es un objecto."},
              });
  ExpectTexts(kParseErrorSwedish,
              {
                  {5, u"Saknar ett kolon efter ett namn av objekt medlem."},
                  {8, u"Felaktig hex-siffror efter \\u flyger i sträng."},
                  {21, u"Sträng är tomt."},
                  {22, u"Gick inte att läsa in JSON data eftersom dess rotnod inte är ett objekt"},
              });
}

TEST(ParseErrorTexts, EveryTableHoldsTwentyThreeDistinctTexts) {
  for (std::int32_t language = kParseErrorEnglish; language <= kParseErrorSwedish; ++language) {
    std::set<std::u16string> texts;
    for (std::int32_t code = 0; code < kParseErrorCodeCount; ++code) texts.insert(ParseErrorText(language, code));
    EXPECT_EQ(texts.size(), 23u) << "language " << language;
    EXPECT_EQ(texts.count(u""), 0u) << "language " << language;
    if (language != kParseErrorEnglish) {
      EXPECT_NE(std::u16string(ParseErrorText(language, 0)), ParseErrorText(kParseErrorEnglish, 0));
    }
  }
}

TEST(ParseErrorTexts, UnknownSelectorsReadEnglishAndUnknownCodesNothing) {
  for (const std::int32_t selector : {-1, 10, 1000}) {
    EXPECT_EQ(std::u16string(ParseErrorText(selector, 3)), u"Invalid value.");
  }
  EXPECT_EQ(std::u16string(ParseErrorText(kParseErrorGerman, 23)), u"");
  EXPECT_EQ(std::u16string(ParseErrorText(kParseErrorEnglish, -1)), u"");
}

TEST_F(ParserTest, ErrorTextsAreEnglishAndClearTheBlobBuffer) {
  ASSERT_TRUE(Load(R"(["AQID"])"));
  const std::uint8_t* data = nullptr;
  std::uint32_t size = 0;
  ASSERT_EQ(parser_->GetBlobByPath(u"/1", &data, &size), 1);
  ASSERT_EQ(size, 3u);
  EXPECT_EQ(ErrorText(), u"No error.");
  EXPECT_EQ(data[0] | data[1] | data[2], 0);
}

// Readers on several threads make the first error-text request of a fresh
// process at once: each must get its own text, whole.
TEST(ParseErrorTextsDeathTest, FirstRequestsFromSeveralThreadsAtOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        constexpr int kThreads = 8;
        std::atomic<int> ready{0};
        std::atomic<int> wrong{0};
        std::vector<std::thread> threads;
        for (int i = 0; i < kThreads; ++i) {
          threads.emplace_back([&, i] {
            IJsonParser* parser = NewParserChain();
            const bool broken = i % 2 == 0;
            parser->LoadFromString(broken ? u"[1," : u"");
            ++ready;
            while (ready.load() < kThreads) {
            }
            const char16_t* text = nullptr;
            parser->GetErrorText(&text);
            const std::u16string expected = broken ? u"Invalid value." : u"The string is empty.";
            if (text == nullptr || text != expected) ++wrong;
            parser->Release();
          });
        }
        for (std::thread& thread : threads) thread.join();
        std::exit(wrong.load() == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace TQJSON
