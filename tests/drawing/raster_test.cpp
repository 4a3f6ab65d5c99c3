// SPDX-License-Identifier: MIT
// The raster engine: the same calls give the same pixels on every build.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/raster_scenes.h"

namespace drawing {
namespace {

TEST(Raster, EachSceneGivesItsRecordedPixels) {
  for (const testing_support::GoldenScene& scene : testing_support::GoldenScenes()) {
    Raster raster;
    for (const testing_support::RasterStep& step : scene.steps) Play(raster, step);
    char hash[32];
    std::snprintf(hash, sizeof hash, "0x%016llX",
                  static_cast<unsigned long long>(testing_support::PixelHash(raster)));
    EXPECT_EQ(testing_support::PixelHash(raster), scene.hash) << scene.name << ": " << hash;
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

}  // namespace
}  // namespace drawing
