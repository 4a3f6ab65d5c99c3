// SPDX-License-Identifier: MIT
#include "common/http/websocket.h"

#include <openssl/evp.h>
#include <openssl/rand.h>
#include <openssl/sha.h>

#include <algorithm>
#include <cctype>
#include <optional>

#include "common/http/response.h"

namespace http::websocket {

namespace {

constexpr std::string_view kPlain = "text/plain; charset=utf-8";
// The protocol's own constant, appended to the key before hashing.
constexpr std::string_view kAcceptGuid = "258EAFA5-E914-47DA-95CA-C5AB0DC85B11";
constexpr size_t kMaxControlPayload = 125;

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Calls fn for each item of a list separated by any of the separators, trimmed, empty ones left
// out; stops and returns true when fn does.
template <typename Fn>
bool AnyItem(std::string_view list, std::string_view separators, Fn&& fn) {
  while (!list.empty()) {
    const size_t end = list.find_first_of(separators);
    const std::string_view item = Trim(list.substr(0, end));
    if (!item.empty() && fn(item)) return true;
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return false;
}

bool HasToken(const std::optional<std::string>& field, std::string_view token) {
  return field &&
         AnyItem(*field, ",", [&](std::string_view item) { return EqualNoCase(item, token); });
}

// Sixteen bytes in base64: 22 characters and "==".
bool IsNonce(std::string_view key) {
  if (key.size() != 24 || key.substr(22) != "==") return false;
  return std::all_of(key.begin(), key.begin() + 22, [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '/';
  });
}

bool OriginAllowed(const std::optional<std::string>& origin, const std::optional<std::string>& host,
                   const OriginPolicy& policy) {
  if (!origin) return true;
  const std::string_view asked = Trim(*origin);
  const bool listed = AnyItem(policy.origins, ", \t", [&](std::string_view allowed) {
    return allowed == "*" || EqualNoCase(allowed, asked);
  });
  if (listed || !Trim(policy.origins).empty()) return listed;
  const size_t scheme_end = asked.find("://");
  return host && scheme_end != std::string_view::npos &&
         EqualNoCase(asked.substr(scheme_end + 3), Trim(*host));
}

}  // namespace

std::string AcceptKey(std::string_view key) {
  const std::string text = std::string(key) + std::string(kAcceptGuid);
  unsigned char digest[SHA_DIGEST_LENGTH];
  SHA1(reinterpret_cast<const unsigned char*>(text.data()), text.size(), digest);
  unsigned char encoded[4 * ((SHA_DIGEST_LENGTH + 2) / 3) + 1];
  const int size = EVP_EncodeBlock(encoded, digest, SHA_DIGEST_LENGTH);
  return std::string(reinterpret_cast<const char*>(encoded), static_cast<size_t>(size));
}

Upgrade AnswerUpgrade(const RequestHead& head, const OriginPolicy& policy) {
  const std::optional<std::string> key = head.Field("Sec-WebSocket-Key");
  if (head.state() != RequestHead::State::kComplete || head.method() != "GET" ||
      !HasToken(head.Field("Upgrade"), "websocket") ||
      !HasToken(head.Field("Connection"), "upgrade") || !key || !IsNonce(Trim(*key))) {
    return {Upgrade::Verdict::kBad, BadRequest()};
  }
  const std::optional<std::string> version = head.Field("Sec-WebSocket-Version");
  if (!version || Trim(*version) != "13") {
    return {Upgrade::Verdict::kWrongVersion,
            Response("426 Upgrade Required", kPlain, "WebSocket version 13 only.\n", false,
                     Framing::kLength, "Sec-WebSocket-Version: 13\r\n")};
  }
  if (!OriginAllowed(head.Field("Origin"), head.Field("Host"), policy)) {
    return {Upgrade::Verdict::kOriginRefused,
            Response("403 Forbidden", kPlain, "This room does not take players from that page.\n")};
  }
  return {Upgrade::Verdict::kAccept,
          "HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
          "Sec-WebSocket-Accept: " +
              AcceptKey(Trim(*key)) + "\r\n\r\n"};
}

std::string FrameHeader(Opcode opcode, size_t payload_size) {
  std::string header(1, static_cast<char>(0x80 | static_cast<uint8_t>(opcode)));
  if (payload_size < 126) {
    header += static_cast<char>(payload_size);
  } else if (payload_size <= 0xFFFF) {
    header += static_cast<char>(126);
    header += static_cast<char>(payload_size >> 8);
    header += static_cast<char>(payload_size & 0xFF);
  } else {
    header += static_cast<char>(127);
    for (int shift = 56; shift >= 0; shift -= 8) {
      header += static_cast<char>((static_cast<uint64_t>(payload_size) >> shift) & 0xFF);
    }
  }
  return header;
}

std::string Frame(Opcode opcode, std::string_view payload) {
  return FrameHeader(opcode, payload.size()).append(payload);
}

std::string CloseFrame(uint16_t code, std::string_view reason) {
  std::string payload{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  payload += reason.substr(0, kMaxControlPayload - 2);
  return Frame(Opcode::kClose, payload);
}

bool FrameReader::Fail(uint16_t code, std::string_view reason) {
  done_ = true;
  fault_code_ = code;
  fault_reason_ = reason;
  return false;
}

bool FrameReader::Feed(std::string_view bytes, int64_t now_ms, FrameHandler& handler) {
  while (!done_ && !bytes.empty()) {
    if (!in_payload_) {
      const size_t take = std::min(bytes.size(), header_size_ - header_.size());
      header_.append(bytes.substr(0, take));
      bytes.remove_prefix(take);
      if (header_.size() == 2) {
        // A client that sends no mask (or a room that sends one) is refused at once, not after
        // waiting for the rest of its header.
        if (((static_cast<uint8_t>(header_[1]) & 0x80) != 0) != masked_) {
          return Fail(kProtocolError, masked_ ? "Unmasked frame" : "Masked frame");
        }
        const uint8_t length = static_cast<uint8_t>(header_[1]) & 0x7F;
        header_size_ = 2 + (length == 126 ? 2 : length == 127 ? 8 : 0) + (masked_ ? 4 : 0);
      }
      if (header_.size() < header_size_ || !StartFrame(now_ms)) continue;
      if (remaining_ == 0 && !EndControlFrame(handler)) return false;
      continue;
    }
    const size_t take = static_cast<size_t>(std::min<uint64_t>(bytes.size(), remaining_));
    const bool control = static_cast<uint8_t>(opcode_) >= 8;
    if (!masked_) {
      // The room's data goes on in place.
      if (control) {
        control_.append(bytes.substr(0, take));
      } else if (take > 0) {
        handler.OnData(bytes.substr(0, take));
      }
      bytes.remove_prefix(take);
      remaining_ -= take;
      if (remaining_ == 0 && !EndControlFrame(handler)) return false;
      continue;
    }
    std::string& out = control ? control_ : scratch_;
    if (!control) out.clear();
    const size_t start = out.size();
    out.resize(start + take);
    for (size_t i = 0; i < take; ++i) {
      out[start + i] = static_cast<char>(static_cast<uint8_t>(bytes[i]) ^ mask_[(offset_ + i) & 3]);
    }
    offset_ += take;
    bytes.remove_prefix(take);
    remaining_ -= take;
    if (!control && take > 0) handler.OnData(scratch_);
    if (remaining_ == 0 && !EndControlFrame(handler)) return false;
  }
  return !done_;
}

bool FrameReader::StartFrame(int64_t now_ms) {
  const auto first = static_cast<uint8_t>(header_[0]);
  const auto second = static_cast<uint8_t>(header_[1]);
  final_ = (first & 0x80) != 0;
  const uint8_t opcode = first & 0x0F;
  if ((first & 0x70) != 0) return Fail(kProtocolError, "Reserved bits set");
  uint64_t length = second & 0x7F;
  size_t at = 2;
  if (length >= 126) {
    const size_t size = length == 126 ? 2 : 8;
    length = 0;
    for (size_t i = 0; i < size; ++i) length = (length << 8) | static_cast<uint8_t>(header_[at++]);
  }
  if (masked_) {
    for (uint8_t& byte : mask_) byte = static_cast<uint8_t>(header_[at++]);
  }
  header_.clear();
  header_size_ = 2;
  switch (opcode) {
    case 0x0:
      if (!in_message_) return Fail(kProtocolError, "Continuation without a message");
      break;
    case 0x1:
      return Fail(kUnsupportedData, "This room takes binary frames only");
    case 0x2:
      if (in_message_) return Fail(kProtocolError, "New message inside a fragmented one");
      break;
    case 0x8:
    case 0x9:
    case 0xA:
      if (!final_) return Fail(kProtocolError, "Fragmented control frame");
      if (length > kMaxControlPayload) return Fail(kProtocolError, "Control frame too long");
      if (opcode == 0x9 && masked_) {
        if (now_ms - ping_window_start_ >= kPingWindowMs) {
          ping_window_start_ = now_ms;
          pings_ = 0;
        }
        if (++pings_ > kMaxPings) return Fail(kPolicy, "Too many pings");
      }
      break;
    default:
      return Fail(kProtocolError, "Unknown opcode");
  }
  if (opcode < 8) {
    if (length > max_frame_) return Fail(kTooBig, "Frame too long");
    in_message_ = !final_;
  }
  opcode_ = static_cast<Opcode>(opcode);
  remaining_ = length;
  offset_ = 0;
  control_.clear();
  in_payload_ = true;
  return true;
}

bool FrameReader::EndControlFrame(FrameHandler& handler) {
  in_payload_ = false;
  switch (opcode_) {
    case Opcode::kPing:
      handler.OnPing(control_);
      break;
    case Opcode::kClose: {
      if (control_.size() == 1) return Fail(kProtocolError, "Close frame of one byte");
      const uint16_t code = control_.size() >= 2
                                ? static_cast<uint16_t>((static_cast<uint8_t>(control_[0]) << 8) |
                                                        static_cast<uint8_t>(control_[1]))
                                : 0;
      // Codes a peer may not send, 0 among them, which stands for none here.
      if (control_.size() >= 2 && (code < 1000 || code == 1004 || code == 1005 || code == 1006 ||
                                   (code >= 1015 && code < 3000) || code >= 5000)) {
        return Fail(kProtocolError, "Invalid close code");
      }
      done_ = true;
      handler.OnClose(code,
                      std::string_view(control_).substr(std::min<size_t>(2, control_.size())));
      return false;
    }
    default:
      break;  // a pong, or the end of a data frame
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// The client's end.

std::string NewKey() {
  unsigned char nonce[16];
  RAND_bytes(nonce, sizeof nonce);
  unsigned char encoded[25];
  EVP_EncodeBlock(encoded, nonce, sizeof nonce);
  return std::string(reinterpret_cast<const char*>(encoded), 24);
}

std::string UpgradeRequest(std::string_view host, std::string_view path, std::string_view key) {
  std::string request = "GET ";
  request.append(path).append(" HTTP/1.1\r\nHost: ").append(host);
  request.append("\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: ");
  request.append(key).append("\r\nSec-WebSocket-Version: 13\r\n\r\n");
  return request;
}

UpgradeReply ReadUpgradeReply(std::string_view received, std::string_view key) {
  UpgradeReply reply;
  const size_t end = received.find("\r\n\r\n");
  if (end == std::string_view::npos) {
    if (received.size() > kMaxReplyHead) {
      reply.state = UpgradeReply::State::kRefused;
      reply.status = "an answer without an end";
    }
    return reply;
  }
  const std::string_view head = received.substr(0, end + 2);
  const std::string_view status = head.substr(0, head.find("\r\n"));
  bool accepted = status.substr(0, std::min<size_t>(status.size(), 13)) == "HTTP/1.1 101 ";
  if (accepted) {
    accepted = false;
    const std::string expected = AcceptKey(key);
    for (size_t at = status.size() + 2; at < head.size();) {
      const size_t line_end = head.find("\r\n", at);
      const std::string_view line = head.substr(at, line_end - at);
      at = line_end + 2;
      const size_t colon = line.find(':');
      if (colon != std::string_view::npos &&
          EqualNoCase(Trim(line.substr(0, colon)), "Sec-WebSocket-Accept")) {
        accepted = Trim(line.substr(colon + 1)) == expected;
      }
    }
  }
  if (accepted) {
    reply.state = UpgradeReply::State::kAccepted;
    reply.head_size = end + 4;
  } else {
    reply.state = UpgradeReply::State::kRefused;
    reply.status = std::string(status);
  }
  return reply;
}

void AppendMaskedFrame(std::string& out, Opcode opcode, std::string_view payload, uint32_t mask) {
  const size_t start = out.size();
  out += FrameHeader(opcode, payload.size());
  out[start + 1] = static_cast<char>(static_cast<uint8_t>(out[start + 1]) | 0x80);
  const uint8_t key[4] = {static_cast<uint8_t>(mask >> 24), static_cast<uint8_t>(mask >> 16),
                          static_cast<uint8_t>(mask >> 8), static_cast<uint8_t>(mask)};
  out.append(reinterpret_cast<const char*>(key), 4);
  const size_t at = out.size();
  out.resize(at + payload.size());
  for (size_t i = 0; i < payload.size(); ++i) {
    out[at + i] = static_cast<char>(static_cast<uint8_t>(payload[i]) ^ key[i & 3]);
  }
}

}  // namespace http::websocket
