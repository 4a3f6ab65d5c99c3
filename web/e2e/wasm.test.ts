// SPDX-License-Identifier: MIT
// The native tests of the engines the page runs, built to WebAssembly and run in Chromium: the
// raster's recorded pixels must come out the same there as in the desktop build.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import type { Browser } from "puppeteer-core";
import { launchBrowser } from "./harness";

const programs = (process.env.SCRAWLBOX_WASM_TESTS ?? "").split(",").filter(Boolean);
let browser: Browser;

before(async () => {
  browser = await launchBrowser();
});
after(async () => {
  await browser?.close();
});

for (const program of programs) {
  test(program.replace(/.*\//, ""), async () => {
    const page = await browser.newPage();
    await page.evaluate(() => {
      const record = window as unknown as { output: string[]; exitCode: Promise<number>; Module: object };
      record.output = [];
      record.exitCode = new Promise((resolve) => {
        record.Module = {
          print: (line: string) => record.output.push(line),
          printErr: (line: string) => record.output.push(line),
          onExit: resolve,
        };
      });
    });
    await page.addScriptTag({ path: program });
    const code = await page.evaluate(() => (window as unknown as { exitCode: Promise<number> }).exitCode);
    const output = await page.evaluate(() => (window as unknown as { output: string[] }).output.join("\n"));
    assert.equal(code, 0, output);
    assert.match(output, /\[  PASSED  \]/, output);
    await page.close();
  });
}
