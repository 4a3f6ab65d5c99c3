// SPDX-License-Identifier: MIT
// A scripted client on the room's TCP port, as the last older version speaks: it logs in,
// answers pings and says what a test tells it to. It reads every message and understands none of
// the newer ones.
import assert from "node:assert/strict";
import { Socket } from "node:net";
import { kPatience, type Room } from "./harness";

const sleep = (ms: number) => new Promise((resolve) => setTimeout(resolve, ms));
const kSep = "\x03";

// A client of version 1.0 on the room's TCP port: it logs in, answers pings and says what the
// test tells it to. It reads every message and understands none of the newer ones.
export class OlderClient {
  readonly messages: Array<{ command: string; data: string }> = [];
  private cursor = 0;
  private buffer = "";
  private closed = false;

  private constructor(private readonly socket: Socket) {
    socket.setEncoding("latin1");
    socket.on("data", (chunk: string) => {
      this.buffer += chunk;
      for (let end = this.buffer.indexOf("\x01"); end >= 0; end = this.buffer.indexOf("\x01")) {
        const raw = this.buffer.slice(0, end);
        this.buffer = this.buffer.slice(end + 1);
        const at = raw.indexOf("\x02");
        const message = at < 0 ? { command: raw, data: "" } : { command: raw.slice(0, at), data: raw.slice(at + 1) };
        if (message.command === "PING") this.send("PONG", "-");
        this.messages.push(message);
      }
    });
    socket.on("close", () => (this.closed = true));
  }

  // Connected and logged in with the nickname, from the address given (127.0.0.4 unless told);
  // with a code, to that room of a host of many rooms, as a newer client names it.
  static async login(room: Room, nickname: string, options: { code?: string; from?: string } = {}): Promise<OlderClient> {
    const socket = new Socket();
    await new Promise<void>((resolve, reject) => {
      socket.once("error", reject);
      socket.connect({ port: room.port, host: "127.0.0.1", localAddress: options.from ?? "127.0.0.4" }, resolve);
    });
    const client = new OlderClient(socket);
    if (options.code) client.send("ROOM", options.code);
    client.send("SCRAWLBOX_CL13NT", "100001");
    client.send("USER", [nickname, "0", "23", "Female", "Leeds", "-", "hello"].join(kSep));
    client.send("PASS", "<none>");
    client.send("ULISTREQ", "-");
    return client;
  }

  send(command: string, data: string): void {
    this.socket.write(`${command}\x02${data}\x01`, "latin1");
  }

  // The data of the next message of that command (matching, when asked) after the last one
  // taken; the messages in between are passed over.
  async next(command: string, matches: (data: string) => boolean = () => true): Promise<string> {
    const deadline = Date.now() + kPatience;
    for (;;) {
      const index = this.messages.findIndex((m, i) => i >= this.cursor && m.command === command && matches(m.data));
      if (index >= 0) {
        this.cursor = index + 1;
        return this.messages[index].data;
      }
      const since = this.messages.slice(this.cursor).map((m) => `${m.command} ${m.data}`);
      assert.ok(!this.closed && Date.now() < deadline, `no ${command} came; after the last: ${since.join(" / ")}`);
      await sleep(50);
    }
  }

  got(command: string): boolean {
    return this.messages.some((m) => m.command === command);
  }

  // A player's user id as the user list and the joins gave it.
  idOf(nickname: string): string {
    for (const { command, data } of this.messages) {
      const fields = data.split(kSep);
      const step = command === "ULIST" ? 4 : command === "JOIN" ? fields.length : 0;
      for (let i = 0; step > 0 && i + 1 < fields.length; i += step) {
        if (fields[i + 1].replace(/^@/, "") === nickname) return fields[i];
      }
    }
    assert.fail(`${nickname} is not in the room`);
  }

  async closedByRoom(): Promise<void> {
    const deadline = Date.now() + kPatience;
    while (!this.closed) {
      assert.ok(Date.now() < deadline, "the room kept the connection open");
      await sleep(50);
    }
  }

  close(): void {
    this.socket.destroy();
  }
}
