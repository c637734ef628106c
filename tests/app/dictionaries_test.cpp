// Which spelling dictionary a user's languages choose, among those installed, and the
// personal word list.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/dictionaries.h"
#include "tests/support/test_support.h"

using namespace vornelle;
namespace vt = vornelle::testing;

namespace {

void Install(const std::string& folder, const std::vector<std::string>& languages, bool with_aff = true) {
  std::filesystem::create_directories(folder);
  for (const std::string& language : languages) {
    vt::WriteFileBytes(folder + "/" + language + ".dic", "1\nword\n");
    if (with_aff) vt::WriteFileBytes(folder + "/" + language + ".aff", "SET UTF-8\n");
  }
}

}  // namespace

TEST(Dictionaries, TheUsersLanguagesChooseOne) {
  const vt::TempDir dir;
  Install(dir.File("own"), {"de_AT", "it_IT"});
  Install(dir.File("system"), {"de_AT", "de_DE", "en_GB", "en_US", "fr", "es_AR", "es_ES"});
  Install(dir.File("system"), {"nl_NL"}, false);  // a word list alone is no dictionary
  const std::vector<app::Dictionary> found = app::FindDictionaries({dir.File("own"), dir.File("missing"), dir.File("system")});
  std::string languages;
  for (const app::Dictionary& dictionary : found) languages += dictionary.language + " ";
  EXPECT_EQ(languages, "de_AT de_DE en_GB en_US es_AR es_ES fr it_IT ");
  EXPECT_EQ(found.front().dic, dir.File("own") + "/de_AT.dic");  // the first folder's

  struct Case {
    std::vector<std::string> preferred;
    const char* chosen;
  } cases[] = {
      {{"de_AT.UTF-8"}, "de_AT"},  {{"de-CH"}, "de_DE"},       {{"fr_CA@euro"}, "fr"},
      {{"es-MX", "fr"}, "es_ES"}, {{"C", "pt_BR", "fr"}, "fr"}, {{"pt_BR"}, "en_US"},
      {{"en"}, "en_US"},          {{"en-GB"}, "en_GB"},         {{}, "en_US"},
  };
  for (const Case& c : cases) {
    const app::Dictionary* chosen = app::ChooseDictionary(found, c.preferred);
    ASSERT_NE(chosen, nullptr) << c.chosen;
    EXPECT_EQ(chosen->language, c.chosen);
  }
  EXPECT_EQ(app::ChooseDictionary({}, {"en_US"}), nullptr);
  EXPECT_EQ(app::ChooseDictionary({found[4]}, {"de"})->language, "es_AR");  // the only one there is
}

TEST(Dictionaries, PersonalWordsAreAddedWholeAndReadBack) {
  const vt::TempDir dir;
  const std::string path = dir.File("data/vornelle/personal-words.txt");
  EXPECT_TRUE(app::ReadPersonalWords(path).empty());
  EXPECT_TRUE(app::AddPersonalWord(path, "Vornelle"));
  EXPECT_TRUE(app::AddPersonalWord(path, "caf\u00e9"));
  EXPECT_FALSE(app::AddPersonalWord(path, "two\nlines"));
  EXPECT_FALSE(app::AddPersonalWord(path, ""));
  vt::WriteFileBytes(path, vt::ReadFileBytes(path) + "  spaced \r\n\n");
  EXPECT_EQ(app::ReadPersonalWords(path), (std::vector<std::string>{"Vornelle", "caf\u00e9", "spaced"}));
}
