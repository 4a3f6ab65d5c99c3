// SPDX-License-Identifier: MIT
// The room's messages: command, code 2, data, code 1, in Windows-1252. Fields inside the data are
// separated by code 3, word-list names by code 4. The same framing as the desktop client's, so
// that a page player is a player like any other.
import { decode, encode } from "./text";

export const kMessageEnd = 0x01;
export const kCommandSep = 0x02;
export const kFieldSep = "\x03";
export const kListSep = "\x04";
// The longest message the room takes or sends; more without an end means a broken peer.
export const kMaxMessageLength = 65536;

export interface Message {
  command: string;
  data: string;
}

export function frame(command: string, data: string): Uint8Array {
  const head = encode(command);
  const body = encode(data);
  const out = new Uint8Array(head.length + body.length + 2);
  out.set(head, 0);
  out[head.length] = kCommandSep;
  out.set(body, head.length + 1);
  out[out.length - 1] = kMessageEnd;
  return out;
}

// A message without code 2 is all command and no data.
export function parse(raw: Uint8Array): Message {
  const sep = raw.indexOf(kCommandSep);
  if (sep < 0) return { command: decode(raw), data: "" };
  return { command: decode(raw.subarray(0, sep)), data: decode(raw.subarray(sep + 1)) };
}

export function fields(data: string): string[] {
  return data.split(kFieldSep);
}

// Field i, or "" when the sender left it out.
export function field(data: string, i: number): string {
  return fields(data)[i] ?? "";
}

// The room's byte stream as it arrives, in pieces of any size, cut into messages.
export class ReceiveBuffer {
  private bytes = new Uint8Array(0);
  private start = 0;

  append(piece: Uint8Array): void {
    const left = this.bytes.subarray(this.start);
    const joined = new Uint8Array(left.length + piece.length);
    joined.set(left, 0);
    joined.set(piece, left.length);
    this.bytes = joined;
    this.start = 0;
  }

  // The next whole message, null when more must come first; throws when the room sent more than
  // any message may hold without an end (the connection is then of no use).
  next(): Message | null {
    const end = this.bytes.indexOf(kMessageEnd, this.start);
    if (end < 0) {
      if (this.bytes.length - this.start > kMaxMessageLength) {
        throw new Error("The room sent a message longer than any it may send.");
      }
      return null;
    }
    const message = parse(this.bytes.subarray(this.start, end));
    this.start = end + 1;
    return message;
  }
}
