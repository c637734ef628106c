#include "app/gui/find_window.h"

#include <QApplication>
#include <algorithm>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>

#include "app/gui/core_texts.h"
#include "app/gui/theme_records_model.h"

namespace vornelle::app {

namespace {

// Draws a result's line with its match marked: bold on the highlight colour.
class MatchDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    const QString text = plain.text;
    plain.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, widget);

    const int begin = std::clamp(index.data(FindWindow::kMatchBeginRole).toInt(), 0, int(text.size()));
    const int length = std::clamp(index.data(FindWindow::kMatchLengthRole).toInt(), 0, int(text.size()) - begin);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &plain, widget).adjusted(2, 0, -2, 0);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    QFont bold = option.font;
    bold.setBold(true);
    painter->save();
    painter->setClipRect(area);
    int x = area.left();
    const auto draw = [&](const QString& part, const QFont& font, bool marked) {
      const QFontMetrics metrics(font);
      const int width = metrics.horizontalAdvance(part);
      const QRect box(x, area.top(), width, area.height());
      if (marked && !selected) painter->fillRect(box, palette.color(QPalette::Highlight).lighter(170));
      painter->setFont(font);
      painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
      painter->drawText(box, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, part);
      x += width;
    };
    draw(text.left(begin), option.font, false);
    draw(text.mid(begin, length), bold, true);
    // What follows the match ends in "…" where the column is too narrow for it.
    draw(QFontMetrics(option.font).elidedText(text.mid(begin + length), Qt::ElideRight, area.right() - x),
         option.font, false);
    painter->restore();
  }
};

// A UTF-8 byte offset of `utf8` as a QString offset.
int QStringOffset(const std::string& utf8, std::size_t bytes) {
  return int(QString::fromUtf8(utf8.data(), qsizetype(std::min(bytes, utf8.size()))).size());
}

}  // namespace

FindWindow::FindWindow(std::function<std::vector<std::string>()> displayed,
                       std::function<std::vector<std::string>()> all, QWidget* parent)
    : QWidget(parent, Qt::Window), displayed_(std::move(displayed)), all_themes_(std::move(all)) {
  setObjectName("FindWindow");
  setWindowTitle(tr(kFindWindowTitle));
  auto* column = new QVBoxLayout(this);

  auto* row = new QHBoxLayout;
  text_ = new QLineEdit(this);
  text_->setObjectName("FindText");
  text_->setAccessibleName(tr("Text to find"));
  text_->setAccessibleDescription(tr("The days whose messages hold this text are listed as you type"));
  text_->setClearButtonEnabled(true);
  auto* label = new QLabel(tr("&Find:"), this);
  label->setBuddy(text_);
  all_ = new QCheckBox(tr("&All themes"), this);
  all_->setObjectName("AllThemes");
  all_->setAccessibleDescription(tr("Search every theme of the folder, not only the displayed ones"));
  row->addWidget(label);
  row->addWidget(text_, 1);
  row->addWidget(all_);
  column->addLayout(row);
  auto* narrowing = new QHBoxLayout;
  words_ = new QCheckBox(tr("&Whole words"), this);
  words_->setObjectName("WholeWords");
  words_->setAccessibleDescription(tr("Find the text only where no letter or digit comes right before or after it"));
  case_ = new QCheckBox(tr("Match &case"), this);
  case_->setObjectName("MatchCase");
  case_->setAccessibleDescription(tr("Find capitals only where the text has them"));
  narrowing->addWidget(words_);
  narrowing->addWidget(case_);
  narrowing->addStretch(1);
  column->addLayout(narrowing);

  results_ = new QTreeWidget(this);
  results_->setObjectName("FindResults");
  results_->setAccessibleName(tr("Results"));
  results_->setAccessibleDescription(tr("Press Enter or double-click to show the day in the calendar"));
  results_->setRootIsDecorated(false);
  results_->setUniformRowHeights(true);
  results_->setAllColumnsShowFocus(true);
  results_->setHeaderLabels({tr("Day"), tr("Theme"), tr("Line")});
  results_->setItemDelegateForColumn(kLineColumn, new MatchDelegate(results_));
  results_->header()->setStretchLastSection(true);
  results_->setColumnWidth(kDayColumn, fontMetrics().horizontalAdvance(ThemeRecordsModel::DayText("0929")) + 20);
  results_->setColumnWidth(kThemeColumn, fontMetrics().horizontalAdvance("Old Almanac Sayings") + 20);
  column->addWidget(results_, 1);

  status_ = new QLabel(this);
  status_->setObjectName("FindStatus");
  status_->setAccessibleName(tr("Search status"));
  column->addWidget(status_);

  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  pause_->setInterval(kPauseMs);
  connect(pause_, &QTimer::timeout, this, &FindWindow::StartSearch);
  connect(text_, &QLineEdit::textChanged, pause_, qOverload<>(&QTimer::start));
  for (QCheckBox* box : {all_, words_, case_}) connect(box, &QCheckBox::toggled, this, &FindWindow::StartSearch);
  connect(results_, &QTreeWidget::activated, this, &FindWindow::ResultActivated);
  // Enter in the text box shows the result at hand; Down goes to the results, and Escape
  // closes the window, as in a search field of any desktop.
  connect(text_, &QLineEdit::returnPressed, this, &FindWindow::ShowChosenResult);
  text_->installEventFilter(this);
  resize(640, 420);
}

void FindWindow::FocusText() {
  text_->setFocus();
  text_->selectAll();
}

void FindWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool FindWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && results_->topLevelItemCount() > 0) {
    results_->setFocus();
    if (!results_->currentItem()) results_->setCurrentItem(results_->topLevelItem(0));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void FindWindow::ShowChosenResult() {
  // Typed and not searched yet: searched now, to the end, so Enter never shows an old result.
  if (pause_->isActive()) StartSearch();
  while (Searching()) SearchNextTheme();
  QTreeWidgetItem* chosen = results_->currentItem();
  for (int i = 0; !chosen && i < results_->topLevelItemCount(); ++i)
    if (!results_->topLevelItem(i)->isDisabled()) chosen = results_->topLevelItem(i);
  if (!chosen || chosen->isDisabled()) return;
  results_->setCurrentItem(chosen);  // where F3 goes on from
  Q_EMIT DayChosen(chosen->data(kDayColumn, kKeyRole).toString());
}

bool FindWindow::StepResult(int step) {
  if (pause_->isActive()) StartSearch();
  while (Searching()) SearchNextTheme();
  QList<QTreeWidgetItem*> found;
  for (int i = 0; i < results_->topLevelItemCount(); ++i)
    if (!results_->topLevelItem(i)->isDisabled()) found << results_->topLevelItem(i);
  if (found.isEmpty()) return false;
  const qsizetype at = found.indexOf(results_->currentItem());
  // Nothing current yet: the first step forward goes to the first result, back to the last.
  const qsizetype next = at < 0 ? (step > 0 ? 0 : found.size() - 1) : ((at + step) % found.size() + found.size()) % found.size();
  results_->setCurrentItem(found[next]);
  Q_EMIT DayChosen(found[next]->data(kDayColumn, kKeyRole).toString());
  return true;
}

void FindWindow::StartSearch() {
  pause_->stop();
  ++generation_;
  results_->clear();
  pending_.clear();
  searched_text_ = text_->text();
  searched_options_ = {words_->isChecked(), case_->isChecked()};
  const std::optional<std::u32string> key = SearchKey(searched_text_.toStdString(), searched_options_);
  if (!key) {
    status_->setText(text_->text().isEmpty() ? QString() : tr("Nothing found"));
    return;
  }
  key_ = *key;
  pending_ = all_->isChecked() ? all_themes_() : displayed_();
  std::reverse(pending_.begin(), pending_.end());
  status_->setText(tr("Searching..."));
  SearchNextTheme();
}

void FindWindow::SearchNextTheme() {
  if (pending_.empty()) {
    ShowCount();
    return;
  }
  const std::string theme = pending_.back();
  pending_.pop_back();
  std::vector<SearchHit> hits;
  try {
    search_.FindInTheme(theme, key_, hits, searched_options_);
  } catch (const std::exception& error) {
    // One theme that cannot be read does not end the search; the user is told which.
    auto* item = new QTreeWidgetItem(results_, {QString(), QString::fromStdString(theme), CoreText(error.what())});
    item->setDisabled(true);
  }
  AddHits(hits);
  const unsigned generation = generation_;
  QTimer::singleShot(0, this, [this, generation] {
    if (generation == generation_) SearchNextTheme();
  });
}

void FindWindow::AddHits(const std::vector<SearchHit>& hits) {
  QList<QTreeWidgetItem*> items;
  for (const SearchHit& hit : hits) {
    const QString line = QString::fromStdString(hit.line);
    auto* item = new QTreeWidgetItem({ThemeRecordsModel::DayText(hit.key), QString::fromStdString(hit.description), line});
    item->setData(kDayColumn, kKeyRole, QString::fromStdString(hit.key));
    item->setData(kLineColumn, kMatchBeginRole, QStringOffset(hit.line, hit.match_begin));
    item->setData(kLineColumn, kMatchLengthRole,
                  QStringOffset(hit.line, hit.match_begin + hit.match_length) - QStringOffset(hit.line, hit.match_begin));
    item->setToolTip(kThemeColumn, QString::fromStdString(hit.theme));
    item->setToolTip(kLineColumn, line);
    items << item;
  }
  results_->addTopLevelItems(items);
}

void FindWindow::ShowCount() {
  int found = 0;
  for (int i = 0; i < results_->topLevelItemCount(); ++i)
    if (!results_->topLevelItem(i)->isDisabled()) ++found;
  status_->setText(found == 0   ? tr("Nothing found")
                   : found == 1 ? tr("1 day found")
                                : tr("%1 days found").arg(found));
}

void FindWindow::ResultActivated(const QModelIndex& index) {
  const QTreeWidgetItem* item = results_->topLevelItem(index.row());
  if (!item || item->isDisabled()) return;
  Q_EMIT DayChosen(item->data(kDayColumn, kKeyRole).toString());
}

}  // namespace vornelle::app
