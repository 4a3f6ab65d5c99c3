// SPDX-License-Identifier: MIT
#include "tracker/database_url.h"

#include "tracker/tracker_service.h"

namespace tracker {

namespace {

constexpr std::string_view kSqlitePrefix = "sqlite:";
constexpr std::string_view kPostgresPrefixes[] = {"postgresql://", "postgres://"};

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::string DatabaseUrl::Display() const {
  if (kind == Kind::kSqlite) return std::string(kSqlitePrefix) + path;
  return "postgresql://" + user + "@" + host + ":" + std::to_string(port) + "/" + database;
}

std::optional<DatabaseUrl> ParseDatabaseUrl(std::string_view text, std::string* error) {
  DatabaseUrl url;
  if (text.starts_with(kSqlitePrefix)) {
    url.path = std::string(text.substr(kSqlitePrefix.size()));
    if (url.path.empty()) {
      *error = "sqlite: needs a file name";
      return std::nullopt;
    }
    return url;
  }
  std::string_view rest;
  for (std::string_view prefix : kPostgresPrefixes) {
    if (text.starts_with(prefix)) rest = text.substr(prefix.size());
  }
  if (rest.empty()) {
    *error = "the database must be sqlite:PATH or postgresql://user@host:port/database";
    return std::nullopt;
  }
  url.kind = DatabaseUrl::Kind::kPostgresql;
  const size_t slash = rest.find('/');
  if (slash == std::string_view::npos || slash + 1 == rest.size()) {
    *error = "the PostgreSQL URL names no database";
    return std::nullopt;
  }
  url.database = PercentDecode(rest.substr(slash + 1));
  std::string_view authority = rest.substr(0, slash);
  // The password may hold "@", so the last one ends the user part.
  const size_t at = authority.rfind('@');
  if (at != std::string_view::npos) {
    const std::string_view credentials = authority.substr(0, at);
    const size_t colon = credentials.find(':');
    url.user = PercentDecode(credentials.substr(0, colon));
    if (colon != std::string_view::npos)
      url.password = PercentDecode(credentials.substr(colon + 1));
    authority = authority.substr(at + 1);
  }
  const size_t colon = authority.rfind(':');
  if (colon != std::string_view::npos) {
    const std::string_view port = authority.substr(colon + 1);
    if (!AllDigits(port) || port.size() > 5 || std::stoi(std::string(port)) < 1 ||
        std::stoi(std::string(port)) > 65535) {
      *error = "the PostgreSQL port must be a number from 1 to 65535";
      return std::nullopt;
    }
    url.port = std::stoi(std::string(port));
    authority = authority.substr(0, colon);
  }
  url.host = PercentDecode(authority);
  if (url.host.empty()) url.host = "localhost";
  if (url.database.find_first_of("/?#") != std::string::npos) {
    *error = "the PostgreSQL URL takes no options after the database name";
    return std::nullopt;
  }
  return url;
}

}  // namespace tracker
