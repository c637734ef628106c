#pragma once
// Choosing a font: name, size, colour and styles from one dialog. Qt's own font dialog has no
// colour, so the program has a small dialog of its own; tests put in a chooser of theirs.

#include <optional>
#include <string>

#include "app/core/settings.h"

class QWidget;

namespace vornelle::options {

struct FontChoice {
  std::string name;
  int size = 10;  // points
  app::Colour colour = 0;
  app::FontStyles styles = 0;
};

class FontChooser {
 public:
  virtual ~FontChooser() = default;
  // The user's choice, or nothing when they cancelled. Raises when the chooser cannot run.
  virtual std::optional<FontChoice> Choose(const FontChoice& current, QWidget* parent) = 0;
};

class FontDialogChooser : public FontChooser {
 public:
  std::optional<FontChoice> Choose(const FontChoice& current, QWidget* parent) override;
};

}  // namespace vornelle::options
