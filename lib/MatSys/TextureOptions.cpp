#include "MatSys/TextureOptions.h"

#include <vector>

#include "Util/Strings.h"

namespace MatSys {

TextureOptions TextureOptions::s_defOpts(true, true, true, true);

TextureOptions TextureOptionsMaker::make(std::string name) const {
    TextureOptions options = TextureOptions::s_defOpts;
    std::vector<std::string> words;
    Util::splitString(name, ".", words, false, true);
    for (const std::string& word : words) {
        if (word == "2D")
            options.is2D = true;
        else if (word == "3D")
            options.is2D = false;
        else if (word == "LINR")
            options.linear = true;
        else if (word == "NEAR")
            options.linear = false;
        else if (word == "MIP")
            options.mipmaps = true;
        else if (word == "NMIP")
            options.mipmaps = false;
        else if (word == "CMP")
            options.compressed = true;
        else if (word == "NCMP")
            options.compressed = false;
    }
    return options;
}

}  // namespace MatSys
