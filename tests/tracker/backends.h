// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"
#include "tracker/registry.h"

namespace tracker {

enum class Backend { kSqlite, kPostgresql };

// "Sqlite" or "Postgres": the PostgreSQL cases run together, on one cluster.
std::string BackendName(const testing::TestParamInfo<Backend>& info);

// A test that runs once on each back end, each time on a fresh, empty database.
class OnBackend : public testing::TestWithParam<Backend> {
 protected:
  // The database's URL, for Registry::Open and for more instances on the same database.
  const DatabaseUrl& url() const { return url_; }
  // Makes the database; the caller stops when it could not be had (ASSERT / skip). SQLite keeps
  // it in memory unless several registries are to share it.
  void MakeDatabase(bool shared = false);

 private:
  testing_support::TempDir dir_;
  DatabaseUrl url_;
};

// Runs one statement on the database through a connection of its own, past the registry.
bool RawExec(const DatabaseUrl& url, const QString& sql);

}  // namespace tracker

#define SCRAWLBOX_ON_BACKENDS(suite)                                                              \
  INSTANTIATE_TEST_SUITE_P(                                                                       \
      Backends, suite, testing::Values(tracker::Backend::kSqlite, tracker::Backend::kPostgresql), \
      tracker::BackendName)
