#include "app/core/settings.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <limits>
#include <string_view>

#include "app/core/product.h"
#include "platform/file.h"
#include "platform/profile.h"
#include "platform/utf8.h"

namespace vornelle::app {

namespace {

constexpr const char* kWinSet = "WinSet";
constexpr const char* kThemes = "THEMES";

// The first `count` characters of UTF-8 text.
std::string CutCharacters(const std::string& text, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t seen = 0; at < text.size() && seen < count; ++seen)
    at += std::max<std::size_t>(1, platform::Utf8CharLength(std::string_view(text).substr(at)));
  return text.substr(0, at);
}

class Reader {
 public:
  explicit Reader(const std::string& path) : file_(path) {}
  std::string Text(const char* section, const std::string& key, std::size_t characters = 2047) const {
    return CutCharacters(file_.Get(section, key, ""), characters);
  }
  int32_t Integer(const char* section, const std::string& key, int32_t fallback) const {
    return ReadInteger(Text(section, key), fallback);
  }
  Colour Colours(const std::string& key, Colour fallback) const {
    return static_cast<Colour>(Integer(kWinSet, key, static_cast<int32_t>(fallback)));
  }
  bool Flag(const std::string& key) const { return Integer(kWinSet, key, 0) != 0; }
  std::string Name(const std::string& key, const std::string& fallback) const {
    return CutCharacters(file_.Get(kWinSet, key, fallback), 40);
  }

 private:
  const platform::ProfileReader file_;
};

// The values of one write, sent to the file together.
class Writer {
 public:
  explicit Writer(const std::string& path) : path_(path) {}
  void Text(const char* section, const std::string& key, const std::string& value) {
    values_.push_back({section, key, value});
  }
  void Integer(const char* section, const std::string& key, int64_t value) {
    Text(section, key, std::to_string(value));
  }
  void Colours(const std::string& key, Colour value) { Integer(kWinSet, key, static_cast<int32_t>(value)); }
  void Flag(const std::string& key, bool value) { Text(kWinSet, key, value ? "1" : "0"); }
  // Writes them all, or none.
  void Commit() const {
    std::size_t refused = values_.size();
    if (platform::WriteProfileStrings(path_, values_, &refused)) return;
    if (refused >= values_.size()) throw ESettingsWrite(path_);
    const platform::ProfileValue& v = values_[refused];
    throw ESettingsWrite(path_, platform::IniDocument::Refusal(v.section, v.key, v.value) + " (" + v.key +
                                    "=" + platform::EscapedForMessage(v.value, 60) + ")");
  }

 private:
  const std::string& path_;
  std::vector<platform::ProfileValue> values_;
};

bool ParseHex(std::string_view digits, int32_t* out) {
  if (digits.empty()) return false;
  uint32_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (ec != std::errc() || end != digits.data() + digits.size()) return false;
  *out = static_cast<int32_t>(value);
  return true;
}

}  // namespace

int32_t ReadInteger(const std::string& text, int32_t fallback) {
  std::string_view s = text;
  int32_t value = 0;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
    return ParseHex(s.substr(2), &value) ? value : fallback;
  if (!s.empty() && s[0] == '$') return ParseHex(s.substr(1), &value) ? value : fallback;
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  if (s.empty()) return fallback;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size() ? value : fallback;
}

FontStyles StyleFromFlags(bool bold, bool italic, bool underline, bool strike_out, FontStyles current) {
  if (bold) return fsBold;
  if (italic) return fsItalic;
  if (underline) return fsUnderline;
  if (strike_out) return fsStrikeOut;
  return current;
}

std::string SettingsPath() { return platform::ResolveCase(platform::FullPath(kSettingsFileName)); }

void LoadSettings(const std::string& path, Settings& s, ThemeLists& themes) {
  const Reader in(path);
  s.Top = in.Integer(kWinSet, "Top", 50);
  s.Left = in.Integer(kWinSet, "Left", 50);
  constexpr int32_t kNone = INT32_MIN;
  const int32_t width = in.Integer(kWinSet, "Width", kNone), height = in.Integer(kWinSet, "Height", kNone);
  s.size_stored = width != kNone && height != kNone;
  s.Width = width != kNone ? width : 190;
  s.Height = height != kNone ? height : 153;
  s.start.Top = s.Top, s.start.Left = s.Left, s.start.Width = s.Width, s.start.Height = s.Height;

  s.CMBC = in.Colours("CMBC", 0xFFFFFF);
  s.CTC = in.Colours("CTC", 0xFF0000);
  s.CTBC = in.Colours("CTBC", 0);
  s.CTTC = in.Colours("CTTC", 0xFFFFFF);
  s.CTTTC = in.Colours("CTTTC", 0xFFFFFF);
  s.WC = in.Colours("WC", 0x808000);

  s.JMsgFN = in.Name("JMsgFN", "System");
  s.CalFN = in.Name("CalFN", "System");
  s.JMsgFS = in.Integer(kWinSet, "JMsgFS", 10);
  s.CalFS = in.Integer(kWinSet, "CalFS", 10);
  s.JMsgFC = in.Colours("JMsgFC", 0);
  s.CalFC = in.Colours("CalFC", 0);

  s.SPTOP = in.Integer(kWinSet, "SPTOP", 305);
  s.start.SPTOP = s.SPTOP;
  s.THETHEME = in.Name("THETHEME", "Pellmarsh");

  s.JMsgFSBold = in.Flag("JMsgFSBold");
  s.JMsgFSItalic = in.Flag("JMsgFSItalic");
  s.JMsgFSUnderline = in.Flag("JMsgFSUnderline");
  s.JMsgFSStrikeOut = in.Flag("JMsgFSStrikeOut");
  s.CalFSBold = in.Flag("CalFSBold");
  s.CalFSItalic = in.Flag("CalFSItalic");
  s.CalFSUnderline = in.Flag("CalFSUnderline");
  s.CalFSStrikeOut = in.Flag("CalFSStrikeOut");
  s.calendar_style = StyleFromFlags(s.CalFSBold, s.CalFSItalic, s.CalFSUnderline, s.CalFSStrikeOut,
                                    s.calendar_style);
  s.pane_style = StyleFromFlags(s.JMsgFSBold, s.JMsgFSItalic, s.JMsgFSUnderline, s.JMsgFSStrikeOut,
                                s.pane_style);

  s.NotifyAtDayChange = in.Integer(kDesktopSection, kNotifyAtDayChangeKey, 0) != 0;
  s.UseDesktopColours = in.Integer(kDesktopSection, kUseDesktopColoursKey, 0) != 0;
  s.QuietDays = in.Integer(kDesktopSection, kQuietDaysKey, 0) != 0;

  const int32_t count = std::min(in.Integer(kThemes, "ThemeLINES", 0), kMaxDisplayedThemes);
  themes.SelTheme.clear();
  for (int32_t n = 0; n < count; ++n) themes.SelTheme.push_back(in.Text(kThemes, "DB_" + std::to_string(n)));
  themes.SelThemeD.clear();
  for (int32_t n = 0; n < count; ++n) themes.SelThemeD.push_back(in.Text(kThemes, "DBD_" + std::to_string(n)));
}

void SaveSettings(const std::string& path, Settings& s, const ThemeLists& themes,
                  const WindowGeometry& live, int calendar_panel_height) {
  Writer out(path);
  out.Integer(kThemes, "ThemeLINES", static_cast<int64_t>(themes.SelTheme.size()));
  for (std::size_t n = 0; n < themes.SelTheme.size(); ++n) {
    out.Text(kThemes, "DB_" + std::to_string(n), themes.SelTheme[n]);
    out.Text(kThemes, "DBD_" + std::to_string(n), n < themes.SelThemeD.size() ? themes.SelThemeD[n] : "");
  }
  s.Top = live.top, s.Left = live.left, s.Width = live.width, s.Height = live.height;
  s.SPTOP = calendar_panel_height;
  out.Integer(kWinSet, "Top", s.Top);
  out.Integer(kWinSet, "Left", s.Left);
  out.Integer(kWinSet, "Width", s.Width);
  out.Integer(kWinSet, "Height", s.Height);
  out.Colours("CMBC", s.CMBC);
  out.Colours("CTC", s.CTC);
  out.Colours("CTBC", s.CTBC);
  out.Colours("CTTC", s.CTTC);
  out.Colours("CTTTC", s.CTTTC);
  out.Colours("WC", s.WC);
  out.Text(kWinSet, "JMsgFN", s.JMsgFN);
  out.Integer(kWinSet, "JMsgFS", s.JMsgFS);
  out.Text(kWinSet, "CalFN", s.CalFN);
  out.Integer(kWinSet, "CalFS", s.CalFS);
  out.Integer(kWinSet, "SPTOP", s.SPTOP);
  out.Colours("CalFC", s.CalFC);
  out.Colours("JMsgFC", s.JMsgFC);
  // Each key is "1" only when the style is exactly that one style.
  out.Flag("JMsgFSBold", s.pane_style == fsBold);
  out.Flag("JMsgFSItalic", s.pane_style == fsItalic);
  out.Flag("JMsgFSUnderline", s.pane_style == fsUnderline);
  out.Flag("JMsgFSStrikeOut", s.pane_style == fsStrikeOut);
  out.Flag("CalFSBold", s.calendar_style == fsBold);
  out.Flag("CalFSItalic", s.calendar_style == fsItalic);
  out.Flag("CalFSUnderline", s.calendar_style == fsUnderline);
  out.Flag("CalFSStrikeOut", s.calendar_style == fsStrikeOut);
  out.Commit();
  s.SettingsSaved = true;
  s.SettingsChanged = false;
}

void WriteWindowPosition(const std::string& path, int top, int left) {
  Writer out(path);
  out.Integer(kWinSet, "Top", top);
  out.Integer(kWinSet, "Left", left);
  out.Commit();
}

}  // namespace vornelle::app
