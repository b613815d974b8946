// quorlith-fontgen [FOLDER]: writes the game's bitmap font (glyph image and font
// configuration file) into FOLDER, the current directory by default.
#include <iostream>

#include "FontWriter.h"

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    std::string error;
    if (!FontGen::writeFont(folder, error)) {
        std::cerr << "quorlith-fontgen: " << error << "\n";
        return 1;
    }
    std::cout << "wrote " << folder << "/" << FontGen::kFontConfigName << " and " << folder << "/"
              << FontGen::kGlyphImageName << "\n";
    return 0;
}
