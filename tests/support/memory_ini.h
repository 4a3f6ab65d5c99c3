// SPDX-License-Identifier: MIT
#pragma once

#include "inifile/ini_store.h"

namespace testing_support {

using MemoryIni = inifile::MemoryStore;

}  // namespace testing_support
