#pragma once
// GoToDateDialog: "Go to Date", the box Edit > Go to Date... asks with. It starts with the
// selected date as the locale writes it (the year in full) and takes what people type
// (date_entry.h); text that names no date keeps the box open, with the text, and says how to
// write a date on its one line of help.

#include <QDate>
#include <QDialog>

class QLabel;
class QLineEdit;

namespace vornelle::app {

class GoToDateDialog : public QDialog {
  Q_OBJECT

 public:
  // `shown` fills the box; `today` says what a two-digit year is near, and gives the help's
  // examples; `first` and `last` are the dates the calendar can show.
  GoToDateDialog(const QDate& shown, const QDate& today, const QDate& first, const QDate& last,
                 QWidget* parent = nullptr);

  // The date chosen, once the box was accepted.
  QDate Date() const { return date_; }

  QLineEdit* DateEdit() const { return edit_; }
  QLabel* Help() const { return help_; }

 public Q_SLOTS:
  void accept() override;

 private:
  QDate today_, first_, last_, date_;
  QLineEdit* edit_ = nullptr;
  QLabel* help_ = nullptr;
};

}  // namespace vornelle::app
