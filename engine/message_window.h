#pragma once
// The engine's two small message windows: a plain message window, and a progress window whose
// text is a bar of 100 '|' characters that shrinks by one at each step. The windows themselves
// belong to the GUI, which installs a view; without one nothing is shown.

#include <string>
#include <string_view>

namespace vornelle::engine {

// What a GUI implements to show the windows.
class MessageWindowView {
 public:
  virtual ~MessageWindowView() = default;
  // caption empty: a window without a border.
  virtual void Show(std::string_view caption, std::string_view text) = 0;
  virtual void Hide() = 0;
};

void SetMessageWindowView(MessageWindowView* view);  // null: no windows

class TTzMsg {
 public:
  explicit TTzMsg(std::string caption = {}) : caption_(std::move(caption)) {}
  virtual ~TTzMsg();
  void ShowText(std::string_view text);
  void Hide();
  const std::string& caption() const { return caption_; }

 private:
  std::string caption_;
  bool shown_ = false;
};

class TTzProgress100 : public TTzMsg {
 public:
  static constexpr int kBarLength = 100;
  explicit TTzProgress100(std::string caption = "Progress");
  // One step: the bar loses a character; a step on an empty bar refills it.
  void Step();
  const std::string& bar() const { return bar_; }

 private:
  std::string bar_;
};

}  // namespace vornelle::engine
