// The theme editor's writing: saving a record under its lock and against what another program
// wrote meanwhile, deleting and restoring, removing deleted days, and making new themes.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>

#include "app/core/day_lookup.h"
#include "app/core/theme_catalogue.h"
#include "themes/theme_source.h"
#include "themes/theme_text.h"
#include "app/gui/core_texts.h"
#include "app/gui/theme_editor.h"
#include "app/gui/theme_records_model.h"
#include "dataset/messages.h"
#include "engine/engine.h"
#include "platform/codepage.h"
#include "platform/exception.h"
#include "platform/format.h"
#include "platform/retry.h"
#include "themes/table_pack.h"
#include "themes/theme_from_file.h"

namespace vornelle::app {

namespace {

// The problems of a refused new theme, as one box can show them.
std::string Listed(const std::vector<std::string>& lines, std::size_t most) {
  std::string text;
  for (std::size_t i = 0; i < lines.size() && i < most; ++i) text += lines[i] + "\n";
  if (lines.size() > most) {
    const QString more = QCoreApplication::translate("vornelle::app::ThemeEditor", "... and %1 more");
    text += more.arg(lines.size() - most).toStdString() + "\n";
  }
  return text;
}

// The wait cursor while the editor waits for another program.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

bool ThemeEditor::Guarded(const std::function<void()>& work) {
  // The calendar runs the engine with its fatal box; the editor's changes fail into its boxes.
  const bool raise = engine::SetRaise(true);
  bool done = false;
  try {
    work();
    done = true;
  } catch (const platform::EAbort&) {
    // The component has told the user already (a lock another program holds).
  } catch (const std::exception& error) {
    // A theme replaced meanwhile is the caller's to tell of, with what the editor does then.
    const bool replaced = table_.Active() && table_.FileReplaced();
    if (!replaced) boxes_.Error(tr(kThemeEditorTitle).toStdString(), error.what());
  }
  if (!done && table_.Active()) {
    try {
      if (table_.State() == framework::dsEdit || table_.State() == framework::dsInsert) table_.Cancel();
      table_.ReleaseLocks();
    } catch (const std::exception&) {
    }
  }
  engine::SetRaise(raise);
  return done;
}

bool ThemeEditor::LockForChange(bool append, const char* action) {
  bool locked = false, failed = false;
  {
    const WaitCursor waiting;
    platform::TryUntil(
        [&] {
          failed = !Guarded([&] { locked = table_.LockForChange(append); });
          return locked || failed;
        },
        lock_wait);
  }
  if (!locked && !failed) {
    const QString engine_text = CoreText(platform::Format(dataset::msg::kLockFailed, action));
    boxes_.Error(tr(kThemeEditorTitle).toStdString(),
                 tr("Another program is changing this theme. Your text is kept; try again in a moment.\n\n%1")
                     .arg(engine_text)
                     .toStdString());
  }
  return locked;
}

bool ThemeEditor::ReopenReplaced() {
  const QString day = day_->text(), message = message_->toPlainText();
  const std::string file = file_;
  boxes_.Inform(tr("Another program replaced the theme %1 since the editor opened it (a new import of it, for "
                   "example). Nothing was written. The editor now shows the new table, with your text kept: "
                   "Save writes it there.")
                    .arg(QString::fromStdString(file))
                    .toStdString());
  file_.clear();  // opened anew, though the name is the same
  OpenTheme(file, shown_day_.toStdString());
  {
    const QSignalBlocker quiet(day_);
    day_->setText(day);
  }
  SetMessageText(message, true);
  UpdateNote();
  return false;
}

bool ThemeEditor::ReadyToChange() {
  bool replaced = false;
  if (!Guarded([&] { replaced = table_.FileReplaced(); })) return false;
  return !replaced || ReopenReplaced();
}

ThemeEditor::Check ThemeEditor::CheckUnchanged() {
  // Editing reads the record again, under its lock.
  RecordSeen now;
  if (!Guarded([&] {
        table_.Edit();
        now = ReadSeen();
      }))
    return Check::kStop;
  if (now == seen_) return Check::kWrite;
  Guarded([&] {
    table_.Cancel();
    table_.ReleaseLocks();
  });
  const std::size_t choice = boxes_.Choose(
      tr("Another program changed this day since the editor showed it.\n\n"
         "Keep Mine writes your text over theirs. Take Theirs shows their text; Ctrl+Z in the message "
         "brings yours back. Cancel writes nothing.")
          .toStdString(),
      {tr("&Keep Mine").toStdString(), tr("&Take Theirs").toStdString(), tr("Cancel").toStdString()});
  if (choice == 0) {
    seen_ = now;  // theirs, seen and to be written over: asked again only if it changes again
    return Check::kTryAgain;
  }
  if (choice == 1) {
    if (model_) model_->Refresh();
    ShowRecord(recno_, true);
  }
  return Check::kStop;
}

bool ThemeEditor::WriteRecord(const std::string& key, const std::string& text) {
  const bool written = Guarded([&] {
    table_.FieldByName("THEDATE").SetAsString(key);
    table_.FieldByName("THEJOKE").SetAsString(text);
    table_.Post();
  });
  if (!written) {
    if (table_.Active() && table_.FileReplaced()) ReopenReplaced();
    return false;
  }
  return true;
}

bool ThemeEditor::SaveClick() {
  if (file_.empty() || table_.ReadOnly() || (recno_ == 0 && !new_day_)) return false;
  const std::string key = day_->text().trimmed().toStdString();
  if (const std::string problem = themes::DayKeyProblem(key); !problem.empty()) {
    boxes_.Error(tr(kThemeEditorTitle).toStdString(),
                 tr("%1; nothing was written.").arg(CoreText(problem)).toStdString());
    day_->setFocus();
    return false;
  }
  if (IsDescription() && key != kDescriptionKey) return false;  // its field is read-only
  // The editor's line ends are the table's CR LF, and its text the theme's code page.
  const std::string utf8 = message_->toPlainText().replace('\n', "\r\n").toStdString();
  std::string text, missing;
  if (!Codec().Encode(utf8, text, missing)) {
    const QString refused = tr("The theme's code page (%1) cannot hold the character %2; nothing was written.")
                                .arg(QString::fromUtf8(Codec().page().name),
                                     QString::fromStdString(themes::CharacterThePageLacks(Codec(), missing)));
    boxes_.Error(tr(kThemeEditorTitle).toStdString(), refused.toStdString());
    message_->setFocus();
    return false;
  }
  if (!ReadyToChange()) return false;

  // The lock comes first, so that a change refused for it has written nothing; the record is
  // compared with what the editor read only under it, and no lock is held while a box waits.
  bool second_record_allowed = false;
  while (true) {
    if (!new_day_ && !Guarded([&] { table_.SetRecNo(recno_); })) return false;
    if (!LockForChange(new_day_, new_day_ ? "Insert" : "Post")) return false;
    if (!new_day_) {
      const Check check = CheckUnchanged();
      if (check == Check::kWrite) break;
      if (check == Check::kStop) return false;
      continue;
    }
    if (!second_record_allowed && FirstRecordOf(key) != 0) {
      Guarded([&] { table_.ReleaseLocks(); });
      const QString day = key == kDescriptionKey ? tr("The description") : ThemeRecordsModel::DayText(key);
      if (boxes_.Choose(tr("%1 has a record already, and the calendar shows that one. Add a second record for "
                           "it anyway?")
                            .arg(day)
                            .toStdString(),
                        {tr("&Add Second Record").toStdString(), tr("Cancel").toStdString()}) != 0)
        return false;
      second_record_allowed = true;
      continue;
    }
    if (!Guarded([&] { table_.Append(); })) return false;
    break;
  }
  if (!WriteRecord(key, text)) return false;  // the text stays in the editor for another try

  const int32_t recno = table_.RecNo();
  model_->Refresh();
  SelectRow(recno, true);
  if (key == kDescriptionKey) {
    // The chooser and the options name the theme by its description.
    ThemeLists& themes = program_.themes;
    for (std::size_t i = 0; i < themes.AvailTheme.size() && i < themes.AvailThemeD.size(); ++i)
      if (themes.AvailTheme[i] == file_) themes.AvailThemeD[i] = utf8.substr(0, utf8.find('\r'));
    FillChooser();
  }
  Q_EMIT ThemeSaved(QString::fromStdString(file_));
  return true;
}

bool ThemeEditor::RevertClick() {
  if (Modified() && boxes_.Choose(tr("Drop your changes to this day and show it as the theme holds it?").toStdString(),
                                  {tr("&Revert").toStdString(), tr("Cancel").toStdString()}) != 0)
    return false;
  if (new_day_) {
    const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : 0;
    if (model_ && model_->rowCount() > 0)
      SelectRow(model_->RecordNumber(row));
    else
      ShowNewDay({});
  } else if (recno_ > 0) {
    ShowRecord(recno_, true);
  }
  return true;
}

void ThemeEditor::NewDayClick() {
  if (file_.empty() || !LeaveRecord()) return;
  ShowNewDay({});
  day_->setFocus();
}

void ThemeEditor::DeleteClick() { SetDeletedMark(true); }

void ThemeEditor::RestoreClick() { SetDeletedMark(false); }

void ThemeEditor::SetDeletedMark(bool deleted) {
  if (recno_ == 0 || (deleted && IsDescription()) || !LeaveRecord() || !ReadyToChange()) return;
  const int32_t recno = recno_;
  if (!Guarded([&] { table_.SetRecNo(recno); }) || !LockForChange(false, deleted ? "Delete" : "Restore")) return;
  if (Guarded([&] {
        if (deleted)
          table_.Delete();
        else
          table_.Restore();
      }))
    Q_EMIT ThemeSaved(QString::fromStdString(file_));
  else if (table_.Active() && table_.FileReplaced())
    ReopenReplaced();
  model_->Refresh();
  ShowRecord(recno);
}

bool ThemeEditor::RemoveDeletedClick() {
  if (file_.empty() || table_.ReadOnly() || !LeaveRecord()) return false;
  if (boxes_.Choose(tr("Remove the days marked deleted from %1 for good?\n\nThe theme is written anew; no other "
                       "program may have it open meanwhile.")
                        .arg(QString::fromStdString(file_))
                        .toStdString(),
                    {tr("&Remove").toStdString(), tr("Cancel").toStdString()}) != 0)
    return false;
  const std::string file = file_, key = new_day_ ? std::string() : seen_.key;
  // The editor's and the calendar's opens of the theme let it go: packing needs it alone.
  grid_->setModel(nullptr);
  model_.reset();
  file_.clear();
  table_.SetActive(false);
  program_.joketbl.SetActive(false);
  engine::PackResult packed;
  const bool done = Guarded([&] { packed = themes::PackTableFile(ThemeTablePath(file)); });
  OpenTheme(file, key);
  if (!done) return false;
  boxes_.Inform(tr("%1: %2 deleted days removed, %3 records kept.")
                    .arg(QString::fromStdString(file))
                    .arg(packed.removed)
                    .arg(packed.kept)
                    .toStdString());
  Q_EMIT ThemeSaved(QString::fromStdString(file));
  return true;
}

// --- New themes ---

void ThemeEditor::NewThemeClick() { CreateTheme(false); }

void ThemeEditor::NewThemeFromFileClick() { CreateTheme(true); }

void ThemeEditor::CreateTheme(bool from_file) {
  if (!LeaveRecord() || !ask_new_theme) return;
  // A refused theme asks again with what was typed, until it is made or the user gives up.
  std::optional<NewThemeRequest> request = ask_new_theme(from_file, nullptr);
  while (request && !MakeTheme(*request)) request = ask_new_theme(from_file, &*request);
}

bool ThemeEditor::MakeTheme(const NewThemeRequest& request) {
  themes::NewTheme made;
  if (!Guarded([&] {
        made = themes::MakeNewTheme(request.file.toStdString(), request.description.toStdString(),
                                   request.source.toStdString(), request.from.toStdString(),
                                   request.start.isEmpty() ? "0101" : request.start.toStdString());
      }))
    return false;
  if (!made.problems.empty()) {
    boxes_.Error(tr(kThemeEditorTitle).toStdString(),
                 Listed(made.problems, 10) + tr("Nothing was written.").toStdString());
    return false;
  }
  if (!made.warnings.empty()) boxes_.Inform(Listed(made.warnings, 10));
  program_.themes.AvailTheme.push_back(made.file);
  program_.themes.AvailThemeD.push_back(made.description);
  file_.clear();
  FillChooser();
  OpenTheme(made.file);
  return true;
}

}  // namespace vornelle::app
