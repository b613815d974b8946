// quorlith-icongen [FOLDER]: writes the game's icon in the sizes of the desktop's icon
// theme below FOLDER (the current directory by default), as share/icons lays them out:
// hicolor/<N>x<N>/apps/quorlith.png.
#include <iostream>
#include <string>

#include "IconPainter.h"

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    std::string error;
    if (!IconGen::writeIcons(folder, error)) {
        std::cerr << "quorlith-icongen: " << error << "\n";
        return 1;
    }
    return 0;
}
