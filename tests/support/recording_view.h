// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <string>
#include <vector>

#include "server/connections/ports.h"

namespace testing_support {

// Keeps everything the server showed its operator.
class RecordingView : public server::ServerView {
 public:
  struct LogEntry {
    server::LogKind kind;
    std::string text;
  };
  struct Row {
    std::string name;
    std::string status;
  };

  void Log(server::LogKind kind, const std::string& text, int) override {
    logs.push_back({kind, text});
  }
  void SetStatusMessage(const std::string& text, int icon) override {
    ++status_messages;
    status_text = text;
    status_icon = icon;
  }
  void SetMasterState(int state) override { master_states.push_back(state); }
  void AddConnectionRow(int, int32_t id, const std::string&, const std::string& name,
                        const std::string& status) override {
    rows[id] = Row{name, status};
  }
  void UpdateConnectionRow(int32_t id, const std::string& name, const std::string& status,
                           double bytes) override;
  void RemoveConnectionRow(int32_t id) override { rows.erase(id); }
  void QuitFinished() override { ++quit_finished; }
  void ShowMessage(int icon, const std::string& title, const std::string& text) override {
    (icon == server::kIconError ? criticals : messages).push_back(title + ": " + text);
  }
  void OfferDownload(const std::string& title, const std::string&,
                     const std::string& url) override {
    offers.push_back(title + " " + url);
  }

  // Whether a log of that kind holds exactly this text.
  bool HasLog(server::LogKind kind, const std::string& text) const;

  std::vector<LogEntry> logs;
  std::string status_text;
  int status_messages = 0;  // every status message, each a line in the headless log
  int status_icon = -1;
  std::vector<int> master_states;
  std::map<int32_t, Row> rows;
  int quit_finished = 0;
  std::vector<std::string> criticals;
  std::vector<std::string> messages;
  std::vector<std::string> offers;
};

}  // namespace testing_support
