#pragma once
// TOptionsF: the options dialog. The user chooses the displayed themes, five colours and the two
// fonts; every change goes into the settings at once, and a copy taken when the dialog is shown
// is put back when they leave without applying. Three change flags tell the main window what to
// apply after "Apply".

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "app/core/program.h"
#include "options/options_outcome.h"
#include "options/font_chooser.h"

class QButtonGroup;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vornelle::options {

class TMyColorGrid;

class TOptionsF : public QDialog {
  Q_OBJECT

 public:
  TOptionsF(app::Program& program, app::MessageBoxService& boxes, FontChooser& fonts,
            QWidget* parent = nullptr);

  // Shows the dialog modally, as the main window's options command does.
  app::OptionsOutcome Show();

  bool ColorsChanged = false;
  bool FontsChanged = false;
  bool ThemesChanged = false;

  // Parts the tests work with.
  QListWidget* ListBox1() const { return list_available_; }
  QListWidget* ListBox2() const { return list_displayed_; }
  TMyColorGrid* CG() const { return grid_; }
  QRadioButton* RadioItem(int index) const { return radio_[static_cast<std::size_t>(index)]; }
  QFrame* Swatch(int index) const { return swatch_[static_cast<std::size_t>(index)]; }
  QLabel* JMsgL() const { return pane_sample_; }
  QLabel* CalL() const { return calendar_sample_; }

 public Q_SLOTS:
  void RGClick();
  void CG2Click();
  void Button2Click();  // Set Font: the message pane
  void Button3Click();  // Set Font: the calendar
  void Button4Click();  // Add ->
  void Button5Click();  // Remove
  void Button1Click();  // Apply

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  // The font a sample label shows, and the settings it edits.
  struct FontSlot {
    std::string* name;
    int32_t* size;
    app::Colour* colour;
    app::FontStyles* styles;
    QLabel* sample;
  };
  struct SavedFont {
    std::string name;
    int32_t size = 0;
    app::Colour colour = 0;
    app::FontStyles styles = 0;
  };

  void FormShow();
  void FormActivate();
  // False when the user chose to stay.
  bool ExitCheck();
  void Restore();
  // After an Add or Remove: no highlight left; SelTheme and SelThemeD from the displayed list.
  void ThemeListsChanged();
  void SetFont(const FontSlot& slot);
  void ShowSample(const FontSlot& slot);
  app::Colour& ChosenColour();
  void PaintSwatch(int index);
  FontSlot PaneFont();
  FontSlot CalendarFont();

  app::Program& program_;
  app::MessageBoxService& boxes_;
  FontChooser& fonts_;
  bool applied_ = false;

  std::array<app::Colour, 5> saved_colours_{};
  SavedFont saved_pane_, saved_calendar_;
  std::vector<std::string> saved_sel_theme_, saved_sel_theme_d_;

  QListWidget* list_available_;
  QListWidget* list_displayed_;
  QButtonGroup* radio_group_;
  std::array<QRadioButton*, 5> radio_{};
  std::array<QFrame*, 5> swatch_{};
  TMyColorGrid* grid_;
  QLabel* pane_sample_;
  QLabel* colours_not_in_use_ = nullptr;  // shown while the desktop's colours are used
  QLabel* calendar_sample_;
};

}  // namespace vornelle::options
