#pragma once
// TAboutBox: the program's name, version and the maker's addresses, centred over the main
// window each time it is shown.

#include <QDialog>

#include "app/core/settings.h"

class QLabel;

namespace vornelle::app {

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  // `geometry` holds the main window's place and size, copied there before the box is shown.
  explicit TAboutBox(const Settings& geometry, QWidget* parent = nullptr);

  QLabel* ProductName() const { return product_name_; }
  QLabel* Version() const { return version_; }
  QLabel* WebL() const { return web_; }
  QLabel* SupportL() const { return support_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  const Settings& geometry_;
  QLabel* product_name_;
  QLabel* version_;
  QLabel* web_;
  QLabel* support_;
};

}  // namespace vornelle::app
