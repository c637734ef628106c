#include "app/gui/qt_services.h"

#include <algorithm>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QUrl>

#include "app/core/day_lookup.h"
#include "app/core/program.h"
#include "app/gui/core_texts.h"
#include "platform/codepage.h"
#include "platform/exception.h"
#include "platform/message_box.h"

namespace vornelle::app {

namespace {

// A message box that goes where it is told once it is shown: each coordinate that is not
// negative is applied; with both negative it is centred on the screen.
class PlacedMessageBox : public QMessageBox {
 public:
  PlacedMessageBox(QWidget* parent, ScreenPoint at) : QMessageBox(parent), at_(at) {}

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    QPoint place = pos();
    if (at_.x < 0 && at_.y < 0) {
      const QRect screen = (this->screen() ? this->screen() : QApplication::primaryScreen())->availableGeometry();
      place = screen.center() - QPoint(width() / 2, height() / 2);
    } else {
      if (at_.x >= 0) place.setX(at_.x);
      if (at_.y >= 0) place.setY(at_.y);
    }
    move(place);
  }

 private:
  ScreenPoint at_;
};

void FatalBox(std::string_view caption, std::string_view text) {
  QMessageBox::critical(nullptr, CoreText(std::string(caption)), CoreText(std::string(text)));
}

void PlainBox(std::string_view text) {
  QMessageBox::information(nullptr, QString::fromStdString(ApplicationTitle()), CoreText(std::string(text)));
}

void ErrorHandler(const std::exception& error) {
  QtMessageBoxService boxes;
  CoreTextBoxes(boxes).Error(ApplicationTitle(), error.what());
}

}  // namespace

QString DisplayText(const std::string& text) {
  const QString utf8 = QString::fromUtf8(text);
  // A text that does not survive the round trip through UTF-8 was not UTF-8.
  if (utf8.toUtf8() == QByteArray::fromStdString(text)) return utf8;
  return QString::fromStdString(platform::AnsiToUtf8(text));
}

void QtMessageBoxService::Confirm(const std::string& text, ScreenPoint at) {
  PlacedMessageBox box(parent_, at);
  box.setIcon(QMessageBox::Question);
  box.setWindowTitle(QCoreApplication::translate("QtMessageBoxService", "Confirm"));
  box.setText(DisplayText(text));
  box.addButton(QCoreApplication::translate("QtMessageBoxService", "OK"), QMessageBox::AcceptRole);
  box.exec();
}

bool QtMessageBoxService::AskYesNo(const std::string& text) {
  PlacedMessageBox box(parent_, {-1, -1});
  box.setIcon(QMessageBox::Question);
  box.setWindowTitle(QCoreApplication::translate("QtMessageBoxService", "Confirm"));
  box.setText(DisplayText(text));
  QPushButton* yes =
      box.addButton(QCoreApplication::translate("QtMessageBoxService", "&Yes"), QMessageBox::YesRole);
  box.addButton(QCoreApplication::translate("QtMessageBoxService", "&No"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.exec();
  return box.clickedButton() == yes;
}

std::size_t QtMessageBoxService::Choose(const std::string& text, const std::vector<std::string>& choices) {
  PlacedMessageBox box(parent_, {-1, -1});
  box.setIcon(QMessageBox::Question);
  box.setWindowTitle(QCoreApplication::translate("QtMessageBoxService", "Confirm"));
  box.setText(DisplayText(text));
  std::vector<QPushButton*> buttons;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const bool last = i + 1 == choices.size();
    buttons.push_back(box.addButton(DisplayText(choices[i]), last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
  }
  if (buttons.empty()) return 0;
  box.setDefaultButton(buttons.front());
  box.setEscapeButton(buttons.back());
  box.exec();
  const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
  return chosen == buttons.end() ? buttons.size() - 1 : static_cast<std::size_t>(chosen - buttons.begin());
}

void QtMessageBoxService::Error(const std::string& caption, const std::string& text) {
  QMessageBox box(parent_);
  box.setIcon(QMessageBox::Critical);
  box.setWindowTitle(DisplayText(caption));
  box.setText(DisplayText(ErrorBoxText(text)));
  box.addButton(QCoreApplication::translate("QtMessageBoxService", "OK"), QMessageBox::AcceptRole);
  box.exec();
}

void QtMessageBoxService::Inform(const std::string& text) {
  PlacedMessageBox box(parent_, {-1, -1});
  box.setIcon(QMessageBox::Information);
  box.setWindowTitle(QCoreApplication::translate("QtMessageBoxService", "Information"));
  box.setText(DisplayText(text));
  box.addButton(QCoreApplication::translate("QtMessageBoxService", "OK"), QMessageBox::AcceptRole);
  box.exec();
}

bool DesktopHelpViewer::Open(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

platform::CalendarDate SystemClock::Today() const { return platform::Today(); }

void DesktopClipboard::SetText(const std::string& plain, const std::string& html) {
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(plain));
  if (!html.empty()) data->setHtml(QString::fromStdString(html));
  QGuiApplication::clipboard()->setMimeData(data);
}

void PlainTextPane::Clear() { edit_->clear(); }

void PlainTextPane::SetLines(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) {
    // The lookup's own lines, in the user's language; a theme's lines as they are.
    const bool own = line.rfind(kMoreLinesText, 0) == 0 || line.rfind(kQuietDayText, 0) == 0;
    text << (own ? CoreText(line) : QString::fromStdString(line));
  }
  edit_->setPlainText(text.join('\n'));
}

void InstallPlatformWindows() {
  platform::SetErrorMessageBox(FatalBox);
  platform::SetMessageBox(PlainBox);
  platform::SetExceptionHandler(ErrorHandler);
}

}  // namespace vornelle::app
