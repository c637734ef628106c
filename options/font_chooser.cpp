#include "options/font_chooser.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "look/look.h"

namespace vornelle::options {

namespace {

app::Colour ToValue(const QColor& colour) {
  return static_cast<app::Colour>(colour.red()) | static_cast<app::Colour>(colour.green()) << 8 |
         static_cast<app::Colour>(colour.blue()) << 16;
}

// The dialog: family, size, the four styles and the colour, with a sample of the result.
class FontDialog : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(FontDialog)

 public:
  FontDialog(const FontChoice& current, QWidget* parent) : QDialog(parent), colour_(app::ToQColor(current.colour)) {
    setWindowTitle(tr("Font"));
    family_ = new QFontComboBox(this);
    family_->setCurrentFont(app::InstalledFont(current.name, current.size, 0));
    size_ = new QSpinBox(this);
    size_->setRange(1, 200);
    size_->setSuffix(tr(" pt"));
    size_->setValue(current.size > 0 ? current.size : 10);
    auto* styles = new QHBoxLayout;
    const QString names[] = {tr("&Bold"), tr("&Italic"), tr("&Underline"), tr("S&trikeout")};
    for (int i = 0; i < 4; ++i) {
      style_[i] = new QCheckBox(names[i], this);
      style_[i]->setChecked(current.styles & (1u << i));
      styles->addWidget(style_[i]);
      connect(style_[i], &QCheckBox::toggled, this, [this] { ShowSample(); });
    }
    colour_button_ = new QPushButton(tr("C&olour..."), this);
    connect(colour_button_, &QPushButton::clicked, this, [this] {
      const QColor picked = QColorDialog::getColor(colour_, this, tr("Font Colour"));
      if (picked.isValid()) colour_ = picked;
      ShowSample();
    });
    sample_ = new QLabel("AaBbYyZz 0123", this);
    sample_->setMinimumHeight(48);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    auto* form = new QFormLayout;
    form->addRow(tr("&Font:"), family_);
    form->addRow(tr("&Size:"), size_);
    form->addRow(tr("Style:"), styles);
    form->addRow(tr("Colour:"), colour_button_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(sample_);
    column->addWidget(buttons);
    connect(family_, &QFontComboBox::currentFontChanged, this, [this] { ShowSample(); });
    connect(size_, qOverload<int>(&QSpinBox::valueChanged), this, [this] { ShowSample(); });
    ShowSample();
  }

  FontChoice Choice() const {
    FontChoice choice;
    choice.name = family_->currentFont().family().toStdString();
    choice.size = size_->value();
    choice.colour = ToValue(colour_);
    for (int i = 0; i < 4; ++i)
      if (style_[i]->isChecked()) choice.styles |= 1u << i;
    return choice;
  }

 private:
  void ShowSample() {
    const FontChoice choice = Choice();
    sample_->setFont(app::InstalledFont(choice.name, choice.size, choice.styles));
    sample_->setStyleSheet(QString("color: %1;").arg(colour_.name()));
    colour_button_->setStyleSheet(
        QString("QPushButton { border-left: 14px solid %1; padding-left: 6px; }").arg(colour_.name()));
  }

  QFontComboBox* family_;
  QSpinBox* size_;
  QCheckBox* style_[4];
  QPushButton* colour_button_;
  QLabel* sample_;
  QColor colour_;
};

}  // namespace

std::optional<FontChoice> FontDialogChooser::Choose(const FontChoice& current, QWidget* parent) {
  FontDialog dialog(current, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

}  // namespace vornelle::options
