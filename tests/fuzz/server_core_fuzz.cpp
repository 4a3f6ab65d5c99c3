// SPDX-License-Identifier: MIT
#include <algorithm>
#include <iterator>
#include <set>

#include "protocol/commands.h"
#include "protocol/framing.h"
#include "server/connections/room_server.h"
#include "server/room/room.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/server_harness.h"
#include "tests/support/temp_dir.h"

namespace fuzz {

namespace {

namespace to_server = protocol::to_server;
using testing_support::ServerHarness;

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

// Fields joined by code 3, each a fuzzed text or a number the game reads.
std::string FieldsData(FuzzInput& in) {
  std::vector<std::string> fields(in.Pick(8));
  for (auto& field : fields)
    field = in.Flag() ? in.Text() : std::to_string(static_cast<int32_t>(in.Number32()));
  return protocol::JoinFields(fields);
}

// Puts the slot in the set, or takes it out.
void Toggle(std::set<int>& slots, int slot) {
  if (!slots.erase(slot)) slots.insert(slot);
}

class Script {
 public:
  Script(ServerHarness& harness, FuzzInput& in)
      : h_(harness), in_(in), commands_(server::RoomServer::RoutedCommands()) {
    // Players answer pings after the event that sent them, as live clients do, unless the
    // script made them silent; so rounds of any length can run.
    h_.transport.on_ping = [this](int slot) {
      if (!silent_.count(slot))
        h_.clock.SingleShot(0, [this, slot] { Send(slot, to_server::PONG, "-"); });
    };
  }

  void Run() {
    // Bounds the work one input can ask for, so that no input is slow for its size alone.
    for (int steps = 0; steps < 400 && !in_.empty(); ++steps) {
      Step();
      FUZZ_CHECK(h_.server.InRoomCount() <= h_.server.ConnectionCount());
    }
    // The end of the run: every connection goes, as the program's end would take them, and
    // the table keeps no record of any.
    for (int slot : live_)
      if (IsLive(slot)) h_.server.OnClosed(slot);
    h_.clock.Advance(60000);
    FUZZ_CHECK(h_.server.ConnectionCount() == 0);
    h_.transport.on_ping = nullptr;
  }

 private:
  server::Room& room() { return h_.room(); }

  bool IsLive(int slot) const {
    return peer_closed_.count(slot) == 0 && h_.transport.closed.count(slot) == 0;
  }

  // A slot the shell would still report events for; 0 when there is none.
  int PickSlot() {
    std::vector<int> live;
    std::copy_if(live_.begin(), live_.end(), std::back_inserter(live),
                 [this](int slot) { return IsLive(slot); });
    return live.empty() ? 0 : live[in_.Pick(live.size())];
  }

  int Connect() {
    const int slot = h_.Connect(std::string(kAddresses[in_.Pick(std::size(kAddresses))]));
    if (slot != 0) live_.push_back(slot);
    return slot;
  }

  void Send(int slot, std::string_view command, std::string_view data) {
    if (slot != 0 && IsLive(slot)) h_.Send(slot, command, data);
  }
  void SendRaw(int slot, const std::string& bytes) {
    if (slot != 0) h_.SendRaw(slot, bytes);
  }
  std::string_view Command() { return commands_[in_.Pick(commands_.size())]; }

  // The client's whole login with a fuzzed nickname.
  void Join() {
    const int slot = Connect();
    const std::string nickname = in_.Flag() ? "P" + std::to_string(slot) : in_.Text();
    Send(slot, to_server::SCRAWLBOX_CL13NT, in_.Flag() ? "100001" : in_.Text());
    Send(slot, to_server::USER, testing_support::ProfileData(nickname, in_.Flag() ? "1" : "0"));
    Send(slot, to_server::PASS, in_.Flag() ? "<none>" : "pw");
    Send(slot, to_server::ULISTREQ, "-");
  }

  void StartGame(int slot) {
    static constexpr std::string_view kLists[] = {"\x04test", "\x04animals\x04test", "\x04empty",
                                                  "\x04missing\x04../test", ""};
    std::string lists = OptionOrText(in_, kLists);
    // Up to a whole message of list names.
    if (in_.Pick(4) == 0) lists = Repeated(lists, in_.Number16(), 60000);
    const auto number = [this] {
      return std::to_string(in_.Flag() ? static_cast<int32_t>(in_.Number32()) : in_.Byte());
    };
    Send(slot, to_server::STARTGAME,
         protocol::JoinFields(
             {"Room", "Desc", "8", number(), number() + "000", number() + "000", lists}));
  }

  // A guess built from the word being drawn: the word, a prefix of it, or it with a change.
  void Guess(int slot) {
    std::string word(protocol::LeftOf(room().game().state().CurrentWord, ','));
    Choose(
        in_, [] {}, [&] { word = word.substr(0, in_.Byte() % (word.size() + 1)); },
        [&] { word += in_.Text(); });
    Send(slot, to_server::SAY, word);
  }

  void Operator(int slot) {
    auto& actions = room().actions();
    Choose(
        in_, [&] { actions.Kick(slot, in_.Text()); }, [&] { actions.Ban(slot, in_.Text()); },
        [&] { actions.MessageAll(in_.Text()); }, [&] { actions.SetListenState(in_.Pick(3)); },
        [&] { actions.AcceptDenyMessage(in_.Text()); }, [&] { h_.server.Quit(in_.Flag()); },
        [&] { h_.server.ReloadSettings(); }, [&] { room().Execute(in_.Text()); });
  }

  // An operation on a slot the shell would still report events for (0 when there is none).
  template <typename Operation>
  auto OnSlot(Operation operation) {
    return [this, operation] { operation(PickSlot()); };
  }

  void Step() {
    Choose(
        in_, [&] { Connect(); }, [&] { Join(); },
        OnSlot([&](int slot) { SendRaw(slot, in_.LongText(2048)); }),  // framing and all
        OnSlot([&](int slot) {  // one message of a command the server knows
          const std::string_view command = Command();
          Send(slot, command, in_.Flag() ? in_.Text() : FieldsData(in_));
        }),
        OnSlot([&](int slot) {  // a burst of the same message
          const std::string_view command = Command();
          const std::string framed = protocol::Frame(command, in_.Text());
          SendRaw(slot, Repeated(framed, in_.Byte() + 1, SIZE_MAX));
        }),
        OnSlot([&](int slot) { StartGame(slot); }), OnSlot([&](int slot) { Guess(slot); }),
        [&] { h_.clock.Advance(Duration(in_)); },
        OnSlot([&](int slot) { Toggle(h_.transport.failing_slots, slot); }),  // sends fail
        OnSlot(
            [&](int slot) {  // the slot's reader stops reading or answering pings, or reads again
              auto& queued = h_.transport.queued_bytes;
              Choose(
                  in_, [&] { queued[slot] = 0; },
                  [&] { queued[slot] = in_.Number32() % (4u << 20); },
                  [&] { Toggle(silent_, slot); });
            }),
        OnSlot([&](int slot) {  // the peer goes, cleanly or with an error first
          if (slot == 0) return;
          if (in_.Flag()) h_.server.OnSocketError(slot, 10054, "Connection reset by peer");
          peer_closed_.insert(slot);
          h_.server.OnClosed(slot);
        }),
        OnSlot([&](int slot) { Operator(slot); }),
        [&] { h_.random.values.push_back(in_.Byte() / 256.0); },
        OnSlot([&](int slot) {  // drawing: a code and its numbers
          const auto [command, data] = DrawMessage(in_);
          Send(slot, command, data);
        }));
  }

  ServerHarness& h_;
  FuzzInput& in_;
  const std::vector<std::string_view> commands_;
  std::vector<int> live_;
  std::set<int> peer_closed_;
  std::set<int> silent_;
};

}  // namespace

int FuzzServerCore(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  ServerHarness harness(kSettings[in.Pick(std::size(kSettings))], WordFolder());
  Script(harness, in).Run();
  return 0;
}

}  // namespace fuzz
