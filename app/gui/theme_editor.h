#pragma once
// ThemeEditor: the "Vornelle Theme Editor" window. A chooser of the folder's themes, a grid of
// the chosen theme's records in file order (read a screen at a time by ThemeRecordsModel), and
// under it the current record's day and whole message. Changes are written through a table
// component of the editor's own, shared with other programs: Save posts under the record lock,
// and a lock another program holds leaves the text in the editor for a later Save.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/core/program.h"
#include "app/gui/new_theme_dialog.h"
#include "dataset/zuviv.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace vornelle::app {

class ThemeRecordsModel;

inline constexpr const char* kThemeEditorTitle =
    QT_TRANSLATE_NOOP("vornelle::app::ThemeEditor", "Vornelle Theme Editor");
// Asked before a changed record is left.
inline constexpr const char* kSaveDayText =
    QT_TRANSLATE_NOOP("vornelle::app::ThemeEditor", "Save Changes to This Day?");

class ThemeEditor : public QWidget {
  Q_OBJECT

 public:
  ThemeEditor(Program& program, MessageBoxService& boxes, QWidget* parent = nullptr);
  ~ThemeEditor() override;

  // Asks what a new theme is to be (from a file when `from_file`); nothing when cancelled.
  // The new theme dialog unless a test puts in its own answer.
  std::function<std::optional<NewThemeRequest>(bool from_file)> ask_new_theme;

  // Opens the theme `file` of the folder on the first record of `key` (the first record of the
  // table when `key` is empty). A day the theme has no record for starts a new one.
  void OpenTheme(const std::string& file, const std::string& key = {});
  // The theme open, as its file is named in the folder; empty when none is.
  const std::string& ThemeFile() const { return file_; }
  // The record the fields show; 0 for a new one not yet saved, or none.
  int32_t CurrentRecord() const { return recno_; }
  bool Modified() const;

  // Parts the tests look at.
  QComboBox* ThemeChooser() const { return chooser_; }
  QTableView* Grid() const { return grid_; }
  QLineEdit* DayEdit() const { return day_; }
  QPlainTextEdit* MessageEdit() const { return message_; }
  QLabel* Note() const { return note_; }
  ThemeRecordsModel* Model() const { return model_.get(); }

 Q_SIGNALS:
  // A record of `file` was written: the calendar shows its day again.
  void ThemeSaved(const QString& file);

 public Q_SLOTS:
  // Each returns whether it did what it says.
  bool SaveClick();
  void RevertClick();
  void NewDayClick();
  void DeleteClick();
  void RestoreClick();
  void NewThemeClick();
  void NewThemeFromFileClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private Q_SLOTS:
  void ThemeChosen(int index);
  void RowChosen(const QModelIndex& current, const QModelIndex& previous);
  // The day typed: its name beside it ("29 February").
  void DayEdited();

 private:
  // Whether the record shown may be left: unchanged, saved, or its changes dropped at the
  // user's word.
  bool LeaveRecord();
  void ShowRecord(int32_t recno);
  void ShowNewDay(const std::string& key);
  void SelectRow(int32_t recno);
  void FillChooser();
  void CreateTheme(bool from_file);
  // Deletes or restores the record shown, under its record lock.
  void SetDeletedMark(bool deleted);
  void UpdateNote();
  void UpdateButtons();
  // Runs a change of the table; a failure is shown in a box. False when it failed.
  bool Guarded(const std::function<void()>& work);
  // The first record of `key`, 0 when there is none.
  int32_t FirstRecordOf(const std::string& key);

  Program& program_;
  MessageBoxService& boxes_;
  dataset::TZuViv table_;
  std::unique_ptr<ThemeRecordsModel> model_;
  std::string file_;
  // The fields as shown, before the user changed them.
  QString shown_day_, shown_message_;
  int32_t recno_ = 0;
  bool new_day_ = false;
  bool deleted_ = false;
  bool changing_row_ = false;  // the grid's selection is being put back or set by the editor

  QComboBox* chooser_ = nullptr;
  QTableView* grid_ = nullptr;
  QLineEdit* day_ = nullptr;
  QLabel* day_name_ = nullptr;
  QLabel* note_ = nullptr;
  QPlainTextEdit* message_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* revert_ = nullptr;
  QPushButton* new_day_button_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* restore_ = nullptr;
};

}  // namespace vornelle::app
