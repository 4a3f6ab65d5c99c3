// SPDX-License-Identifier: MIT
// A whole round in real programs: a phone-sized page drawing with touch, a desktop-sized page
// guessing, and the desktop client in the same room; then a late joiner's picture and a reload
// that keeps the points.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import type { Browser, Page } from "puppeteer-core";
import {
  launchBrowser,
  openPlayer,
  phone,
  type Program,
  type Room,
  startDesktopClient,
  startRoom,
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

async function join(page: Page, nickname: string): Promise<void> {
  await page.locator("::-p-aria(Nickname)").fill(nickname);
  await page.locator("::-p-aria(Join)").click();
  await waitForText(page, "::-p-aria(Players)", nickname);
}

// Waits until the element named by the selector shows the text.
async function waitForText(page: Page, selector: string, text: string): Promise<void> {
  await page.waitForFunction(
    (element, wanted) => (element as HTMLElement).innerText.includes(wanted),
    { timeout: 20000 },
    await page.waitForSelector(selector),
    text,
  );
}

async function text(page: Page, selector: string): Promise<string> {
  const element = await page.waitForSelector(selector);
  return element!.evaluate((node) => (node as HTMLElement).innerText);
}

async function padHash(page: Page): Promise<string> {
  return page.evaluate(() => (window as unknown as { scrawlbox: { padHash(): string } }).scrawlbox.padHash());
}

// A stroke with a finger across the pad, from and to fractions of its size.
async function swipe(page: Page, from: [number, number], to: [number, number]): Promise<void> {
  const pad = await page.waitForSelector("::-p-aria(Drawing pad)");
  const box = (await pad!.boundingBox())!;
  const at = ([fx, fy]: [number, number]) => ({ x: box.x + fx * box.width, y: box.y + fy * box.height });
  const steps = 8;
  const start = at(from);
  await page.touchscreen.touchStart(start.x, start.y);
  for (let i = 1; i <= steps; i++) {
    const f = i / steps;
    const p = at([from[0] + (to[0] - from[0]) * f, from[1] + (to[1] - from[1]) * f]);
    await page.touchscreen.touchMove(p.x, p.y);
  }
  await page.touchscreen.touchEnd();
}

test("a phone page draws, a desktop page guesses, the desktop client plays along", async () => {
  const alice = await openPlayer(browser, room, phone);
  const bob = await openPlayer(browser, room);
  await join(alice, "Alice");
  await join(bob, "Bob");
  // The desktop client joins last, so that a page player draws first.
  desk = startDesktopClient(room, "Desk");
  await waitForText(alice, "::-p-aria(Players)", "Desk");

  // Alice sets up a game with the first word list.
  await alice.locator("::-p-aria(Set up game)").click();
  await alice.locator("dialog[open] input[type=checkbox]").click();
  await alice.locator("::-p-aria(Start game)").click();

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
