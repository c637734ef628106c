#pragma once
// Spelling dictionaries as desktops install them: Hunspell's pairs of an affix file and a word
// list, LANGUAGE.aff and LANGUAGE.dic ("de_DE.aff", "de_DE.dic"), in the folders Debian's
// hunspell-* packages and the user's own keep them; which one a theme is checked with; and the
// user's own words, which no dictionary calls wrong.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vornelle::app {

struct Dictionary {
  std::string language;  // as its files are named: "en_US", "fr"
  std::filesystem::path aff, dic;
};

// Where dictionaries are looked for, first first: each folder of $DICPATH (separated by colons,
// as the spelling library's own tools take it), $XDG_DATA_HOME/hunspell, hunspell under each of
// $XDG_DATA_DIRS (/usr/local/share and /usr/share by default), then the older
// /usr/share/myspell/dicts and /usr/share/myspell.
std::vector<std::filesystem::path> DictionaryFolders();

// The dictionaries of `folders`, one for each language (a language in two folders is the first
// folder's), sorted by language. A word list without its affix file is no dictionary.
std::vector<Dictionary> FindDictionaries(const std::vector<std::filesystem::path>& folders);

// The dictionary for a user whose languages are `preferred`, the most wanted first, as desktops
// name them ("de_AT.UTF-8", "de-AT", "de", "C"): for the first language that has any, its exact
// dictionary, else the language's own ("de" or de_DE for de_AT; en_US for English), else the
// first of the language. Without one for any of them, English, then the first there is;
// nullptr when there is none.
const Dictionary* ChooseDictionary(const std::vector<Dictionary>& dictionaries,
                                   const std::vector<std::string>& preferred);

// The user's own words: $XDG_DATA_HOME/vornelle/personal-words.txt, a word a line, UTF-8.
std::filesystem::path PersonalWordsPath();
// The words of the list (at most 1 MiB of it is read); none when it cannot be read.
std::vector<std::string> ReadPersonalWords(const std::filesystem::path& path);
// Adds `word` at the end of the list, creating it and its folder when missing. False, with
// errno, when it cannot be written or the word holds a line break.
bool AddPersonalWord(const std::filesystem::path& path, const std::string& word);

// The language each theme is checked in, in the settings file's section [Spelling]: the key is
// the theme's file, the value a dictionary's language or kNoChecking.
inline constexpr const char* kSpellingSection = "Spelling";
inline constexpr const char* kNoChecking = "none";
// Set once the user has been told that no dictionary is installed.
inline constexpr const char* kNoDictionaryToldKey = "NoDictionaryTold";
// Nothing when the theme has no choice of its own.
std::optional<std::string> RememberedLanguage(const std::string& settings_path, const std::string& theme);
// False, with errno, when it could not be written (a theme named so that it can be no key).
bool RememberLanguage(const std::string& settings_path, const std::string& theme, const std::string& language);

}  // namespace vornelle::app
