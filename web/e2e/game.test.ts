// SPDX-License-Identifier: MIT
// A whole round in real programs: a phone-sized page drawing with touch, a desktop-sized page
// guessing, and the desktop client in the same room; then a late joiner's picture and a reload
// that keeps the points.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import type { Browser, Page } from "puppeteer-core";
import {
  join,
  kPatience,
  launchBrowser,
  openPlayer,
  padHash,
  panelWord,
  phone,
  type Program,
  type Room,
  setUpGame,
  startDesktopClient,
  startRoom,
  swipe,
  text,
  waitForPad,
  waitForText,
} from "./harness";

let room: Room;
let browser: Browser;
let desk: Program | undefined;

before(async () => {
  room = await startRoom();
  browser = await launchBrowser();
});

after(async () => {
  await desk?.stop();
  await browser?.close();
  await room?.stop();
});

// The points the user list shows for a player.
async function points(page: Page, nickname: string): Promise<string> {
  const list = await text(page, "::-p-aria(Players)");
  return list.match(new RegExp(`${nickname}\\D*(\\d+)`))?.[1] ?? "";
}

test("a phone page draws, a desktop page guesses, the desktop client plays along", async () => {
  const alice = await openPlayer(browser, room, phone);
  const bob = await openPlayer(browser, room);
  await join(alice, "Alice");
  await join(bob, "Bob");
  // The desktop client joins last, so that a page player draws first.
  desk = startDesktopClient(room, "Desk");
  await waitForText(alice, "::-p-aria(Players)", "Desk");

  await setUpGame(alice);
  await alice.waitForFunction(() => /^[^_-]+$/.test(document.getElementById("panelWord")?.textContent?.trim() ?? "-"), { timeout: kPatience });
  const word = (await panelWord(alice)).trim();
  assert.match(await panelWord(bob), /_/);

  // Alice draws with her finger: a stroke, then spray; Bob's pad and a late joiner's match hers.
  await swipe(alice, [0.1, 0.2], [0.9, 0.8]);
  await alice.locator("::-p-aria(Spray)").click();
  await swipe(alice, [0.2, 0.7], [0.6, 0.3]);
  const drawn = await padHash(alice);
  await waitForPad(bob, drawn);
  const carol = await openPlayer(browser, room);
  await join(carol, "Carol");
  await waitForPad(carol, drawn);

  // Bob finds the word and scores; after a reload he is back with his points.
  await bob.locator("::-p-aria(Chat)").fill(word);
  await bob.keyboard.press("Enter");
  await bob.waitForFunction(() => /Bob\D*[1-9]/.test(document.querySelector("[aria-label=Players]")?.textContent ?? ""), { timeout: kPatience });
  const scored = await points(bob, "Bob");
  await bob.reload();
  await bob.waitForFunction(
    (wanted) => new RegExp(`Bob\\D*${wanted}(?!\\d)`).test(document.querySelector("[aria-label=Players]")?.textContent ?? ""),
    { timeout: kPatience },
    scored,
  );
  for (const page of [alice, bob, carol]) {
    assert.deepEqual((page as Page & { errors: string[] }).errors, []);
  }
});
