#pragma once

#include <cstdint>
#include <string>

namespace talvo {

// A colour as the settings file stores it: red + 256 * green + 65536 * blue.
using ColourValue = std::uint32_t;

constexpr ColourValue Rgb(int red, int green, int blue) {
    return static_cast<ColourValue>(red) + 256u * static_cast<ColourValue>(green) +
           65536u * static_cast<ColourValue>(blue);
}

// The five drawing colours of the map.
struct ColourScheme {
    ColourValue cell = Rgb(0, 255, 0);
    ColourValue line = Rgb(0, 0, 255);
    ColourValue node = Rgb(128, 200, 0);
    ColourValue text = Rgb(0, 0, 0);
    ColourValue selection = Rgb(255, 0, 0);

    bool operator==(const ColourScheme&) const = default;
};

// The settings file's name in the program directory.
inline constexpr const char* kColourSettingsFile = "conf.txt";

// One line "cell,line,node,text,selection". A missing or unreadable file gives the
// defaults; so does a line that does not hold five colour values, so that a damaged
// file never leaves the map half-coloured.
ColourScheme ReadColourScheme(const std::string& path);
// Returns false when the file cannot be written.
bool WriteColourScheme(const std::string& path, const ColourScheme& scheme);
std::string FormatColourScheme(const ColourScheme& scheme);

}  // namespace talvo
