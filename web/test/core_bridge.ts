// SPDX-License-Identifier: MIT
// The page core under node: the very core.js and core.wasm the room serves, driven through the
// contract by a fake view, with this test as the room at the other end of its socket. Built and
// run by CMake (web/CMakeLists.txt), which hands esbuild the build's core.js.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";

import createModule from "scrawlbox-core";
import type { ChatLine, PageCore, PageView } from "../src/core";

// The room's messages as bytes: command, code 2, data with fields split by code 3, code 1. The
// text is Windows-1252, which the few characters used here share with Latin-1.
const latin1 = (text: string) => Uint8Array.from(text, (c) => c.charCodeAt(0));
const frame = (command: string, ...fields: string[]) =>
  latin1(`${command}\x02${fields.join("\x03")}\x01`);

class FakeView implements PageView {
  sent: string[] = [];
  chat: ChatLine[] = [];
  connects = 0;
  padChanges = 0;
  settings = "";

  connect() {
    this.connects++;
  }
  close() {}
  send(bytes: Uint8Array<ArrayBuffer>) {
    this.sent.push(String.fromCharCode(...bytes));
    return true;
  }
  leave() {}
  loadSettings() {
    return this.settings;
  }
  saveSettings(text: string) {
    this.settings = text;
  }
  addChatLine(line: ChatLine) {
    this.chat.push(line);
  }
  addWelcome() {}
  clearChat() {}
  showUsers() {}
  showPanel() {}
  showControls() {}
  focusChatInput() {}
  padChanged() {
    this.padChanges++;
  }
  showWinner() {}
  showAgreement() {}
  askRoomPassword() {}
  showUserInfo() {}
  showReservedNickname() {}
  askForNickname() {}
  openGameSetup() {}
  wordListsReceived() {}
  wordListsComplete() {}
  noWordLists() {}
  playSound() {}
  showWordChoice() {}
  showRoundSummary() {}
}

// The room the page came from, which the core names when it joins.
(globalThis as { location?: object }).location = { host: "localhost:8080" };
const module = await createModule({
  wasmBinary: readFileSync(new URL("core.wasm", import.meta.url)),
});

// A page logged in as ann, id 100001, with bob in the room.
function loggedIn(): { core: PageCore & { delete(): void }; view: FakeView } {
  const view = new FakeView();
  const core = new module.PageCore(view) as PageCore & { delete(): void };
  core.start();
  core.join("ann");
  assert.equal(view.connects, 1);
  core.onOpen();
  assert.match(view.sent.shift() ?? "", /^SCRAWLBOX_CL13NT\x02/);
  core.onData(frame("SCRAWLBOX_S3RV3R", "100"));
  assert.match(view.sent.shift() ?? "", /^USER\x02ann\x03/);
  core.onData(frame("USEROK", "100001", ""));
  assert.match(view.sent.shift() ?? "", /^PASS\x02/);
  core.onData(
    new Uint8Array([
      ...frame("PASSOK", "", "Room", "-", "1", "10"),
      ...frame("ULIST", "100000", "bob", "0", "0", "100001", "ann", "0", "0"),
      ...frame("ULISTEND", ""),
    ]),
  );
  return { core, view };
}

test("the page joins its room under the nickname it keeps, and shows what is said", () => {
  const { core, view } = loggedIn();
  assert.match(view.settings, /Nickname=ann/);
  core.onData(frame("SAY", "100000", "Gr\xFC\xDFe \x80"));
  assert.deepEqual(view.chat[view.chat.length - 1], { sender: "bob", text: "Grüße €", colour: 0, plain: false });
  core.enterChat("Schöne Grüße ☃");
  assert.equal(view.sent[view.sent.length - 1], "SAY\x02Sch\xF6ne Gr\xFC\xDFe ?\x01");
  core.delete();
});

test("replayed drawing changes the pad, and a spray gives the native raster's pixels", () => {
  const { core, view } = loggedIn();
  // Every build's white pad and the golden scene "a spray as a pad replays it after CU".
  assert.equal(core.padHash(), "0x8C005C166D94B40D");
  const changes = view.padChanges;
  core.onData(new Uint8Array([...frame("CU", "100000", "-"), ...frame("SP", "100000", "100", "100")]));
  assert.equal(view.padChanges, changes + 1);
  assert.equal(core.padHash(), "0x1961B0B569594A0C");
  const pixels = core.padPixels();
  assert.equal(pixels.length, 511 * 322 * 4);
  assert.deepEqual([...pixels.subarray(0, 4)], [255, 255, 255, 255]);
  core.delete();
});
