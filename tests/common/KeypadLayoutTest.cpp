#include "KeypadLayout.h"
#include "Keypad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace qmv {
namespace {

bool inside(const KeyRect& inner, const KeyRect& outer)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

bool overlap(const KeyRect& a, const KeyRect& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool isNavigationKey(std::string_view code)
{
    return code == "40" || code == "43" || code == "45" || code == "50";
}

// The corner of the rectangle farthest from the navigation ring's centre, or nearest for `nearest`.
double cornerDistance(const KeyRect& r, bool nearest)
{
    const double cx = navigationCentreX;
    const double cy = navigationCentreY;
    const double nx = std::clamp(cx, double(r.x), double(r.x + r.width));
    const double ny = std::clamp(cy, double(r.y), double(r.y + r.height));
    if (nearest)
        return std::hypot(nx - cx, ny - cy);
    const double fx = std::max(std::abs(r.x - cx), std::abs(r.x + r.width - cx));
    const double fy = std::max(std::abs(r.y - cy), std::abs(r.y + r.height - cy));
    return std::hypot(fx, fy);
}

TEST(KeypadLayout, PlacesEveryKeypadKeyExactlyOnce)
{
    std::set<std::string_view> placed;
    for (const KeyPlacement& placement : keypadLayout)
        EXPECT_TRUE(placed.insert(placement.code).second) << "placed twice: " << placement.code;
    for (const KeyDefinition& key : keypad)
        EXPECT_TRUE(placed.count(key.code)) << "not placed: " << key.code;
    EXPECT_EQ(placed.size(), keypad.size());
}

TEST(KeypadLayout, KeysLieOnTheRemoteAndDoNotOverlap)
{
    const KeyRect panel{0, 0, keypadPanelWidth, keypadPanelHeight};
    EXPECT_TRUE(inside(remoteCase, panel));
    EXPECT_TRUE(inside(remoteCase, KeyRect{0, 0, keypadBodyWidth, keypadBodyHeight}));
    for (size_t i = 0; i < keypadLayout.size(); ++i) {
        const KeyPlacement& a = keypadLayout[i];
        EXPECT_GE(a.rect.width, 20) << a.code;
        EXPECT_GE(a.rect.height, 16) << a.code;
        EXPECT_TRUE(inside(a.rect, remoteCase)) << a.code << " sticks out of the case";
        for (size_t j = i + 1; j < keypadLayout.size(); ++j)
            EXPECT_FALSE(overlap(a.rect, keypadLayout[j].rect))
                << a.code << " overlaps " << keypadLayout[j].code;
    }
}

TEST(KeypadLayout, OnlyTheArrowKeysSitInTheNavigationRing)
{
    for (const KeyPlacement& placement : keypadLayout) {
        if (isNavigationKey(placement.code)) {
            EXPECT_LE(cornerDistance(placement.rect, false), navigationRadius) << placement.code;
        } else {
            EXPECT_GT(cornerDistance(placement.rect, true), navigationRadius) << placement.code;
        }
    }
}

TEST(KeypadLayout, PowerKeysFormTheTopRowInAreaOrder)
{
    // TV, CBL, DVD, AMP from left to right, above every other key.
    int lastX = -1;
    for (int area = 0; area < areaCount; ++area) {
        const auto key = std::find_if(keypad.begin(), keypad.end(),
                                      [area](const KeyDefinition& k) { return k.selectsArea == area; });
        ASSERT_NE(key, keypad.end());
        const KeyRect r = *keyRect(key->code);
        EXPECT_GT(r.x, lastX) << key->code;
        lastX = r.x;
        for (const KeyPlacement& other : keypadLayout) {
            if (findKey(other.code)->selectsArea < 0) {
                EXPECT_LT(r.y + r.height, other.rect.y + 1) << key->code << " is not above " << other.code;
            }
        }
    }
}

TEST(KeypadLayout, LooksUpRectanglesByExactCode)
{
    ASSERT_TRUE(keyRect("71").has_value());
    EXPECT_EQ(keyRect("71")->x, 164);
    EXPECT_FALSE(keyRect("72").has_value());
    EXPECT_FALSE(keyRect("7").has_value());
    EXPECT_FALSE(keyRect("").has_value());
}

} // namespace
} // namespace qmv
