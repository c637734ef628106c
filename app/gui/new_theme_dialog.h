#pragma once
// NewThemeDialog: what a new theme is to be, asked by the theme editor: its file name and
// description and, for a theme made from a file, the file and what kind of file it is.

#include <QDialog>
#include <QString>

class QComboBox;
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
  // `from_file`: the dialog asks for the source file too.
  explicit NewThemeDialog(bool from_file, QWidget* parent = nullptr);

  NewThemeRequest Request() const;

  QLineEdit* FileEdit() const { return file_; }
  QLineEdit* DescriptionEdit() const { return description_; }
  QLineEdit* SourceEdit() const { return source_; }
  QComboBox* KindChooser() const { return kind_; }

 private Q_SLOTS:
  void BrowseClick();
  void InputChanged();

 private:
  QLineEdit* file_ = nullptr;
  QLineEdit* description_ = nullptr;
  QLineEdit* source_ = nullptr;
  QComboBox* kind_ = nullptr;
  QLineEdit* start_ = nullptr;
  QWidget* ok_ = nullptr;
};

}  // namespace vornelle::app
