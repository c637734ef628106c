#include "app/gui/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/core/product.h"
#include "app/gui/appearance.h"

namespace vornelle::app {

namespace {

QFrame* Bevel(QWidget* parent, const char* name, QRect place, int width, QFrame::Shadow shadow) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameStyle(QFrame::Panel | shadow);
  frame->setLineWidth(width);
  frame->setGeometry(place);
  return frame;
}

QLabel* Label(QWidget* parent, const char* name, QRect place, Qt::Alignment alignment) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(place);
  label->setAlignment(alignment | Qt::AlignVCenter);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(const Settings& geometry, QWidget* parent) : QDialog(parent), geometry_(geometry) {
  setObjectName("AboutBox");
  setFixedSize(377, 244);
  setFont(InstalledFont("System", 10, 0));

  QFrame* panel1 = Bevel(this, "Panel1", {9, 8, 360, 185}, 2, QFrame::Sunken);
  QFrame* panel2 = Bevel(panel1, "Panel2", {9, 6, 344, 78}, 3, QFrame::Raised);

  product_name_ = Label(panel2, "ProductName", {47, 10, 250, 23}, Qt::AlignHCenter);
  product_name_->setFont(InstalledFont("System", 14, fsBold));
  product_name_->setStyleSheet("color: black;");
  version_ = Label(panel2, "Version", {47, 30, 250, 20}, Qt::AlignHCenter);
  QLabel* copyright = Label(panel2, "Copyright", {8, 48, 329, 25}, Qt::AlignHCenter);
  copyright->setText(kCopyrightLine);

  auto* image = new QLabel(panel1);
  image->setObjectName("Image8");
  image->setGeometry(164, 93, 32, 32);
  image->setPixmap(ProgramIcon().pixmap(32, 32));
  image->setAccessibleName(tr("%1 icon").arg(kProductName));

  web_ = Label(panel1, "WebL", {8, 133, 344, 20}, Qt::AlignLeft);
  web_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  support_ = Label(panel1, "SupportL", {8, 157, 344, 20}, Qt::AlignLeft);
  support_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* close = new QPushButton(tr("Close"), this);
  close->setObjectName("Button1");
  close->setGeometry(140, 204, 97, 33);
  close->setDefault(true);
  close->setAccessibleDescription(tr("Closes this box, as Escape does"));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
  move(geometry_.Left + geometry_.Width / 2 - width() / 2,
       geometry_.Top + geometry_.Height / 2 - height() / 2);
  product_name_->setText(kProductName);
  version_->setText(tr("Version %1").arg(kVersion));
  web_->setText(tr("Visit us at: %1").arg(kWebAddress));
  support_->setText(tr("Email us at: %1").arg(kSupportAddress));
  web_->setVisible(*kWebAddress != '\0');
  support_->setVisible(*kSupportAddress != '\0');
  setWindowTitle(tr("About %1").arg(kProductName));
  QDialog::showEvent(event);
}

}  // namespace vornelle::app
