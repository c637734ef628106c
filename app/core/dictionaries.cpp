#include "app/core/dictionaries.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <set>
#include <string_view>

#include "app/core/user_folder.h"
#include "platform/bounded_file.h"
#include "platform/exception.h"
#include "platform/profile.h"
#include "platform/trim.h"

namespace vornelle::app {

namespace {

std::vector<std::string> Split(const char* text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  for (const char* c = text ? text : ""; *c; ++c) {
    if (*c != separator) {
      part += *c;
      continue;
    }
    if (!part.empty()) parts.push_back(part);
    part.clear();
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// "de_AT" of "de-AT", "de_AT.UTF-8" and "de_AT@euro".
std::string LanguageName(std::string name) {
  std::replace(name.begin(), name.end(), '-', '_');
  return name.substr(0, name.find_first_of(".@"));
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The dictionary of `language` ("de" of "de_AT"): "de", then "de_DE" (en_US for "en"), then
// the first "de_...".
const Dictionary* OfLanguage(const std::vector<Dictionary>& dictionaries, const std::string& language) {
  const std::string own = language + "_" + (language == "en" ? std::string("US") : Upper(language));
  for (const std::string& wanted : {language, own})
    for (const Dictionary& dictionary : dictionaries)
      if (dictionary.language == wanted) return &dictionary;
  for (const Dictionary& dictionary : dictionaries)
    if (dictionary.language.rfind(language + "_", 0) == 0) return &dictionary;
  return nullptr;
}

}  // namespace

std::vector<std::filesystem::path> DictionaryFolders() {
  std::vector<std::filesystem::path> folders;
  for (const std::string& folder : Split(std::getenv("DICPATH"), ':')) folders.emplace_back(folder);
  try {
    folders.push_back(XdgFolder("XDG_DATA_HOME", ".local/share") / "hunspell");
  } catch (const platform::Exception&) {
    // No home folder: only the system's dictionaries.
  }
  const char* data_dirs = std::getenv("XDG_DATA_DIRS");
  std::vector<std::string> shared = Split(data_dirs, ':');
  if (shared.empty()) shared = {"/usr/local/share", "/usr/share"};
  for (const std::string& folder : shared)
    if (!folder.empty() && folder.front() == '/') folders.push_back(std::filesystem::path(folder) / "hunspell");
  folders.emplace_back("/usr/share/myspell/dicts");
  folders.emplace_back("/usr/share/myspell");
  return folders;
}

std::vector<Dictionary> FindDictionaries(const std::vector<std::filesystem::path>& folders) {
  std::vector<Dictionary> found;
  std::set<std::string> languages;
  for (const std::filesystem::path& folder : folders) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) continue;
    std::vector<Dictionary> here;
    for (const std::filesystem::directory_entry& entry : entries) {
      const std::filesystem::path& dic = entry.path();
      if (dic.extension() != ".dic" || !entry.is_regular_file(error)) continue;
      std::filesystem::path aff = dic;
      aff.replace_extension(".aff");
      if (!std::filesystem::is_regular_file(aff, error)) continue;
      here.push_back({dic.stem().string(), aff, dic});
    }
    std::sort(here.begin(), here.end(), [](const Dictionary& a, const Dictionary& b) { return a.language < b.language; });
    for (Dictionary& dictionary : here)
      if (languages.insert(dictionary.language).second) found.push_back(std::move(dictionary));
  }
  std::sort(found.begin(), found.end(), [](const Dictionary& a, const Dictionary& b) { return a.language < b.language; });
  return found;
}

const Dictionary* ChooseDictionary(const std::vector<Dictionary>& dictionaries,
                                   const std::vector<std::string>& preferred) {
  for (const std::string& name : preferred) {
    const std::string language = LanguageName(name);
    if (language.empty() || language == "C" || language == "POSIX") continue;
    for (const Dictionary& dictionary : dictionaries)
      if (dictionary.language == language) return &dictionary;
    if (const Dictionary* own = OfLanguage(dictionaries, language.substr(0, language.find('_')))) return own;
  }
  if (const Dictionary* english = OfLanguage(dictionaries, "en")) return english;
  return dictionaries.empty() ? nullptr : &dictionaries.front();
}

std::filesystem::path PersonalWordsPath() { return UserDataFolder() / "personal-words.txt"; }

std::vector<std::string> ReadPersonalWords(const std::filesystem::path& path) {
  std::vector<std::string> words;
  const platform::BoundedRead read = platform::ReadBoundedFile(path.string(), std::size_t{1} << 20);
  if (read.outcome != platform::BoundedRead::kRead) return words;
  for (const std::string& line : Split(read.bytes.c_str(), '\n')) {
    const std::string word(platform::TrimBlanks(line.substr(0, line.find('\r'))));
    if (!word.empty()) words.push_back(word);
  }
  return words;
}

bool AddPersonalWord(const std::filesystem::path& path, const std::string& word) {
  if (word.empty() || word.find_first_of("\r\n") != std::string::npos) {
    errno = EINVAL;
    return false;
  }
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return false;
  // One write: another program adding a word at the same time adds its own line whole.
  const std::string line = word + "\n";
  const bool written = write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
  const int saved = errno;
  const bool closed = close(fd) == 0;
  errno = written ? errno : saved;
  return written && closed;
}

std::optional<std::string> RememberedLanguage(const std::string& settings_path, const std::string& theme) {
  const std::string language = platform::GetProfileString(settings_path, kSpellingSection, theme, "");
  if (language.empty()) return std::nullopt;
  return language;
}

bool RememberLanguage(const std::string& settings_path, const std::string& theme, const std::string& language) {
  return platform::WriteProfileString(settings_path, kSpellingSection, theme, language);
}

}  // namespace vornelle::app
