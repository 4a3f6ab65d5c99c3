// SPDX-License-Identifier: MIT
// Rooms on demand, in real programs: on a host of many rooms a page player makes a private room
// and shares its link, three page players play a whole game in it, while two other rooms of the
// host run games of their own and an older client, which names no room, plays in the default
// room. Nothing of one room reaches another. A public room is in the directory while it is open,
// and the directory sends a visitor who wants a room to a host that has room.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import type { Browser, Page } from "puppeteer-core";
import {
  join,
  kPatience,
  launchBrowser,
  openPlayer,
  panelWord,
  type Room,
  startRoom,
  tickOnly,
  startTracker,
  text,
  waitForText,
} from "./harness";
import { OlderClient } from "./tcp_client";

const sleep = (ms: number) => new Promise((resolve) => setTimeout(resolve, ms));
const kSep = "\x03";

let room: Room;
let browser: Browser;
const clients: OlderClient[] = [];

before(async () => {
  room = await startRoom(["Flood Burst=0", "Guess Burst=0"], ["--rooms"]);
  browser = await launchBrowser();
});

after(async () => {
  for (const client of clients) client.close();
  await browser?.close();
  await room?.stop();
});

async function makeRoom(name: string): Promise<string> {
  const answer = await fetch(`${room.url}rooms`, {
    method: "POST",
    headers: { "Content-Type": "application/json" },
    body: JSON.stringify({ name }),
  });
  assert.equal(answer.status, 201);
  const made = (await answer.json()) as { code: string; url: string };
  assert.equal(made.url, `${room.url}r/${made.code}`);
  return made.code;
}

// A game in a room of scripted clients: the first starts one long round of the animals, and
// both hear it begin.
async function scriptedGame(code: string, names: [string, string], from: string): Promise<OlderClient[]> {
  const players = [];
  for (const name of names) players.push(await OlderClient.login(room, name, { code, from }));
  clients.push(...players);
  for (const player of players) await player.next("ULISTEND");
  await players[0].next("JOIN");
  players[0].send("STARTGAME", ["Room", "Desc", "8", "1", "300000", "30000", "\x04animals"].join(kSep));
  for (const player of players) await player.next("NEWARTIST");
  return players;
}

// The guesser of such a room finds the artist's word.
async function findWord(players: OlderClient[]): Promise<void> {
  const artist = players.find((p) => p.got("NEWWORD"))!;
  const guesser = players.find((p) => p !== artist)!;
  guesser.send("SAY", (await artist.next("NEWWORD")).split(",")[0]);
  for (const player of players) await player.next("WORDFOUND");
}

// The page whose panel shows the word (the artist's) and the word, once a round after the one
// of the last word is under way.
async function artistOf(pages: Page[], last: string): Promise<[Page, string]> {
  const deadline = Date.now() + kPatience;
  for (;;) {
    for (const page of pages) {
      // Offered words, the artist takes the first with its key.
      if (await page.$("#wordChoice:not([hidden]) .word-choice-words button")) await page.keyboard.press("1");
      const shown = (await panelWord(page)).trim();
      const blanks = await Promise.all(pages.filter((p) => p !== page).map(async (p) => (await panelWord(p)).includes("_")));
      if (shown !== last && /^[^_-]+$/.test(shown) && blanks.every(Boolean)) return [page, shown];
    }
    assert.ok(Date.now() < deadline, "no round began");
    await sleep(100);
  }
}

test("three page players make a room, share its link and play a game while other rooms play theirs", async () => {
  // An older client names no room: it is in the default room, as in a single room.
  const old = await OlderClient.login(room, "Olga");
  clients.push(old);
  assert.match(await old.next("PASSOK"), /Page room/);

  const ann = await openPlayer(browser, room);
  await ann.locator("::-p-aria(New room)").click();
  await ann.locator("#roomNameInput").fill("Friends");
  await Promise.all([ann.waitForNavigation(), ann.locator("::-p-aria(Create room)").click()]);
  // The maker is shown the link to share, with a button to copy it.
  await ann.waitForSelector("#inviteDialog[open]");
  const link = await text(ann, "#inviteLink");
  assert.match(link, /\/r\/[a-z2-9]{10}$/);
  await ann.locator("#inviteDialog ::-p-aria(Close)").click();
  await join(ann, "Ann");
  await waitForText(ann, "#roomName", "Friends");

  const friends: Page[] = [ann];
  for (const name of ["Ben", "Cai"]) {
    const page = await openPlayer(browser, { ...room, url: link });
    await join(page, name);
    friends.push(page);
  }
  await waitForText(ann, "::-p-aria(Players)", "Cai");

  // Two more rooms of the host, each with a game of its own.
  const others = [
    await scriptedGame(await makeRoom("Quiz"), ["Quin", "Qat"], "127.0.0.5"),
    await scriptedGame(await makeRoom("Doodle"), ["Dee", "Dot"], "127.0.0.6"),
  ];

  await ann.locator("::-p-aria(Set up game)").click();
  await tickOnly(ann, "animals");
  // The fewest rounds a game may have: each of the three draws, two of them twice.
  await ann.locator("#setupTotalRounds").fill("5");
  await ann.locator("#setupSeconds").fill("60");
  await ann.locator("::-p-aria(Start Game)").click();
  let word = "-";
  for (let round = 0; round < 5; ++round) {
    const [artist, drawn] = await artistOf(friends, word);
    word = drawn;
    for (const guesser of friends.filter((page) => page !== artist)) {
      await guesser.locator("::-p-aria(Chat)").fill(word.split(",")[0].trim());
      await guesser.keyboard.press("Enter");
    }
  }
  for (const page of friends) await page.waitForSelector("#winner:not([hidden])");

  // The other rooms' games went on meanwhile; they heard nothing of this room, and the default
  // room nothing of any.
  for (const players of others) {
    await findWord(players);
    assert.ok(players.every((p) => !p.messages.some((m) => m.data.includes("Ann"))));
  }
  assert.ok(!old.got("NEWROUND"), "the default room ran no game");
  assert.ok(!old.messages.some((m) => m.data.includes("Ann") || m.data.includes("Quin")));
  for (const page of friends) assert.deepEqual((page as Page & { errors: string[] }).errors, []);

  // Rooms are made from JSON only: a form of another site cannot make one.
  const form = await fetch(`${room.url}rooms`, { method: "POST", body: "{}" });
  assert.equal(form.status, 415);
  // An unknown room's link says so.
  const gone = await fetch(`${room.url}r/abcdefghjk`);
  assert.equal(gone.status, 404);
  assert.match(await gone.text(), /No such room/);
});

// Polls until the check holds.
async function until(check: () => Promise<boolean>, what: string): Promise<void> {
  const deadline = Date.now() + kPatience;
  while (!(await check())) {
    if (Date.now() > deadline) throw new Error(`${what} never happened`);
    await sleep(200);
  }
}

test("the directory sends a visitor to a host, whose public room it lists until the room closes", async () => {
  const tracker = await startTracker();
  const host = await startRoom(
    ["[Directory]", `Tracker URL=${tracker.url}misc/scrawlbox/tracker.php`],
    ["--rooms"],
  );
  try {
    // The host's own listing tells how many rooms it can make.
    host.type("submit");
    const listing = `PORT=${host.port}|`;
    await until(async () => (await tracker.view()).includes(listing), "the host's listing");

    const sent = await fetch(`${tracker.url}create`, { redirect: "manual" });
    assert.equal(sent.status, 303);
    assert.equal(sent.headers.get("location"), `${host.url}#new`);
    const visitor = await openPlayer(browser, { ...host, url: tracker.url });
    await Promise.all([visitor.waitForNavigation(), visitor.locator("::-p-aria(Create a private room)").click()]);
    // At the host, whose page opens its window for a new room (and drops the "#new" it came with).
    assert.equal(visitor.url().split("#")[0], host.url);
    await visitor.waitForSelector("#makeRoomDialog[open]");
    await visitor.locator("#roomNameInput").fill("Open house");
    await visitor.locator("#roomPublic").click();
    // A room for French players, which the directory says.
    await visitor.select("#roomLanguage", "fr");
    await Promise.all([visitor.waitForNavigation(), visitor.locator("::-p-aria(Create room)").click()]);
    const code = /\/r\/([a-z2-9]{10})$/.exec(visitor.url())?.[1] ?? "";
    assert.notEqual(code, "");

    // Listed as the host's room, with its code and its page, while it is open.
    await until(async () => (await tracker.view()).includes(`CODE=${code}`), "the room's listing");
    const record = (await tracker.view()).split("\r\n").find((line) => line.includes(`CODE=${code}`)) ?? "";
    assert.match(record, /SERVERNAME=Open house/);
    assert.match(record, /LANG=fr/);
    assert.ok(record.includes(`WEB=${host.url}r/${code}`), record);
    const page = await (await fetch(tracker.url)).text();
    assert.match(page, /Open house/);

    host.type(`close ${code}`);
    await until(async () => !(await tracker.view()).includes(`CODE=${code}`), "the room's removal");
    assert.ok((await tracker.view()).includes(listing), "the host's own listing stays");
  } finally {
    await host.stop();
    await tracker.stop();
  }
});
