#include "app/gui/go_to_date_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

#include "app/gui/date_entry.h"

namespace vornelle::app {

GoToDateDialog::GoToDateDialog(const QDate& shown, const QDate& today, const QDate& first, const QDate& last,
                               QWidget* parent)
    : QDialog(parent), today_(today), first_(first), last_(last) {
  setObjectName("GoToDateDialog");
  setWindowTitle(tr("Go to Date"));
  auto* column = new QVBoxLayout(this);
  auto* label = new QLabel(tr("&Date:"), this);
  edit_ = new QLineEdit(DateForTyping(shown, QLocale()), this);
  edit_->setObjectName("DateEdit");
  edit_->setAccessibleName(tr("Date"));
  label->setBuddy(edit_);
  edit_->selectAll();
  help_ = new QLabel(this);
  help_->setObjectName("DateHelp");
  help_->setWordWrap(false);  // one line: the box keeps its size while the text is corrected
  help_->setText(tr("Write a date as %1 or %2.")
                     .arg(today.toString(Qt::ISODate), DateForTyping(today, QLocale())));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &GoToDateDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(label);
  column->addWidget(edit_);
  column->addWidget(help_);
  column->addWidget(buttons);
  setMinimumWidth(help_->sizeHint().width() + 40);
}

void GoToDateDialog::accept() {
  const std::optional<QDate> date = ParseTypedDate(edit_->text(), QLocale(), today_);
  if (!date || *date < first_ || *date > last_) {
    // The box stays, with the text, for its correction.
    help_->setText(tr("Not a Date: \"%1\". Write a date as %2 or %3.")
                       .arg(edit_->text().trimmed(), today_.toString(Qt::ISODate), DateForTyping(today_, QLocale())));
    setMinimumWidth(std::max(minimumWidth(), help_->sizeHint().width() + 40));
    edit_->setFocus();
    return;
  }
  date_ = *date;
  QDialog::accept();
}

}  // namespace vornelle::app
