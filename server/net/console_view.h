// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>

#include "server/connections/ports.h"

namespace server {

// The operator's view of a server without a window: every log line and status message goes to
// standard output as "HH:MM:SS [connections|chat|general|status] text", one line each, flushed
// at once so that a supervisor or a pipe sees it immediately. To the journal, the time gives way
// to the line's syslog priority.
class ConsoleView : public ServerView {
 public:
  explicit ConsoleView(std::FILE* out = stdout) : out_(out) {}

  void Log(LogKind kind, const std::string& text, int icon) override;
  void SetStatusMessage(const std::string& text, int icon) override;
  void SetMasterState(int) override {}
  void AddConnectionRow(int, int32_t, const std::string&, const std::string&,
                        const std::string&) override {}
  void UpdateConnectionRow(int32_t, const std::string&, const std::string&, double) override {}
  void RemoveConnectionRow(int32_t) override {}
  void QuitFinished() override {}
  void ShowMessage(int icon, const std::string& title, const std::string& text) override;
  void OfferDownload(const std::string& title, const std::string& text,
                     const std::string& url) override;

  // Writes one line with the current time (or, to the journal, the icon's priority) and the
  // tag; control characters in the text are shown as <n>.
  void WriteLine(const char* tag, const std::string& text, int icon = kIconInfo);
  // Writes an answer to an operator command as it is, one line.
  void WriteAnswer(const std::string& text);

 private:
  std::FILE* out_;
};

}  // namespace server
