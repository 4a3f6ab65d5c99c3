// SPDX-License-Identifier: MIT
#pragma once

#include <QNetworkAccessManager>
#include <QObject>

#include "directory/tracker.h"

namespace scrawlbox {

// HTTP GETs for the tracker and the update check, through Qt Network on the program's thread.
// Every request ends within the time limit (however slowly the host trickles its answer), follows
// at most a few redirects, and stops reading once the body grows beyond the size limit.
class QtHttpGetter : public QObject, public directory::HttpGetter {
  Q_OBJECT
 public:
  static constexpr int kMaxRedirects = 5;

  // Every request ends within timeout_ms; the programs keep the default, tests wait less.
  explicit QtHttpGetter(int timeout_ms = directory::kRequestTimeoutMs, QObject* parent = nullptr)
      : QObject(parent), timeout_ms_(timeout_ms) {}
  // Requests still running are dropped without calling back: their callers may be gone.
  ~QtHttpGetter() override;

  void Get(const std::string& url, const std::string& user_agent,
           std::function<void(const directory::HttpResult&)> done,
           std::function<void()> sent = nullptr) override;

 private:
  int timeout_ms_;
  QNetworkAccessManager manager_;
};

}  // namespace scrawlbox
