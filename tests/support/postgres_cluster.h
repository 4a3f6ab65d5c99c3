// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace testing_support {

// The PostgreSQL tests of an executable run under Debian's pg_virtualenv (ctest starts them
// so), which makes a throwaway cluster, sets PGHOST, PGPORT, PGUSER and PGPASSWORD for it and
// removes it when the tests end.
class PostgresCluster {
 public:
  // A new, empty database on that cluster, as a postgresql:// URL; empty with *error saying
  // why when there is no cluster.
  static std::string FreshDatabase(std::string* error);
};

}  // namespace testing_support

// Sets `url` to a fresh database. Without one the test fails under CI, where PostgreSQL is
// required, and is skipped elsewhere; either way with the reason.
#define SCRAWLBOX_POSTGRES_DATABASE(url)                                       \
  do {                                                                         \
    std::string postgres_error_;                                               \
    url = ::testing_support::PostgresCluster::FreshDatabase(&postgres_error_); \
    if (url.empty()) {                                                         \
      if (std::getenv("CI")) FAIL() << postgres_error_;                        \
      GTEST_SKIP() << postgres_error_;                                         \
    }                                                                          \
  } while (false)
