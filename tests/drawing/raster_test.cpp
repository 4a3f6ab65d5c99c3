// SPDX-License-Identifier: MIT
// The raster engine, pixel by pixel: the same calls give the same pixels on every build.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "tests/support/raster_scenes.h"

namespace drawing {
namespace {

using testing_support::Footprint;

int CountOf(const Raster& raster, uint32_t pixel) {
  return static_cast<int>(
      std::count(raster.pixels(), raster.pixels() + Raster::kWidth * Raster::kHeight, pixel));
}

TEST(Raster, EachSceneGivesItsRecordedPixels) {
  for (const testing_support::GoldenScene& scene : testing_support::GoldenScenes()) {
    Raster raster;
    for (const testing_support::RasterStep& step : scene.steps) Play(raster, step);
    char hash[32];
    std::snprintf(hash, sizeof hash, "0x%016llX",
                  static_cast<unsigned long long>(PixelHash(raster)));
    EXPECT_EQ(PixelHash(raster), scene.hash) << scene.name << ": " << hash;
  }
}

TEST(Raster, AFillStopsAtAOnePixelDiagonal) {
  Raster raster;
  raster.SetPenWidth(1);
  raster.Line(0, 0, Raster::kHeight - 1, Raster::kHeight - 1);
  raster.Line(Raster::kHeight - 1, Raster::kHeight - 1, Raster::kWidth - 1, 0);
  raster.SetPenColour(0xFF0000);
  raster.FloodFill(Raster::kHeight - 1, 10);
  EXPECT_EQ(raster.pixel(10, Raster::kHeight - 1), Raster::kWhite);
  EXPECT_EQ(raster.pixel(Raster::kHeight - 1, 10), 0xFFFF0000u);
}

TEST(Raster, ShapesCoverExactlyTheirPixels) {
  struct Case {
    const char* name;
    char shape;  // Line, Box or Ellipse
    int width;
    double x1, y1, x2, y2;
    std::array<int, 4> footprint;  // left, top, width, height
  };
  // clang-format off
  for (const Case& c : {
      Case{"a line has round ends and its width", 'L', 2, 10, 10, 50, 10, {9, 9, 42, 2}},
      Case{"a dot is the round end alone", 'L', 8, 100, 100, 100, 100, {96, 96, 8, 8}},
      Case{"a box is inclusive", 'B', 1, 10, 10, 20, 15, {10, 10, 11, 6}},
      Case{"a flat ellipse is a line", 'E', 1, 10, 50, 60, 50, {10, 50, 51, 1}},
      Case{"an ellipse with no width is nothing", 'E', 2, 30, 10, 30, 90, {}},
      Case{"an ellipse", 'E', 1, 100, 100, 140, 120, {100, 100, 41, 21}}}) {
    // clang-format on
    SCOPED_TRACE(c.name);
    Raster pad;
    pad.SetPenWidth(c.width);
    if (c.shape == 'L') pad.Line(c.x1, c.y1, c.x2, c.y2);
    if (c.shape == 'B') pad.Box(c.x1, c.y1, c.x2, c.y2);
    if (c.shape == 'E') pad.Ellipse(c.x1, c.y1, c.x2, c.y2, false);
    EXPECT_EQ(Footprint(pad), c.footprint);
  }
  // The spray stays within ten pixels left and above and nine right and below.
  Raster pad;
  for (uint64_t seed = 0; seed < 500; ++seed) pad.SprayBurst(100, 100, seed);
  EXPECT_EQ(Footprint(pad), (std::array<int, 4>{90, 90, 20, 20}));
}

TEST(Raster, FillsEraseAndFloodMatchColoursExactly) {
  constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
  constexpr uint32_t kNearlyWhite = 0xFEFFFF;
  Raster pad;
  pad.SetPenWidth(1);
  pad.Box(10, 10, 30, 30);
  pad.SetFillMode(Raster::FillMode::kSolid);
  pad.SetFillColour(kRed);
  pad.Box(50, 10, 60, 20);  // solid: the pen's edge round the fill
  EXPECT_EQ(CountOf(pad, 0xFF000000 | kRed), 9 * 9);
  pad.SetFillMode(Raster::FillMode::kTransparent);
  pad.SetPenColour(kNearlyWhite);  // but not white
  pad.Line(40, 0, 40, Raster::kHeight);
  pad.SetPenColour(kGreen);
  pad.FloodFill(20, 20);  // inside the box only
  EXPECT_EQ(CountOf(pad, 0xFF000000 | kGreen), 19 * 19);
  EXPECT_EQ(pad.fill_mode(), Raster::FillMode::kSolid);
  pad.SetPenColour(kBlue);
  pad.FloodFill(100, 100);  // right of the near-white wall only, up to the red box's edge
  const int wall = CountOf(pad, 0xFF000000 | kNearlyWhite);
  EXPECT_EQ(CountOf(pad, 0xFF000000 | kBlue) + 11 * 11,
            (Raster::kWidth - 40) * Raster::kHeight - wall);
  pad.FloodFill(-5, 1e9);  // outside the pad: nothing

  // The erase disc is white and leaves the fill colour white.
  pad.SetFillMode(Raster::FillMode::kSolid);
  pad.SetPenColour(0);
  pad.SetFillColour(0);
  pad.Box(100, 100, 200, 200);
  pad.SetFillMode(Raster::FillMode::kTransparent);
  pad.EraseDisc(150, 150);
  EXPECT_EQ(pad.pixel(159, 150), Raster::kWhite);
  EXPECT_EQ(pad.pixel(164, 150), Raster::kBlack);
  EXPECT_EQ(pad.fill_colour(), Raster::kWhite);
  EXPECT_EQ(pad.fill_mode(), Raster::FillMode::kTransparent);
}

}  // namespace
}  // namespace drawing
