// The colour grid: its sizes, the keyboard, the mouse, the markers.

#include <QSignalSpy>
#include <QTest>

#include "options/color_grid.h"
#include "options/colour_table.h"
#include "tests/options/options_tests.h"

using vornelle::options::TMyColorGrid;
namespace options = vornelle::options;

void ColorGridTest::sizesAreWholeCells() {
  TMyColorGrid grid;
  grid.show();  // sizes are fitted as the control is laid out
  grid.resize(120, 160);
  QCOMPARE(grid.size(), QSize(120, 160));
  QCOMPARE(grid.CellWidth(), 30);
  QCOMPARE(grid.CellHeight(), 40);
  grid.resize(125, 165);
  QCOMPARE(grid.size(), QSize(124, 164));
  QCOMPARE(grid.CellWidth(), 31);
  QCOMPARE(grid.CellHeight(), 41);
  grid.resize(120, 160);
  grid.SetGridOrdering(options::go16x1);
  QCOMPARE(grid.Columns(), 16);
  QCOMPARE(grid.Rows(), 1);
  QCOMPARE(grid.CellWidth(), 7);
  QCOMPARE(grid.CellHeight(), 160);
  QCOMPARE(grid.width(), 112);
}

void ColorGridTest::keysMoveTheSelection_data() {
  QTest::addColumn<int>("from");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("to");
  QTest::newRow("up from 0") << 0 << int(Qt::Key_Up) << 15;
  QTest::newRow("up from 2") << 2 << int(Qt::Key_Up) << 13;
  QTest::newRow("up from 6") << 6 << int(Qt::Key_Up) << 2;
  QTest::newRow("down from 13") << 13 << int(Qt::Key_Down) << 2;
  QTest::newRow("down from 15") << 15 << int(Qt::Key_Down) << 0;
  QTest::newRow("down from 5") << 5 << int(Qt::Key_Down) << 9;
  QTest::newRow("right from 15") << 15 << int(Qt::Key_Right) << 0;
  QTest::newRow("space from 3") << 3 << int(Qt::Key_Space) << 4;
  QTest::newRow("left from 0") << 0 << int(Qt::Key_Left) << 15;
  QTest::newRow("home") << 9 << int(Qt::Key_Home) << 0;
  QTest::newRow("end") << 9 << int(Qt::Key_End) << 15;
}

void ColorGridTest::keysMoveTheSelection() {
  QFETCH(int, from);
  QFETCH(int, key);
  QFETCH(int, to);
  TMyColorGrid grid;
  grid.show();  // sizes are fitted as the control is laid out
  grid.resize(120, 160);
  grid.SetSelection(from);
  QTest::keyClick(&grid, static_cast<Qt::Key>(key));
  QCOMPARE(grid.Selection(), to);
}

void ColorGridTest::keysPickColours() {
  TMyColorGrid grid;
  grid.show();  // sizes are fitted as the control is laid out
  QSignalSpy clicks(&grid, &TMyColorGrid::clicked);
  QSignalSpy changes(&grid, &TMyColorGrid::changed);
  grid.SetSelection(6);
  QTest::keyClick(&grid, Qt::Key_F);
  QCOMPARE(grid.ForegroundIndex(), 6);
  QTest::keyClick(&grid, Qt::Key_B);
  QCOMPARE(grid.BackgroundIndex(), 6);
  QCOMPARE(grid.Selection(), 6);
  QCOMPARE(clicks.count(), 2);
  QCOMPARE(changes.count(), 2);
  QTest::keyClick(&grid, Qt::Key_F);  // the same cell again: a click, but no change
  QCOMPARE(clicks.count(), 3);
  QCOMPARE(changes.count(), 2);
}

void ColorGridTest::markersContrastWithTheirCell() {
  QCOMPARE(TMyColorGrid::MarkerColour(8), QColor(0, 0, 0));        // black on grey
  QCOMPARE(TMyColorGrid::MarkerColour(4), QColor(255, 255, 0));    // yellow on navy
  QCOMPARE(TMyColorGrid::MarkerColour(0), QColor(255, 255, 255));  // white on black
  QCOMPARE(TMyColorGrid::MarkerColour(1), QColor(0, 255, 255));    // aqua on maroon
  QCOMPARE(TMyColorGrid::CellColour(12), QColor(0, 0, 255));
  QCOMPARE(options::GridIndex(0x808000), std::optional<int>(6));
  QCOMPARE(options::GridIndex(0x123456), std::optional<int>());
}

void ColorGridTest::mousePicksForegroundAndBackground() {
  TMyColorGrid grid;
  grid.show();  // sizes are fitted as the control is laid out
  grid.resize(120, 160);
  QSignalSpy clicks(&grid, &TMyColorGrid::clicked);
  QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(45, 50));  // column 1, row 1: cell 5
  QCOMPARE(grid.ForegroundIndex(), 5);
  QCOMPARE(grid.Selection(), 5);
  QCOMPARE(clicks.count(), 1);
  QTest::mouseClick(&grid, Qt::RightButton, {}, QPoint(100, 150));  // cell 15
  QCOMPARE(grid.BackgroundIndex(), 15);
  QCOMPARE(grid.ForegroundIndex(), 5);
  QCOMPARE(clicks.count(), 2);
  QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(500, -20));  // clamped: cell 3
  QCOMPARE(grid.ForegroundIndex(), 3);
}

void ColorGridTest::disabledBackgroundOnlyMovesTheSelection() {
  TMyColorGrid grid;
  grid.show();  // sizes are fitted as the control is laid out
  grid.resize(120, 160);
  grid.SetBackgroundEnabled(false);
  QSignalSpy clicks(&grid, &TMyColorGrid::clicked);
  QSignalSpy changes(&grid, &TMyColorGrid::changed);
  QTest::mouseClick(&grid, Qt::RightButton, {}, QPoint(70, 10));  // cell 2
  QCOMPARE(grid.Selection(), 2);
  QCOMPARE(grid.BackgroundIndex(), 0);
  QCOMPARE(clicks.count(), 1);
  QCOMPARE(changes.count(), 0);
}

void ColorGridTest::clickEnablesADisabledColour() {
  TMyColorGrid grid;
  grid.show();  // sizes are fitted as the control is laid out
  grid.resize(120, 160);
  grid.SetForegroundIndex(9);
  grid.SetForegroundEnabled(false);
  QSignalSpy changes(&grid, &TMyColorGrid::changed);
  QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(45, 90));  // cell 9 again
  QVERIFY(!grid.ForegroundEnabled());  // without ClickEnablesColor nothing happens
  QCOMPARE(changes.count(), 0);
  grid.SetClickEnablesColor(true);
  QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(45, 90));
  QVERIFY(grid.ForegroundEnabled());
  QCOMPARE(grid.ForegroundIndex(), 9);
  QCOMPARE(changes.count(), 1);  // the marker was placed, though on the same cell
}

void ColorGridTest::paintsTheCellsAndMarkers() {
  TMyColorGrid grid;
  grid.show();  // sizes are fitted as the control is laid out
  grid.resize(120, 160);
  grid.SetForegroundIndex(15);
  for (bool three_d : {true, false}) {
    grid.SetCtl3D(three_d);
    const QImage image = grid.grab().toImage();
    QCOMPARE(QColor(image.pixel(45 + 10, 90 + 10)), QColor(255, 0, 0));  // cell 9, off centre
    QCOMPARE(QColor(image.pixel(75 + 10, 130 + 10)), QColor(0, 255, 255));  // cell 14
  }
}
