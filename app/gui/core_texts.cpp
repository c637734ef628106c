#include "app/gui/core_texts.h"

#include <QCoreApplication>
#include <string_view>

#include "app/core/autostart.h"
#include "app/core/day_lookup.h"
#include "app/core/theme_catalogue.h"
#include "themes/theme_text.h"
#include "app/gui/qt_services.h"
#include "dataset/messages.h"
#include "engine/errors.h"

namespace vornelle::app {

namespace {

constexpr const char* kContext = "CoreTexts";

// Whole texts, and the beginnings of texts that go on with a name, a path or a reason.
constexpr const char* kTexts[] = {
    QT_TRANSLATE_NOOP("CoreTexts", "No Message on File for This .db: "),
    QT_TRANSLATE_NOOP("CoreTexts", "No Message Files Exists! Please check your installation."),
    QT_TRANSLATE_NOOP("CoreTexts", "Not a Theme of This Folder, Left Out: "),
    QT_TRANSLATE_NOOP("CoreTexts", "Theme File Not Found, Left Out: "),
    QT_TRANSLATE_NOOP("CoreTexts", "The day must be MMDD (0101 to 1231) or 9999 for the description"),
    QT_TRANSLATE_NOOP("CoreTexts", "No year has such a day (MMDD): "),
    // A new theme's name.
    QT_TRANSLATE_NOOP("CoreTexts", "A theme needs a name"),
    QT_TRANSLATE_NOOP("CoreTexts", "A theme is a file of this folder: its name holds no \"/\""),
    QT_TRANSLATE_NOOP("CoreTexts", "A name that starts with \".\" is hidden: the calendar would not list the theme"),
    // Lines of the pane.
    QT_TRANSLATE_NOOP("CoreTexts", "Tools > Edit This Day... shows the whole message. Lines not shown: "),
    QT_TRANSLATE_NOOP("CoreTexts", "No message for this day in "),
    // The settings file (ESettingsWrite).
    QT_TRANSLATE_NOOP("CoreTexts", "Unable to write to "),
    // The user's folder and the autostart entry, each followed by a path and the system's reason.
    QT_TRANSLATE_NOOP("CoreTexts", "Cannot copy the sample "),
    QT_TRANSLATE_NOOP("CoreTexts", "Cannot create "),
    QT_TRANSLATE_NOOP("CoreTexts", "Cannot create the folder "),
    QT_TRANSLATE_NOOP("CoreTexts", "Cannot use the folder "),
    QT_TRANSLATE_NOOP("CoreTexts", "Cannot remove "),
    QT_TRANSLATE_NOOP("CoreTexts", "Cannot write "),
    QT_TRANSLATE_NOOP("CoreTexts", "No home folder is known for the user's themes"),
    QT_TRANSLATE_NOOP("CoreTexts", "Start at Login cannot write a name that is not UTF-8 text into a desktop entry: "),
    // The table component's boxes: another program holds the lock a change needs.
    QT_TRANSLATE_NOOP("CoreTexts", "Lock failed [Insert]"),
    QT_TRANSLATE_NOOP("CoreTexts", "Lock failed [Delete]"),
    QT_TRANSLATE_NOOP("CoreTexts", "Lock failed [Post]"),
    QT_TRANSLATE_NOOP("CoreTexts", "Lock failed [Restore]"),
    QT_TRANSLATE_NOOP("CoreTexts", "Could not create \""),
    // The engine's fatal box.
    QT_TRANSLATE_NOOP("CoreTexts", "Program halted."),
};

// The list above copies the core's texts: it must follow them.
static_assert(std::string_view(kNoMessageText) == "No Message on File for This .db: ");
static_assert(std::string_view(kNoThemesText) == "No Message Files Exists! Please check your installation.");
static_assert(std::string_view(kForeignThemeText) == "Not a Theme of This Folder, Left Out: ");
static_assert(std::string_view(kMissingThemeText) == "Theme File Not Found, Left Out: ");
static_assert(std::string_view(themes::kDayKeyText) == "The day must be MMDD (0101 to 1231) or 9999 for the description");
static_assert(std::string_view(themes::kNoSuchDayText) == "No year has such a day (MMDD): ");
static_assert(std::string_view(kMoreLinesText) == "Tools > Edit This Day... shows the whole message. Lines not shown: ");
static_assert(std::string_view(kQuietDayText) == "No message for this day in ");
static_assert(std::string_view(dataset::msg::kLockFailed) == "Lock failed [%s]");
static_assert(std::string_view(dataset::msg::kCouldNotCreate) == "Could not create \"%s\"");
static_assert(std::string_view(kUnnamableText) ==
              "Start at Login cannot write a name that is not UTF-8 text into a desktop entry: ");
static_assert(engine::kHaltCaption == "Program halted.");

// A text left as it is goes on in its own bytes, whatever its code page.
std::string Passed(const std::string& text) {
  const QString translated = CoreText(text);
  return translated == DisplayText(text) ? text : translated.toStdString();
}

}  // namespace

QString CoreText(const std::string& text) {
  const QString shown = DisplayText(text);
  // The longest beginning wins: "Cannot create the folder " over "Cannot create ".
  const char* fixed = nullptr;
  qsizetype length = 0;
  for (const char* each : kTexts) {
    const QString source = QString::fromUtf8(each);
    if (source.size() > length && shown.startsWith(source)) {
      fixed = each;
      length = source.size();
    }
  }
  if (!fixed) return shown;
  return QCoreApplication::translate(kContext, fixed) + shown.mid(length);
}

void CoreTextBoxes::Confirm(const std::string& text, ScreenPoint at) { boxes_.Confirm(Passed(text), at); }

bool CoreTextBoxes::AskYesNo(const std::string& text) { return boxes_.AskYesNo(Passed(text)); }
std::size_t CoreTextBoxes::Choose(const std::string& text, const std::vector<std::string>& choices) {
  return boxes_.Choose(Passed(text), choices);
}

void CoreTextBoxes::Error(const std::string& caption, const std::string& text) {
  boxes_.Error(Passed(caption), Passed(text));
}

void CoreTextBoxes::Inform(const std::string& text) { boxes_.Inform(Passed(text)); }

}  // namespace vornelle::app
