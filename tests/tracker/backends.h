// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tracker/registry.h"

namespace tracker {

enum class Backend { kSqlite, kPostgresql };

// A test that runs once on each back end, each time on a fresh, empty database.
class OnBackend : public testing::TestWithParam<Backend> {
 protected:
  // The database's URL, for more instances on the same database.
  const DatabaseUrl& url() const { return url_; }
  // Makes the database and opens each registry on it; the test stops when either fails, and is
  // skipped without PostgreSQL. SQLite keeps it in memory unless other than one registry share it.
  void Open(std::initializer_list<Registry*> registries);

 private:
  testing_support::TempDir dir_;
  DatabaseUrl url_;
};

// Runs one statement on the database through a connection of its own, past the registry.
bool RawExec(const DatabaseUrl& url, const QString& sql);

// A public room on port 2020, registered from source without a secret.
Room MakeRoom(const std::string& key, const std::string& source = "192.0.2.1",
              const std::string& address = "198.51.100.7");
std::vector<std::string> Keys(const std::vector<Room>& rooms);

}  // namespace tracker

// Names the cases "Sqlite" and "Postgres": the PostgreSQL cases run together, on one cluster.
#define SCRAWLBOX_ON_BACKENDS(suite)                                                              \
  INSTANTIATE_TEST_SUITE_P(                                                                       \
      Backends, suite, testing::Values(tracker::Backend::kSqlite, tracker::Backend::kPostgresql), \
      [](const testing::TestParamInfo<tracker::Backend>& info) {                                  \
        return info.param == tracker::Backend::kSqlite ? "Sqlite" : "Postgres";                   \
      })
