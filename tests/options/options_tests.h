#pragma once
// The options suites: the colour grid and the dialog.

#include <QObject>

class ColorGridTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void sizesAreWholeCells();
  void keysMoveTheSelection_data();
  void keysMoveTheSelection();
  void keysPickColours();
  void markersContrastWithTheirCell();
  void mousePicksForegroundAndBackground();
  void disabledBackgroundOnlyMovesTheSelection();
  void clickEnablesADisabledColour();
  void paintsTheCellsAndMarkers();
};

class OptionsDialogTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void cancelWithoutChangesClosesAtOnce();
  void cancelAfterAColourAsksNoStaysYesRestores();
  void addingAndRemovingThemes();
  void twoFilesWithOneDescriptionAreBothDisplayed();
  void themeButtonsActOnTheHighlight_data();
  void themeButtonsActOnTheHighlight();
  void radioGroupIsOneTabStop_data();
  void radioGroupIsOneTabStop();
  void applyWithoutChangesLeavesTheFlagsAlone();
  void colourOutsideTheSixteen();
  void rightClickOnTheGrid();
  void fontsFromTheChooser();
  void placedOverTheMainWindow();
  void endToEnd();
};
