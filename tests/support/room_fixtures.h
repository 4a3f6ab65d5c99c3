// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

namespace testing_support {

// Players who went through the whole login on a room harness H: ann in slot 1 (id 100000) and
// ben in slot 2 (id 100001).
template <typename H>
class TwoInRoom : public testing::Test {
 protected:
  void SetUp() override {
    a = h.Join("ann");
    b = h.Join("ben");
  }

  H h;
  int a = 0, b = 0;
};

// The same with cid in slot 3 (id 100002).
template <typename H>
class ThreeInRoom : public TwoInRoom<H> {
 protected:
  void SetUp() override {
    TwoInRoom<H>::SetUp();
    c = this->h.Join("cid");
  }

  int c = 0;
};

}  // namespace testing_support
