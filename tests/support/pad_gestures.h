// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>

#include "client/drawing/pad_tools.h"

namespace testing_support {

// Press, one move to the end and release there, as a mouse drags.
inline void Drag(client::PadTools& tools, int button, QPointF from, QPointF to) {
  tools.Press(button, from);
  tools.Move(button, to);
  tools.Release(button, to);
}

// Press and release on the spot, with no move between.
inline void Click(client::PadTools& tools, int button, QPointF at) {
  tools.Press(button, at);
  tools.Release(button, at);
}

}  // namespace testing_support
