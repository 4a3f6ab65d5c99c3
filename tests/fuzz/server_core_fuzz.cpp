// SPDX-License-Identifier: MIT
// The room server's core on fake ports, driven by a script of connections, messages, clock
// steps, failing sends, slow readers, closes and operator actions.
#include <algorithm>
#include <iterator>
#include <set>

#include "protocol/commands.h"
#include "server/connections/room_server.h"
#include "server/room/room.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/server_harness.h"

namespace fuzz {

namespace {

namespace to_server = protocol::to_server;

// Settings the script starts from: the defaults, the limits off (so that floods reach the
// game), and every limit small (so that the limits themselves are reached).
constexpr std::string_view kSettings[] = {
    "",
    "[Server Details]\nFlood Burst=0\nDrawing Burst=0\nMax Connections Per Address=0\n",
    "[Server Details]\r\nFlood Burst=2\r\nFlood Rate=1\r\nDrawing Burst=5\r\nDrawing Rate=2\r\n"
    "Max Connections Per Address=2\r\nMax Connections=4\r\nLogin Timeout=3\r\nPing=1\r\n"
    "Ping Timeout=1\r\nServer Password=pw\r\nMOTD=Hello\r\n"
    "[Banned IPs]\r\nTotal=2\r\nBanned IP[1]=IP=10.0.0.3\xACREASON=Go\xAC"
    "CONNECTIONATTEMPTS=0\r\nBanned IP[2]=IP=10.0.1.*\xACREASON=\xAC"
    "CONNECTIONATTEMPTS=x\r\n",
};

constexpr std::string_view kAddresses[] = {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.1.7", "::1"};

// Word lists shared by every run: a plain word, alternatives, and a list that is only comments.
const std::filesystem::path& WordFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path path = ScratchFolder() / "server_core_lists";
    std::filesystem::create_directories(path);
    testing_support::WriteFile(path / "test.txt", "cat\r\n");
    testing_support::WriteFile(path / "animals.txt",
                               "kangaroo\r\ndog,doggy|hound\nbig cat;lion\r\n  \r\n");
    testing_support::WriteFile(path / "empty.txt", "# nothing\r\n#\t\r\n");
    return path;
  }();
  return folder;
}

// Puts the slot in the set, or takes it out.
void Toggle(std::set<int>& slots, int slot) {
  if (!slots.erase(slot)) slots.insert(slot);
}

struct Script {
  testing_support::ServerHarness& h;
  FuzzInput& in;
  const std::vector<std::string_view> commands = server::RoomServer::RoutedCommands();
  std::vector<int> live{};
  std::set<int> peer_closed{}, silent{};

  bool IsLive(int slot) const {
    return !peer_closed.count(slot) && !h.transport.closed.count(slot);
  }
  // A slot the shell would still report events for; 0 when there is none.
  int PickSlot() {
    std::erase_if(live, [this](int slot) { return !IsLive(slot); });
    return live.empty() ? 0 : live[in.Pick(live.size())];
  }
  int Connect() {
    const int slot = h.Connect(std::string(kAddresses[in.Pick(std::size(kAddresses))]));
    if (slot != 0) live.push_back(slot);
    return slot;
  }
  void Send(int slot, std::string_view command, std::string_view data) {
    if (slot != 0 && IsLive(slot)) h.Send(slot, command, data);
  }
  void SendRaw(int slot, const std::string& bytes) {
    if (slot != 0) h.SendRaw(slot, bytes);
  }
  std::string_view Command() { return commands[in.Pick(commands.size())]; }

  // Fields joined by code 3, each a fuzzed text or a number the game reads.
  std::string FieldsData() {
    std::vector<std::string> fields(in.Pick(8));
    for (auto& field : fields)
      field = in.Flag() ? in.Text() : std::to_string(static_cast<int32_t>(in.Number32()));
    return protocol::JoinFields(fields);
  }

  // The client's whole login with a fuzzed nickname.
  void Join() {
    const int slot = Connect();
    const std::string nickname = in.Flag() ? "P" + std::to_string(slot) : in.Text();
    Send(slot, to_server::SCRAWLBOX_CL13NT, in.Flag() ? "100001" : in.Text());
    Send(slot, to_server::USER, testing_support::ProfileData(nickname, in.Flag() ? "1" : "0"));
    Send(slot, to_server::PASS, in.Flag() ? "<none>" : "pw");
    Send(slot, to_server::ULISTREQ, "-");
  }

  void StartGame(int slot) {
    static constexpr std::string_view kLists[] = {"\x04test", "\x04animals\x04test", "\x04empty",
                                                  "\x04missing\x04../test", ""};
    std::string lists = OptionOrText(in, kLists);
    // Up to a whole message of list names.
    if (in.Pick(4) == 0) lists = Repeated(lists, in.Number16(), 60000);
    const auto number = [this] {
      return std::to_string(in.Flag() ? static_cast<int32_t>(in.Number32()) : in.Byte());
    };
    Send(slot, to_server::STARTGAME,
         protocol::JoinFields(
             {"Room", "Desc", "8", number(), number() + "000", number() + "000", lists}));
  }

  // A guess built from the word being drawn: the word, a prefix of it, or it with a change.
  void Guess(int slot) {
    std::string word(protocol::LeftOf(h.room().game().state().CurrentWord, ','));
    Choose(
        in, [] {}, [&] { word = word.substr(0, in.Byte() % (word.size() + 1)); },
        [&] { word += in.Text(); });
    Send(slot, to_server::SAY, word);
  }

  void Operator(int slot) {
    auto& actions = h.room().actions();
    Choose(
        in, [&] { actions.Kick(slot, in.Text()); }, [&] { actions.Ban(slot, in.Text()); },
        [&] { actions.MessageAll(in.Text()); }, [&] { actions.SetListenState(in.Pick(3)); },
        [&] { actions.AcceptDenyMessage(in.Text()); }, [&] { h.server.Quit(in.Flag()); },
        [&] { h.server.ReloadSettings(); }, [&] { h.room().Execute(in.Text()); });
  }

  // An operation on a slot the shell would still report events for (0 when there is none).
  template <typename Operation>
  auto OnSlot(Operation operation) {
    return [this, operation] { operation(PickSlot()); };
  }

  void Step() {
    Choose(
        in, [&] { Connect(); }, [&] { Join(); },
        OnSlot([&](int slot) { SendRaw(slot, in.LongText(2048)); }),  // framing and all
        OnSlot([&](int slot) {  // one message of a command the server knows
          const std::string_view command = Command();
          Send(slot, command, in.Flag() ? in.Text() : FieldsData());
        }),
        OnSlot([&](int slot) {  // a burst of the same message
          const std::string_view command = Command();
          const std::string framed = protocol::Frame(command, in.Text());
          SendRaw(slot, Repeated(framed, in.Byte() + 1, SIZE_MAX));
        }),
        OnSlot([&](int slot) { StartGame(slot); }), OnSlot([&](int slot) { Guess(slot); }),
        [&] { h.clock.Advance(Duration(in)); },
        OnSlot([&](int slot) { Toggle(h.transport.failing_slots, slot); }),  // sends fail
        OnSlot([&](int slot) {  // the reader stops reading or answering pings, or reads again
          Choose(
              in, [&] { h.transport.queued_bytes[slot] = 0; },
              [&] { h.transport.queued_bytes[slot] = in.Number32() % (4u << 20); },
              [&] { Toggle(silent, slot); });
        }),
        OnSlot([&](int slot) {  // the peer goes, cleanly or with an error first
          if (slot == 0) return;
          if (in.Flag()) h.server.OnSocketError(slot, 10054, "Connection reset by peer");
          peer_closed.insert(slot);
          h.server.OnClosed(slot);
        }),
        OnSlot([&](int slot) { Operator(slot); }),
        [&] { h.random.values.push_back(in.Byte() / 256.0); },
        OnSlot([&](int slot) {  // drawing: a code and its numbers
          const auto [command, data] = DrawMessage(in);
          Send(slot, command, data);
        }));
  }
};

}  // namespace

int FuzzServerCore(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  testing_support::ServerHarness h(kSettings[in.Pick(std::size(kSettings))], WordFolder());
  Script script{h, in};
  // Players answer pings after the event that sent them, as live clients do, unless the script
  // made them silent; so rounds of any length can run.
  h.transport.on_ping = [&](int slot) {
    if (!script.silent.count(slot))
      h.clock.SingleShot(0, [&, slot] { script.Send(slot, to_server::PONG, "-"); });
  };
  // Bounds the work one input can ask for, so that no input is slow for its size alone.
  for (int steps = 0; steps < 400 && !in.empty(); ++steps) {
    script.Step();
    FUZZ_CHECK(h.server.InRoomCount() <= h.server.ConnectionCount());
  }
  // The end of the run: every connection goes, as the program's end would take them, and the
  // table keeps no record of any.
  for (int slot : script.live)
    if (script.IsLive(slot)) h.server.OnClosed(slot);
  h.clock.Advance(60000);
  FUZZ_CHECK(h.server.ConnectionCount() == 0);
  h.transport.on_ping = nullptr;
  return 0;
}

}  // namespace fuzz
