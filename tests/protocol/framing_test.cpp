// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "protocol/framing.h"
#include "protocol/receive_buffer.h"
#include "tests/support/wire.h"

using testing_support::Wire;

namespace protocol {
namespace {

using Status = ReceiveBuffer::Status;

// Wire bytes written visibly: '>' is code 2 (after the command), '<' code 1 (a message's end).
std::string Bytes(std::string text) {
  for (char& c : text) c = c == '>' ? kCommandSep : c == '<' ? kMessageEnd : c;
  return text;
}

// The messages the buffer holds, written as Bytes() reads them, each followed by '<', and a '!'
// when it refuses a message too long.
std::string Drain(ReceiveBuffer& buffer) {
  std::string out, message;
  Status status;
  while ((status = buffer.Next(&message)) == Status::kMessage) out += message + "<";
  for (char& c : out) c = c == kCommandSep ? '>' : c;
  return status == Status::kTooLong ? out + "!" : out;
}

TEST(Framing, MessagesFieldsAndText) {
  EXPECT_EQ(Frame("SAY", "hello"), Bytes("SAY>hello<"));
  const Message m = ParseMessage(Bytes("SAY>a>b")), text = ParseMessage("JUSTTEXT");
  EXPECT_EQ(m.command + "," + m.data, Bytes("SAY,a>b"));  // only the first code 2 separates
  EXPECT_EQ(text.command + "," + text.data, "JUSTTEXT,");
  EXPECT_EQ(std::tuple(LeftOf("abc", '='), RightOf("abc", '='), RightOf("a=b=c", '=')),
            std::tuple("abc", "", "b=c"));
  const auto fields = SplitFields(Wire("a||c"));
  EXPECT_EQ(fields, (std::vector<std::string>{"a", "", "c"}));
  EXPECT_EQ(FieldOr(fields, 2) + FieldOr(fields, 7), "c");
  EXPECT_EQ(SplitFields("").size(), 1u);
  EXPECT_EQ(JoinFields({"1", "2", ""}), Wire("1|2|"));
  for (const char* blank : {"", "\r\n", "\r\n\r\n"}) EXPECT_TRUE(IsBlankData(blank));
  for (const char* text : {"\r\n\r\n\r\n", " ", "\n", "-"}) EXPECT_FALSE(IsBlankData(text));
  // Every control code goes, eight-bit text stays.
  EXPECT_EQ(StripControlCodes(
                std::string("a\001b\002c\003d\004e\005\000\033[31m\r\n\a\t\177\200\xAC\xFF ~", 26)),
            "abcde[31m\x80\xAC\xFF ~");
  EXPECT_EQ(FirstChars("abcdef", 3) + FirstChars("ab", 3), "abcab");
}

TEST(ReceiveBuffer, CutsMessagesInOrderEachOnceWhenItsEndArrivesAndBoundsEach) {
  ReceiveBuffer buffer;
  buffer.Append(Bytes("A>1<B>2<<<C"));
  EXPECT_EQ(Drain(buffer), "A>1<B>2<<<");  // empty messages between two ends are kept
  EXPECT_EQ(buffer.Pending(), 1u);
  buffer.Append(Bytes(">3<"));
  EXPECT_EQ(Drain(buffer), "C>3<");
  EXPECT_EQ(buffer.Pending(), 0u);  // a read ending at an end leaves nothing behind
  // Cut anywhere, the same messages come out.
  std::string wire, got;
  for (int i = 0; i < 500; ++i)
    wire += "FH>" + std::to_string(i) + "," + std::string(i % 37, 'x') + "<";
  std::mt19937 random(7);
  for (size_t at = 0; at < wire.size();) {
    const size_t n = std::min<size_t>(wire.size() - at, 1 + random() % 300);
    buffer.Append(Bytes(wire.substr(at, n)));
    at += n;
    got += Drain(buffer);
  }
  EXPECT_EQ(got, wire);
  // A message is bounded whether or not its end came in the same read.
  const std::string longest(ReceiveBuffer::kMaxMessageLength, 'a');
  buffer.Append(longest);
  EXPECT_EQ(Drain(buffer), "");
  buffer.Append(Bytes("<") + longest);
  EXPECT_EQ(Drain(buffer), longest + "<");
  buffer.Append("a");
  EXPECT_EQ(Drain(buffer), "!");
  // Once failed it stays failed, and holds nothing more.
  buffer.Append(Bytes("SAY>hi<"));
  EXPECT_EQ(Drain(buffer), "!");
  EXPECT_EQ(buffer.Pending(), 0u);
  ReceiveBuffer one_read;
  one_read.Append(Bytes("OK>1<" + longest + "b<L<"));
  EXPECT_EQ(Drain(one_read), "OK>1<!");
}

}  // namespace
}  // namespace protocol
