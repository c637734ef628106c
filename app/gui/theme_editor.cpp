// The theme editor's window, and moving between themes and records (writing is in
// theme_editor_changes.cpp).

#include "app/gui/theme_editor.h"

#include <unistd.h>

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStringList>
#include <QSplitter>
#include <QTableView>
#include <QTextCursor>
#include <QVBoxLayout>
#include <cstring>

#include "app/core/day_lookup.h"
#include "app/core/theme_catalogue.h"
#include "themes/theme_folders.h"
#include "themes/theme_source.h"
#include "themes/theme_text.h"
#include "app/gui/qt_services.h"
#include "app/gui/spelling.h"
#include "app/gui/theme_records_model.h"
#include "engine/engine.h"
#include "platform/codepage.h"
#include "platform/trim.h"

namespace vornelle::app {

namespace {

// A message as stored (in the theme's code page, CR LF line ends, an editor's soft returns) as
// the editor shows it: the whole text, the soft returns joined as the calendar joins them.
QString MessageShown(platform::TextCodec& codec, std::string stored) {
  QStringList lines;
  for (const std::string& line : themes::ThemeLines(codec, std::move(stored))) lines << QString::fromStdString(line);
  return lines.join('\n');
}

QPushButton* Button(const QString& text, const char* name, const QString& description, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAccessibleDescription(description);
  button->setToolTip(description);
  return button;
}

}  // namespace

ThemeEditor::ThemeEditor(Program& program, MessageBoxService& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window), program_(program), boxes_(boxes) {
  setObjectName("ThemeEditor");
  setWindowTitle(tr(kThemeEditorTitle));
  setAccessibleName(tr(kThemeEditorTitle));
  ask_new_theme = [this](bool from_file, const NewThemeRequest* typed) -> std::optional<NewThemeRequest> {
    NewThemeDialog dialog(from_file, this, typed);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Request();
  };

  table_.SetName("themeeditor");
  table_.SetHideDeletedRecs(false);
  // The text as stored: the editor decodes and encodes it in the theme's own code page.
  table_.SetTableLanguage(dataset::tlAnsi);
  table_.SetExclusive(false);
  table_.SetCreateIndex(dataset::ciNotFound);
  table_.SetCreateIfNotFound(false);

  BuildWindow();
  FillChooser();
  UpdateButtons();
  resize(760, 560);
}

ThemeEditor::~ThemeEditor() {
  // The grid lets go of the model before the model goes.
  grid_->setModel(nullptr);
}

void ThemeEditor::BuildWindow() {
  auto* column = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  chooser_ = new QComboBox(this);
  chooser_->setObjectName("ThemeChooser");
  chooser_->setAccessibleName(tr("Theme"));
  chooser_->setAccessibleDescription(tr("The theme whose records are shown"));
  chooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  auto* theme_label = new QLabel(tr("&Theme:"), this);
  theme_label->setBuddy(chooser_);
  auto* new_theme = Button(tr("&New Theme..."), "NewThemeB", tr("Make an empty theme in this folder"), this);
  auto* from_file = Button(tr("New Theme from &File..."), "NewThemeFromFileB",
                           tr("Make a theme from a theme text, calendar, iCalendar or fortune file"), this);
  copy_ = Button(tr("&Copy to My Themes"), "CopyToMyThemesB",
                 tr("Copy this theme of the system's into your own themes, where you can change it"), this);
  export_ = Button(tr("Export as &iCalendar..."), "ExportICalendarB",
                   tr("Write the theme as an iCalendar file for calendar programs and phones (Ctrl+E)"), this);
  export_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  top->addWidget(theme_label);
  top->addWidget(chooser_, 1);
  top->addWidget(new_theme);
  top->addWidget(from_file);
  top->addWidget(copy_);
  top->addWidget(export_);
  column->addLayout(top);

  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->setChildrenCollapsible(false);
  grid_ = new QTableView(splitter);
  grid_->setObjectName("RecordGrid");
  grid_->setAccessibleName(tr("Records"));
  grid_->setAccessibleDescription(
      tr("The theme's records in file order: day, first line of the message, deleted mark"));
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setAlternatingRowColors(true);
  grid_->setWordWrap(false);
  // Tab goes on to the next control; the arrow keys move between the grid's cells.
  grid_->setTabKeyNavigation(false);
  // Rows of one height, and no column sized from its contents: a view never reads more than
  // the rows it shows.
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  grid_->horizontalHeader()->setStretchLastSection(false);
  grid_->horizontalHeader()->setHighlightSections(false);

  auto* record = new QWidget(splitter);
  auto* form = new QVBoxLayout(record);
  form->setContentsMargins(0, 4, 0, 0);
  auto* day_row = new QHBoxLayout;
  day_ = new QLineEdit(record);
  day_->setObjectName("DayEdit");
  day_->setAccessibleName(tr("Day (MMDD)"));
  day_->setAccessibleDescription(tr("The record's key: month and day as four digits, or 9999 for the description"));
  day_->setMaxLength(4);
  day_->setFixedWidth(day_->fontMetrics().horizontalAdvance("00000") + 16);
  day_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), day_));
  auto* day_label = new QLabel(tr("&Day (MMDD):"), record);
  day_label->setBuddy(day_);
  day_name_ = new QLabel(record);
  day_name_->setObjectName("DayName");
  day_name_->setMinimumWidth(day_name_->fontMetrics().horizontalAdvance(ThemeRecordsModel::DayText("0929") + "  "));
  note_ = new QLabel(record);
  note_->setObjectName("Note");
  note_->setWordWrap(true);
  note_->setAccessibleName(tr("Note on this record"));
  day_row->addWidget(day_label);
  day_row->addWidget(day_);
  day_row->addWidget(day_name_);
  day_row->addWidget(note_, 1);
  form->addLayout(day_row);
  auto* message_label = new QLabel(tr("&Message:"), record);
  message_ = new QPlainTextEdit(record);
  message_->setObjectName("MessageEdit");
  message_->setAccessibleName(tr("Message"));
  message_->setAccessibleDescription(tr("The whole message the calendar shows for this day"));
  message_->setTabChangesFocus(true);
  message_label->setBuddy(message_);
  form->addWidget(message_label);
  form->addWidget(message_, 1);
  spelling_ = new Spelling(message_, program_.settings_path, boxes_);
  splitter->addWidget(grid_);
  splitter->addWidget(record);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  column->addWidget(splitter, 1);

  auto* buttons = new QHBoxLayout;
  new_day_button_ = Button(tr("New Da&y"), "NewDayB", tr("Start a new record for a day (Ctrl+N)"), this);
  new_day_button_->setShortcut(QKeySequence::New);
  delete_ = Button(tr("De&lete"), "DeleteB", tr("Mark the record deleted"), this);
  restore_ = Button(tr("R&estore"), "RestoreB", tr("Take the deleted mark away"), this);
  remove_deleted_ = Button(tr("&Remove Deleted Days..."), "RemoveDeletedB",
                           tr("Remove the records marked deleted from the theme for good"), this);
  revert_ = Button(tr("Re&vert"), "RevertB", tr("Show the record as the file holds it, dropping the changes"), this);
  save_ = Button(tr("&Save"), "SaveB", tr("Write the record to the theme (Ctrl+S)"), this);
  save_->setShortcut(QKeySequence::Save);
  save_->setDefault(false);
  buttons->addWidget(new_day_button_);
  buttons->addWidget(delete_);
  buttons->addWidget(restore_);
  buttons->addWidget(remove_deleted_);
  buttons->addStretch(1);
  buttons->addWidget(revert_);
  buttons->addWidget(save_);
  column->addLayout(buttons);

  connect(chooser_, &QComboBox::currentIndexChanged, this, &ThemeEditor::ThemeChosen);
  connect(new_theme, &QPushButton::clicked, this, &ThemeEditor::NewThemeClick);
  connect(from_file, &QPushButton::clicked, this, &ThemeEditor::NewThemeFromFileClick);
  connect(copy_, &QPushButton::clicked, this, &ThemeEditor::CopyToMyThemesClick);
  connect(export_, &QPushButton::clicked, this, &ThemeEditor::ExportICalendarClick);
  connect(new_day_button_, &QPushButton::clicked, this, &ThemeEditor::NewDayClick);
  connect(delete_, &QPushButton::clicked, this, &ThemeEditor::DeleteClick);
  connect(restore_, &QPushButton::clicked, this, &ThemeEditor::RestoreClick);
  connect(remove_deleted_, &QPushButton::clicked, this, &ThemeEditor::RemoveDeletedClick);
  connect(revert_, &QPushButton::clicked, this, &ThemeEditor::RevertClick);
  connect(save_, &QPushButton::clicked, this, &ThemeEditor::SaveClick);
  connect(day_, &QLineEdit::textEdited, this, &ThemeEditor::DayEdited);
}

bool ThemeEditor::Modified() const {
  return day_->text() != shown_day_ || message_->toPlainText() != shown_message_;
}

void ThemeEditor::FillChooser() {
  const QSignalBlocker quiet(chooser_);
  chooser_->clear();
  const ThemeLists& themes = program_.themes;
  for (std::size_t i = 0; i < themes.AvailTheme.size(); ++i) {
    const QString file = QString::fromStdString(themes.AvailTheme[i]);
    const QString description = i < themes.AvailThemeD.size() ? DisplayText(themes.AvailThemeD[i]) : QString();
    chooser_->addItem(QStringLiteral("%1  (%2)").arg(description, file), file);
  }
  chooser_->setCurrentIndex(chooser_->findData(QString::fromStdString(file_)));
}

// --- Opening and showing ---

void ThemeEditor::OpenTheme(const std::string& file, const std::string& key) {
  if (file != file_ || !model_) {
    grid_->setModel(nullptr);
    model_.reset();
    file_.clear();
    recno_ = 0;
    const bool opened = Guarded([&] {
      table_.SetActive(false);
      // The system's themes, and files the user may not write, may be read but not changed.
      const themes::ThemeLocation location = themes::LocateTheme(file);
      table_.SetDbfFileName(location.file);
      const std::string path = ThemeTablePath(file);
      shared_ = location.shared;
      table_.SetReadOnly(shared_ || access(path.c_str(), W_OK) != 0);
      table_.SetActive(true);
      model_ = std::make_unique<ThemeRecordsModel>(path);
    });
    if (!opened) {
      table_.SetActive(false);
      ShowNewDay({});
      new_day_ = false;
      UpdateButtons();
      return;
    }
    file_ = file;
    spelling_->ThemeOpened(file_);
    grid_->setModel(model_.get());
    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionResizeMode(ThemeRecordsModel::kMessageColumn, QHeaderView::Stretch);
    header->resizeSection(ThemeRecordsModel::kDayColumn,
                          fontMetrics().horizontalAdvance(ThemeRecordsModel::DayText("0929")) + 24);
    header->resizeSection(ThemeRecordsModel::kDeletedColumn,
                          fontMetrics().horizontalAdvance(ThemeRecordsModel::tr("Deleted")) + 24);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ThemeEditor::RowChosen);
    const QSignalBlocker quiet(chooser_);
    chooser_->setCurrentIndex(chooser_->findData(QString::fromStdString(file_)));
  }
  const int32_t recno = key.empty() ? (model_->rowCount() > 0 ? 1 : 0) : FirstRecordOf(key);
  if (recno > 0)
    SelectRow(recno);
  else
    ShowNewDay(key);
}

int32_t ThemeEditor::FirstRecordOf(const std::string& key) {
  int32_t found = 0;
  Guarded([&] {
    const int32_t here = table_.IsEmpty() ? 0 : table_.RecNo();
    if (table_.Locate("THEDATE", {framework::Variant(key)}, 0)) found = table_.RecNo();
    if (here > 0 && table_.RecNo() != here) table_.SetRecNo(here);
  });
  return found;
}

void ThemeEditor::SelectRow(int32_t recno, bool undoably) {
  const int row = model_ ? model_->RowOf(recno) : -1;
  if (row < 0) return;
  changing_row_ = true;
  grid_->setCurrentIndex(model_->index(row, ThemeRecordsModel::kDayColumn));
  changing_row_ = false;
  grid_->scrollTo(model_->index(row, ThemeRecordsModel::kDayColumn));
  ShowRecord(recno, undoably);
}

ThemeEditor::RecordSeen ThemeEditor::ReadSeen() {
  RecordSeen seen;
  seen.key = std::string(platform::TrimBlanks(table_.FieldByName("THEDATE").AsString()));
  // A record buffer's data starts with the deletion flag.
  seen.deleted = table_.ActiveBuffer() && table_.ActiveBuffer()[0] != 0;
  // The whole value as stored: the line reader that the pane uses stops at its line limit.
  table_.SelectWorkArea("ThemeEditor");
  int32_t block = 0;
  std::memcpy(&block, engine::FieldAddress(engine::FieldNo("THEJOKE")), 4);
  seen.message = engine::ReadMemoValue(block, false);
  return seen;
}

void ThemeEditor::SetMessageText(const QString& text, bool undoably) {
  const QSignalBlocker quiet(message_);
  if (undoably && text == message_->toPlainText()) return;  // its undo steps stay as they are
  if (!undoably) {
    message_->setPlainText(text);
    return;
  }
  // One step of the text box's undo, which a plain replacement would clear.
  QTextCursor cursor(message_->document());
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
  cursor.endEditBlock();
  message_->moveCursor(QTextCursor::Start);
}

void ThemeEditor::ShowRecord(int32_t recno, bool undoably) {
  RecordSeen seen;
  const bool read = Guarded([&] {
    table_.SetRecNo(recno);
    seen = ReadSeen();
  });
  {
    const QSignalBlocker quiet_day(day_);
    day_->setText(QString::fromStdString(Codec().Decode(seen.key)));
  }
  SetMessageText(MessageShown(Codec(), seen.message), undoably);
  seen_ = seen;
  deleted_ = seen.deleted;
  shown_day_ = day_->text();
  shown_message_ = message_->toPlainText();
  new_day_ = false;
  recno_ = read ? recno : 0;
  UpdateNote();
  UpdateButtons();
}

void ThemeEditor::ShowNewDay(const std::string& key) {
  {
    const QSignalBlocker quiet_day(day_);
    const QSignalBlocker quiet_message(message_);
    day_->setText(QString::fromStdString(key));
    message_->clear();
  }
  shown_day_ = day_->text();
  shown_message_ = message_->toPlainText();
  seen_ = RecordSeen();
  new_day_ = !file_.empty();
  deleted_ = false;
  recno_ = 0;
  if (grid_->selectionModel()) {
    changing_row_ = true;
    grid_->selectionModel()->clearCurrentIndex();
    grid_->clearSelection();
    changing_row_ = false;
  }
  UpdateNote();
  UpdateButtons();
}

void ThemeEditor::DayEdited() {
  const std::string key = day_->text().toStdString();
  day_name_->setText(themes::IsThemeKey(key) ? ThemeRecordsModel::DayText(key) : QString());
}

platform::TextCodec& ThemeEditor::Codec() const { return model_ ? model_->Codec() : themes::NewThemeCodec(); }

bool ThemeEditor::IsDescription() const { return !new_day_ && recno_ > 0 && seen_.key == kDescriptionKey; }

void ThemeEditor::UpdateNote() {
  DayEdited();
  const std::string key = day_->text().toStdString();
  QString note;
  if (file_.empty()) {
    note = tr("Choose a theme, or make a new one.");
  } else if (shared_) {
    note = tr("A theme the system provides: its records are shown only. Copy to My Themes makes a copy you can "
              "change.");
  } else if (table_.ReadOnly()) {
    note = tr("This theme's file may not be changed; its records are shown only.");
  } else if (new_day_) {
    note = tr("A new record: type its day and message, then Save.");
  } else if (!themes::IsThemeKey(key)) {
    note = tr("This key is no day: the calendar never shows this record.");
  } else if (const int32_t first = FirstRecordOf(key); first != 0 && first != recno_) {
    note = tr("A second record for %1: the calendar shows the first (record %2).")
               .arg(key == kDescriptionKey ? tr("the description") : ThemeRecordsModel::DayText(key))
               .arg(first);
  } else if (IsDescription()) {
    note = tr("The theme's description, as the options list it. Its day stays 9999: the calendar needs it.");
  } else if (key == kDescriptionKey) {
    note = tr("The theme's description, as the options list it.");
  }
  if (deleted_)
    note += QString(note.isEmpty() ? "" : " ") +
            tr("Deleted: the calendar still shows it until Remove Deleted Days removes it; Restore takes the "
               "mark away.");
  note_->setText(note);
}

void ThemeEditor::UpdateButtons() {
  const bool open = !file_.empty();
  const bool writable = open && !table_.ReadOnly();
  const bool on_record = writable && recno_ > 0;
  chooser_->setEnabled(chooser_->count() > 0);
  // The description record keeps its key: without it the calendar leaves the theme out.
  day_->setReadOnly(!writable || IsDescription());
  message_->setReadOnly(!writable);
  save_->setEnabled(writable && (recno_ > 0 || new_day_));
  revert_->setEnabled(writable && (recno_ > 0 || new_day_));
  new_day_button_->setEnabled(writable);
  delete_->setEnabled(on_record && !deleted_ && !IsDescription());
  restore_->setEnabled(on_record && deleted_);
  remove_deleted_->setEnabled(writable);
  copy_->setVisible(open && shared_);
  export_->setEnabled(open);
}

// --- Moving between records and themes ---

bool ThemeEditor::LeaveRecord() {
  if (!Modified()) return true;
  switch (boxes_.Choose(tr(kSaveDayText).toStdString(),
                        {tr("&Yes").toStdString(), tr("&No").toStdString(), tr("Cancel").toStdString()})) {
    case 0: return SaveClick();
    case 1:
      // The changes are dropped at the user's word: the fields show the record again.
      if (new_day_)
        ShowNewDay({});
      else if (recno_ > 0)
        ShowRecord(recno_, true);
      return true;
    default: return false;
  }
}

void ThemeEditor::RowChosen(const QModelIndex& current, const QModelIndex& /*previous*/) {
  if (changing_row_ || !current.isValid() || !model_) return;
  const int32_t recno = model_->RecordNumber(current.row());
  if (recno == recno_ && !new_day_) return;
  if (!LeaveRecord()) {
    // The record stays: so does the grid's selection.
    changing_row_ = true;
    const int row = model_->RowOf(recno_);
    if (row >= 0)
      grid_->setCurrentIndex(model_->index(row, ThemeRecordsModel::kDayColumn));
    else
      grid_->selectionModel()->clearCurrentIndex();
    changing_row_ = false;
    return;
  }
  ShowRecord(recno);
}

void ThemeEditor::ThemeChosen(int index) {
  const std::string file = chooser_->itemData(index).toString().toStdString();
  if (file == file_) return;
  if (!LeaveRecord()) {
    const QSignalBlocker quiet(chooser_);
    chooser_->setCurrentIndex(chooser_->findData(QString::fromStdString(file_)));
    return;
  }
  OpenTheme(file);
}

void ThemeEditor::closeEvent(QCloseEvent* event) {
  if (LeaveRecord())
    event->accept();
  else
    event->ignore();
}

}  // namespace vornelle::app
