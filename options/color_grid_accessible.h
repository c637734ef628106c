#pragma once
// What screen readers see of the colour grid: a list of its 16 cells, each named with its colour
// and saying whether it carries the foreground or the background marker; pressing a cell picks
// it as the foreground colour, as a left click does.

namespace vornelle::options {

class TMyColorGrid;

// Makes Qt take the grid's accessible interface from here. Once is enough; more are harmless.
void InstallColorGridAccessibility();

// Tell screen readers that a cell's marker came or went, and that the keyboard's cell moved.
void NotifyCellMarked(TMyColorGrid& grid, int index);
void NotifyCellFocused(TMyColorGrid& grid, int index);

}  // namespace vornelle::options
