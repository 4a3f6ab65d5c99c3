// SPDX-License-Identifier: MIT
// One game in a German room: a German desktop client, a French page player (the browser prefers
// French) and an English one. Each reads the game in its own language; the words come from the
// room's German lists, and guesses with accents are found, typed on the desktop and on the page.
import assert from "node:assert/strict";
import { mkdirSync, readdirSync, readFileSync } from "node:fs";
import { join as joinPath } from "node:path";
import { after, before, test } from "node:test";
import type { Browser, Page } from "puppeteer-core";
import {
  binDir,
  Display,
  join,
  kPatience,
  launchBrowser,
  openPlayer,
  type Program,
  type Room,
  startDesktopClient,
  startRoom,
  waitForText,
} from "./harness";

const sleep = (ms: number) => new Promise((resolve) => setTimeout(resolve, ms));

let room: Room;
let browser: Browser;
let display: Display;
let dieter: Program | undefined;

before(async () => {
  room = await startRoom(["Language=de", "Word Choices=5", "Word Choice Seconds=4"]);
  browser = await launchBrowser();
  display = await Display.start();
});

after(async () => {
  await dieter?.stop();
  await display?.stop();
  await browser?.close();
  await room?.stop();
});

// The words of the shipped German lists, each with all its spellings, as a list line gives them.
function germanWords(): Map<string, string[]> {
  const folder = joinPath(binDir, "Data", "Wordlists");
  const words = new Map<string, string[]>();
  for (const file of readdirSync(folder).filter((name) => name.startsWith("de-"))) {
    for (const line of readFileSync(joinPath(folder, file), "utf8").split(/\r?\n/)) {
      const spellings = line.split("|").map((spelling) => spelling.trim()).filter(Boolean);
      for (const spelling of spellings) words.set(spelling, spellings);
    }
  }
  return words;
}

// How often the page's chat says this.
async function countIn(page: Page, said: string): Promise<number> {
  return (await chatOf(page)).split(said).length - 1;
}

async function waitForCount(page: Page, said: string, count: number): Promise<void> {
  const deadline = Date.now() + kPatience;
  while ((await countIn(page, said)) < count) {
    assert.ok(Date.now() < deadline, `the page never said "${said}" ${count} times`);
    await sleep(50);
  }
}

async function shoot(pages: [string, Page][], name: string): Promise<void> {
  const folder = process.env.SCRAWLBOX_SHOTS;
  if (!folder) return;
  mkdirSync(folder, { recursive: true });
  for (const [who, page] of pages) await page.screenshot({ path: joinPath(folder, `${name}-${who}.png`) });
  if (dieter) display.screenshot(dieter, joinPath(folder, `${name}-dieter.png`));
}

const chatLog = "#chatLog";
const chatOf = (page: Page) => page.$eval("#chatLog", (log) => log.textContent ?? "");

test("a German desktop client, a French and an English page player play one game in a German room", async () => {
  const emma = await openPlayer(browser, room);
  const fleur = await openPlayer(browser, room, undefined, {}, ["fr-FR", "fr"]);
  assert.equal(await fleur.$eval("html", (html) => html.lang), "fr");
  assert.equal(await emma.$eval("html", (html) => html.lang), "en");
  await join(emma, "Emma");
  // The French page names its controls in French; its player joins by them.
  await fleur.locator("::-p-aria(Pseudo)").fill("Fleur");
  await fleur.locator("::-p-aria(Entrer)").click();
  await waitForText(fleur, "#playerList", "Emma");
  dieter = startDesktopClient(room, "Dieter", display, "de");
  await waitForText(emma, "::-p-aria(Players)", "Dieter");

  // The set-up starts with the room's German lists ticked; the game plays the professions, where
  // many words have umlauts.
  await emma.locator("::-p-aria(Set up game)").click();
  await emma.waitForSelector("dialog[open] #setupStart:not([disabled])");
  const ticked = await emma.$$eval("#wordLists input[type=checkbox]:checked", (boxes) =>
    boxes.map((box) => (box as HTMLInputElement).value),
  );
  // Grouped by language, German first: the lists show without their "de-".
  assert.equal(await emma.$eval("#wordLists .word-list-group", (heading) => heading.textContent), "Deutsch");
  assert.ok(ticked.length >= 6 && ticked.every((name) => name.startsWith("de-")), ticked.join(", "));
  for (const box of await emma.$$("#wordLists input[type=checkbox]:checked")) await box.click();
  await emma.locator("#wordLists input[value=de-berufe]").click();
  await emma.locator("#setupTotalRounds").fill("6");
  await emma.locator("#setupSeconds").fill("60");
  await emma.locator("::-p-aria(Start Game)").click();

  const spellings = germanWords();
  const played: string[] = [];
  let dieterTurns = 0;
  const pages: [string, Page][] = [["emma", emma], ["fleur", fleur]];
  for (let round = 1; round <= 6; round++) {
    // The artist is a page, which is offered the words, or the desktop client, whose word the
    // room's log names once its choice runs out.
    const chooser = await artistOf(pages, round, dieterTurns);
    let word: string;
    if (chooser === "dieter") {
      word = await waitForLog(`Dieter did not choose in time; the word is `, ++dieterTurns);
    } else {
      const page = chooser === "emma" ? emma : fleur;
      const offered = await page.$$eval("#wordChoiceWords button", (buttons) =>
        buttons.map((button) => button.lastChild?.textContent ?? ""),
      );
      for (const offer of offered) assert.ok(spellings.has(offer), `${offer} is no German word`);
      const index = Math.max(0, offered.findIndex((offer) => /[äöüÄÖÜß]/.test(offer)));
      word = offered[index];
      (await page.$$("#wordChoiceWords button"))[index].click();
    }
    assert.ok(spellings.has(word), `${word} is no German word`);
    played.push(word);
    if (round === 1) {
      // The game starts once the first word is chosen.
      await waitForText(fleur, chatLog, "La partie commence !");
      await waitForText(emma, chatLog, "The game is now starting!");
      await shoot(pages, "1-round");
    }
    // The pages type the word as the lists spell it first, accents and all; the desktop player
    // its plain spelling, as on a keyboard without umlauts (the virtual screen's keyboard has
    // none either). Each page then says who found it, once more than before.
    const found = (who: string) => [`${who} has found the word!`, `${who} a trouvé le mot !`];
    const before = new Map<string, number>();
    for (const who of ["Emma", "Fleur", "Dieter"]) {
      const [english, french] = found(who);
      before.set(`emma ${who}`, await countIn(emma, english));
      before.set(`fleur ${who}`, await countIn(fleur, french));
    }
    const finders: string[] = [];
    for (const [who, page] of pages) {
      if (who === chooser) continue;
      await page.waitForSelector("#chatInput:not([disabled])");
      await page.locator("#chatInput").fill(word);
      await page.keyboard.press("Enter");
      finders.push(who === "emma" ? "Emma" : "Fleur");
    }
    if (chooser !== "dieter") {
      const plain = spellings.get(word)?.find((spelling) => /^[\x20-\x7e]+$/.test(spelling)) ?? word;
      await sleep(300);
      await display.say(dieter, plain);
      finders.push("Dieter");
    }
    for (const finder of finders) {
      const [english, french] = found(finder);
      await waitForCount(emma, english, before.get(`emma ${finder}`)! + 1);
      await waitForCount(fleur, french, before.get(`fleur ${finder}`)! + 1);
    }
    if (round === 2) await shoot(pages, "2-found");
  }
  await waitForText(emma, chatLog, "The game is over");
  await waitForText(fleur, chatLog, "La partie est terminée");
  await shoot(pages, "3-over");
  assert.ok(played.some((word) => /[äöüÄÖÜß]/.test(word)), `no word with an accent came up: ${played.join(", ")}`);
  // Nothing of the English source slipped into the French page's game lines.
  const french = await chatOf(fleur);
  for (const english of ["has found the word", "A new round is starting", "The game is over"]) {
    assert.ok(!french.includes(english), english);
  }
  for (const page of [emma, fleur]) assert.deepEqual((page as Page & { errors: string[] }).errors, []);
});

// Who draws the round: a page that is offered words, or the desktop client once the room's log
// says its choice ran out for this round.
async function artistOf(pages: [string, Page][], round: number, dieterTurns: number): Promise<string> {
  const said = "Dieter did not choose in time; the word is ";
  const deadline = Date.now() + kPatience;
  for (;;) {
    for (const [who, page] of pages) {
      if (await page.$("#wordChoice:not([hidden]) #wordChoiceWords button")) return who;
    }
    if (room.server.output.filter((line) => line.includes(said)).length > dieterTurns) return "dieter";
    assert.ok(Date.now() < deadline, `nobody draws round ${round}: ${room.server.output.slice(-8).join(" / ")}`);
    await sleep(100);
  }
}

// The nth line of the room's log that says this, and what follows it there.
async function waitForLog(said: string, nth: number): Promise<string> {
  const deadline = Date.now() + kPatience;
  for (;;) {
    const lines = room.server.output.filter((line) => line.includes(said));
    if (lines.length >= nth) {
      const line = lines[nth - 1];
      return line.slice(line.indexOf(said) + said.length).replace(/\.$/, "");
    }
    assert.ok(Date.now() < deadline, `the room never said: ${said}`);
    await sleep(50);
  }
}
