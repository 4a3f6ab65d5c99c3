// SPDX-License-Identifier: MIT
#include "inifile/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

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
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  *document = IniDocument(text);
  return true;
}

bool IniFile::Save(const IniDocument& document) const {
  // The temporary file lives beside the target so that the rename stays on one file system
  // and is atomic.
  const std::filesystem::path folder =
      path_.has_parent_path() ? path_.parent_path() : std::filesystem::path(".");
  std::string temp = (folder / (path_.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = WriteAll(fd, document.Text()) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) {
    // Keep the permissions of the file being replaced (mkstemp creates it private).
    struct stat info {};
    if (::stat(path_.c_str(), &info) == 0)
      ::chmod(temp.c_str(), info.st_mode & 07777);
    else
      ::chmod(temp.c_str(), 0644);
    ok = ::rename(temp.c_str(), path_.c_str()) == 0;
  }
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

IniDocument IniFile::Snapshot() const {
  IniDocument document;
  if (!Load(&document)) return {};
  return document;
}

bool IniFile::Edit(const std::function<bool(IniDocument&)>& edit) {
  IniDocument document;
  if (!Load(&document)) return false;
  if (!edit(document)) return true;
  return Save(document);
}

}  // namespace inifile
