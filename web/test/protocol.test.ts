// SPDX-License-Identifier: MIT
import assert from "node:assert/strict";
import { test } from "node:test";

import { frame, field, kMaxMessageLength, ReceiveBuffer } from "../src/protocol";
import { decode, encode } from "../src/text";

// Every accented letter of German, French and Spanish, the euro and the typographic quotes.
const kAccents = "ÄÖÜäöüßàâæçéèêëîïôœùûüÿÀÂÆÇÉÈÊËÎÏÔŒÙÛŸñÑáíóúÁÍÓÚ¿¡€„“”‘’–—…";

test("text goes to Windows-1252 and back, and what it cannot hold shows as ?", () => {
  assert.equal(decode(encode(kAccents)), kAccents);
  assert.equal(encode("é€")[0], 0xe9);
  assert.equal(encode("é€")[1], 0x80);
  assert.equal(decode(encode("snow ☃ 😀")), "snow ? ?");
  // The five bytes the code page leaves free come through as themselves.
  assert.equal(decode(Uint8Array.of(0x81, 0x9d)), "\u0081\u009d");
});

test("messages come out whole, in order, from pieces of any size", () => {
  const stream = new Uint8Array([...frame("SAY", "100001\x03Grüße"), ...frame("PING", "-"), 0x41]);
  for (const size of [1, 3, stream.length]) {
    const buffer = new ReceiveBuffer();
    const got: string[] = [];
    for (let at = 0; at < stream.length; at += size) {
      buffer.append(stream.subarray(at, at + size));
      for (let m = buffer.next(); m; m = buffer.next()) got.push(`${m.command}:${m.data}`);
    }
    assert.deepEqual(got, ["SAY:100001\x03Grüße", "PING:-"], `pieces of ${size}`);
  }
  assert.equal(field("a\x03b", 1), "b");
  assert.equal(field("a", 3), "");
});

test("a stream without an end is refused at the room's bound, not held for ever", () => {
  const buffer = new ReceiveBuffer();
  buffer.append(new Uint8Array(kMaxMessageLength));
  assert.equal(buffer.next(), null);
  buffer.append(Uint8Array.of(0x41));
  assert.throws(() => buffer.next());
});
