#pragma once
// The settings record and the settings file Vornel.Ini: window geometry, colours, fonts and the
// displayed themes, read once at start-up and written on the user's save command or, after
// confirmation, when the program closes. All text is UTF-8.

#include <cstdint>
#include <string>
#include <vector>

#include "app/core/services.h"
#include "platform/exception.h"

namespace vornelle::app {

// Font styles. The program keeps at most one per font, but a font chosen in the options
// dialog may carry several.
enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using FontStyles = unsigned;

// Colours are 0x00BBGGRR values.
using Colour = uint32_t;

// The four lists of the theme catalogue: the themes found in the folder, and the themes chosen
// for display, each with the parallel list of their descriptions.
struct ThemeLists {
  std::vector<std::string> AvailTheme, AvailThemeD;
  std::vector<std::string> SelTheme, SelThemeD;
};

struct Settings {
  // The window geometry; also what dialogs place themselves from.
  int32_t Top = 50, Left = 50, Width = 190, Height = 153;
  // Whether the file gave the window's size; without one the window opens at a size that shows
  // what it holds.
  bool size_stored = false;
  // The geometry and splitter position as read, which closing compares with.
  struct Start {
    int32_t Top = 50, Left = 50, Width = 190, Height = 153, SPTOP = 305;
  } start;

  Colour CMBC = 0xFFFFFF;   // calendar: background of the month's days
  Colour CTC = 0xFF0000;    // kept and written back
  Colour CTBC = 0;          // calendar: title background
  Colour CTTC = 0xFFFFFF;   // calendar: title text
  Colour CTTTC = 0xFFFFFF;  // calendar: days of the neighbouring months
  Colour WC = 0x808000;     // the window and its panels
  std::string JMsgFN = "System", CalFN = "System";  // font names, at most 40 characters
  int32_t JMsgFS = 10, CalFS = 10;                  // font sizes in points
  Colour JMsgFC = 0;  // the pane's text
  Colour CalFC = 0;   // the calendar's text
  int32_t SPTOP = 305;  // the calendar panel's height: where the splitter stands
  std::string THETHEME = "Pellmarsh";  // read and kept, never written
  bool JMsgFSBold = false, JMsgFSItalic = false, JMsgFSUnderline = false, JMsgFSStrikeOut = false;
  bool CalFSBold = false, CalFSItalic = false, CalFSUnderline = false, CalFSStrikeOut = false;
  FontStyles pane_style = 0, calendar_style = 0;

  // The desktop's section, beyond the window's own settings; each written when it is changed.
  bool NotifyAtDayChange = false;  // a desktop notification when the day changes
  bool UseDesktopColours = false;  // the desktop's palette, dark or light, not the colours above
  bool QuietDays = false;  // a day a theme has no message for says so in the pane, not in a box

  bool SettingsChanged = false;  // the options dialog applied a change not saved yet
  bool SettingsSaved = false;    // saved during this run (and nothing applied since)
};

// The section and keys of the desktop's settings.
inline constexpr const char* kDesktopSection = "Desktop";
inline constexpr const char* kNotifyAtDayChangeKey = "NotifyAtDayChange";
inline constexpr const char* kUseDesktopColoursKey = "UseDesktopColours";
inline constexpr const char* kQuietDaysKey = "QuietDays";

// A settings write the platform refused: "Unable to write to " and the file's path, then ": "
// and the reason when the fault is in a value rather than in the file.
class ESettingsWrite : public platform::Exception {
 public:
  explicit ESettingsWrite(const std::string& path, const std::string& reason = {})
      : platform::Exception("Unable to write to " + path + (reason.empty() ? "" : ": " + reason)) {}
};

// The settings file of the current folder (an existing file whose name differs only in case
// is taken).
std::string SettingsPath();

// Reads the whole file, once, into the record and the displayed themes. Missing values take
// their defaults; reading never fails.
void LoadSettings(const std::string& path, Settings& settings, ThemeLists& themes);

// Writes the record, with the window's live geometry and calendar panel height, and the
// displayed themes, all in one replacement of the file. ESettingsWrite when the file cannot be
// written or a value cannot be stored (a theme file name that is not UTF-8): nothing is written
// and the flags keep their values.
void SaveSettings(const std::string& path, Settings& settings, const ThemeLists& themes,
                  const WindowGeometry& live, int calendar_panel_height);

// Writes the window's position alone (closing after a move).
void WriteWindowPosition(const std::string& path, int top, int left);

// An integer as the settings file writes it: decimal, or hexadecimal after "0x" (when longer
// than two characters) or "$"; anything else gives `fallback`.
int32_t ReadInteger(const std::string& text, int32_t fallback);

// The style a font gets from its four stored booleans: the first that is set of bold, italic,
// underline, strikeout; none set keeps `current`.
FontStyles StyleFromFlags(bool bold, bool italic, bool underline, bool strike_out, FontStyles current);

// The most themes a settings file can display: a larger count is taken as this many, so that a
// damaged file cannot make the start-up read keys without end.
inline constexpr int kMaxDisplayedThemes = 1000;

}  // namespace vornelle::app
