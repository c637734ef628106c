#pragma once
// FindWindow: "Find Messages", a window beside the calendar. What the user types is searched,
// a moment after the typing stops, in the displayed themes or in every theme of the folder;
// the results (day, theme, the line that holds the text with the match marked) come in theme
// order, then calendar order. A theme at a time is searched, the window's events running in
// between, and new typing drops the search under way. Whole words and Match Case narrow what
// matches. Choosing a result asks the calendar to show that day; the next and the previous
// result can be asked for from the calendar (F3, Shift+F3) with the window closed.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/core/message_search.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QTimer;
class QTreeWidget;

namespace vornelle::app {

inline constexpr const char* kFindWindowTitle = QT_TRANSLATE_NOOP("vornelle::app::FindWindow", "Find Messages");

class FindWindow : public QWidget {
  Q_OBJECT

 public:
  // `displayed` and `all` give the theme files to search, asked anew for every search.
  FindWindow(std::function<std::vector<std::string>()> displayed, std::function<std::vector<std::string>()> all,
             QWidget* parent = nullptr);

  // How long typing must pause before a search starts.
  static constexpr int kPauseMs = 200;
  // Item data of a result: its day key ("MMDD"), and where its match lies in the line column.
  static constexpr int kKeyRole = Qt::UserRole;
  static constexpr int kMatchBeginRole = Qt::UserRole + 1;
  static constexpr int kMatchLengthRole = Qt::UserRole + 2;
  enum Column { kDayColumn, kThemeColumn, kLineColumn };

  QLineEdit* TextEdit() const { return text_; }
  QCheckBox* AllThemes() const { return all_; }
  QCheckBox* WholeWords() const { return words_; }
  QCheckBox* MatchCase() const { return case_; }
  QTreeWidget* Results() const { return results_; }
  QLabel* Status() const { return status_; }
  // True while a search is under way.
  bool Searching() const { return !pending_.empty(); }
  // The text of the last search started and how it was matched; empty before any.
  const QString& SearchedText() const { return searched_text_; }
  const SearchOptions& SearchedOptions() const { return searched_options_; }
  // Puts the keyboard in the text box with its text selected, so that typing replaces it.
  void FocusText();

 Q_SIGNALS:
  // The user chose a result: the day of `key` ("MMDD").
  void DayChosen(const QString& key);

 public Q_SLOTS:
  // Starts the search now (the pause after typing ends in it).
  void StartSearch();
  // Shows the highlighted result's day, else the first's (Enter in the text box).
  void ShowChosenResult();
  // Makes the result `step` places after the current one current (before it when negative),
  // going round at either end, and shows its day. False when there is no result.
  bool StepResult(int step);

 private Q_SLOTS:
  void ResultActivated(const QModelIndex& index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void SearchNextTheme();
  void AddHits(const std::vector<SearchHit>& hits);
  void ShowCount();

  std::function<std::vector<std::string>()> displayed_, all_themes_;
  MessageSearch search_;
  std::u32string key_;                // the text searched, as SearchKey makes it
  QString searched_text_;
  SearchOptions searched_options_;
  std::vector<std::string> pending_;  // the themes still to search, the next last
  unsigned generation_ = 0;           // of the search under way; a new one drops the old

  QLineEdit* text_ = nullptr;
  QCheckBox* all_ = nullptr;
  QCheckBox* words_ = nullptr;
  QCheckBox* case_ = nullptr;
  QTreeWidget* results_ = nullptr;
  QLabel* status_ = nullptr;
  QTimer* pause_ = nullptr;
};

}  // namespace vornelle::app
