#include "options/color_grid_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <array>

#include "options/color_grid.h"

namespace vornelle::options {

namespace {

constexpr int kCells = 16;

// One cell: no object of its own, so the grid's interface creates it and keeps it.
class CellAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  CellAccessible(TMyColorGrid* grid, int index) : grid_(grid), index_(index) {}

  bool isValid() const override { return !grid_.isNull(); }
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(grid_); }
  QWindow* window() const override { return grid_ ? parent()->window() : nullptr; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  void setText(QAccessible::Text, const QString&) override {}

  QString text(QAccessible::Text t) const override {
    if (!grid_) return {};
    if (t == QAccessible::Name) return TMyColorGrid::CellName(index_);
    if (t != QAccessible::Description) return {};
    const bool foreground = Foreground(), background = Background();
    if (foreground && background) return TMyColorGrid::tr("Foreground and background color");
    if (foreground) return TMyColorGrid::tr("Foreground color");
    if (background) return TMyColorGrid::tr("Background color");
    return {};
  }

  QRect rect() const override {
    if (!grid_) return {};
    const QRect cell = grid_->CellRect(index_);
    return {grid_->mapToGlobal(cell.topLeft()), cell.size()};
  }

  QAccessible::State state() const override {
    QAccessible::State state;
    if (!grid_) return state;
    state.selectable = true;
    state.selected = Foreground() || Background();
    state.focusable = grid_->focusPolicy() != Qt::NoFocus;
    state.focused = grid_->hasFocus() && grid_->Selection() == index_;
    state.invisible = !grid_->isVisible();
    state.disabled = !grid_->isEnabled();
    return state;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (grid_ && action == pressAction()) grid_->PickForeground(index_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  // The markers as painted: a disabled colour shows none.
  bool Foreground() const { return grid_->ForegroundEnabled() && grid_->ForegroundIndex() == index_; }
  bool Background() const { return grid_->BackgroundEnabled() && grid_->BackgroundIndex() == index_; }

  QPointer<TMyColorGrid> grid_;
  int index_;
};

class GridAccessible : public QAccessibleWidget {
 public:
  explicit GridAccessible(TMyColorGrid* grid) : QAccessibleWidget(grid, QAccessible::List) {}
  ~GridAccessible() override {
    for (QAccessible::Id id : cells_)
      if (id) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return kCells; }

  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= kCells) return nullptr;
    QAccessible::Id& id = cells_[static_cast<std::size_t>(index)];
    if (!id) id = QAccessible::registerAccessibleInterface(new CellAccessible(Grid(), index));
    return QAccessible::accessibleInterface(id);
  }

  int indexOfChild(const QAccessibleInterface* cell) const override {
    for (std::size_t i = 0; i < cells_.size(); ++i)
      if (cells_[i] && QAccessible::accessibleInterface(cells_[i]) == cell) return static_cast<int>(i);
    return -1;
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint local = Grid()->mapFromGlobal(QPoint(x, y));
    return Grid()->rect().contains(local) ? child(Grid()->CellAt(local)) : nullptr;
  }

  QAccessibleInterface* focusChild() const override {
    return Grid()->hasFocus() ? child(Grid()->Selection()) : nullptr;
  }

  QString text(QAccessible::Text t) const override {
    const QString text = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && text.isEmpty()) return TMyColorGrid::tr("Colors");
    return text;
  }

 private:
  TMyColorGrid* Grid() const { return static_cast<TMyColorGrid*>(widget()); }

  mutable std::array<QAccessible::Id, kCells> cells_{};
};

QAccessibleInterface* GridFactory(const QString&, QObject* object) {
  if (auto* grid = qobject_cast<TMyColorGrid*>(object)) return new GridAccessible(grid);
  return nullptr;
}

void NotifyCell(TMyColorGrid& grid, int index, QAccessible::Event type) {
  if (index < 0 || index >= kCells || !QAccessible::isActive()) return;
  QAccessibleEvent event(&grid, type);
  event.setChild(index);
  QAccessible::updateAccessibility(&event);
}

}  // namespace

void InstallColorGridAccessibility() {
  static const bool installed = (QAccessible::installFactory(GridFactory), true);
  (void)installed;
}

void NotifyCellMarked(TMyColorGrid& grid, int index) {
  if (index < 0 || index >= kCells || !QAccessible::isActive()) return;
  const QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&grid);
  if (!list) return;
  // A marked cell is a selected one; the description says which marker it carries.
  const bool marked = list->child(index)->state().selected;
  NotifyCell(grid, index, marked ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
  NotifyCell(grid, index, QAccessible::DescriptionChanged);
}

void NotifyCellFocused(TMyColorGrid& grid, int index) { NotifyCell(grid, index, QAccessible::Focus); }

}  // namespace vornelle::options
