// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>

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

// The messages the buffer holds, written as Bytes() reads them, each followed by '<'.
std::string Drain(ReceiveBuffer& buffer) {
  std::string out, message;
  while (buffer.Next(&message) == Status::kMessage) out += message + "<";
  for (char& c : out) c = c == kCommandSep ? '>' : c;
  return out;
}

TEST(Framing, MessagesFieldsAndText) {
  EXPECT_EQ(Frame("SAY", "hello"), Bytes("SAY>hello<"));
  const Message m = ParseMessage(Bytes("SAY>a>b"));
  EXPECT_EQ(m.command + "," + m.data, Bytes("SAY,a>b"));  // only the first code 2 separates
  EXPECT_EQ(ParseMessage("JUSTTEXT").command, "JUSTTEXT");
  EXPECT_EQ(ParseMessage("JUSTTEXT").data, "");
  EXPECT_EQ(LeftOf("abc", '='), "abc");
  EXPECT_EQ(RightOf("abc", '='), "");
  EXPECT_EQ(RightOf("a=b=c", '='), "b=c");
  const auto fields = SplitFields(Wire("a||c"));
  EXPECT_EQ(fields, (std::vector<std::string>{"a", "", "c"}));
  EXPECT_EQ(FieldOr(fields, 2), "c");
  EXPECT_EQ(FieldOr(fields, 7), "");
  EXPECT_EQ(SplitFields("").size(), 1u);
  EXPECT_EQ(JoinFields({"1", "2", ""}), Wire("1|2|"));
  for (const char* blank : {"", "\r\n", "\r\n\r\n"}) EXPECT_TRUE(IsBlankData(blank));
  for (const char* text : {"\r\n\r\n\r\n", " ", "\n", "-"}) EXPECT_FALSE(IsBlankData(text));
  // Every control code goes, eight-bit text stays.
  EXPECT_EQ(StripControlCodes(
                std::string("a\001b\002c\003d\004e\005\000\033[31m\r\n\a\t\177\200\xAC\xFF ~", 26)),
            "abcde[31m\x80\xAC\xFF ~");
  EXPECT_EQ(FirstChars("abcdef", 3), "abc");
  EXPECT_EQ(FirstChars("ab", 3), "ab");
}

TEST(ReceiveBuffer, CutsMessagesInOrderEachOnceWhenItsEndArrives) {
  ReceiveBuffer buffer;
  buffer.Append(Bytes("A>1<B>2<<<C"));
  EXPECT_EQ(Drain(buffer), "A>1<B>2<<<");  // empty messages between two ends are kept
  EXPECT_EQ(buffer.Pending(), 1u);
  buffer.Append(Bytes(">3<"));
  EXPECT_EQ(Drain(buffer), "C>3<");
  EXPECT_EQ(buffer.Pending(), 0u);  // a read ending at an end leaves nothing behind
  const std::string wire = Bytes("SAY>hello there<");
  for (size_t i = 0; i + 1 < wire.size(); ++i) {
    buffer.Append(wire.substr(i, 1));
    EXPECT_EQ(Drain(buffer), "");
  }
  buffer.Append(wire.substr(wire.size() - 1));
  EXPECT_EQ(Drain(buffer), "SAY>hello there<");
}

TEST(ReceiveBuffer, RandomChunkingGivesTheSameMessages) {
  std::string wire;
  for (int i = 0; i < 500; ++i)
    wire += "FH>" + std::to_string(i) + "," + std::string(i % 37, 'x') + "<";
  std::mt19937 random(7);
  ReceiveBuffer buffer;
  std::string got;
  for (size_t at = 0; at < wire.size();) {
    const size_t n = std::min<size_t>(wire.size() - at, 1 + random() % 300);
    buffer.Append(Bytes(wire.substr(at, n)));
    at += n;
    got += Drain(buffer);
  }
  EXPECT_EQ(got, wire);
  EXPECT_EQ(buffer.Pending(), 0u);
}

TEST(ReceiveBuffer, AMessageIsBoundedWhetherOrNotItsEndCameInTheSameRead) {
  std::string message;
  ReceiveBuffer at_limit;
  at_limit.Append(std::string(ReceiveBuffer::kMaxMessageLength, 'a'));
  EXPECT_EQ(at_limit.Next(&message), Status::kNeedMore);
  at_limit.Append(Bytes("<"));
  EXPECT_EQ(at_limit.Next(&message), Status::kMessage);
  EXPECT_EQ(message.size(), ReceiveBuffer::kMaxMessageLength);

  ReceiveBuffer over;
  over.Append(std::string(ReceiveBuffer::kMaxMessageLength / 2, 'a'));
  EXPECT_EQ(over.Next(&message), Status::kNeedMore);
  over.Append(std::string(ReceiveBuffer::kMaxMessageLength / 2 + 1, 'a'));
  EXPECT_EQ(over.Next(&message), Status::kTooLong);
  // Once failed it stays failed, and holds nothing more.
  over.Append(Bytes("SAY>hi<"));
  EXPECT_EQ(over.Next(&message), Status::kTooLong);
  EXPECT_EQ(over.Pending(), 0u);

  ReceiveBuffer one_read;
  one_read.Append(Bytes("OK>1<" + std::string(ReceiveBuffer::kMaxMessageLength + 1, 'b') + "<L<"));
  EXPECT_EQ(Drain(one_read), "OK>1<");
  EXPECT_EQ(one_read.Next(&message), Status::kTooLong);
}

}  // namespace
}  // namespace protocol
