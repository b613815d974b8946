#include "e2e/TitleScreen.h"

#include <algorithm>
#include <vector>

#include "CFG/Info.h"
#include "CFG/InfoParser.h"
#include "Util/Strings.h"

namespace E2E {

TitleLayout titleLayout(const Image& shot) {
    const CFG::Info config(std::string(QUORLITH_DATA_DIR) + "/quorlith.cfg", nullptr);
    const CFG::InfoParser read(&config);
    TitleLayout layout;
    layout.font.fontScale = read.getNumber<float>("FONT_SCALE");
    layout.font.colGap = read.getNumber<float>("TEXT_COL_GAP");
    layout.baseScale =
        std::min(static_cast<float>(shot.width) / read.getNumber<int>("BASE_SCREEN_WIDTH"),
                 static_cast<float>(shot.height) / read.getNumber<int>("BASE_SCREEN_HEIGHT"));
    const auto time = read.getPoint<float>("TIME_POS");
    layout.timeX = shot.width * time.x;
    layout.timeY = shot.height * time.y;
    std::vector<std::string> keys;
    Util::splitString(config.get("TEXT_INFO_KEYS"), ",", keys, false, true);
    if (!keys.empty()) {
        layout.lineText = config.get(keys[0] + "_TEXT");
        const auto pos = read.getPoint<float>(keys[0] + "_POS");
        layout.lineX = shot.width * pos.x;
        layout.lineY = shot.height * pos.y;
        layout.lineScale = read.getNumber<float>(keys[0] + "_SCALE") * layout.baseScale;
    }
    return layout;
}

std::string shownTime(const Image& shot) {
    const TitleLayout layout = titleLayout(shot);
    return readNumber(shot, layout.timeX, layout.timeY, layout.baseScale, layout.font);
}

double infoLineMatch(const Image& shot) {
    const TitleLayout layout = titleLayout(shot);
    return textMatch(shot, layout.lineText, layout.lineX, layout.lineY, layout.lineScale,
                     layout.font);
}

}  // namespace E2E
