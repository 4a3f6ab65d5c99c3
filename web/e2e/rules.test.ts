// SPDX-License-Identifier: MIT
// Today's game rules in real programs. A page player, two desktop clients on a virtual screen
// (typed into as their players would) and a scripted client of the last older version, which
// never sends a newer message, play one whole game of the set-up's own words: a choice clicked
// and a choice left to run out, the artist's share, a watcher, a warned-off round, every round's
// summary, the page's sounds, and at the end a vote that kicks the older client out.
import assert from "node:assert/strict";
import { mkdirSync } from "node:fs";
import { join as joinPath } from "node:path";
import { after, before, test } from "node:test";
import type { Browser, Page } from "puppeteer-core";
import {
  Display,
  join,
  kPatience,
  launchBrowser,
  openPlayer,
  padHash,
  panelWord,
  type Program,
  type Room,
  startDesktopClient,
  startRoom,
  stroke,
  text,
  waitForText,
} from "./harness";
import { OlderClient } from "./tcp_client";

const sleep = (ms: number) => new Promise((resolve) => setTimeout(resolve, ms));
const kSep = "\x03";


let room: Room;
let browser: Browser;
// Each desktop client has a screen of its own, so that typing goes to the one window there.
const displays: Display[] = [];
const desktops: Program[] = [];
let olga: OlderClient | undefined;

before(async () => {
  // A vote counts once an address, and every player here is on this machine. The page's player
  // comes "through a proxy" at an address of its own, the older client from another loopback
  // address; the desktop clients share 127.0.0.1, so they never both vote.
  room = await startRoom(["Word Choice Seconds=5", "Trusted Proxies=127.0.0.1"]);
  browser = await launchBrowser();
  displays.push(await Display.start(), await Display.start());
});

after(async () => {
  olga?.close();
  for (const desktop of desktops) await desktop.stop();
  for (const display of displays) await display.stop();
  await browser?.close();
  await room?.stop();
});

// Photographs of the page and of the virtual screens, when SCRAWLBOX_SHOTS names a folder. The
// page is then as large as SCRAWLBOX_VIEWPORT says ("390x844x3": width, height, scale), and
// QT_SCALE_FACTOR scales the desktop clients.
function viewport() {
  const [width, height, scale] = (process.env.SCRAWLBOX_VIEWPORT ?? "1280x800x1").split("x").map(Number);
  const touch = width < 600;
  return { width, height, deviceScaleFactor: scale, hasTouch: touch, isMobile: touch };
}

async function shoot(page: Page, name: string): Promise<void> {
  const folder = process.env.SCRAWLBOX_SHOTS;
  if (!folder) return;
  mkdirSync(folder, { recursive: true });
  await page.screenshot({ path: joinPath(folder, `${name}-page.png`) });
  displays.forEach((display, i) => display.screenshot(desktops[i], joinPath(folder, `${name}-desktop${i + 1}.png`)));
}

// The word of a round whose artist let the choice run out, from the room's log: the artist's
// nth such round.
async function wordLeftToRunOut(nickname: string, nth = 1): Promise<string> {
  const said = `${nickname} did not choose in time; the word is `;
  const lines = () => room.server.output.filter((line) => line.includes(said));
  const deadline = Date.now() + kPatience;
  while (lines().length < nth) {
    assert.ok(Date.now() < deadline, `${nickname}'s choice never ran out`);
    await sleep(50);
  }
  const line = lines()[nth - 1];
  return line.slice(line.indexOf(said) + said.length).replace(/\.$/, "");
}

// A player's total as the older client was last told it.
function points(client: OlderClient, id: string): number {
  const told = client.messages.filter((m) => m.command === "POINTSCHG" && m.data.startsWith(id + kSep));
  return told.length === 0 ? 0 : Number(told[told.length - 1].data.split(kSep)[1]);
}

async function waitForSummary(page: Page, summary: string): Promise<void> {
  await page.waitForFunction((wanted) => document.getElementById("roundSummary")?.textContent === wanted, {}, summary);
}

test("a page, two desktop clients and an older client play a game with every rule", async () => {
  const pia = await openPlayer(browser, room, viewport(), { "X-Forwarded-For": "198.51.100.7" });
  const sounds = new Set<string>();
  pia.on("request", (request) => {
    const sound = request.url().match(/\/sounds\/(\w+)\.wav$/);
    if (sound) sounds.add(sound[1]);
  });
  await join(pia, "Pia");
  const [danScreen, eveScreen] = displays;
  const dan = startDesktopClient(room, "Dan", danScreen);
  desktops.push(dan);
  await waitForText(pia, "::-p-aria(Players)", "Dan");
  const eve = startDesktopClient(room, "Eve", eveScreen);
  desktops.push(eve);
  await waitForText(pia, "::-p-aria(Players)", "Eve");
  olga = await OlderClient.login(room, "Olga");
  await olga.next("ULISTEND");
  const [piaId, danId, eveId, olgaId] = ["Pia", "Dan", "Eve", "Olga"].map((n) => olga!.idOf(n));

  // A watcher from before the game; the older client is not told, and sees a player.
  await eveScreen.say(eve, "/watch");
  await waitForText(pia, "::-p-aria(Players)", "watching");

  // A game of the set-up's own words alone, no list ticked.
  const ownWords = ["teapot", "rainbow", "castle", "bicycle", "volcano", "lighthouse", "windmill", "umbrella"];
  await pia.locator("::-p-aria(Set up game)").click();
  await pia.waitForSelector("dialog[open] #setupStart:not([disabled])");
  for (const box of await pia.$$("#wordLists input[type=checkbox]")) {
    if (await box.evaluate((node) => (node as HTMLInputElement).checked)) await box.click();
  }
  await pia.locator("#setupCustomWords").fill(ownWords.join(", "));
  await waitForText(pia, "#setupCustomCount", "8");
  await pia.locator("#setupTotalRounds").fill("5");
  await pia.locator("#setupSeconds").fill("30");
  await pia.locator("#setupGrace").fill("5");
  await pia.locator("::-p-aria(Start Game)").click();

  // Round 1: Pia chooses among three of the game's words. The older client learns of the round
  // only as it starts, as it always did.
  await pia.waitForSelector("#wordChoice:not([hidden]) #wordChoiceWords button");
  const offered = await pia.$$eval("#wordChoiceWords button", (buttons) =>
    buttons.map((button) => button.lastChild?.textContent ?? ""),
  );
  assert.equal(offered.length, 3);
  for (const word of offered) assert.ok(ownWords.includes(word), word);
  await shoot(pia, "1-choice");
  assert.ok(!olga.got("START_GAME") && !olga.got("NEWARTIST"));
  const word1 = offered[1];
  await pia.locator(`::-p-aria(Choose the word ${word1})`).click();
  await olga.next("START_GAME");
  await olga.next("NEWARTIST", (id) => id === piaId);
  assert.equal(await olga.next("WORDPATTERN"), "_".repeat(word1.length));
  await stroke(pia, [0.2, 0.2], [0.8, 0.7]);
  // The watcher chats, but a line naming the word goes nowhere.
  await eveScreen.say(eve, `it must be ${word1}`);
  await eveScreen.say(eve, "nice lines");
  await olga.next("SAY", (data) => data === `${eveId}${kSep}nice lines`);
  assert.ok(!olga.messages.some((m) => m.command === "SAY" && m.data.includes(word1)));
  await shoot(pia, "2-watching");
  // The two guessers find it, so the round ends without waiting for the watcher; the artist
  // gets half of what each finder got.
  olga.send("SAY", word1);
  await olga.next("WORDFOUND");
  await danScreen.say(dan, word1);
  const summary1 = await olga.next("NOTICE", (data) => data.startsWith("The word was"));
  const [gainOlga, gainDan, sharePia] = [olgaId, danId, piaId].map((id) => points(olga!, id));
  assert.equal(sharePia, Math.floor(gainOlga / 2) + Math.floor(gainDan / 2));
  assert.equal(summary1, `The word was ${word1}. Found by Olga (+${gainOlga}), Dan (+${gainDan}); Pia drew (+${sharePia}).`);
  assert.ok(!olga.got("ROUNDSUMMARY"));
  await waitForSummary(pia, summary1);
  await shoot(pia, "3-summary");
  await eveScreen.say(eve, "/play");
  await pia.waitForFunction(() => !document.querySelector("[aria-label=Players]")?.textContent?.includes("watching"));

  // Round 2: Dan lets the choice run out and gets the first word. Pia and Eve, two of its three
  // guessers, warn the artist: the round is skipped at no cost and played again.
  await waitForText(pia, "#wordChoiceTitle", "Dan is choosing a word");
  await shoot(pia, "4-choosing");
  await wordLeftToRunOut("Dan");
  await olga.next("NEWARTIST", (id) => id === danId);
  await pia.locator("::-p-aria(Warn artist)").click();
  await eveScreen.say(eve, "/warn");
  await olga.next("NOTICE", (data) => data === "Most players warned the artist; the round is skipped.");
  await olga.next("NOTICE", (data) => data.startsWith("Nobody found"));
  assert.equal(points(olga, danId), gainDan);

  // Round 2 again, by Eve, who lets the time run out too; Pia and Olga find the word, Dan does
  // not, and the last seconds tick on the page.
  const word3 = await wordLeftToRunOut("Eve");
  await olga.next("NEWARTIST", (id) => id === eveId);
  await pia.locator("::-p-aria(Chat)").fill(word3.split(",")[0]);
  await pia.keyboard.press("Enter");
  olga.send("SAY", word3.split(",")[0]);
  const summary3 = await olga.next("NOTICE", (data) => data.startsWith("The word was"));
  assert.match(summary3, new RegExp(`^The word was ${word3.split(",")[0]}\\. Found by Pia \\(\\+\\d+\\), Olga \\(\\+\\d+\\); Eve drew \\(\\+\\d+\\)\\.$`));

  // Round 3: the older client draws the word it was given at once; nobody chooses.
  const word4 = (await olga.next("NEWWORD")).split(",")[0];
  assert.ok(ownWords.includes(word4), word4);
  assert.equal(await pia.$("#wordChoice:not([hidden])"), null);
  const blank = await padHash(pia);
  olga.send("FH", ["40", "40", "300", "200"].join(kSep));
  await pia.waitForFunction((before) => window.scrawlbox!.padHash() !== before, {}, blank);
  await pia.locator("::-p-aria(Chat)").fill(word4);
  await pia.keyboard.press("Enter");
  const summary4 = await olga.next("NOTICE", (data) => data.startsWith("The word was"));
  assert.match(summary4, new RegExp(`^The word was ${word4}\\. Found by Pia \\(\\+\\d+\\); Olga drew \\(\\+\\d+\\)\\.$`));

  // Round 4: Pia chooses with a key; Olga and Dan find the word. Round 5, the last: Dan lets the
  // choice run out again, and Olga finds its word.
  await pia.waitForSelector("#wordChoice:not([hidden]) #wordChoiceWords button");
  await pia.keyboard.press("1");
  await olga.next("NEWARTIST", (id) => id === piaId);
  const word5 = (await panelWord(pia)).trim();
  assert.ok(ownWords.includes(word5), word5);
  olga.send("SAY", word5);
  await danScreen.say(dan, word5);
  await olga.next("NOTICE", (data) => data.startsWith(`The word was ${word5}. Found by Olga`));
  const word6 = await wordLeftToRunOut("Dan", 2);
  await olga.next("NEWARTIST", (id) => id === danId);
  olga.send("SAY", word6);
  await olga.next("NOTICE", (data) => data.startsWith(`The word was ${word6}. Found by Olga`));
  await olga.next("WINNER");
  for (const sound of ["yourturn", "chooseword", "lastseconds"]) assert.ok(sounds.has(sound), sound);

  // Pia and Dan vote the older client out; its address is kept out.
  await pia.locator("::-p-aria(Vote to kick Olga)").click();
  await danScreen.say(dan, "/votekick Olga");
  assert.equal(await olga.next("KICKOP"), "Kicked by a vote of the players.");
  await waitForText(pia, "::-p-aria(Chat log)", "Olga has been kicked by a vote of the players");
  olga.close();
  olga = await OlderClient.login(room, "Olga");
  assert.match(await olga.next("NOTICE"), /^You were voted out of this room; you may come back in \d+ minutes\.$/);
  await olga.closedByRoom();
  assert.deepEqual((pia as Page & { errors: string[] }).errors, []);
  assert.match(await text(pia, "::-p-aria(Players)"), /Eve/);
});
