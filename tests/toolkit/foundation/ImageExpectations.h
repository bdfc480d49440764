// What the image manager's states and derived images should make of a colour, and blends to
// compare drawn pixels with, for the image manager's tests and the foundation scene's.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "tests/toolkit/foundation/FoundationTestSupport.h"
#include "toolkit/foundation/ColorManager.h"

namespace foundationtest {

// Images as the scene numbers them: 0-4 the states, 5 faded, 6 shadow.
inline COLORREF ExpectedImageColour(COLORREF c, int image)
{
    switch (image) {
    case 1: { // generated disabled
        double l = (0.114 * GetBValue(c) + 0.587 * GetGValue(c) + 0.299 * GetRValue(c)) / 255.0;
        int g = static_cast<int>(255.0 * std::sqrt(l));
        return RGB(g, g, g);
    }
    case 5: {
        auto f = [](int v) { return static_cast<int>(0.7 * v + 76.5); };
        return RGB(f(GetRValue(c)), f(GetGValue(c)), f(GetBValue(c)));
    }
    case 6: {
        COLORREF s = GetColorManager()->GetColor(31);
        return RGB(static_cast<int>(0.75 * GetRValue(s)), static_cast<int>(0.75 * GetGValue(s)),
                   static_cast<int>(0.75 * GetBValue(s)));
    }
    default:
        return c;
    }
}

inline COLORREF BlendOver(COLORREF c, COLORREF background, int alpha)
{
    auto mix = [&](int f, int b) { return (f * alpha + b * (255 - alpha) + 127) / 255; };
    return RGB(mix(GetRValue(c), GetRValue(background)), mix(GetGValue(c), GetGValue(background)),
               mix(GetBValue(c), GetBValue(background)));
}

// Near, with both colours in the failure message.
inline ::testing::AssertionResult IsNear(COLORREF expected, COLORREF actual, int tolerance)
{
    if (Near(expected, actual, tolerance))
        return ::testing::AssertionSuccess();
    char text[80];
    wsprintfA(text, "expected %06X, drawn %06X", static_cast<unsigned>(expected), static_cast<unsigned>(actual));
    return ::testing::AssertionFailure() << text;
}

} // namespace foundationtest
