// SPDX-License-Identifier: MIT
#pragma once

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

#include "inifile/ini_document.h"
#include "inifile/ini_store.h"

namespace inifile {

// An INI file on disk. Every access reads the file afresh (other tools may edit it while the
// program runs) and every write replaces it atomically: a temporary file in the same folder is
// written, flushed to disk and renamed over the old one, so that a crash or a full disk never
// leaves a torn or empty settings file.
//
// Waiting for the disk takes tens of milliseconds on a busy one, and the room's only thread
// must not wait that long once a second for its statistics. EditSoon therefore hands the new
// text to a writer thread of this file's own and returns at once. Until that write is done,
// reads and edits start from the newest text rather than the disk, so nothing is lost between
// them, and an Edit first lets a write in progress finish, so an older text never lands after a
// newer one. The object is used from one thread; the writer is the only other.
class IniFile : public IniStore {
 public:
  // Files above this size are not read (defaults are used) and never rewritten, so that a
  // stray huge file can neither exhaust memory nor be truncated by a write.
  static constexpr std::uintmax_t kMaxFileSize = 32u << 20;

  explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}
  // Writes what EditSoon left waiting.
  ~IniFile() override;
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  IniDocument Snapshot() const override;
  bool Edit(const std::function<bool(IniDocument&)>& edit) override;
  // False only when the file could not be read; a write that then fails on the writer thread
  // leaves the file as it was.
  bool EditSoon(const std::function<bool(IniDocument&)>& edit) override;
  // Returns once every EditSoon write is on disk.
  void WaitForWrites();

  const std::filesystem::path& path() const { return path_; }

 private:
  // False when the file exists but cannot be read whole.
  bool Load(IniDocument* document) const;
  bool Save(const IniDocument& document) const;
  // The text not yet on disk, newest first; false when the disk has the newest. Needs state_.
  bool Unwritten(IniDocument* document) const;
  void WriteWaiting();

  std::filesystem::path path_;

  // Held for every write to disk, so that writes land in the order they were made.
  std::mutex disk_;
  // Guards what follows.
  mutable std::mutex state_;
  std::condition_variable wake_writer_;
  std::condition_variable written_;
  std::optional<IniDocument> waiting_;  // made by EditSoon, not yet taken by the writer
  std::optional<IniDocument> writing_;  // being written by the writer
  bool stopping_ = false;
  std::thread writer_;  // started by the first EditSoon
};

// Removes what writes of the file left behind when the program was killed in the middle: the
// regular files named like the file followed by "." and six letters or digits and ".tmp" (or,
// as earlier versions named them, without ".tmp" when the six characters do not read like a
// person's name for a copy, such as "backup" or "old123"). A file that a write in progress
// holds (another program sharing the folder) is left alone. Returns how many were removed.
size_t RemoveStaleTemporaryFiles(const std::filesystem::path& file);

}  // namespace inifile
