// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QSize>

namespace anemora {

// The layout is written in twips; 15 of them make one logical pixel, and Qt
// scales logical pixels for high-density screens.
constexpr int TwipsPerPixel = 15;

// Nearest whole pixel, halves away from zero.
constexpr int Twips(int value) {
    return value >= 0 ? (value + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-value + TwipsPerPixel / 2) / TwipsPerPixel);
}

constexpr QSize TwipsSize(int width, int height) {
    return {Twips(width), Twips(height)};
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}

constexpr int PixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

// Painter scale that lets drawing code use twip coordinates directly.
constexpr double PixelsPerTwip = 1.0 / TwipsPerPixel;

} // namespace anemora
