// SPDX-License-Identifier: MIT
#include "tests/support/server_harness.h"

#include "protocol/commands.h"

namespace testing_support {

std::string ProfileData(const std::string& nickname, const std::string& auto_skip) {
  return protocol::JoinFields({nickname, auto_skip, "23", "Female", "Leeds", "-", "hello"});
}

std::string FakeHash(std::string_view key) {
  return "hash(" + std::string(key) + ")";
}

ServerHarness::ServerHarness(std::string_view server_ini)
    : ini(server_ini),
      clock(own_clock_),
      lone_(std::make_unique<server::RoomServer>(
          server::RoomServer::Ports{transport, clock, view, ini})),
      server(*lone_) {
  server.Start();
}

ServerHarness::ServerHarness(std::string_view server_ini, std::filesystem::path word_lists,
                             ManualClock* shared_clock)
    : ini(server_ini),
      clock(shared_clock ? *shared_clock : own_clock_),
      room_(std::make_unique<server::Room>(server::Room::Ports{transport,
                                                               clock,
                                                               random,
                                                               view,
                                                               ini,
                                                               {std::move(word_lists)},
                                                               http,
                                                               kMachineKey,
                                                               FakeHash})),
      server(room_->core()) {
  room_->Start();
}

int ServerHarness::Connect(const std::string& address) {
  const server::RoomServer::Admission admission = server.OnConnectionRequest(address);
  if (admission.slot == 0) refusals.push_back(admission.refusal);
  return admission.slot;
}

void ServerHarness::Send(int slot, std::string_view command, std::string_view data) {
  server.OnData(slot, protocol::Frame(command, data));
}

void ServerHarness::SendRaw(int slot, std::string_view bytes) {
  server.OnData(slot, bytes);
}

int ServerHarness::Handshake(const std::string& address) {
  const int slot = Connect(address);
  Send(slot, protocol::to_server::SCRAWLBOX_CL13NT, client_version);
  return slot;
}

int ServerHarness::LogInTo(Step last, const std::string& nickname, const std::string& auto_skip,
                           const std::string& address) {
  namespace to_server = protocol::to_server;
  const int slot = Handshake(address);
  if (last >= Step::kProfile) Send(slot, to_server::USER, ProfileData(nickname, auto_skip));
  if (last >= Step::kPassword) Send(slot, to_server::PASS, "<none>");
  if (last >= Step::kUserList) Send(slot, to_server::ULISTREQ, "-");
  return slot;
}

int ServerHarness::Join(const std::string& nickname, const std::string& auto_skip,
                        const std::string& address) {
  const int slot = LogInTo(Step::kUserList, nickname, auto_skip, address);
  TakeAll();
  return slot;
}

std::vector<std::string> ServerHarness::TakeCommands(int slot) {
  return CommandsOf(Take(slot));
}

void ServerHarness::TakeAll() {
  transport.sent.clear();
}

}  // namespace testing_support
