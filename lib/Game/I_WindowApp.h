#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace Game {

// The window the game draws into, as the game manager sees it: it opens the window,
// runs the frame loop that raises the per-frame events, clears and presents frames
// and keeps the clock.
class I_WindowApp {
public:
    virtual ~I_WindowApp() = default;

    // Installs the input callbacks and event subscriptions; false means the window
    // cannot be used.
    virtual bool initWindowApp() = 0;
    // Raises frame after frame until a quit event arrives.
    virtual void run() = 0;
    // Replaces sizes by the window sizes the display offers, ascending by width, then height.
    virtual void getAllowedSizes(std::vector<std::pair<int, int>>& sizes) = 0;
    // Resizes the window to (first = width, second = height) and announces the new size.
    virtual void setSize(const std::pair<int, int>& size) = 0;
    // Seconds since the window system was initialised.
    virtual double getTime() const = 0;
    // The next frame reports an elapsed time of 0.
    virtual void resetTime() = 0;
    // Presents the drawn frame; window input is delivered while this runs.
    virtual void showWindow() = 0;
    // Clears the colour and depth buffers to colour, laid out 0xRRGGBBAA.
    virtual void clearWindow(unsigned long colour) = 0;

    // Stores the clear colour (its low 32 bits).
    virtual void setClearColor(unsigned long colour) {
        clearColour = static_cast<std::uint32_t>(colour);
    }
    virtual void setClearWindow(bool enabled) { clearEnabled = enabled; }

    std::uint32_t getClearColor() const { return clearColour; }
    bool isClearWindow() const { return clearEnabled; }

protected:
    // Colour the game manager clears each drawn frame to, 0xRRGGBBAA.
    std::uint32_t clearColour = 0;
    // Whether the game manager clears before the views draw.
    bool clearEnabled = true;
};

}  // namespace Game
