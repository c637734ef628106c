#pragma once
// NewThemeDialog: what a new theme is to be, asked by the theme editor: its file name and
// description and, for a theme made from a file, the file and what kind of file it is. A line
// under the name says the file the theme gets, or why the name cannot be one; the kind of a
// file is guessed from its lines, and its name suggests the theme's until one is typed.

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vornelle::app {

struct NewThemeRequest {
  QString file;         // the table's name in the folder; ".dbf" is added when it has none
  QString description;  // empty from a file: the file's own, or its name
  QString source;       // the file to read; empty for an empty theme
  QString from;         // "text", "calendar" or "fortune"
  QString start;        // the first day of a fortune file's sayings
};

class NewThemeDialog : public QDialog {
  Q_OBJECT

 public:
  // `from_file`: the dialog asks for the source file too. `typed`, when given, fills it again:
  // what was typed before a refusal.
  explicit NewThemeDialog(bool from_file, QWidget* parent = nullptr, const NewThemeRequest* typed = nullptr);

  NewThemeRequest Request() const;

  QLineEdit* FileEdit() const { return file_; }
  QLineEdit* DescriptionEdit() const { return description_; }
  QLineEdit* SourceEdit() const { return source_; }
  QComboBox* KindChooser() const { return kind_; }
  QLabel* NameNote() const { return name_note_; }
  QWidget* OkButton() const { return ok_; }

 public Q_SLOTS:
  // The source file chosen or typed: its kind guessed, its name suggested for the theme's.
  void SourceChosen();

 private Q_SLOTS:
  void BrowseClick();
  void InputChanged();

 private:
  QLineEdit* file_ = nullptr;
  QLineEdit* description_ = nullptr;
  QLineEdit* source_ = nullptr;
  QComboBox* kind_ = nullptr;
  QLineEdit* start_ = nullptr;
  QLabel* name_note_ = nullptr;
  QWidget* ok_ = nullptr;
  bool name_typed_ = false;  // the user typed a theme name: none is suggested over it
};

}  // namespace vornelle::app
