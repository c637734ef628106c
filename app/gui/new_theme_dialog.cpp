#include "app/gui/new_theme_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "themes/source_files.h"
#include "themes/theme_source.h"
#include "themes/theme_text.h"
#include "app/gui/core_texts.h"
#include "platform/bounded_file.h"

namespace vornelle::app {

namespace {

// The kinds of file a theme is made from, as the chooser names them.
struct SourceKind {
  const char* label;
  const char* from;
};
constexpr SourceKind kSourceKinds[] = {
    {QT_TRANSLATE_NOOP("vornelle::app::NewThemeDialog", "Theme text (@MMDD records)"), "text"},
    {QT_TRANSLATE_NOOP("vornelle::app::NewThemeDialog", "calendar file (MM/DD, Mon DD)"), "calendar"},
    {QT_TRANSLATE_NOOP("vornelle::app::NewThemeDialog", "iCalendar file (.ics, BEGIN:VCALENDAR)"), "ics"},
    {QT_TRANSLATE_NOOP("vornelle::app::NewThemeDialog", "fortune file (% between sayings)"), "fortune"},
};

}  // namespace

NewThemeDialog::NewThemeDialog(bool from_file, QWidget* parent, const NewThemeRequest* typed) : QDialog(parent) {
  setObjectName("NewThemeDialog");
  setWindowTitle(from_file ? tr("New Theme from File") : tr("New Theme"));
  auto* form = new QFormLayout(this);

  if (from_file) {
    source_ = new QLineEdit(this);
    source_->setObjectName("SourceEdit");
    source_->setAccessibleName(tr("Source file"));
    auto* browse = new QPushButton(tr("&Browse..."), this);
    browse->setAccessibleDescription(tr("Choose the file the theme is made from"));
    connect(browse, &QPushButton::clicked, this, &NewThemeDialog::BrowseClick);
    auto* row = new QHBoxLayout;
    row->addWidget(source_, 1);
    row->addWidget(browse);
    auto* source_label = new QLabel(tr("&Source file:"), this);
    source_label->setBuddy(source_);
    form->addRow(source_label, row);

    kind_ = new QComboBox(this);
    kind_->setObjectName("KindChooser");
    kind_->setAccessibleName(tr("Kind of file"));
    for (const SourceKind& kind : kSourceKinds) kind_->addItem(tr(kind.label), QString::fromLatin1(kind.from));
    form->addRow(tr("&Kind:"), kind_);

    start_ = new QLineEdit("0101", this);
    start_->setObjectName("StartEdit");
    start_->setAccessibleName(tr("First day of the sayings (MMDD)"));
    start_->setMaxLength(4);
    start_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), start_));
    form->addRow(tr("First &day (MMDD):"), start_);
    connect(kind_, &QComboBox::currentIndexChanged, this, &NewThemeDialog::InputChanged);
    connect(source_, &QLineEdit::textChanged, this, &NewThemeDialog::InputChanged);
    connect(source_, &QLineEdit::editingFinished, this, &NewThemeDialog::SourceChosen);
  }

  file_ = new QLineEdit(this);
  file_->setObjectName("FileEdit");
  file_->setAccessibleName(tr("File name of the new theme"));
  file_->setPlaceholderText(tr("mythoughts.dbf"));
  file_->setMaxLength(200);
  form->addRow(tr("&File name:"), file_);
  name_note_ = new QLabel(this);
  name_note_->setObjectName("NameNote");
  name_note_->setAccessibleName(tr("The theme's file"));
  form->addRow(QString(), name_note_);
  connect(file_, &QLineEdit::textEdited, this, [this] { name_typed_ = true; });

  description_ = new QLineEdit(this);
  description_->setObjectName("DescriptionEdit");
  description_->setAccessibleName(tr("Description of the new theme"));
  description_->setPlaceholderText(from_file ? tr("the file's own, or its name")
                                            : tr("as the options list it"));
  form->addRow(tr("D&escription:"), description_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
  connect(file_, &QLineEdit::textChanged, this, &NewThemeDialog::InputChanged);
  connect(description_, &QLineEdit::textChanged, this, &NewThemeDialog::InputChanged);
  if (typed) {
    file_->setText(typed->file);
    name_typed_ = !typed->file.isEmpty();
    description_->setText(typed->description);
    if (source_) {
      source_->setText(typed->source);
      kind_->setCurrentIndex(std::max(0, kind_->findData(typed->from)));
      start_->setText(typed->start.isEmpty() ? QStringLiteral("0101") : typed->start);
    }
  }
  InputChanged();
  setMinimumWidth(460);
}

NewThemeRequest NewThemeDialog::Request() const {
  NewThemeRequest request;
  request.file = file_->text().trimmed();
  request.description = description_->text().trimmed();
  if (source_) {
    request.source = source_->text().trimmed();
    request.from = kind_->currentData().toString();
    request.start = start_->text();
  }
  return request;
}

void NewThemeDialog::BrowseClick() {
  const QString chosen = QFileDialog::getOpenFileName(this, tr("Make a Theme from"), source_->text());
  if (chosen.isEmpty()) return;
  source_->setText(chosen);
  SourceChosen();
}

void NewThemeDialog::SourceChosen() {
  const QString chosen = source_->text().trimmed();
  if (chosen.isEmpty()) return;
  if (!name_typed_) {
    // calendar.history gives history.dbf, fortunes.txt fortunes.dbf.
    QString name = QFileInfo(chosen).fileName();
    if (name.startsWith(QStringLiteral("calendar."))) name.remove(0, 9);
    name = QFileInfo(name).completeBaseName().isEmpty() ? name : QFileInfo(name).completeBaseName();
    while (name.startsWith('.')) name.remove(0, 1);
    file_->setText(name.isEmpty() ? QString() : name + ".dbf");
  }
  // The kind, from the lines the file holds (read only when it is a regular file, and so far).
  const platform::BoundedRead read = platform::ReadBoundedFile(chosen.toStdString(), themes::kMaxSourceBytes);
  if (read.outcome != platform::BoundedRead::kRead) return;
  const std::string kind = themes::GuessSourceKind(read.bytes);
  if (const int index = kind_->findData(QString::fromStdString(kind)); index >= 0) kind_->setCurrentIndex(index);
}

void NewThemeDialog::InputChanged() {
  if (start_) start_->setEnabled(kind_->currentData().toString() == "fortune");
  // The file the name gives, or why it gives none: a name is never changed behind the user.
  const std::string name = file_->text().toStdString();
  const std::string problem = themes::NewThemeNameProblem(name);
  if (file_->text().trimmed().isEmpty())
    name_note_->clear();
  else if (!problem.empty())
    name_note_->setText(CoreText(problem));
  else
    name_note_->setText(tr("The theme's file: %1").arg(QString::fromStdString(themes::NewThemeFile(name))));
  // Only a description says what an empty theme is; one from a file may bring its own.
  const bool complete = problem.empty() &&
                        (source_ ? !source_->text().trimmed().isEmpty() : !description_->text().trimmed().isEmpty());
  ok_->setEnabled(complete);
}

}  // namespace vornelle::app
