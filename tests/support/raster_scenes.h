// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "drawing/raster.h"

namespace testing_support {

// One call on the raster: op names it, a to e are its arguments in the order of the call.
//   w width, p pen colour, f fill colour, m fill mode (1 solid), L line, E erase disc,
//   R erase ring, S spray (c the seed), B box, O ellipse (e 1: round_radius), F flood fill,
//   U undo point, u undo, C clear.
struct RasterStep {
  char op;
  double a = 0, b = 0, c = 0, d = 0, e = 0;
};

// A fixed stream of calls and the drawing::PixelHash of the pixels it leaves. Every build of the
// raster, native or WebAssembly, must give these hashes.
struct GoldenScene {
  const char* name;
  std::vector<RasterStep> steps;
  uint64_t hash;
};

// clang-format off
inline void Play(drawing::Raster& r, const RasterStep& s) {
  using Mode = drawing::Raster::FillMode;
  switch (s.op) {
    case 'w': r.SetPenWidth(s.a); break;
    case 'p': r.SetPenColour(static_cast<uint32_t>(s.a)); break;
    case 'f': r.SetFillColour(static_cast<uint32_t>(s.a)); break;
    case 'm': r.SetFillMode(s.a == 1 ? Mode::kSolid : Mode::kTransparent); break;
    case 'L': r.Line(s.a, s.b, s.c, s.d); break;
    case 'E': r.EraseDisc(s.a, s.b); break;
    case 'R': r.EraseRing(s.a, s.b); break;
    case 'S': r.SprayBurst(s.a, s.b, static_cast<uint64_t>(s.c)); break;
    case 'B': r.Box(s.a, s.b, s.c, s.d); break;
    case 'O': r.Ellipse(s.a, s.b, s.c, s.d, s.e == 1); break;
    case 'F': r.FloodFill(s.a, s.b); break;
    case 'U': r.CreateUndoBuffer(); break;
    case 'u': r.Undo(); break;
    case 'C': r.Clear(); break;
    default: break;
  }
}
// clang-format on

// The bounding box of the pixels that are not white: left, top, width, height; all 0 for none.
inline std::array<int, 4> Footprint(const drawing::Raster& r) {
  int left = drawing::Raster::kWidth, top = drawing::Raster::kHeight, right = -1, bottom = -1;
  for (int y = 0; y < drawing::Raster::kHeight; ++y) {
    for (int x = 0; x < drawing::Raster::kWidth; ++x) {
      if (r.pixel(x, y) == drawing::Raster::kWhite) continue;
      left = std::min(left, x);
      top = std::min(top, y);
      right = std::max(right, x);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

inline std::vector<GoldenScene> GoldenScenes() {
  constexpr double kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x1F7A30;
  // clang-format off
  return {
      {"white pad", {}, 0x8C005C166D94B40D},
      {"lines at every brush width", {
          {'w', 1}, {'L', 10, 10, 200, 57}, {'L', 20, 300, 30, 40}, {'L', 300, 300, 300, 300},
          {'w', 2}, {'L', 10, 30, 200, 77}, {'L', 250, 250, 250, 250},
          {'w', 4}, {'L', 10, 60, 200, 107.5}, {'L', 260, 250, 260, 250},
          {'w', 8}, {'L', 10, 100, 200, 147}, {'L', 280, 250, 280, 250},
          {'w', 37}, {'p', kRed}, {'L', 400, 50, 450, 280}}, 0x1953E888EC9B664E},
      {"boxes outlined and solid", {
          {'w', 1}, {'B', 10, 10, 60, 40}, {'m', 1}, {'f', kRed}, {'B', 70, 10, 120, 40},
          {'w', 8}, {'B', 130, 10, 200, 80}, {'m', 0}, {'B', 300, 100, 210, 200}},
       0x9E879DB835EBDC43},
      {"ellipses outlined, solid, rounded and flat", {
          {'w', 1}, {'O', 10, 10, 90, 60}, {'w', 4}, {'O', 100, 10, 181, 107, 1},
          {'m', 1}, {'f', kBlue}, {'O', 200, 20, 300, 300}, {'w', 2}, {'O', 320, 50, 500, 50},
          {'O', 320, 100, 321, 300, 1}}, 0x97C2DF2B550F7BCD},
      {"erasing over a solid box", {
          {'m', 1}, {'B', 50, 50, 300, 200}, {'m', 0}, {'E', 60, 60}, {'E', 70, 64},
          {'w', 8}, {'E', 150, 150}, {'R', 200, 100}, {'m', 1}, {'f', kGreen}, {'R', 250, 120}},
       0x9D9C63224B64E40D},
      {"spray bursts", {
          {'S', 100, 100, 1}, {'S', 100, 100, 2}, {'w', 1}, {'S', 200, 100, 3},
          {'w', 8}, {'p', kRed}, {'S', 300, 150, 4}, {'S', 505, 318, 5}}, 0xEDCF9D5849F40955},
      // The seed of the first burst at (100, 100) after CU; the page's test replays it.
      {"a spray as a pad replays it after CU", {{'S', 100, 100, 0x6400000064}}, 0x1961B0B569594A0C},
      {"a fill of an odd region", {
          {'w', 1}, {'O', 50, 30, 300, 290}, {'L', 0, 0, 510, 321}, {'B', 120, 100, 200, 180},
          {'w', 4}, {'L', 175, 40, 175, 250}, {'p', kGreen}, {'F', 150, 150},
          {'p', kRed}, {'F', 400, 20}, {'F', 400, 20}}, 0x8CABE86E7EB0DF60},
      {"undo goes one step back", {
          {'U'}, {'L', 10, 10, 100, 100}, {'U'}, {'L', 100, 10, 10, 100}, {'u'}, {'u'}},
       0x2A4578127A15F9FD},
      {"clear and draw again", {
          {'w', 8}, {'L', 10, 10, 400, 300}, {'C'}, {'B', 5, 5, 20, 20}}, 0x2EB22750C488AE8D},
      {"far and broken coordinates draw nothing", {
          {'w', 100}, {'L', 1e9, -1e9, 1e9, 1e9}, {'B', -1e9, -1e9, -1e9 + 5, 1e9},
          {'O', 1e9, 1e9, 1e9 + 1, 3}, {'S', 1e9, -1e9, 7}, {'E', -1e9, 0}, {'R', 0, 1e9},
          {'F', 1e9, 5}, {'L', 0.0 / 0.0, 5, 10, 10}, {'O', 1.0 / 0.0, 0, 0, 10},
          {'L', -1e308, 5, 1e308, 5}, {'O', -1e308, 0, 1e308, 10}, {'B', -1e308, 0, 1e308, 9}},
       0x8C005C166D94B40D},
  };
  // clang-format on
}

}  // namespace testing_support
