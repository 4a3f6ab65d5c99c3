// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Every drawing action travels as one message whose command is a two-letter drawing code and
// whose data holds numeric fields in pad pixels. Codes without fields carry "-".
namespace protocol {

enum class DrawCode {
  CU,  // "-": take an undo point now
  FH,  // x1, y1, x2, y2: freehand segment in the current colour and width
  ER,  // x, y: white disc of radius 10
  SP,  // x, y: spray burst, its dots seeded from the fields and the bursts since CU
  LI,  // x1, y1, x2, y2: straight line
  CI,  // x1, y1, x2, y2: ellipse inscribed in the rectangle of the two corners
  BO,  // left, top, right, bottom: rectangle, corners inclusive
  FL,  // x, y: flood fill with the current colour
  UN,  // "-": replace the pad with the undo buffer
  CL,  // "-": take an undo point, then clear the pad to white
  FT,  // "0" solid or "1" hollow closed shapes
  DW,  // button (1-4), width in pixels
  PA,  // palette index 0-23
  CC,  // red, green, blue 0-255: a custom colour
};

inline constexpr size_t kDrawCodeCount = 14;
inline constexpr size_t kMaxDrawFields = 4;

// The command word of a code, "CU" for DrawCode::CU.
std::string_view DrawCodeWord(DrawCode code);
// The code of a command word, or nothing when the word is not a drawing code.
std::optional<DrawCode> DrawCodeFromWord(std::string_view word);
// Number of numeric fields the drawing client sends (0 for the codes that carry "-").
size_t DrawFieldCount(DrawCode code);

// A drawing action with its numeric fields in the order of the table above.
struct DrawCommand {
  DrawCode code = DrawCode::CU;
  std::array<double, kMaxDrawFields> fields{};
};

// Sender: the DATA of the message, fields joined by code 3 ("-" for codes without fields).
std::string BuildDrawData(const DrawCommand& command);

// Server: what goes to the other clients. CL carries "-" alone; CU and UN carry the sender's
// user id and "-" whatever the sender put there; every other code carries the user id in front
// of the received data.
std::string RelayDrawData(DrawCode code, int32_t sender_id, std::string_view data);
// The same as the whole framed message, written over `framed`: the server does this for every
// stroke, into a buffer that keeps its memory.
void FrameRelayedDrawing(std::string& framed, DrawCode code, int32_t sender_id,
                         std::string_view data);
// Only CL goes back to its sender as well.
inline bool RelayIncludesSender(DrawCode code) {
  return code == DrawCode::CL;
}

// Reads the fields of data as its sender wrote it (no user id in front). A missing or
// non-numeric field reads as 0.
DrawCommand ParseDrawData(DrawCode code, std::string_view data);

// Receiver: reads the fields of relayed data (user id first, then the sender's fields, except
// for CL). A missing or non-numeric field reads as 0.
DrawCommand ParseRelayedDrawData(DrawCode code, std::string_view data);

// A colour is red + 256 * green + 65536 * blue.
struct ColourFields {
  int red = 0;
  int green = 0;
  int blue = 0;
};
ColourFields SplitColour(uint32_t colour);
uint32_t JoinColour(int red, int green, int blue);

}  // namespace protocol
