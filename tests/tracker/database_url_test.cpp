// SPDX-License-Identifier: MIT
#include "tracker/database_url.h"

#include <gtest/gtest.h>

namespace tracker {
namespace {

TEST(DatabaseUrl, ReadsBothKinds) {
  std::string error;
  const auto file = ParseDatabaseUrl("sqlite:rooms/tracker.sqlite", &error);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->kind, DatabaseUrl::Kind::kSqlite);
  EXPECT_EQ(file->path, "rooms/tracker.sqlite");

  const auto full = ParseDatabaseUrl("postgresql://ann:p%40ss:w@db.example:6543/rooms", &error);
  ASSERT_TRUE(full) << error;
  EXPECT_EQ(full->kind, DatabaseUrl::Kind::kPostgresql);
  EXPECT_EQ(full->user, "ann");
  EXPECT_EQ(full->password, "p@ss:w");
  EXPECT_EQ(full->host, "db.example");
  EXPECT_EQ(full->port, 6543);
  EXPECT_EQ(full->database, "rooms");
  EXPECT_EQ(full->Display(), "postgresql://ann@db.example:6543/rooms");  // no password in logs

  const auto socket = ParseDatabaseUrl("postgres://tracker@%2Frun%2Fpostgresql/rooms", &error);
  ASSERT_TRUE(socket) << error;
  EXPECT_EQ(socket->host, "/run/postgresql");
  EXPECT_EQ(socket->port, 5432);
  EXPECT_EQ(socket->password, "");
}

TEST(DatabaseUrl, RefusesWhatItCannotUseWithAReason) {
  for (const char* text : {"", "tracker.sqlite", "sqlite:", "mysql://a@b/c", "postgresql://a@b",
                           "postgresql://a@b/", "postgresql://a@b:0/c", "postgresql://a@b:70000/c",
                           "postgresql://a@b:x/c", "postgresql://a@b/c?sslmode=require"}) {
    std::string error;
    EXPECT_FALSE(ParseDatabaseUrl(text, &error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

}  // namespace
}  // namespace tracker
