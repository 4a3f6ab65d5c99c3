// SPDX-License-Identifier: MIT
// A game in real programs: a phone-sized page with touch and a desktop-sized page take turns to
// draw and guess, with the desktop client in the same room. The phone draws with its finger,
// finds a word, and reloads in the middle of a round: it comes back as a late joiner with the
// picture drawn so far and its points.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import type { Browser, Page } from "puppeteer-core";
import {
  join,
  kControlNames,
  kPatience,
  namingFaults,
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
  stroke,
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
async function points(page: Page, nickname: string): Promise<number> {
  const list = await page.$eval("[aria-label=Players]", (node) => node.textContent ?? "");
  return Number(list.match(new RegExp(`${nickname}\\D*(\\d+)`))?.[1] ?? NaN);
}

async function waitForPoints(page: Page, nickname: string, wanted: (points: number) => boolean) {
  const deadline = Date.now() + kPatience;
  while (!wanted(await points(page, nickname))) {
    assert.ok(Date.now() < deadline, `${nickname} has ${await points(page, nickname)} points`);
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

// The word of the next round that either page draws, once it is under way: its artist sees the
// word while the other sees blanks. (Between rounds both show the last word; while the desktop
// client draws, both show blanks.)
async function nextRound(pages: [Page, Page], last: string): Promise<string> {
  const deadline = Date.now() + 2 * kPatience;
  for (;;) {
    const shown = await Promise.all(pages.map(async (page) => (await panelWord(page)).trim()));
    for (const [mine, other] of [shown, [...shown].reverse()]) {
      if (mine !== last && /^[^_-]+$/.test(mine) && other.includes("_")) return mine;
    }
    assert.ok(Date.now() < deadline, "no new round began");
    // A page offered words takes one with its key, as a player may.
    for (const page of pages) {
      if (await page.$("#wordChoice:not([hidden]) .word-choice-words button")) await page.keyboard.press("1");
    }
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

test("a phone page and a desktop page draw and guess in turn, the desktop client in the room", async () => {
  const phonePage = await openPlayer(browser, room, phone);
  const deskPage = await openPlayer(browser, room);
  assert.deepEqual(await namingFaults(phonePage, ["Nickname", "Join"]), []);
  await join(phonePage, "Pia");
  await join(deskPage, "Dan");
  assert.deepEqual(await namingFaults(deskPage, kControlNames), []);
  // The desktop client joins last, so that a page draws first.
  desk = startDesktopClient(room, "Desk");
  await waitForText(phonePage, "::-p-aria(Players)", "Desk");
  await setUpGame(phonePage, 30, 5);

  const names = new Map([[phonePage, "Pia"], [deskPage, "Dan"]]);
  let phoneDrew = false;
  let phoneFound = false;
  let word = "-";
  while (!(phoneDrew && phoneFound)) {
    word = await nextRound([phonePage, deskPage], word);
    const artist = (await panelWord(phonePage)).trim() === word ? phonePage : deskPage;
    const guesser = artist === phonePage ? deskPage : phonePage;
    assert.match(await panelWord(guesser), /_/);
    await stroke(artist, [0.1, 0.2], [0.9, 0.8]);
    await artist.locator("::-p-aria(Spray)").click();
    await stroke(artist, [0.2, 0.7], [0.6, 0.3]);
    const drawn = await padHash(artist);
    await waitForPad(guesser, drawn);

    if (guesser === phonePage) {
      // A reload in the middle of the round: the phone joins again with its kept nickname and
      // gets the picture so far and its points.
      const before = await points(phonePage, "Pia");
      await phonePage.reload();
      await waitForPad(phonePage, drawn);
      await waitForPoints(phonePage, "Pia", (now) => now === before);
    }
    const before = await points(guesser, names.get(guesser)!);
    // The artist's panel lists every spelling ("starfish, sea star"); any one finds the word.
    await guesser.locator("::-p-aria(Chat)").fill(word.split(",")[0].trim());
    await guesser.keyboard.press("Enter");
    await waitForPoints(guesser, names.get(guesser)!, (now) => now > before);
    if (artist === phonePage) phoneDrew = true;
    else phoneFound = true;
  }
  for (const page of [phonePage, deskPage]) {
    assert.deepEqual((page as Page & { errors: string[] }).errors, []);
  }
});
