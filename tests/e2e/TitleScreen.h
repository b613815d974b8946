#pragma once

// What the title screen of the shipped configuration shows, read from a screenshot.

#include <string>

#include "e2e/GameDriver.h"
#include "e2e/TextReader.h"

namespace E2E {

// Where the shipped configuration puts the texts, for a window of the screenshot's size.
struct TitleLayout {
    TextLayout font;
    float baseScale = 1.0f;
    float timeX = 0, timeY = 0;
    std::string lineText;  // the first info line and where it goes
    float lineX = 0, lineY = 0, lineScale = 1.0f;
};

TitleLayout titleLayout(const Image& shot);
// The time the title shows; empty when it cannot be read.
std::string shownTime(const Image& shot);
// How cleanly the first info line shows (0 ... 1): the title is on screen above 0.95.
double infoLineMatch(const Image& shot);

}  // namespace E2E
