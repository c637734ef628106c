#include "options/color_grid.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "options/color_grid_accessible.h"
#include "options/colour_table.h"

namespace vornelle::options {

namespace {

constexpr int kRange = 16;

// In the order of kGridColours.
constexpr const char* kCellNames[kRange] = {
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Black"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Maroon"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Green"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Olive"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Navy"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Purple"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Teal"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Silver"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Gray"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Red"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Lime"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Yellow"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Blue"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Fuchsia"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "Aqua"),
    QT_TRANSLATE_NOOP("vornelle::options::TMyColorGrid", "White"),
};

QColor FromValue(uint32_t value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

}  // namespace

TMyColorGrid::TMyColorGrid(QWidget* parent) : QWidget(parent) {
  InstallColorGridAccessibility();
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  setPalette(palette);
  setGeometry(0, 0, 100, 100);
  FitSize();
}

QColor TMyColorGrid::CellColour(int index) { return FromValue(GridColour(index)); }

QColor TMyColorGrid::MarkerColour(int index) {
  const QColor cell = CellColour(index);
  auto part = [](int component) { return component >= 0x80 ? 0 : 0xFF; };
  return QColor(part(cell.red()), part(cell.green()), part(cell.blue()));
}

QString TMyColorGrid::CellName(int index) { return tr(kCellNames[index & 15]); }

QString TMyColorGrid::ColourName(const QColor& colour) {
  for (int i = 0; i < kRange; ++i)
    if (CellColour(i) == colour) return CellName(i);
  return colour.name();
}

void TMyColorGrid::SetGridOrdering(TGridOrdering ordering) {
  if (ordering == ordering_) return;
  ordering_ = ordering;
  columns_ = 16 >> static_cast<int>(ordering);
  rows_ = 1 << static_cast<int>(ordering);
  FitSize();
  update();
}

void TMyColorGrid::FitSize() {
  // Whole cells only: the control shrinks to a multiple of the cell size.
  const QSize fitted(columns_ * (width() / columns_), rows_ * (height() / rows_));
  if (fitted != size() && !fitting_) {
    fitting_ = true;
    resize(fitted);
    fitting_ = false;
  }
  cell_width_ = width() / columns_;
  cell_height_ = height() / rows_;
}

void TMyColorGrid::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitSize();
}

int TMyColorGrid::CellAt(QPoint point) const {
  const int x = std::clamp(point.x(), 0, std::max(0, width() - 1));
  const int y = std::clamp(point.y(), 0, std::max(0, height() - 1));
  const int cell = (y / std::max(1, cell_height_)) * columns_ + x / std::max(1, cell_width_);
  return std::clamp(cell, 0, kRange - 1);
}

QRect TMyColorGrid::CellRect(int index) const {
  return QRect((index % columns_) * cell_width_, (index / columns_) * cell_height_, cell_width_,
               cell_height_);
}

// --- Properties ---

void TMyColorGrid::SetIndex(Marker marker, int index) {
  int& current = marker == Marker::kForeground ? foreground_ : background_;
  const bool enabled = marker == Marker::kForeground ? foreground_enabled_ : background_enabled_;
  if (index == current || !enabled) return;
  const int old = current;
  current = index;
  update();
  NotifyCellMarked(*this, old);
  NotifyCellMarked(*this, index);
  Q_EMIT changed();
}

void TMyColorGrid::SetForegroundIndex(int index) { SetIndex(Marker::kForeground, index); }
void TMyColorGrid::SetBackgroundIndex(int index) { SetIndex(Marker::kBackground, index); }

void TMyColorGrid::SetForegroundEnabled(bool on) {
  if (on == foreground_enabled_) return;
  foreground_enabled_ = on;
  update();
  NotifyCellMarked(*this, foreground_);
}

void TMyColorGrid::SetBackgroundEnabled(bool on) {
  if (on == background_enabled_) return;
  background_enabled_ = on;
  update();
  NotifyCellMarked(*this, background_);
}

void TMyColorGrid::SetSelection(int index) {
  if (index == selection_) return;
  selection_ = index;
  update();
  if (hasFocus()) NotifyCellFocused(*this, index);
}

void TMyColorGrid::SetCtl3D(bool on) {
  if (on == ctl3d_) return;
  ctl3d_ = on;
  update();
}

void TMyColorGrid::SetTabStop(bool on) {
  tab_stop_ = on;
  setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void TMyColorGrid::Pick(Marker marker, int index) {
  bool& enabled = marker == Marker::kForeground ? foreground_enabled_ : background_enabled_;
  if (!enabled && click_enables_) {
    enabled = true;
    // Forget the old index, so that the pick always places the marker, also on that cell.
    (marker == Marker::kForeground ? foreground_ : background_) = -1;
  }
  SetIndex(marker, index);
}

void TMyColorGrid::PickForeground(int index) {
  Pick(Marker::kForeground, index);
  SetSelection(index);
  Q_EMIT clicked();
}

void TMyColorGrid::StepWithArrowsOf(QWidget* control) { control->installEventFilter(this); }

bool TMyColorGrid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (!plain || (key->key() != Qt::Key_Left && key->key() != Qt::Key_Right))
    return QWidget::eventFilter(watched, event);
  if (auto* button = qobject_cast<QAbstractButton*>(watched); button && button->isCheckable() && !button->isChecked())
    button->click();
  const int step = key->key() == Qt::Key_Right ? 1 : kRange - 1;
  PickForeground((std::max(foreground_, 0) + step) % kRange);
  return true;
}

// --- Painting ---

void TMyColorGrid::DrawCell(QPainter& painter, int index, bool highlighted) const {
  if (index < 0 || index >= kRange) return;
  QRect rect = CellRect(index);
  const QColor colour = CellColour(index);
  if (ctl3d_) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(palette().color(QPalette::Button));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    rect.adjust(1, 1, -1, -1);
    // A sunken frame two pixels wide: shadow above and left, highlight below and right.
    for (int i = 0; i < 2; ++i) {
      painter.setPen(palette().color(QPalette::Dark));
      painter.drawLine(rect.topLeft(), rect.topRight());
      painter.drawLine(rect.topLeft(), rect.bottomLeft());
      painter.setPen(palette().color(QPalette::Light));
      painter.drawLine(rect.bottomLeft(), rect.bottomRight());
      painter.drawLine(rect.topRight(), rect.bottomRight());
      rect.adjust(1, 1, -1, -1);
    }
    painter.fillRect(rect, colour);
    if (highlighted) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = rect.adjusted(1, 1, -1, -1);
      focus.backgroundColor = colour;
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
    return;
  }
  painter.setPen(Qt::black);
  painter.setBrush(colour);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  if (highlighted) {
    // The outline inverted, then a black-outlined cell inset by two pixels.
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
    painter.setPen(Qt::black);
    painter.setBrush(colour);
    painter.drawRect(rect.adjusted(2, 2, -3, -3));
  }
}

void TMyColorGrid::DrawMarker(QPainter& painter, int index) const {
  if (index < 0 || index >= kRange) return;
  painter.setPen(MarkerColour(index));
  painter.drawText(CellRect(index), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, "*");
}

void TMyColorGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  painter.setFont(font());
  for (int i = 0; i < kRange; ++i) DrawCell(painter, i, false);
  DrawCell(painter, selection_, hasFocus());
  if (foreground_enabled_) DrawMarker(painter, foreground_);
  if (background_enabled_) DrawMarker(painter, background_);
}

void TMyColorGrid::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void TMyColorGrid::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

// --- Mouse ---

void TMyColorGrid::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  tracked_button_ = event->button();
  tracking_ = true;
  const int cell = CellAt(event->position().toPoint());
  Pick(tracked_button_ == Qt::LeftButton ? Marker::kForeground : Marker::kBackground, cell);
  SetSelection(cell);
  if (tab_stop_) setFocus(Qt::MouseFocusReason);
}

void TMyColorGrid::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  if (!tracking_) return;
  const int cell = CellAt(event->position().toPoint());
  SetIndex(tracked_button_ == Qt::LeftButton ? Marker::kForeground : Marker::kBackground, cell);
  SetSelection(cell);
}

void TMyColorGrid::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  if (!tracking_) return;
  tracking_ = false;
  const Qt::MouseButton button = tracked_button_;
  tracked_button_ = Qt::NoButton;
  // A right-button pick ends with the click; a left-button pick only when released over the
  // control, as an ordinary click.
  if (button == Qt::RightButton || (button == Qt::LeftButton && rect().contains(event->position().toPoint())))
    Q_EMIT clicked();
}

// --- Keyboard ---

void TMyColorGrid::keyPressEvent(QKeyEvent* event) {
  int selection = kRange - 1;
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Right: selection = selection_ == kRange - 1 ? 0 : selection_ + 1; break;
    case Qt::Key_Home: selection = 0; break;
    case Qt::Key_End: selection = kRange - 1; break;
    case Qt::Key_Left: selection = selection_ == 0 ? kRange - 1 : selection_ - 1; break;
    case Qt::Key_Up:
      if (selection_ >= columns_)
        selection = selection_ - columns_;
      else if (selection_ != 0)
        selection = kRange + selection_ - columns_ - 1;
      break;
    case Qt::Key_Down:
      if (selection_ + columns_ < kRange)
        selection = selection_ + columns_;
      else if (selection_ == kRange - 1)
        selection = 0;
      else
        selection = selection_ % columns_ + 1;
      break;
    case Qt::Key_B:
    case Qt::Key_F:
      Pick(event->key() == Qt::Key_F ? Marker::kForeground : Marker::kBackground, selection_);
      Q_EMIT clicked();
      event->accept();
      return;
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
  SetSelection(selection);
}

}  // namespace vornelle::options
