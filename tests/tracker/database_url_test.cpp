// SPDX-License-Identifier: MIT
#include "tracker/database_url.h"

#include <gtest/gtest.h>

namespace tracker {
namespace {

// A URL read back as "kind path | user password host port database | what the logs show".
std::string Read(const std::string& text) {
  std::string error;
  const auto url = ParseDatabaseUrl(text, &error);
  if (!url) return error.empty() ? "refused without a reason" : "refused";
  return std::string(url->kind == DatabaseUrl::Kind::kSqlite ? "sqlite " : "postgresql ") +
         url->path + " | " + url->user + " " + url->password + " " + url->host + " " +
         std::to_string(url->port) + " " + url->database + " | " + url->Display();
}

TEST(DatabaseUrl, ReadsBothKindsAndRefusesWhatItCannotUseWithAReason) {
  EXPECT_EQ(Read("sqlite:rooms/tracker.sqlite"),
            "sqlite rooms/tracker.sqlite |    5432  | sqlite:rooms/tracker.sqlite");
  // No password in the logs.
  EXPECT_EQ(
      Read("postgresql://ann:p%40ss:w@db.example:6543/rooms"),
      "postgresql  | ann p@ss:w db.example 6543 rooms | postgresql://ann@db.example:6543/rooms");
  EXPECT_EQ(Read("postgres://tracker@%2Frun%2Fpostgresql/rooms"),
            "postgresql  | tracker  /run/postgresql 5432 rooms | "
            "postgresql://tracker@/run/postgresql:5432/rooms");
  for (const char* text : {"", "tracker.sqlite", "sqlite:", "mysql://a@b/c", "postgresql://a@b",
                           "postgresql://a@b/", "postgresql://a@b:0/c", "postgresql://a@b:70000/c",
                           "postgresql://a@b:x/c", "postgresql://a@b/c?sslmode=require"})
    EXPECT_EQ(Read(text), "refused") << text;
}

}  // namespace
}  // namespace tracker
