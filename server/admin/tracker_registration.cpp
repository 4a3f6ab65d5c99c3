// SPDX-License-Identifier: MIT
#include "server/admin/tracker_registration.h"

#include <algorithm>

#include "common/links.h"
#include "common/version.h"
#include "directory/records.h"
#include "directory/room_address.h"
#include "directory/tracker_words.h"
#include "protocol/numbers.h"
#include "protocol/room_text.h"
#include "protocol/version_text.h"
#include "server/connections/room_server.h"
#include "server/game/word_lists.h"

namespace server {

using directory::URLEncode;
using protocol::NumberText;
namespace action = directory::action;
namespace key = directory::key;

std::string RegistrationKey(std::string computer_name, std::string user_name) {
  std::string key = computer_name + ":" + user_name;
  // ASCII only, whatever the locale, and not the Windows-1252 case rule: the tracker knows a room
  // by these bytes, so they must stay the same from version to version.
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

std::string RegistrationKey(const std::string& machine_key, int port) {
  if (port == directory::kDefaultGamePort) return machine_key;
  return machine_key + ":" + NumberText(port);
}

TrackerRegistration::TrackerRegistration(RoomServer& room, directory::HttpGetter& http,
                                         scrawlbox::Scheduler& scheduler,
                                         const WordLists* word_lists,
                                         const std::string& machine_key, const KeyHash& hash,
                                         inifile::IniStore& ini)
    : room_(room),
      http_(http),
      scheduler_(scheduler),
      word_lists_(word_lists),
      ini_(ini),
      clear_key_(RegistrationKey(machine_key, room.settings().PortNumber())),
      registration_key_(hash(clear_key_)),
      hash_(hash),
      secret_(ini.INIRead(directory::kDirectorySection, kSecretKey, "")),
      players_timer_(scheduler.CreateTimer([this] { CheckPlayers(); })) {
  room_.SetRegistrationKey(registration_key_);
}

void TrackerRegistration::SetHosted(const std::string& code, const std::string& host_key,
                                    std::function<int()> free) {
  code_ = code;
  host_key_ = host_key;
  free_ = std::move(free);
  if (code.empty()) return;
  clear_key_ += "/" + code;
  registration_key_ = hash_(clear_key_);
  room_.SetRegistrationKey(registration_key_);
}

std::string TrackerRegistration::Credentials() const {
  if (!secret_.empty()) return "&" + std::string(key::SECRET) + "=" + secret_;
  // A made room was never listed under another key, and its key's text names the machine.
  if (!code_.empty()) return {};
  // As KEY carried it before, unencoded, so that the tracker reads the text it stored then.
  return "&" + std::string(key::OLDKEY) + "=" + clear_key_;
}

void TrackerRegistration::KeepSecret(const std::string& record) {
  const std::string secret = directory::GetValue(record, key::SECRET);
  // Only what a secret can be: a hostile tracker's answer goes no further into Server.ini.
  if (secret.empty() || secret == secret_ || secret.size() > directory::kMaxSecret ||
      secret.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    return;
  }
  secret_ = secret;
  if (!ini_.INIWrite(directory::kDirectorySection, kSecretKey, secret_)) {
    room_.LogGeneral("The tracker's secret for this room could not be written to Server.ini.",
                     kIconError);
  }
}

std::string TrackerRegistration::SubmitQuery() const {
  const ServerSettings& s = room_.settings();
  const ServerStatistics& stats = room_.statistics();
  const WordListTotals totals = CountWordLists(word_lists_);
  const std::string web = BrowserPage(s, web_port_.value_or(s.WebPortNumber()), code_);
  std::string hosted;
  if (!code_.empty()) hosted += "&" + std::string(key::CODE) + "=" + code_;
  if (!host_key_.empty()) hosted += "&" + std::string(key::HOST) + "=" + host_key_;
  if (free_) hosted += "&" + std::string(key::FREE) + "=" + NumberText(std::max(0, free_()));
  return directory::MakeQuery(
             {{key::ACTION, action::ADD},
              {key::KEY, registration_key_},
              {key::SERVERVERSION, URLEncode(protocol::MainVersionText(
                                       scrawlbox::kVersionMajor, scrawlbox::kVersionMinor,
                                       scrawlbox::kVersionRevision))},
              {key::SERVERNAME, URLEncode(s.Name)},
              {key::DESC, URLEncode(s.Description)},
              {key::IP, s.IPAddress},
              {key::PORT, s.Port},
              {key::ADMINNAME, URLEncode(s.AdminName)},
              {key::ADMINEMAIL, URLEncode(s.AdminEmail)},
              {key::ISPUBLIC, s.PrivateServer ? directory::kTrue : directory::kFalse},
              {key::TOTALCONNECTIONS, NumberText(stats.Get(Stat::EstablishedConnections))},
              {key::TOTALGAMES, NumberText(stats.Get(Stat::GamesCompleted))},
              {key::TOTALROUNDS, NumberText(stats.Get(Stat::Rounds))},
              {key::TOTALWORDS, NumberText(static_cast<double>(totals.words))},
              {key::TOTALWORDLISTS, NumberText(static_cast<double>(totals.lists))},
              {key::LOCKED, s.ServerPassword.empty() ? directory::kFalse : directory::kTrue},
              {key::LANG, s.Language},
              // Last, so that a tracker reading the older fields by position still finds them.
              {key::PLAYERS, NumberText(room_.InRoomCount())}}) +
         (web.empty() ? "" : "&" + directory::MakeQuery({{key::WEB, URLEncode(web)}})) + hosted +
         Credentials();
}

std::string TrackerRegistration::RemoveQuery() const {
  const ServerSettings& s = room_.settings();
  return directory::MakeQuery({{key::ACTION, action::REMOVE},
                               {key::KEY, registration_key_},
                               {key::SERVERNAME, URLEncode(s.Name)},
                               {key::ADMINNAME, URLEncode(s.AdminName)}}) +
         Credentials();
}

void TrackerRegistration::Send(const std::string& query, Kind kind) {
  const bool quiet = kind == Kind::kRefresh;
  if (kind != Kind::kRemove) {
    sent_players_ = room_.InRoomCount();
    sent_free_ = free_ ? free_() : -1;
    sent_at_ms_ = scheduler_.NowMs();
  }
  request_open_ = true;
  http_.Get(
      room_.settings().TrackerUrl + "?" + query, directory::UserAgent("Server"),
      [this, kind, quiet, alive = std::weak_ptr(alive_)](const directory::HttpResult& result) {
        if (alive.expired()) return;
        request_open_ = false;
        React(result, quiet && !RefreshMayLog());
        if (kind == Kind::kRemove) AfterRemovalAnswer(result.ok);
      },
      // Said only once the tracker is reached, so that an unreachable one reads as such.
      [this, quiet, alive = std::weak_ptr(alive_)] {
        if (quiet || alive.expired()) return;
        room_.AsEvent([this] {
          room_.SetStatusMessage(protocol::RoomText("Connected, sending details.."), kIconInfo);
        });
      });
}

void TrackerRegistration::Submit() {
  Send(SubmitQuery(), Kind::kSubmit);
}

void TrackerRegistration::Remove() {
  // From here on the room counts as not listed, whatever the answer: a quit waiting for it must
  // never wait for ever.
  submitted_ = false;
  FollowPlayers();
  Send(RemoveQuery(), Kind::kRemove);
}

void TrackerRegistration::FollowPlayers() {
  if (submitted_ && !players_timer_->IsActive()) players_timer_->Start(kPlayersCheckMs);
  if (!submitted_ && players_timer_->IsActive()) players_timer_->Stop();
}

void TrackerRegistration::CheckPlayers() {
  if (!submitted_ || request_open_ || room_.quit_stage() != RoomServer::QuitStage::kRunning) return;
  const bool free_changed = free_ && free_() != sent_free_;
  if (room_.InRoomCount() == sent_players_ && !free_changed) return;
  // A host's free rooms steer where the directory sends those who want a room: they go out
  // sooner than a count of players, from one listing a host.
  const int64_t interval = free_changed ? kHostRefreshIntervalMs : kRefreshIntervalMs;
  if (scheduler_.NowMs() - sent_at_ms_ < interval) return;
  Send(SubmitQuery(), Kind::kRefresh);
}

bool TrackerRegistration::RefreshMayLog() {
  const int64_t now = scheduler_.NowMs();
  if (refresh_logged_at_ms_ && now - *refresh_logged_at_ms_ < kRefreshLogMs) return false;
  refresh_logged_at_ms_ = now;
  return true;
}

void TrackerRegistration::React(const directory::HttpResult& result, bool quiet) {
  if (!result.ok) {
    if (quiet) return;
    room_.AsEvent([&] {
      room_.SetStatusMessage(protocol::RoomText("Tracker Socket Error: [%1] - %2",
                                                {NumberText(result.error), result.error_text}),
                             kIconInfo);
    });
    return;
  }
  room_.AsEvent([&] {
    const std::string record = directory::ReplyRecord(result.body);
    const std::string status = directory::GetValue(record, key::STATUS);
    std::string extra = directory::GetValue(record, key::EXTRA);
    std::replace(extra.begin(), extra.end(), '|', '\n');
    std::string text;
    if (status == directory::status::SUBMITOK || status == directory::status::UPDATEOK) {
      KeepSecret(record);
    }
    if (status == directory::status::SUBMITOK) {
      text = protocol::RoomText("Your server was submitted successfully to the public database.");
      submitted_ = true;
      room_.statistics().Increment(Stat::TrackerSubmissions);
    } else if (status == directory::status::UPDATEOK) {
      text = protocol::RoomText("Your server details have been updated in the public database.");
      submitted_ = true;
    } else if (status == directory::status::REMOVEOK) {
      text = protocol::RoomText("Your server details have been removed from the server.");
      submitted_ = false;
    } else if (status == directory::status::NOTFOUND) {
      text = protocol::RoomText("Your server was not found in the listings database.");
      submitted_ = false;
    } else if (status == directory::status::OUTOFDATE) {
      text = protocol::RoomText(
          "It seems your client is out of date. Please download the new version.");
    } else if (status == directory::status::MSG) {
      text = extra;
      if (!quiet)
        room_.view().ShowMessage(kIconInfo, protocol::RoomText("Message from server.."), extra);
    } else if (status == directory::status::BANNED) {
      text = extra;
      if (!quiet) room_.view().ShowMessage(kIconWarning, protocol::RoomText("Banned"), extra);
    } else if (status == directory::status::FAIL) {
      text = protocol::RoomText("General failure: %1", {extra});
    } else if (status == directory::status::ERROR) {
      text = protocol::RoomText("Server returned error: %1", {extra});
    } else {
      text = protocol::RoomText("Unknown status returned: %1", {record});
    }
    FollowPlayers();
    if (!quiet) room_.SetStatusMessage(text, kIconInfo);
  });
}

void TrackerRegistration::AfterRemovalAnswer(bool ok) {
  // After a failure a window stays open so that the operator reads what went wrong; the room
  // already counts as not listed, so the next close ends the program. Without a window nobody
  // would close it again, so the quit goes on.
  room_.EndTrackerWait(ok || remove_on_quit_);
}

QuitGate::Decision TrackerRegistration::BeforeQuit() {
  if (!submitted_) return Decision::kProceed;
  if (!remove_on_quit_ && !room_.settings().AutoRemoveFromTracker) {
    room_.SetStatusMessage(
        protocol::RoomText("You need to perform a Remove Server before shutting down the server."),
        kIconWarning);
    return Decision::kStayOpen;
  }
  Remove();
  if (remove_on_quit_) {
    scheduler_.SingleShot(kQuitWaitMs, [this, alive = std::weak_ptr(alive_)] {
      if (!alive.expired()) room_.EndTrackerWait(true);
    });
  }
  return Decision::kWaitForTracker;
}

void TrackerRegistration::CheckForUpdate() {
  http_.Get(
      room_.settings().UpdateUrl + "server.txt", directory::UserAgent("Server"),
      [this, alive = std::weak_ptr(alive_)](const directory::HttpResult& result) {
        if (alive.expired()) return;
        room_.AsEvent([&] {
          if (!result.ok) {
            room_.SetStatusMessage(
                protocol::RoomText("Error checking for update! Please check the logs!"), kIconInfo);
            room_.LogGeneral(
                "There was an error checking for a newer version of the "
                "server - " +
                    NumberText(result.error) + ": " + result.error_text + ".",
                kIconError);
            return;
          }
          if (directory::NamesNewerVersion(result.body)) {
            room_.view().OfferDownload(
                protocol::RoomText("New version available.."),
                protocol::RoomText("There is an updated Scrawlbox server available for "
                                   "download!\nWould you like to be taken to the download page?"),
                scrawlbox::kDownloadUrl);
          } else {
            room_.SetStatusMessage(
                protocol::RoomText(
                    "Check done. You are already running the latest version of the server."),
                kIconInfo);
          }
        });
      });
}

}  // namespace server
