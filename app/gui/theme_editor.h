#pragma once
// ThemeEditor: the "Vornelle Theme Editor" window. A chooser of the folder's themes, a grid of
// the chosen theme's records in file order (read a screen at a time by ThemeRecordsModel), and
// under it the current record's day and whole message. Changes are written through a table
// component of the editor's own, shared with other programs:
//  - a change takes its record or append lock first, waiting for another program as the rest of
//    the calendar does, so a change refused for a lock has written nothing;
//  - under the lock, a record another program changed since it was shown is not written over
//    without the user's word;
//  - a theme another program replaced since it was opened is opened again, the text kept.
// A theme the system provides (themes/theme_folders.h) is shown read-only; Copy to My Themes
// makes a copy of the user's own that takes its place.
// theme_editor.cpp builds the window and moves between themes and records;
// theme_editor_changes.cpp writes; theme_editor_files.cpp copies and exports themes.

#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/core/program.h"
#include "app/gui/new_theme_dialog.h"
#include "dataset/zuviv.h"
#include "platform/retry.h"
#include "platform/text_codec.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace vornelle::app {

class Spelling;
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

  // Asks what a new theme is to be (from a file when `from_file`); nothing when cancelled. After
  // a refusal it is asked again with what was typed (`typed`), to be corrected. The new theme
  // dialog unless a test puts in its own answer.
  std::function<std::optional<NewThemeRequest>(bool from_file, const NewThemeRequest* typed)> ask_new_theme;
  // Asks where the open theme's iCalendar file goes, offering `suggested`; nothing when
  // cancelled. A save dialog unless a test puts in its own answer.
  std::function<std::optional<std::string>(const std::string& suggested)> ask_export_file;
  // How long a change waits for a lock another program holds.
  std::chrono::milliseconds lock_wait = platform::kLockWait;

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
  Spelling* Speller() const { return spelling_; }
  QPushButton* DeleteButton() const { return delete_; }
  QPushButton* CopyButton() const { return copy_; }
  ThemeRecordsModel* Model() const { return model_.get(); }

 Q_SIGNALS:
  // A record of `file` was written: the calendar shows its day again.
  void ThemeSaved(const QString& file);

 public Q_SLOTS:
  // Each returns whether it did what it says.
  bool SaveClick();
  bool RevertClick();
  void NewDayClick();
  void DeleteClick();
  void RestoreClick();
  bool RemoveDeletedClick();
  void NewThemeClick();
  void NewThemeFromFileClick();
  // theme_editor_files.cpp: a system's theme copied into the user's folder, where it can be
  // changed; the open theme written as an iCalendar file.
  bool CopyToMyThemesClick();
  bool ExportICalendarClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private Q_SLOTS:
  void ThemeChosen(int index);
  void RowChosen(const QModelIndex& current, const QModelIndex& previous);
  // The day typed: its name beside it ("29 February").
  void DayEdited();

 private:
  // A record as the editor read it: what a save compares with what the file holds then, to
  // tell whether another program changed it meanwhile.
  struct RecordSeen {
    std::string key;      // THEDATE, as stored
    std::string message;  // THEJOKE, whole
    bool deleted = false;
    bool operator==(const RecordSeen&) const = default;
  };

  // theme_editor.cpp: the window, moving between themes and records, the note line.
  void BuildWindow();
  void FillChooser();
  // Whether the record shown may be left: unchanged, saved, or its changes dropped at the
  // user's word (Cancel keeps it).
  bool LeaveRecord();
  // Shows record `recno` as the file holds it. `undoably` keeps the message box's undo: the
  // text the record replaces comes back with Ctrl+Z (after Revert, a save, or another
  // program's text taken).
  void ShowRecord(int32_t recno, bool undoably = false);
  void ShowNewDay(const std::string& key);
  // Selects the row of `recno` and shows the record (ShowRecord).
  void SelectRow(int32_t recno, bool undoably = false);
  void SetMessageText(const QString& text, bool undoably);
  // The active record of the component as it is now.
  RecordSeen ReadSeen();
  bool IsDescription() const;
  // The converter of the open theme's text (its code page).
  platform::TextCodec& Codec() const;
  void UpdateNote();
  void UpdateButtons();
  // The first record of `key`, 0 when there is none.
  int32_t FirstRecordOf(const std::string& key);

  // theme_editor_changes.cpp: writing.
  // Runs a change of the table with the engine's failures raised; a failure is shown in a box
  // (a theme replaced meanwhile is opened again). False when it failed.
  bool Guarded(const std::function<void()>& work);
  // Takes the lock of the change about to be made (the append lock for a new record, else the
  // active record's), waiting as long as the rest of the program does; says so when it never
  // comes. False then, with nothing written.
  bool LockForChange(bool append, const char* action);
  // Opens the theme again after another program replaced it, keeping what the user typed;
  // says so. Always false (nothing was written), for the callers to return.
  bool ReopenReplaced();
  // A change is about to be made: false, after saying so, when the theme cannot take one.
  bool ReadyToChange();
  // Under the record lock, in edit state: whether the record still holds what the editor read.
  // When another program changed it, the lock goes and the user chooses: write over theirs
  // (kTryAgain: locked and compared again), take theirs or cancel (kStop).
  enum class Check { kWrite, kTryAgain, kStop };
  Check CheckUnchanged();
  bool WriteRecord(const std::string& key, const std::string& text);
  // Deletes or restores the record shown, under its record lock.
  void SetDeletedMark(bool deleted);
  void CreateTheme(bool from_file);
  // Makes the theme asked for; false, after saying why, when it was refused.
  bool MakeTheme(const NewThemeRequest& request);

  Program& program_;
  MessageBoxService& boxes_;
  dataset::TZuViv table_;
  std::unique_ptr<ThemeRecordsModel> model_;
  std::string file_;
  // The fields as shown, before the user changed them.
  QString shown_day_, shown_message_;
  RecordSeen seen_;
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
  Spelling* spelling_ = nullptr;  // a child of the message box
  QPushButton* save_ = nullptr;
  QPushButton* revert_ = nullptr;
  QPushButton* new_day_button_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* restore_ = nullptr;
  QPushButton* remove_deleted_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* export_ = nullptr;
  bool shared_ = false;  // the open theme is one the system provides
};

}  // namespace vornelle::app
