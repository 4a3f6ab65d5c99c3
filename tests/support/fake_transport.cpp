// SPDX-License-Identifier: MIT
#include "tests/support/fake_transport.h"

#include <utility>

#include "protocol/receive_buffer.h"
#include "tests/support/matchers.h"

namespace protocol {

void PrintTo(const Message& message, std::ostream* out) {
  auto show = [out](const std::string& text) {
    for (char c : text) {
      if (c >= 0 && c < 32) {
        *out << '<' << static_cast<int>(c) << '>';
      } else {
        *out << c;
      }
    }
  };
  *out << '{';
  show(message.command);
  *out << " | ";
  show(message.data);
  *out << '}';
}

}  // namespace protocol

namespace testing_support {

std::vector<protocol::Message> CutMessages(std::string_view bytes) {
  protocol::ReceiveBuffer buffer;
  buffer.Append(bytes);
  std::vector<protocol::Message> messages;
  std::string raw;
  while (buffer.Next(&raw) == protocol::ReceiveBuffer::Status::kMessage) {
    messages.push_back(protocol::ParseMessage(raw));
  }
  return messages;
}

std::vector<std::string> CommandsOf(const std::vector<protocol::Message>& messages) {
  std::vector<std::string> commands;
  for (const auto& message : messages) commands.push_back(message.command);
  return commands;
}

std::string Render(const std::vector<protocol::Message>& messages) {
  std::string line;
  for (const auto& message : messages) {
    if (!line.empty()) line += ", ";
    line += message.command;
    if (!message.data.empty()) line += ' ' + message.data;
  }
  for (char& c : line) {
    if (c == '\x03') c = '|';
    if (c == '\x04') c = '^';
  }
  return line;
}

server::ListenResult FakeTransport::Listen(int port) {
  ++listen_calls;
  listened_port = port;
  listening = listen_result.ok;
  return listen_result;
}

server::SendResult FakeTransport::Send(int slot, std::string_view bytes) {
  if (failing_slots.count(slot)) return server::SendResult{false, 32, "Broken pipe"};
  if (on_ping && bytes == protocol::Frame("PING", "-")) {
    on_ping(slot);
    return {};
  }
  sent[slot].append(bytes);
  if (on_send) on_send(slot);
  server::SendResult result;
  result.queued = QueuedBytes(slot);
  return result;
}

server::SendResult FakeTransport::SendShared(int slot, std::shared_ptr<const std::string> bytes) {
  shared[slot].push_back(bytes);
  return Send(slot, *bytes);
}

size_t FakeTransport::QueuedBytes(int slot) const {
  const auto it = queued_bytes.find(slot);
  return it == queued_bytes.end() ? 0 : it->second;
}

std::vector<protocol::Message> FakeTransport::Take(int slot) {
  return CutMessages(std::exchange(sent[slot], {}));
}

}  // namespace testing_support
