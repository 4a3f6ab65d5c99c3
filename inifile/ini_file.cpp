// SPDX-License-Identifier: MIT
#include "inifile/ini_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <string_view>
#include <system_error>
#include <utility>

namespace inifile {

namespace {

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// The six characters that mkstemp puts in place of "XXXXXX", and the ending that marks a
// temporary file of ours as such.
constexpr size_t kTemporarySuffixLength = 6;
constexpr std::string_view kTemporaryEnding = ".tmp";

std::string TemporaryPattern(const std::filesystem::path& file) {
  return file.filename().string() + "." + std::string(kTemporarySuffixLength, 'X') +
         std::string(kTemporaryEnding);
}

bool IsAlnum(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Six characters that read as a word, a word with a number or a number ("backup", "old123",
// "Backup", "BAK001", "202612"): what a person names a copy, which mkstemp seldom makes.
bool LooksNamedByAPerson(std::string_view six) {
  static const std::regex kWordLike("[a-z]*[0-9]*|[A-Z]*[0-9]*|[A-Z][a-z]*[0-9]*");
  return std::regex_match(six.begin(), six.end(), kWordLike);
}

// "Server.ini.a1B2c3.tmp" is a temporary file of a write; so is "Server.ini.a1B2c3", the name
// earlier versions used, unless a person could have chosen it for a copy of their own.
bool IsTemporaryName(std::string_view name, std::string_view file_name) {
  if (name.size() <= file_name.size() + 1 || name.substr(0, file_name.size()) != file_name ||
      name[file_name.size()] != '.') {
    return false;
  }

  std::string_view rest = name.substr(file_name.size() + 1);
  const bool marked = rest.size() == kTemporarySuffixLength + kTemporaryEnding.size() &&
                      rest.substr(kTemporarySuffixLength) == kTemporaryEnding;
  if (marked) rest = rest.substr(0, kTemporarySuffixLength);
  if (rest.size() != kTemporarySuffixLength || !std::all_of(rest.begin(), rest.end(), IsAlnum)) {
    return false;
  }
  return marked || !LooksNamedByAPerson(rest);
}

}  // namespace

bool IniFile::Load(IniDocument* document) const {
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) {
    *document = IniDocument();
    return !ec;
  }
  const auto size = std::filesystem::file_size(path_, ec);
  if (ec || size > kMaxFileSize) return false;
  std::ifstream in(path_, std::ios::binary);
  if (!in) return false;
  // Read in blocks, not a character at a time: a room with a long ban list reads a large file.
  std::string text;
  char block[65536];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    text.append(block, static_cast<size_t>(in.gcount()));
    if (text.size() > kMaxFileSize) return false;  // grew since its size was taken
  }
  if (in.bad()) return false;
  *document = IniDocument(text);
  return true;
}

bool IniFile::Save(const IniDocument& document) const {
  // The temporary file lives beside the target so that the rename stays on one file system
  // and is atomic.
  const std::filesystem::path folder = FolderOf(path_);
  std::string temp = (folder / TemporaryPattern(path_)).string();
  const int fd = ::mkstemps(temp.data(), static_cast<int>(kTemporaryEnding.size()));
  if (fd < 0) return false;
  // Held until the rename, so that the start-up clean-up of another program sharing the folder
  // does not take this file for one left behind.
  ::flock(fd, LOCK_EX);
  bool ok = WriteAll(fd, document.Text()) && ::fsync(fd) == 0;
  if (ok) {
    // Keep the permissions of the file being replaced (mkstemp creates it private).
    struct stat info {};
    ::fchmod(fd, ::stat(path_.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0644);
    ok = ::rename(temp.c_str(), path_.c_str()) == 0;
  }
  ::close(fd);  // after fsync it has nothing left to report
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

size_t RemoveStaleTemporaryFiles(const std::filesystem::path& file) {
  const std::string file_name = file.filename().string();
  size_t removed = 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(FolderOf(file), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::filesystem::path& candidate = it->path();
    if (!IsTemporaryName(candidate.filename().string(), file_name)) continue;
    // O_NOFOLLOW and the type check keep links, folders and devices named like one.
    const int fd = ::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::unlink(candidate.c_str()) == 0) {
      ++removed;
    }
    ::close(fd);
  }
  return removed;
}

IniDocument IniFile::Snapshot() const {
  IniDocument document;
  if (Load(&document)) return document;
  return {};
}

bool IniFile::Edit(const std::function<bool(IniDocument&)>& edit) {
  IniDocument document;
  if (!Load(&document)) return false;
  return !edit(document) || Save(document);
}

}  // namespace inifile
