// SPDX-License-Identifier: MIT
// A host of many rooms on fake ports, driven by a script of connections whose first bytes name
// rooms (known, closed, unknown or none), logins, peers that close, rooms made and closed, and the
// clock: every connection ends up in exactly one room or none, and the rooms close once empty.
#include <iterator>
#include <set>
#include <vector>

#include "protocol/commands.h"
#include "server/host/room_host.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/server_harness.h"

namespace fuzz {

namespace {

namespace to_server = protocol::to_server;

constexpr std::string_view kSettings[] = {
    "",
    "[Server Details]\nMax Connections Per Address=2\nMax Connections=5\nHandshake Timeout=1\n"
    "[Host]\nMax Rooms=2\nCreations Per Hour=1\nPlayers Per Room=2\nEmpty Room Minutes=1\n",
};
constexpr std::string_view kAddresses[] = {"10.0.0.1", "10.0.0.2", "::1"};

const std::filesystem::path& WordFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path path = ScratchFolder() / "host_entry_lists";
    std::filesystem::create_directories(path);
    testing_support::WriteFile(path / "test.txt", "cat\r\n");
    return path;
  }();
  return folder;
}

}  // namespace

int FuzzHostEntry(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  testing_support::MemoryIni ini(kSettings[in.Pick(std::size(kSettings))]);
  testing_support::ManualClock clock;
  testing_support::FakeTransport transport;
  testing_support::RecordingView view;
  testing_support::ScriptedRandom random, code_random;
  testing_support::FakeHttpGetter http;
  server::RoomHost host({transport,
                         clock,
                         random,
                         code_random,
                         view,
                         ini,
                         {WordFolder()},
                         http,
                         testing_support::kMachineKey,
                         testing_support::FakeHash});
  host.Start();
  std::vector<int> live;
  std::set<int> peer_closed;
  std::vector<std::string> codes;
  const auto slot = [&] {
    std::erase_if(live, [&](int s) { return peer_closed.count(s) || transport.closed.count(s); });
    return live.empty() ? 0 : live[in.Pick(live.size())];
  };
  const auto code = [&]() -> std::string {
    return codes.empty() || !in.Flag() ? in.Text() : codes[in.Pick(codes.size())];
  };
  // The codes drawn by the room host's chance: often alike, so that clashes happen.
  code_random.fallback = 0.3;
  for (int steps = 0; steps < 300 && !in.empty(); ++steps) {
    Choose(
        in,
        [&] {
          const auto admission = host.OnConnectionRequest(std::string(kAddresses[in.Pick(3)]));
          if (admission.slot) live.push_back(admission.slot);
        },
        [&] {
          if (const int s = slot()) host.OnData(s, protocol::Frame(to_server::ROOM, code()));
        },
        [&] {
          if (const int s = slot()) host.OnData(s, in.Text());
        },
        [&] {
          if (const int s = slot()) {
            host.OnData(s, protocol::Frame(to_server::SCRAWLBOX_CL13NT, "101000") +
                               protocol::Frame(to_server::USER, testing_support::ProfileData(
                                                                    "p" + std::to_string(s))) +
                               protocol::Frame(to_server::PASS, "<none>") +
                               protocol::Frame(to_server::ULISTREQ, "-"));
          }
        },
        [&] {
          if (const int s = slot()) {
            peer_closed.insert(s);
            host.OnClosed(s);
          }
        },
        [&] {
          code_random.values.push_back(in.Byte() / 256.0);
          // One read a statement: arguments are read in no set order.
          server::RoomChoices choices;
          choices.name = in.Text();
          choices.password = in.Text();
          choices.is_public = in.Flag();
          const std::string address(kAddresses[in.Pick(3)]);
          const auto made = host.CreateRoom(choices, address);
          if (!made.code.empty()) codes.push_back(made.code);
        },
        [&] { host.CloseRoom(code()); }, [&] { clock.Advance(Duration(in)); },
        [&] { host.Execute(in.Text()); },
        [&] {
          if (const int s = slot()) {
            std::string fields = in.Text();
            host.OnData(s, protocol::Frame(to_server::MAKEROOM, fields + '\x03' + in.Text()));
          }
        },
        [&] {
          // The tracker answers a public room's listing, perhaps after the room has gone.
          if (http.open.empty()) return;
          constexpr const char* kAnswers[] = {"STATUS=SUBMITOK|EXTRA=\r\n",
                                              "STATUS=REMOVEOK|EXTRA=\r\n", ""};
          if (in.Flag()) {
            http.Answer(kAnswers[in.Pick(3)]);
          } else {
            http.Fail(1, "refused");
          }
        });
    FUZZ_CHECK(host.RoomCount() <= static_cast<size_t>(host.limits().max_rooms));
  }
  // Everyone goes: every made room closes once it has been empty long enough.
  for (int s : live)
    if (!peer_closed.count(s) && !transport.closed.count(s)) host.OnClosed(s);
  clock.Advance(int64_t{host.limits().empty_room_minutes} * 60000 + 60000);
  FUZZ_CHECK(host.RoomCount() == 0);
  FUZZ_CHECK(host.default_room().core().ConnectionCount() == 0);
  return 0;
}

}  // namespace fuzz
