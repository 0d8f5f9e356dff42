// The colours the painters use by name, as 0x00BBGGRR values.
#pragma once

#include <cstdint>

#include "catalogue/settings.h"

namespace vemu::view {

inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kRed = 0x0000FF;
inline constexpr std::uint32_t kBlue = 0xFF0000;
inline constexpr std::uint32_t kGreen = 0x008000;
inline constexpr std::uint32_t kYellow = 0x00FFFF;
inline constexpr std::uint32_t kTeal = 0x808000;
inline constexpr std::uint32_t kSilver = 0xC0C0C0;
inline constexpr std::uint32_t kMoneyGreen = 0xC0DCC0;
inline constexpr std::uint32_t kSkyBlue = 0xF0CAA6;
inline constexpr std::uint32_t kButtonFace = catalogue::SystemColor(15);

}  // namespace vemu::view
