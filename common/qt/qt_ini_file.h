// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "inifile/ini_document.h"
#include "inifile/ini_file.h"
#include "inifile/ini_store.h"

namespace scrawlbox {

// The programs' INI file: an inifile::IniFile whose EditSoon writes wait for the disk on a
// writer thread, since waiting tens of milliseconds for a busy disk once a second would hold up
// the one thread that runs the room. Until a write is on disk, reads and edits start from the
// newest text rather than the disk, and edits made while one write is under way go together in
// the next. An Edit first lets the write under way finish, so an older text never lands after a
// newer one. What a write's done callbacks hear comes through the event loop. Used from one
// thread; the writer thread only saves the text it is handed.
class QtIniFile : public inifile::IniStore {
 public:
  explicit QtIniFile(std::filesystem::path path);
  // Writes what is still waiting.
  ~QtIniFile() override;
  QtIniFile(const QtIniFile&) = delete;
  QtIniFile& operator=(const QtIniFile&) = delete;

  inifile::IniDocument Snapshot() const override;
  bool Edit(const std::function<bool(inifile::IniDocument&)>& edit) override;
  void EditSoon(const std::function<bool(inifile::IniDocument&)>& edit,
                std::function<void(bool stored)> done) override;
  // Returns once every write is on disk; their done callbacks wait in the event loop.
  void Flush();

  const std::filesystem::path& path() const { return file_.path(); }

 private:
  using Done = std::function<void(bool stored)>;

  // Hands the waiting text to the writer unless it is busy.
  void StartWrite();
  // Takes the outcome of the write under way once it has finished (waiting for that if wait).
  void FinishWrite(bool wait);
  void Tell(std::vector<Done> done, bool stored);
  void RunWriter();

  inifile::IniFile file_;
  QObject context_;  // delivers outcomes on this object's thread

  std::optional<inifile::IniDocument> waiting_;  // newer than the disk, not handed over yet
  std::vector<Done> waiting_done_;
  std::shared_ptr<const inifile::IniDocument> writing_;  // handed over, outcome not taken yet
  std::vector<Done> writing_done_;

  // Shared with the writer thread.
  std::mutex mutex_;
  std::condition_variable wake_writer_;
  std::condition_variable written_;
  std::shared_ptr<const inifile::IniDocument> job_;  // set until the writer has saved it
  std::optional<bool> outcome_;                      // of the last job, until taken
  bool stopping_ = false;
  std::thread writer_;  // started by the first write it takes
};

}  // namespace scrawlbox
