#pragma once

#include <cstdint>

namespace vireluna::designgen::thread {

// Thread numbers of the palette, by the colour they name.
inline constexpr std::int32_t Black = 1;
inline constexpr std::int32_t White = 2;
inline constexpr std::int32_t Orange = 4;
inline constexpr std::int32_t Green = 6;
inline constexpr std::int32_t Sky = 7;
inline constexpr std::int32_t Purple = 8;
inline constexpr std::int32_t Pink = 9;
inline constexpr std::int32_t Brown = 11;
inline constexpr std::int32_t Blue = 12;
inline constexpr std::int32_t Gold = 13;
inline constexpr std::int32_t DarkBrown = 14;
inline constexpr std::int32_t PaleViolet = 15;
inline constexpr std::int32_t PaleYellow = 16;
inline constexpr std::int32_t PalePink = 17;
inline constexpr std::int32_t Peach = 18;
inline constexpr std::int32_t WineRed = 20;
inline constexpr std::int32_t PaleSky = 21;
inline constexpr std::int32_t YellowGreen = 22;
inline constexpr std::int32_t BabyBlue = 26;
inline constexpr std::int32_t NavyBlue = 30;
inline constexpr std::int32_t Coral = 32;
inline constexpr std::int32_t BurntOrange = 33;
inline constexpr std::int32_t Sunflower = 37;
inline constexpr std::int32_t OrchidPink = 38;
inline constexpr std::int32_t PeonyPurple = 39;
inline constexpr std::int32_t Burgundy = 40;
inline constexpr std::int32_t RoyalPurple = 41;
inline constexpr std::int32_t CardinalRed = 42;
inline constexpr std::int32_t MeadowGreen = 45;
inline constexpr std::int32_t DarkGreen = 46;
inline constexpr std::int32_t EmeraldGreen = 48;
inline constexpr std::int32_t PeacockGreen = 49;
inline constexpr std::int32_t Sepia = 57;
inline constexpr std::int32_t BlueInk = 60;
inline constexpr std::int32_t SolarBlue = 61;
inline constexpr std::int32_t FloralPink = 64;
inline constexpr std::int32_t Tangerine = 72;
inline constexpr std::int32_t Vermilion = 74;
inline constexpr std::int32_t OceanBlue = 76;

}  // namespace vireluna::designgen::thread
