#pragma once
// The screen services of the core, made with Qt: message boxes placed where the program wants
// them, the help viewer, the clock and the pane; and the hooks by which the layers below the
// GUI (the engine's fatal box, the component's plain message box, the application's exception
// handler) reach real windows.

#include <QString>

#include "app/core/services.h"

class QPlainTextEdit;
class QWidget;

namespace vornelle::app {

// Text from below the GUI (the engine's texts are in code page 1252) for a window: UTF-8 is
// taken as it is, anything else as 1252.
QString DisplayText(const std::string& text);

// The boxes in the user's language: their own words translated here, the texts they show as
// given (CoreTextBoxes translates the core's on their way).
class QtMessageBoxService : public MessageBoxService {
 public:
  explicit QtMessageBoxService(QWidget* parent = nullptr) : parent_(parent) {}
  void Confirm(const std::string& text, ScreenPoint at) override;
  bool AskYesNo(const std::string& text) override;
  std::size_t Choose(const std::string& text, const std::vector<std::string>& choices) override;
  void Error(const std::string& caption, const std::string& text) override;
  void Inform(const std::string& text) override;

 private:
  QWidget* parent_;
};

// Opens the help page.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // False when the page could not be opened.
  virtual bool Open(const std::string& path) = 0;
};

// The desktop's browser.
class DesktopHelpViewer : public HelpViewer {
 public:
  bool Open(const std::string& path) override;
};

class SystemClock : public Clock {
 public:
  platform::CalendarDate Today() const override;
};

// The desktop's clipboard.
class DesktopClipboard : public Clipboard {
 public:
  void SetText(const std::string& plain, const std::string& html) override;
};

class PlainTextPane : public MessagePane {
 public:
  explicit PlainTextPane(QPlainTextEdit* edit) : edit_(edit) {}
  void Clear() override;
  void SetLines(const std::vector<std::string>& lines) override;

 private:
  QPlainTextEdit* edit_;
};

// Routes the engine's "Program halted." box, the component's plain message boxes and the
// application's exception handler to message boxes.
void InstallPlatformWindows();

}  // namespace vornelle::app
