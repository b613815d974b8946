#pragma once

#include <string>
#include <vector>

namespace IconGen {

// The game's icon is a play field of kIconCells x kIconCells cells drawn by the game's
// own rasteriser: the filled centre hexagon, two open rings and the player, white cells
// on a black square with rounded corners.
constexpr int kIconCells = 32;

// The sizes written for the desktop's icon theme, in pixels.
const std::vector<int>& iconSizes();

// RGBA pixels (top row first) of the icon at size x size pixels: every cell is a block
// of size / kIconCells pixels (the nearest cell for sizes that are not a multiple);
// the pixels outside the rounded corners are transparent. Empty for a size below 1.
std::vector<unsigned char> paintIcon(int size);

// Where iconSizes() go below folder: 'hicolor/<N>x<N>/apps/quorlith.png', the layout
// of share/icons.
std::string iconPath(int size);

// Writes the icon in every size below folder; false with an error text when that fails.
bool writeIcons(const std::string& folder, std::string& error);

}  // namespace IconGen
