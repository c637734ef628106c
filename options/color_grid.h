#pragma once
// TMyColorGrid: the 16 standard colours as a grid of cells. The left mouse button (or F) picks
// the foreground colour, the other buttons (or B) the background colour; each picked cell
// carries a "*" marker, and a selection cell follows the mouse and the keys. Screen readers see
// the cells as a list of named colours (options/color_grid_accessible.h).

#include <QWidget>

namespace vornelle::options {

enum TGridOrdering { go16x1, go8x2, go4x4, go2x8, go1x16 };

class TMyColorGrid : public QWidget {
  Q_OBJECT

 public:
  explicit TMyColorGrid(QWidget* parent = nullptr);

  TGridOrdering GridOrdering() const { return ordering_; }
  void SetGridOrdering(TGridOrdering ordering);
  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  int CellWidth() const { return cell_width_; }
  int CellHeight() const { return cell_height_; }

  int ForegroundIndex() const { return foreground_; }
  void SetForegroundIndex(int index);
  int BackgroundIndex() const { return background_; }
  void SetBackgroundIndex(int index);
  bool ForegroundEnabled() const { return foreground_enabled_; }
  void SetForegroundEnabled(bool on);
  bool BackgroundEnabled() const { return background_enabled_; }
  void SetBackgroundEnabled(bool on);
  // A pick of a disabled colour enables it first.
  bool ClickEnablesColor() const { return click_enables_; }
  void SetClickEnablesColor(bool on) { click_enables_ = on; }
  int Selection() const { return selection_; }
  void SetSelection(int index);
  // The 3D look (sunken cells) or the flat look (black outlines).
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool on);
  // In the tab order, and taking the keyboard focus when clicked.
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool on);

  // The cell under a point of the control (clamped to it), and a cell's place in the control.
  int CellAt(QPoint point) const;
  QRect CellRect(int index) const;
  // The colour of a cell, and the colour its marker is drawn in.
  static QColor CellColour(int index);
  static QColor MarkerColour(int index);
  // A cell's colour by name ("Teal"); any other colour as #rrggbb.
  static QString CellName(int index);
  static QString ColourName(const QColor& colour);

  // Picks a cell's colour as a left click on it does: marker, selection and clicked().
  void PickForeground(int index);
  // Left and Right pressed on `control` pick the colour before or after the foreground's, so
  // that the keyboard reaches every colour while the grid itself is no tab stop. A checkable
  // control is checked first: the pick is for the one that has the keys.
  void StepWithArrowsOf(QWidget* control);

 Q_SIGNALS:
  // A marker moved.
  void changed();
  // A colour was picked.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Marker { kForeground, kBackground };
  void FitSize();
  void DrawCell(QPainter& painter, int index, bool highlighted) const;
  void DrawMarker(QPainter& painter, int index) const;
  void SetIndex(Marker marker, int index);
  // A pick with the mouse or the keyboard: enables the colour first when allowed.
  void Pick(Marker marker, int index);

  TGridOrdering ordering_ = go4x4;
  int columns_ = 4, rows_ = 4;
  int cell_width_ = 25, cell_height_ = 25;
  int foreground_ = 0, background_ = 0;
  bool foreground_enabled_ = true, background_enabled_ = true;
  bool click_enables_ = false;
  int selection_ = 0;
  bool ctl3d_ = true;
  bool tab_stop_ = false;
  bool fitting_ = false;
  Qt::MouseButton tracked_button_ = Qt::NoButton;
  bool tracking_ = false;
};

}  // namespace vornelle::options
