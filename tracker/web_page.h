// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <vector>

#include "tracker/registry.h"

namespace tracker {

inline constexpr int kPageRefreshSeconds = 30;

// The page of live rooms: plain HTML that refreshes itself, readable on a phone, with no script.
QByteArray RoomsPage(const std::vector<Room>& rooms);

}  // namespace tracker
