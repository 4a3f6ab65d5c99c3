// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "tests/integration/child_process.h"

namespace testing_support {

// scrawlbox-server --headless.
class ServerProcess : public ChildProcess {
 public:
  // Writes Server.ini with the given "Server Details" lines (the port is added unless given).
  explicit ServerProcess(const std::string& details = "", quint16 port = 0);

  // Copies a folder of word lists into the server's Data folder as its Wordlists.
  void CopyWordLists(const std::string& from);
  // Starts the program (again, once it has ended) and waits until its output holds the text.
  bool Start(const QString& ready_text = QStringLiteral("Master socket ready"));
  // Types an operator command on the console.
  void Command(const std::string& line);
  // The key the room names in its ISALIVE answer, which a tracker's probe checks against the
  // listing's; empty when it gives none.
  std::string ListingKey();

  // What the program's standard input is: a pipe the test types into, /dev/null (as under
  // systemd), or no descriptor at all.
  enum class Input { kPipe, kNull, kClosed };
  Input input = Input::kPipe;
  // Added to the command line.
  QStringList arguments;
};

}  // namespace testing_support
