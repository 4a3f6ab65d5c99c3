// SPDX-License-Identifier: MIT
// Screenshots of the page in a round being played, for looking at: the artist on a phone and a
// guesser, at the sizes the page is made for, at scale 1 and 2. `npm run screenshots [DIR]`
// (with SCRAWLBOX_BIN_DIR naming the build's bin/) writes them to DIR, /tmp/scrawlbox-page by
// default.
import { mkdirSync } from "node:fs";
import { join, launchBrowser, openPlayer, panelWord, phone, setUpGame, startRoom, stroke } from "./harness";

const dir = process.argv[2] ?? "/tmp/scrawlbox-page";
const sizes: Array<[number, number]> = [[390, 844], [844, 390], [1280, 800], [1920, 1080]];

const room = await startRoom();
const browser = await launchBrowser();
try {
  mkdirSync(dir, { recursive: true });
  const first = await openPlayer(browser, room, phone);
  const second = await openPlayer(browser, room);
  await first.screenshot({ path: `${dir}/join-390x844@3.png` });
  await join(first, "Pia");
  await join(second, "Dan");
  await setUpGame(first);
  // The artist's choice of the word, and the other page waiting for it, on a phone.
  const choosing = async (page: typeof first) => (await page.$(".word-choice-words button")) !== null;
  await Promise.race([first, second].map((page) => page.waitForSelector(".word-choice-words button")));
  const [chooser, waiter] = (await choosing(first)) ? [first, second] : [second, first];
  const phoneView = async (page: typeof first) => {
    const touch = page.viewport()?.hasTouch ?? false;
    await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, hasTouch: touch, isMobile: touch });
    await new Promise((resolve) => setTimeout(resolve, 300));
  };
  await phoneView(chooser);
  await chooser.screenshot({ path: `${dir}/choice-chooser-390x844@3.png` });
  await phoneView(waiter);
  await waiter.screenshot({ path: `${dir}/choice-waiting-390x844@3.png` });
  await chooser.keyboard.press("1");
  await first.waitForFunction(() => /[a-z]/i.test(document.getElementById("panelWord")?.textContent ?? ""));
  const [artist, guesser] = (await panelWord(first)).includes("_") ? [second, first] : [first, second];
  await stroke(artist, [0.1, 0.3], [0.9, 0.7]);
  await artist.locator("::-p-aria(Colour 13)").click();
  await artist.locator("::-p-aria(Width 4)").click();
  await stroke(artist, [0.2, 0.8], [0.7, 0.2]);
  await artist.locator("::-p-aria(Ellipse)").click();
  await stroke(artist, [0.5, 0.3], [0.8, 0.6]);
  await guesser.locator("::-p-aria(Chat)").fill("a bicycle?");
  await guesser.keyboard.press("Enter");
  for (const [width, height] of sizes) {
    for (const scale of [1, 2]) {
      // Only the viewport's size and scale change: a change of touch or mobile reloads a page.
      for (const [page, role] of [[artist, "artist"], [guesser, "guesser"]] as const) {
        const touch = page.viewport()?.hasTouch ?? false;
        await page.setViewport({ width, height, deviceScaleFactor: scale, hasTouch: touch, isMobile: touch });
        await new Promise((resolve) => setTimeout(resolve, 300));
        await page.screenshot({ path: `${dir}/${role}-${width}x${height}@${scale}.png` });
      }
    }
  }
  console.log(`Screenshots in ${dir}`);
} finally {
  await browser.close();
  await room.stop();
}
