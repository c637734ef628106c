#pragma once
// The fixed texts the Qt-free core and the layers below it give the user, translated where they
// reach a window. A text that is one of them, or starts with one and goes on with a name or a
// path, is shown in the user's language with the rest kept as it is.

#include <QString>
#include <string>

#include "app/core/services.h"

namespace vornelle::app {

// `text` as UTF-8 or the ANSI code page, as DisplayText takes it.
QString CoreText(const std::string& text);

// The box service the windows hand to the core: every text translated on its way to `boxes`.
class CoreTextBoxes : public MessageBoxService {
 public:
  explicit CoreTextBoxes(MessageBoxService& boxes) : boxes_(boxes) {}
  void Confirm(const std::string& text, ScreenPoint at) override;
  bool AskYesNo(const std::string& text) override;
  std::size_t Choose(const std::string& text, const std::vector<std::string>& choices) override;
  void Error(const std::string& caption, const std::string& text) override;
  void Inform(const std::string& text) override;

 private:
  MessageBoxService& boxes_;
};

}  // namespace vornelle::app
