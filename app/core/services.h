#pragma once
// What the core needs of the screen, as narrow interfaces: the windows implement them, the
// terminal companion prints through them, and tests record what they are asked.

#include <functional>
#include <string>
#include <vector>

#include "platform/locale.h"

namespace vornelle::app {

// A window's place and size on the screen, in pixels.
struct WindowGeometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// Where the program's confirmation boxes go: their top-left corner a little up and left of
// the main window's middle.
inline ScreenPoint ConfirmationPosition(const WindowGeometry& window) {
  return {window.left + window.width / 2 - 50, window.top + window.height / 2 - 25};
}

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // A confirmation box: question icon, caption "Confirm", the one button "OK", its top-left
  // corner at `at`. A negative coordinate is not applied; with both negative the box is
  // centred on the screen. Returns when the user has closed it.
  virtual void Confirm(const std::string& text, ScreenPoint at) = 0;
  // A confirmation box centred on the screen with the buttons "&Yes" and "&No": true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // A question centred on the screen with a button for each choice, the first the default:
  // the index of the one chosen. The last choice is the cautious one (Cancel): Escape and
  // closing the box choose it, and so does a run without windows.
  virtual std::size_t Choose(const std::string& text, const std::vector<std::string>& choices) {
    (void)text;
    return choices.empty() ? 0 : choices.size() - 1;
  }
  // An error box: error icon, the caption given, one button "OK".
  virtual void Error(const std::string& caption, const std::string& text) = 0;
  // An information box centred on the screen, with one button "OK".
  virtual void Inform(const std::string& text) = 0;
};

// The message pane: the lookup empties it first and fills it in one step at the end.
class MessagePane {
 public:
  virtual ~MessagePane() = default;
  virtual void Clear() = 0;
  virtual void SetLines(const std::vector<std::string>& lines) = 0;
};

// The desktop's clipboard: text, and the same as HTML for programs that take formatted text
// (empty: plain text only). Both UTF-8.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const std::string& plain, const std::string& html) = 0;
};

// The desktop's notifications. A server may take markup in a body, or only plain text: both are
// given, and the one the server takes is sent.
class Notifications {
 public:
  // Called once a notification is settled: with an empty reason when it was delivered, else
  // with the reason (nothing serves notifications, the server did not answer in time).
  using Done = std::function<void(const std::string& why)>;

  virtual ~Notifications() = default;
  // Sends without waiting for the server, whose answer may be slow to come or never come: a
  // window goes on meanwhile. `done` is called later, from the event loop.
  virtual void Notify(const std::string& summary, const std::string& plain_body, const std::string& markup_body,
                      Done done) = 0;
};

// The date the user has selected, asked anew whenever it is needed.
class SelectedDate {
 public:
  virtual ~SelectedDate() = default;
  virtual platform::CalendarDate Date() const = 0;
};

// Today, from the system clock; tests put in their own.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual platform::CalendarDate Today() const = 0;
};

}  // namespace vornelle::app
