// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace protocol {

// Where the pad's tools hand each drawing code they produce; the client's session sends it on.
// Declared here so the pad (below the core) and the session (in the core) can both see it.
class DrawSink {
 public:
  virtual ~DrawSink() = default;
  virtual void SendDrawCommand(std::string_view command, std::string_view data) = 0;
};

}  // namespace protocol
