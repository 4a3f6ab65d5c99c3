// SPDX-License-Identifier: MIT
// A whole round in real programs: a phone-sized page drawing with touch, a desktop-sized page
// guessing, and the desktop client in the same room; then a late joiner's picture and a reload
// that keeps the points.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import type { Browser, Page } from "puppeteer-core";
import {
  join,
  launchBrowser,
  openPlayer,
  padHash,
  phone,
  type Program,
  type Room,
  setUpGame,
  startDesktopClient,
  startRoom,
  swipe,
  text,
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

test("a phone page draws, a desktop page guesses, the desktop client plays along", async () => {
  const alice = await openPlayer(browser, room, phone);
  const bob = await openPlayer(browser, room);
  await join(alice, "Alice");
  await join(bob, "Bob");
  // The desktop client joins last, so that a page player draws first.
  desk = startDesktopClient(room, "Desk");
  await waitForText(alice, "::-p-aria(Players)", "Desk");

  await setUpGame(alice);

  // Alice draws: the word is hers to see, the blanks are Bob's.
  await alice.waitForFunction(() => /[A-Za-z]/.test(document.querySelector("[aria-label=Word]")?.textContent ?? ""), { timeout: 20000 });
  const word = (await text(alice, "::-p-aria(Word)")).trim();
  assert.notEqual(await text(bob, "::-p-aria(Word)"), word);
  const white = await padHash(bob);
  await swipe(alice, [0.1, 0.2], [0.9, 0.8]);
  await alice.locator("::-p-aria(Spray)").click();
  await swipe(alice, [0.2, 0.7], [0.6, 0.3]);
  await bob.waitForFunction((before) => (window as unknown as { scrawlbox: { padHash(): string } }).scrawlbox.padHash() !== before, {}, white);
  await bob.waitForFunction(
    (wanted) => (window as unknown as { scrawlbox: { padHash(): string } }).scrawlbox.padHash() === wanted,
    { timeout: 10000 },
    await padHash(alice),
  );

  // A late joiner gets the same picture.
  const carol = await openPlayer(browser, room);
  await join(carol, "Carol");
  await carol.waitForFunction(
    (wanted) => (window as unknown as { scrawlbox: { padHash(): string } }).scrawlbox.padHash() === wanted,
    { timeout: 10000 },
    await padHash(alice),
  );

  // Bob finds the word and scores; after a reload he is back with his points.
  await bob.locator("::-p-aria(Chat)").fill(word);
  await bob.keyboard.press("Enter");
  await waitForText(alice, "[aria-label=Chat log], [role=log]", "Bob");
  await bob.waitForFunction(() => /Bob\D*[1-9]/.test(document.querySelector("[aria-label=Players]")?.textContent ?? ""), { timeout: 10000 });
  const points = (await text(bob, "::-p-aria(Players)")).match(/Bob\D*(\d+)/)![1];
  await bob.reload();
  await bob.waitForFunction(
    (wanted) => new RegExp(`Bob\\D*${wanted}`).test(document.querySelector("[aria-label=Players]")?.textContent ?? ""),
    { timeout: 20000 },
    points,
  );
  for (const page of [alice, bob, carol]) {
    assert.deepEqual((page as Page & { errors: string[] }).errors, []);
  }
});
