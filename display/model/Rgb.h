#pragma once

namespace talvo::display {

// A drawing colour; the files and settings store colours as red + 256 green + 65536 blue.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kSignalGreen{0, 255, 0};
inline constexpr Rgb kSignalAmber{255, 255, 0};
inline constexpr Rgb kSignalRed{255, 0, 0};

}  // namespace talvo::display
