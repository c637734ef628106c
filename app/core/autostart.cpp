#include "app/core/autostart.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <set>
#include <string_view>
#include <system_error>

#include "app/core/user_folder.h"
#include "platform/bounded_file.h"
#include "platform/error_codes.h"
#include "platform/exception.h"
#include "platform/file_replace.h"
#include "platform/ini_text.h"
#include "platform/utf8.h"

namespace vornelle::app {

namespace fs = std::filesystem;

namespace {

// Far more than any entry of ours; what is larger is no entry of ours.
constexpr std::size_t kMaxEntryBytes = 64 * 1024;

[[noreturn]] void Fail(const std::string& what, const fs::path& path, const std::error_code& error) {
  throw platform::EInOutError(what + " " + path.string() + ": " + error.message(),
                              platform::ErrnoToCode(error.value(), platform::IoOp::Write));
}

// Control characters a string value cannot hold even escaped: all but tab, LF and CR.
bool HasUnwritableControl(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) return true;
  }
  return false;
}

// The Exec value's arguments as the Desktop Entry rules read them: the string escapes first,
// then the quoting. Nothing when an escape is none or a quote does not close.
std::optional<std::vector<std::string>> ExecWords(std::string_view value) {
  std::string line;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\') {
      line += value[i];
      continue;
    }
    if (++i == value.size()) return std::nullopt;
    switch (value[i]) {
      case 's': line += ' '; break;
      case 'n': line += '\n'; break;
      case 't': line += '\t'; break;
      case 'r': line += '\r'; break;
      case '\\': line += '\\'; break;
      default: return std::nullopt;  // no escape of a string value
    }
  }
  std::vector<std::string> words;
  std::optional<std::string> word;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (word) words.push_back(std::move(*word));
      word.reset();
    } else if (c == '"') {
      if (!word) word.emplace();
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        *word += line[i];
      }
      if (i == line.size()) return std::nullopt;
    } else {
      if (!word) word.emplace();
      *word += c;
    }
  }
  if (word) words.push_back(std::move(*word));
  return words;
}

bool IsValidEntry(std::string_view text) {
  if (!platform::IsUtf8(text) || HasUnwritableControl(text)) return false;
  std::set<std::string> keys;
  bool in_entry = false, had_entry = false, hidden = false;
  std::optional<std::vector<std::string>> exec;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      in_entry = line == "[Desktop Entry]";
      if (in_entry && had_entry) return false;
      had_entry = had_entry || in_entry;
      continue;
    }
    if (!in_entry) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    std::string key(line.substr(0, equals));
    while (!key.empty() && key.back() == ' ') key.pop_back();
    if (!keys.insert(key).second) return false;
    std::string_view value = line.substr(equals + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    if (key == "Hidden") hidden = value == "true";
    if (key == "Exec") exec = ExecWords(value);
  }
  return had_entry && !hidden && exec && !exec->empty();
}

}  // namespace

fs::path AutostartFile() {
  return XdgFolder("XDG_CONFIG_HOME", ".config") / "autostart" / "org.vornelle.Vornelle.desktop";
}

bool StartsAtLogin() {
  // Read as anything may be there: a FIFO must not hold the menu that asks.
  const platform::BoundedRead entry = platform::ReadBoundedFile(AutostartFile().string(), kMaxEntryBytes);
  return entry.outcome == platform::BoundedRead::kRead && IsValidEntry(entry.bytes);
}

std::optional<std::string> ExecArgument(const std::string& argument) {
  if (!platform::IsUtf8(argument) || HasUnwritableControl(argument)) return std::nullopt;
  std::string quoted;
  bool reserved = argument.empty();
  for (const char c : argument) {
    if (std::string_view(" \t\n\r\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos) reserved = true;
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  const std::string line = reserved ? "\"" + quoted + "\"" : argument;
  // Then the escapes of every string value, which a reader undoes first: a backslash doubled,
  // line ends and tabs as \n, \r and \t (else they would end the line: the rest of a name
  // would become keys of its own), and a field code's % doubled.
  std::string escaped;
  for (const char c : line) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\r': escaped += "\\r"; break;
      case '\t': escaped += "\\t"; break;
      case '%': escaped += "%%"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

void SetStartAtLogin(bool on, const std::string& program, const std::vector<std::string>& arguments) {
  const fs::path file = AutostartFile();
  std::error_code error;
  if (!on) {
    if (!fs::remove(file, error) && error) Fail("Cannot remove", file, error);
    return;
  }
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::string exec;
  for (const std::string& word : words) {
    const std::optional<std::string> argument = ExecArgument(word);
    if (!argument) throw platform::Exception(kUnnamableText + platform::EscapedForMessage(word));
    exec += (exec.empty() ? "" : " ") + *argument;
  }
  const std::string entry =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Vornelle\n"
      "Comment=Today's messages in the tray, from the login on\n"
      "Icon=vornelle\n"
      "Exec=" + exec + "\n"
      "Terminal=false\n"
      "X-GNOME-Autostart-Delay=5\n";
  fs::create_directories(file.parent_path(), error);
  if (error) Fail("Cannot create the folder", file.parent_path(), error);
  // A new file under a name of its own, never one opened through a link someone put there.
  if (!platform::ReplaceFileContent(file.string(), entry, std::nullopt))
    Fail("Cannot write", file, std::error_code(errno, std::generic_category()));
}

}  // namespace vornelle::app
