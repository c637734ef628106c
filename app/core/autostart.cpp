#include "app/core/autostart.h"

#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

#include "app/core/user_folder.h"
#include "platform/error_codes.h"
#include "platform/exception.h"

namespace vornelle::app {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const std::string& what, const fs::path& path, const std::error_code& error) {
  throw platform::EInOutError(what + " " + path.string() + ": " + error.message(),
                              platform::ErrnoToCode(error.value(), platform::IoOp::Write));
}

}  // namespace

fs::path AutostartFile() {
  return XdgFolder("XDG_CONFIG_HOME", ".config") / "autostart" / "org.vornelle.Vornelle.desktop";
}

bool StartsAtLogin() {
  std::ifstream entry(AutostartFile());
  if (!entry) return false;
  std::string line;
  while (std::getline(entry, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "Hidden=true") return false;
  }
  return true;
}

std::string ExecArgument(const std::string& argument) {
  std::string quoted;
  bool reserved = argument.empty();
  for (const char c : argument) {
    if (std::string_view(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos) reserved = true;
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  std::string line = reserved ? "\"" + quoted + "\"" : argument;
  // Then the escapes of every string value: a backslash doubled, a field code's % doubled.
  std::string escaped;
  for (const char c : line) {
    if (c == '\\') escaped += '\\';
    if (c == '%') escaped += '%';
    escaped += c;
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
  std::string exec = ExecArgument(program);
  for (const std::string& argument : arguments) exec += " " + ExecArgument(argument);
  std::ostringstream entry;
  entry << "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Vornelle\n"
           "Comment=Today's messages in the tray, from the login on\n"
           "Icon=vornelle\n"
        << "Exec=" << exec << "\n"
        << "Terminal=false\n"
           "X-GNOME-Autostart-Delay=5\n";
  fs::create_directories(file.parent_path(), error);
  if (error) Fail("Cannot create the folder", file.parent_path(), error);
  const fs::path partial = file.string() + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << entry.str();
    out.flush();
    if (!out) Fail("Cannot write", partial, std::make_error_code(std::errc::io_error));
  }
  fs::rename(partial, file, error);
  if (error) {
    fs::remove(partial, error);
    Fail("Cannot write", file, error);
  }
}

}  // namespace vornelle::app
