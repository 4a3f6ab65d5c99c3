// SPDX-License-Identifier: MIT
#include "tests/integration/server_process.h"

#include <unistd.h>

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "tests/integration/raw_client.h"

namespace testing_support {

ServerProcess::ServerProcess(const std::string& details, quint16 port)
    : ChildProcess(port ? port : FreePort()) {
  std::string ini = "[Server Details]\n";
  if (details.find("Port=") == std::string::npos) {
    ini += "Port=" + std::to_string(this->port()) + "\n";
  }
  WriteFile(dir() / "Server.ini", ini + details);
}

void ServerProcess::CopyWordLists(const std::string& from) {
  std::filesystem::copy(from, dir() / "Wordlists", std::filesystem::copy_options::recursive);
}

bool ServerProcess::Start(const QString& ready_text) {
  if (input == Input::kNull) process_.setStandardInputFile(QProcess::nullDevice());
  if (input == Input::kClosed) process_.setChildProcessModifier([] { ::close(STDIN_FILENO); });
  return Launch(QStringLiteral(SCRAWLBOX_SERVER_BIN),
                QStringList{QStringLiteral("--headless"), QStringLiteral("--data-dir"), DataDir()} +
                    arguments,
                ready_text);
}

void ServerProcess::Command(const std::string& line) {
  process_.write(QByteArray::fromStdString(line + "\n"));
  process_.waitForBytesWritten(kWaitMs);
}

std::string ServerProcess::ListingKey() {
  RawClient probe;
  if (!probe.Connect(port())) return "";
  probe.Send(protocol::to_server::ISALIVE, "-");
  const auto answer = probe.WaitFor(protocol::to_client::ISALIVE);
  return answer ? protocol::FieldOr(protocol::SplitFields(answer->data), 1) : "";
}

}  // namespace testing_support
