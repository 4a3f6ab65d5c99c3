// SPDX-License-Identifier: MIT
// The page's figures, measured in Debian's Chromium against a room from the build on loopback:
// what the page weighs on the wire, how soon it first paints, and how long a late joiner waits
// for the room's largest picture. `npm run bench` prints them as README's table rows.
import type { Page } from "puppeteer-core";
import { join, launchBrowser, openPlayer, padHash, panelWord, setUpGame, startRoom } from "./harness";

const loads = 7;

function median(values: number[]): number {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

// Every file a first visit loads, with the bytes that crossed the wire for each (compressed
// where the room compresses); sounds load only when played and are left out.
async function weight(page: Page): Promise<Array<[string, number]>> {
  return page.evaluate(() => {
    const entries = [
      ...performance.getEntriesByType("navigation"),
      ...performance.getEntriesByType("resource"),
    ] as PerformanceResourceTiming[];
    return entries
      .filter((entry) => !entry.name.includes("/sounds/"))
      .map((entry): [string, number] => [new URL(entry.name).pathname, entry.encodedBodySize]);
  });
}

async function firstPaint(page: Page): Promise<number> {
  return page.evaluate(
    () => new Promise<number>((resolve) => {
      const look = () => {
        const paint = performance.getEntriesByName("first-contentful-paint")[0];
        if (paint) resolve(paint.startTime);
        else requestAnimationFrame(look);
      };
      look();
    }),
  );
}

async function main(): Promise<void> {
  const room = await startRoom(["Drawing Burst=0", "Max Connections Per Address=0"]);
  const browser = await launchBrowser();
  try {
    const paints: number[] = [];
    let files: Array<[string, number]> = [];
    for (let i = 0; i < loads; i++) {
      const page = await openPlayer(browser, room);
      paints.push(await firstPaint(page));
      await page.waitForNetworkIdle();
      files = await weight(page);
      await page.browserContext().close();
    }
    const total = files.reduce((sum, [, bytes]) => sum + bytes, 0);
    for (const [name, bytes] of files) console.log(`| ${name} | ${(bytes / 1024).toFixed(1)} KB |`);
    console.log(`| The page on a first visit, every file (sounds load when played) | ${(total / 1024).toFixed(0)} KB compressed |`);
    console.log(`| First contentful paint, median of ${loads} cold loads | ${median(paints).toFixed(0)} ms |`);

    // The artist fills the room's picture log with a busy round's strokes, then a player joins.
    const alice = await openPlayer(browser, room);
    const bob = await openPlayer(browser, room);
    await join(alice, "Alice");
    await join(bob, "Bob");
    await setUpGame(alice);
    // The artist sees the word, the other its blanks.
    await alice.waitForFunction(() => /[a-z]/i.test(document.getElementById("panelWord")?.textContent ?? ""));
    const artist = (await panelWord(alice)).includes("_") ? bob : alice;
    const sent = await artist.evaluate(async () => {
      const core = window.scrawlbox!;
      // Strokes of 200 segments wandering over the pad, until nearly the room's 4 MiB of picture went out, at a
      // quick artist's pace: 32 KiB every 10 ms, which the room and the others' pages keep up
      // with (a room closes a player whose unsent messages pass 1 MiB).
      let bytes = 0;
      let paused = 0;
      let state = 7;
      const next = (below: number) => {
        state = (state * 1103515245 + 12345) % 2147483648;
        return state % below;
      };
      while (bytes < 4.35 * 1024 * 1024) {
        let x = next(511);
        let y = next(322);
        core.press(1, x, y);
        for (let i = 0; i < 200; i++) {
          x = Math.min(510, Math.max(0, x + next(11) - 5));
          y = Math.min(321, Math.max(0, y + next(11) - 5));
          core.move(1, x, y);
          bytes += 28;
        }
        core.release(1, x, y);
        if (bytes - paused > 32 * 1024) {
          paused = bytes;
          await new Promise((resolve) => setTimeout(resolve, 10));
        }
      }
      return bytes;
    });
    const finished = await padHash(artist);
    await (artist === alice ? bob : alice).waitForFunction(
      (wanted) => (window as unknown as { scrawlbox: { padHash(): string } }).scrawlbox.padHash() === wanted,
      { timeout: 120000 },
      finished,
    );
    const carol = await openPlayer(browser, room);
    // What reaches the late joiner, counted off the wire (binary frames come base64-encoded).
    const cdp = await carol.createCDPSession();
    await cdp.send("Network.enable");
    let received = 0;
    cdp.on("Network.webSocketFrameReceived", (event) => {
      received += Math.floor((event.response.payloadData.length * 3) / 4);
    });
    const start = Date.now();
    await join(carol, "Carol");
    await carol.waitForFunction(
      (wanted) => (window as unknown as { scrawlbox: { padHash(): string } }).scrawlbox.padHash() === wanted,
      { timeout: 60000, polling: "raf" },
      finished,
    );
    const elapsed = Date.now() - start;
    console.log(`| A late joiner's picture (${(sent / 1048576).toFixed(1)} MiB drawn; ${(received / 1048576).toFixed(1)} MiB received), from Join until the pad shows it | ${(elapsed / 1000).toFixed(2)} s |`);
  } finally {
    await browser.close();
    await room.stop();
  }
}

await main();
