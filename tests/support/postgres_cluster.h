// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace testing_support {

// A throwaway PostgreSQL cluster for the tests of one executable: made in a temporary folder
// with Debian's initdb and pg_ctl on a free loopback port the first time a test asks for a
// database, and removed when the tests end. PostgreSQL refuses to run as root, so under root
// it runs as the postgres user the package creates.
class PostgresCluster {
 public:
  // A new, empty database on the shared cluster, as a postgresql:// URL; empty with *error
  // saying why when no cluster could be started.
  static std::string FreshDatabase(std::string* error);
  // Stops the cluster and removes its folder (the test environment does this at the end).
  static void Stop();
};

// Registers the cluster's clean-up with GoogleTest: call once from main.
void AddPostgresEnvironment();

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
