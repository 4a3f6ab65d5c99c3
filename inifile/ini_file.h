// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <utility>

#include "inifile/ini_document.h"
#include "inifile/ini_store.h"

namespace inifile {

// An INI file on disk. Every access reads the file afresh (other tools may edit it while the
// program runs) and every write replaces it atomically: a temporary file in the same folder is
// written, flushed to disk and renamed over the old one, so that a crash or a full disk never
// leaves a torn or empty settings file. Every write waits for the disk; a program that cannot
// wait puts a store in front that writes behind it (scrawlbox::QtIniFile).
class IniFile : public IniStore {
 public:
  // Files above this size are not read (defaults are used) and never rewritten, so that a
  // stray huge file can neither exhaust memory nor be truncated by a write.
  static constexpr std::uintmax_t kMaxFileSize = 32u << 20;

  explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

  IniDocument Snapshot() const override;
  bool Edit(const std::function<bool(IniDocument&)>& edit) override;

  // False when the file exists but cannot be read whole.
  bool Load(IniDocument* document) const;
  // Replaces the file with document. It touches nothing but the disk, so another thread may
  // call it while this one goes on using the object.
  bool Save(const IniDocument& document) const;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Removes what writes of the file left behind when the program was killed in the middle: the
// regular files named like the file followed by "." and six letters or digits and ".tmp" (or,
// as earlier versions named them, without ".tmp" when the six characters do not read like a
// person's name for a copy, such as "backup" or "old123"). A file that a write in progress
// holds (another program sharing the folder) is left alone. Returns how many were removed.
size_t RemoveStaleTemporaryFiles(const std::filesystem::path& file);

}  // namespace inifile
