#include "options/options_dialog.h"

#include <QButtonGroup>
#include <QFrame>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <algorithm>

#include "app/core/product.h"
#include "look/look.h"
#include "options/color_grid.h"
#include "options/colour_table.h"
#include "platform/trim.h"

namespace vornelle::options {

namespace {

constexpr const char* kColourItems[5] = {
    QT_TRANSLATE_NOOP("vornelle::options::TOptionsF", "Calendar Month Background Color"),
    QT_TRANSLATE_NOOP("vornelle::options::TOptionsF", "Calendar Title Background Color"),
    QT_TRANSLATE_NOOP("vornelle::options::TOptionsF", "Calendar Title Text Color"),
    QT_TRANSLATE_NOOP("vornelle::options::TOptionsF", "Calendar Title Trailing Text Color"),
    QT_TRANSLATE_NOOP("vornelle::options::TOptionsF", "Window Color"),
};
constexpr const char* kSwatchNames[5] = {"CMBCS", "CTBCS", "CTTCS", "CTTTCS", "WCS"};
constexpr int kSwatchTops[5] = {152, 190, 228, 266, 304};

// Blanks and control characters removed on both sides.
// The first `count` characters of UTF-8 text.
std::string FirstCharacters(const std::string& text, int count) {
  return QString::fromStdString(text).left(count).toStdString();
}

// Where a displayed theme's entry keeps its file name.
constexpr int kFileRole = Qt::UserRole;

// A list entry that sorts alphabetically without regard to case; themes with one description
// follow their file names, so their order does not depend on when they were added.
class SortedItem : public QListWidgetItem {
 public:
  using QListWidgetItem::QListWidgetItem;
  bool operator<(const QListWidgetItem& other) const override {
    const int order = text().compare(other.text(), Qt::CaseInsensitive);
    if (order != 0) return order < 0;
    if (text() != other.text()) return text() < other.text();
    return data(kFileRole).toString() < other.data(kFileRole).toString();
  }
};

// A displayed theme: its description shown, its file carried along.
QListWidgetItem* DisplayedTheme(const std::string& file, const std::string& description) {
  auto* item = new SortedItem(QString::fromStdString(description));
  item->setData(kFileRole, QString::fromStdString(file));
  return item;
}

QFont HeadingFont() {
  QFont font("Courier New");
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(16);
  font.setBold(true);
  return font;
}

QLabel* Heading(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(HeadingFont());
  label->adjustSize();
  label->move(left, top);
  return label;
}

QFrame* Separator(QWidget* parent, const char* name, QRect place) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  frame->setLineWidth(1);
  frame->setGeometry(place);
  return frame;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, QRect place) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(place);
  return button;
}

QListWidget* SortedList(QWidget* parent, const char* name, QRect place) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setGeometry(place);
  list->setSortingEnabled(true);
  return list;
}

}  // namespace

TOptionsF::TOptionsF(app::Program& program, app::MessageBoxService& boxes, FontChooser& fonts,
                     QWidget* parent)
    : QDialog(parent), program_(program), boxes_(boxes), fonts_(fonts) {
  setObjectName("OptionsF");
  setWindowTitle(tr("%1 Options").arg(app::kProductName));
  setFixedSize(465, 505);  // the client area of a 473 x 536 window
  setFont(app::InstalledFont("MS Sans Serif", 8, 0));
  app::SetBackground(this, QColor(0xC0, 0xC0, 0xC0));

  Heading(this, "Label3", tr("Available Themes"), 8, 2);
  Heading(this, "Label4", tr("Themes to Display"), 272, 2);
  list_available_ = SortedList(this, "ListBox1", {24, 24, 153, 65});
  list_displayed_ = SortedList(this, "ListBox2", {280, 24, 153, 65});
  QPushButton* add = Button(this, "Button4", tr("Add ->"), {192, 32, 75, 17});
  QPushButton* remove = Button(this, "Button5", tr("Remove"), {192, 56, 75, 17});
  connect(add, &QPushButton::clicked, this, &TOptionsF::Button4Click);
  connect(remove, &QPushButton::clicked, this, &TOptionsF::Button5Click);
  Separator(this, "Panel2", {7, 100, 443, 3});

  Heading(this, "Label1", tr("Color Options"), 8, 104);
  auto* colours = new QGroupBox(tr("Colors"), this);
  colours->setObjectName("RG");
  colours->setGeometry(56, 128, 249, 209);
  radio_group_ = new QButtonGroup(this);
  for (int i = 0; i < 5; ++i) {
    // Each item beside its swatch.
    auto* item = new QRadioButton(tr(kColourItems[i]), colours);
    item->setGeometry(8, kSwatchTops[i] - 128 + 2, 236, 21);
    item->setAutoExclusive(true);  // the arrow keys then move to any item of the group
    item->setFocusPolicy(Qt::ClickFocus);
    radio_group_->addButton(item, i);
    radio_[static_cast<std::size_t>(i)] = item;
    auto* swatch = new QFrame(this);
    swatch->setObjectName(kSwatchNames[i]);
    swatch->setGeometry(16, kSwatchTops[i], 33, 25);
    swatch_[static_cast<std::size_t>(i)] = swatch;
  }
  connect(radio_group_, &QButtonGroup::idClicked, this, &TOptionsF::RGClick);
  // The group is one tab stop: the checked item's.
  connect(radio_group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    radio_group_->button(id)->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
  });

  grid_ = new TMyColorGrid(this);
  grid_->setObjectName("CG");
  grid_->setGeometry(320, 134, 120, 160);
  grid_->SetBackgroundEnabled(false);
  QFont marker_font("Courier");
  marker_font.setStyleHint(QFont::TypeWriter);
  marker_font.setBold(true);
  marker_font.setPixelSize(20);
  grid_->setFont(marker_font);
  connect(grid_, &TMyColorGrid::clicked, this, &TOptionsF::CG2Click);
  colours_not_in_use_ = new QLabel(tr("Not in use while Tools > Use Desktop Colours is on."), this);
  colours_not_in_use_->setObjectName("ColoursNotInUse");
  colours_not_in_use_->setWordWrap(true);
  colours_not_in_use_->setGeometry(312, 296, 140, 44);
  colours_not_in_use_->hide();
  Separator(this, "Panel1", {8, 345, 443, 3});

  Heading(this, "Label2", tr("Font Options"), 8, 352);
  QPushButton* pane_font = Button(this, "Button2", tr("Set Font"), {8, 376, 75, 25});
  pane_sample_ = new QLabel(tr("Message Text Font"), this);
  pane_sample_->setObjectName("JMsgL");
  pane_sample_->move(98, 378);
  QPushButton* calendar_font = Button(this, "Button3", tr("Set Font"), {8, 416, 75, 25});
  calendar_sample_ = new QLabel(tr("Calendar Text Font"), this);
  calendar_sample_->setObjectName("CalL");
  calendar_sample_->move(98, 418);
  connect(pane_font, &QPushButton::clicked, this, &TOptionsF::Button2Click);
  connect(calendar_font, &QPushButton::clicked, this, &TOptionsF::Button3Click);
  Separator(this, "Panel3", {8, 459, 443, 3});

  QPushButton* apply = Button(this, "Button1", tr("Apply"), {152, 472, 75, 25});
  QPushButton* cancel = Button(this, "CancelB", tr("Cancel"), {240, 472, 75, 25});
  apply->setDefault(true);
  connect(apply, &QPushButton::clicked, this, &TOptionsF::Button1Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  // Every radio item has its place after "Apply"; only the checked one takes Tab.
  QWidget* order[] = {apply, radio_[0], radio_[1], radio_[2], radio_[3], radio_[4], pane_font,
                      calendar_font, list_available_, list_displayed_, add, remove, cancel};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // For screen readers: the headings are no buddies, two buttons read alike, and the grid is
  // no tab stop, so Left and Right on a colour item choose its colour instead.
  list_available_->setAccessibleName(tr("Available Themes"));
  list_displayed_->setAccessibleName(tr("Themes to Display"));
  list_displayed_->setAccessibleDescription(tr("The themes whose messages the calendar shows"));
  add->setAccessibleName(tr("Add"));
  add->setAccessibleDescription(tr("Adds the highlighted available theme to the themes to display"));
  remove->setAccessibleDescription(tr("Removes the highlighted theme from the themes to display"));
  for (QRadioButton* item : radio_) {
    item->setAccessibleDescription(tr("Left and Right arrows change this color"));
    grid_->StepWithArrowsOf(item);
  }
  grid_->setAccessibleName(tr("Color Grid"));
  grid_->setAccessibleDescription(tr("The marked cell is the checked item's color"));
  pane_font->setAccessibleName(tr("Set Message Text Font"));
  calendar_font->setAccessibleName(tr("Set Calendar Text Font"));
  apply->setAccessibleDescription(tr("Keeps the changes and closes the dialog"));
  cancel->setAccessibleDescription(tr("Closes the dialog without the changes"));
}

app::OptionsOutcome TOptionsF::Show() {
  const bool applied = exec() == QDialog::Accepted;
  return {applied, ColorsChanged, FontsChanged, ThemesChanged};
}

// --- Showing ---

void TOptionsF::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    FormShow();
    FormActivate();
  }
  QDialog::showEvent(event);
}

void TOptionsF::FormShow() {
  const app::ThemeLists& themes = program_.themes;
  list_available_->clear();
  list_displayed_->clear();
  for (const std::string& d : themes.AvailThemeD)
    list_available_->addItem(new SortedItem(QString::fromStdString(d)));
  // Each displayed theme keeps its own file, whatever its description.
  const std::size_t displayed = std::max(themes.SelTheme.size(), themes.SelThemeD.size());
  for (std::size_t i = 0; i < displayed; ++i) {
    const std::string file = i < themes.SelTheme.size() ? themes.SelTheme[i] : "";
    list_displayed_->addItem(
        DisplayedTheme(file, i < themes.SelThemeD.size() ? themes.SelThemeD[i] : ""));
  }
  saved_sel_theme_ = themes.SelTheme;
  saved_sel_theme_d_ = themes.SelThemeD;

  radio_[0]->setChecked(true);
  RGClick();
  const app::Settings& s = program_.settings;
  // With the desktop's colours in use the dialog takes them too, and says the choices wait.
  app::SetBackground(this, s.UseDesktopColours ? QApplication::palette().color(QPalette::Window)
                                               : QColor(0xC0, 0xC0, 0xC0));
  colours_not_in_use_->setVisible(s.UseDesktopColours);
  saved_colours_ = {s.CMBC, s.CTBC, s.CTTC, s.CTTTC, s.WC};
  for (int i = 0; i < 5; ++i) PaintSwatch(i);

  ShowSample(PaneFont());
  ShowSample(CalendarFont());
  saved_pane_ = {s.JMsgFN, s.JMsgFS, s.JMsgFC, s.pane_style};
  saved_calendar_ = {s.CalFN, s.CalFS, s.CalFC, s.calendar_style};
  ColorsChanged = FontsChanged = ThemesChanged = false;
}

void TOptionsF::FormActivate() {
  const app::Settings& s = program_.settings;
  move(s.Left + s.Width / 2 - width() / 2, s.Top + 20);
  applied_ = false;
}

// --- Colours ---

app::Colour& TOptionsF::ChosenColour() {
  app::Settings& s = program_.settings;
  app::Colour* colours[5] = {&s.CMBC, &s.CTBC, &s.CTTC, &s.CTTTC, &s.WC};
  return *colours[std::max(0, radio_group_->checkedId())];
}

void TOptionsF::PaintSwatch(int index) {
  app::Settings& s = program_.settings;
  const app::Colour colours[5] = {s.CMBC, s.CTBC, s.CTTC, s.CTTTC, s.WC};
  swatch_[static_cast<std::size_t>(index)]->setStyleSheet(
      QString("QFrame { background-color: %1; border: 1px solid black; }")
          .arg(app::ToQColor(colours[index]).name()));
  // The item names its colour too: a screen reader, on the item, hears the arrows' changes.
  QRadioButton* item = radio_[static_cast<std::size_t>(index)];
  const QString name = tr("%1: %2").arg(item->text(), TMyColorGrid::ColourName(app::ToQColor(colours[index])));
  swatch_[static_cast<std::size_t>(index)]->setAccessibleName(name);
  item->setAccessibleName(name);
}

void TOptionsF::RGClick() {
  // A colour outside the 16 leaves the marker where it is.
  if (const std::optional<int> index = GridIndex(ChosenColour())) grid_->SetForegroundIndex(*index);
}

void TOptionsF::CG2Click() {
  if (radio_group_->checkedId() < 0) return;
  ColorsChanged = true;
  ChosenColour() = GridColour(grid_->ForegroundIndex());
  PaintSwatch(radio_group_->checkedId());
}

// --- Fonts ---

TOptionsF::FontSlot TOptionsF::PaneFont() {
  app::Settings& s = program_.settings;
  return {&s.JMsgFN, &s.JMsgFS, &s.JMsgFC, &s.pane_style, pane_sample_};
}

TOptionsF::FontSlot TOptionsF::CalendarFont() {
  app::Settings& s = program_.settings;
  return {&s.CalFN, &s.CalFS, &s.CalFC, &s.calendar_style, calendar_sample_};
}

void TOptionsF::ShowSample(const FontSlot& slot) {
  slot.sample->setFont(app::InstalledFont(*slot.name, *slot.size, *slot.styles));
  QPalette palette = slot.sample->palette();
  palette.setColor(QPalette::WindowText, app::ToQColor(*slot.colour));
  slot.sample->setPalette(palette);
  slot.sample->adjustSize();
}

void TOptionsF::SetFont(const FontSlot& slot) {
  std::optional<FontChoice> choice;
  try {
    choice = fonts_.Choose({*slot.name, *slot.size, *slot.colour, *slot.styles}, this);
  } catch (const std::exception&) {
    boxes_.Inform(tr("Error creating font window!").toStdString());
    return;
  }
  if (!choice) return;
  FontsChanged = true;
  *slot.name = FirstCharacters(choice->name, 40);
  *slot.size = choice->size;
  *slot.colour = choice->colour;
  *slot.styles = choice->styles;
  ShowSample(slot);
}

void TOptionsF::Button2Click() { SetFont(PaneFont()); }
void TOptionsF::Button3Click() { SetFont(CalendarFont()); }

// --- Themes ---

// Only a highlighted (selected) entry counts: the current one alone may be just where the
// focus landed.
void TOptionsF::Button4Click() {
  const QList<QListWidgetItem*> highlighted = list_available_->selectedItems();
  if (highlighted.isEmpty()) {
    boxes_.Inform(tr("You must highlight a Theme to add.").toStdString());
    return;
  }
  const std::string description = std::string(platform::TrimControls(highlighted.first()->text().toStdString()));
  for (int i = 0; i < list_displayed_->count(); ++i) {
    if (platform::TrimControls(list_displayed_->item(i)->text().toStdString()) == description) {
      boxes_.Inform(tr("That Theme is already being displayed.").toStdString());
      return;
    }
  }
  ThemesChanged = true;
  // Every theme file with the description, each as an entry of its own.
  const app::ThemeLists& themes = program_.themes;
  for (std::size_t k = 0; k < themes.AvailThemeD.size(); ++k) {
    if (platform::TrimControls(themes.AvailThemeD[k]) != description) continue;
    const std::string file = k < themes.AvailTheme.size() ? themes.AvailTheme[k] : "";
    list_displayed_->addItem(DisplayedTheme(std::string(platform::TrimControls(file)), description));
  }
  ThemeListsChanged();
}

void TOptionsF::Button5Click() {
  const QList<QListWidgetItem*> highlighted = list_displayed_->selectedItems();
  if (highlighted.isEmpty()) {
    boxes_.Inform(tr("You must highlight a Theme to remove.").toStdString());
    return;
  }
  ThemesChanged = true;
  qDeleteAll(highlighted);
  ThemeListsChanged();
}

void TOptionsF::ThemeListsChanged() {
  // The next Add or Remove needs a new highlight.
  list_available_->clearSelection();
  list_displayed_->clearSelection();
  // The displayed entries in the list's alphabetical order, each with its own file.
  app::ThemeLists& themes = program_.themes;
  themes.SelTheme.clear();
  themes.SelThemeD.clear();
  for (int i = 0; i < list_displayed_->count(); ++i) {
    const QListWidgetItem* item = list_displayed_->item(i);
    themes.SelTheme.push_back(item->data(kFileRole).toString().toStdString());
    themes.SelThemeD.push_back(item->text().toStdString());
  }
}

// --- Leaving ---

void TOptionsF::Button1Click() {
  applied_ = true;
  if (ColorsChanged || FontsChanged || ThemesChanged) {
    program_.settings.SettingsSaved = false;
    program_.settings.SettingsChanged = true;
  }
  accept();
}

bool TOptionsF::ExitCheck() {
  if (applied_) return true;
  if ((ColorsChanged || FontsChanged || ThemesChanged) &&
      !boxes_.AskYesNo(tr("You made changes. Do you really want to exit without applying?").toStdString()))
    return false;
  Restore();
  return true;
}

void TOptionsF::done(int result) {
  // Every way of leaving passes the exit check; without "Apply" the result is Cancel.
  if (!ExitCheck()) return;
  QDialog::done(applied_ ? result : QDialog::Rejected);
}

void TOptionsF::Restore() {
  app::Settings& s = program_.settings;
  s.CMBC = saved_colours_[0], s.CTBC = saved_colours_[1], s.CTTC = saved_colours_[2];
  s.CTTTC = saved_colours_[3], s.WC = saved_colours_[4];
  s.JMsgFN = saved_pane_.name, s.JMsgFS = saved_pane_.size;
  s.JMsgFC = saved_pane_.colour, s.pane_style = saved_pane_.styles;
  s.CalFN = saved_calendar_.name, s.CalFS = saved_calendar_.size;
  s.CalFC = saved_calendar_.colour, s.calendar_style = saved_calendar_.styles;
  program_.themes.SelTheme = saved_sel_theme_;
  program_.themes.SelThemeD = saved_sel_theme_d_;
}

}  // namespace vornelle::options
