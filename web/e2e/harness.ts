// SPDX-License-Identifier: MIT
// Real programs for the page's end-to-end tests: a room started from the build, Debian's
// Chromium driven through puppeteer-core, and the desktop client on Qt's offscreen platform.
import assert from "node:assert/strict";
import { execFileSync, spawn, type ChildProcess } from "node:child_process";
import { cpSync, mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { createServer } from "node:net";
import { tmpdir } from "node:os";
import { join as joinPath } from "node:path";
import puppeteer, { type Browser, type Page } from "puppeteer-core";

// Where ctest put the programs and their Data folder.
export const binDir = process.env.SCRAWLBOX_BIN_DIR ?? joinPath(process.cwd(), "..", "build", "bin");
const chromium = process.env.SCRAWLBOX_CHROMIUM ?? "/usr/bin/chromium";
// How long one step may take before a test calls it lost: generous, since the tests share the
// machine with the rest of the build's tests.
export const kPatience = 60000;

export async function freePort(): Promise<number> {
  return new Promise((resolve, reject) => {
    const server = createServer();
    server.once("error", reject);
    server.listen(0, "127.0.0.1", () => {
      const address = server.address();
      const port = typeof address === "object" && address ? address.port : 0;
      server.close(() => resolve(port));
    });
  });
}

// A program whose output is kept, so that a test can wait for a line.
export class Program {
  readonly output: string[] = [];
  private waiters: Array<() => void> = [];
  private exited = false;

  constructor(readonly child: ChildProcess) {
    const take = (chunk: Buffer) => {
      this.output.push(...chunk.toString("utf8").split("\n"));
      for (const wake of this.waiters.splice(0)) wake();
    };
    child.stdout?.on("data", take);
    child.stderr?.on("data", take);
    child.on("exit", () => {
      this.exited = true;
      for (const wake of this.waiters.splice(0)) wake();
    });
  }

  // Resolves once a line holding the text has been printed; rejects when the program ends first
  // or after timeoutMs, with what it printed.
  async waitFor(text: string, timeoutMs = kPatience): Promise<void> {
    const deadline = Date.now() + timeoutMs;
    while (!this.output.some((line) => line.includes(text))) {
      if (this.exited || Date.now() > deadline) {
        throw new Error(`"${text}" never came; the program printed:\n${this.output.join("\n")}`);
      }
      await new Promise<void>((wake) => {
        this.waiters.push(wake);
        setTimeout(wake, 200);
      });
    }
  }

  async stop(): Promise<void> {
    if (this.exited) return;
    const ended = new Promise((resolve) => this.child.once("exit", resolve));
    this.child.kill("SIGTERM");
    const timer = setTimeout(() => this.child.kill("SIGKILL"), 5000);
    await ended;
    clearTimeout(timer);
  }
}

export interface Room {
  server: Program;
  port: number;
  webPort: number;
  url: string;
  dataDir: string;
  // One line on the room's console, as its operator types it.
  type(line: string): void;
  stop(): Promise<void>;
}

// A room in a Data folder of its own, with the build's word lists and the given [Server Details]
// lines added to its own (and further sections after them), started with the given options.
export async function startRoom(details: string[] = [], options: string[] = []): Promise<Room> {
  const dataDir = mkdtempSync(joinPath(tmpdir(), "scrawlbox-e2e-"));
  cpSync(joinPath(binDir, "Data", "Wordlists"), joinPath(dataDir, "Wordlists"), { recursive: true });
  const port = await freePort();
  const webPort = await freePort();
  const lines = ["[Server Details]", "Name=Page room", `Port=${port}`, ...details];
  writeFileSync(joinPath(dataDir, "Server.ini"), lines.join("\r\n") + "\r\n");
  const child = spawn(
    joinPath(binDir, "scrawlbox-server"),
    ["--headless", "--data-dir", dataDir, "--web-port", String(webPort), ...options],
    { stdio: ["pipe", "pipe", "pipe"] },
  );
  const server = new Program(child);
  await server.waitFor("Browser players: http://");
  return {
    server,
    port,
    webPort,
    url: `http://127.0.0.1:${webPort}/`,
    dataDir,
    type(line: string) {
      child.stdin?.write(line + "\n");
    },
    async stop() {
      await server.stop();
      rmSync(dataDir, { recursive: true, force: true });
    },
  };
}

export interface Tracker {
  program: Program;
  url: string;  // its page; the rooms register at url + "misc/scrawlbox/tracker.php"
  // The VIEW answer: one room record a line.
  view(): Promise<string>;
  stop(): Promise<void>;
}

// A tracker with its SQLite store in a Data folder of its own.
export async function startTracker(): Promise<Tracker> {
  const dataDir = mkdtempSync(joinPath(tmpdir(), "scrawlbox-e2e-tracker-"));
  const port = await freePort();
  const program = new Program(
    spawn(joinPath(binDir, "scrawlbox-tracker"), ["--data-dir", dataDir, "--port", String(port)], {
      stdio: ["ignore", "pipe", "pipe"],
    }),
  );
  await program.waitFor("Tracker listening");
  const url = `http://127.0.0.1:${port}/`;
  return {
    program,
    url,
    async view() {
      return (await fetch(`${url}misc/scrawlbox/tracker.php?ACTION=VIEW`)).text();
    },
    async stop() {
      await program.stop();
      rmSync(dataDir, { recursive: true, force: true });
    },
  };
}

// The desktop client with a nickname of its own, joined to the room: on Qt's offscreen platform,
// or on the given X display, where a test can type into it; in the interface language given.
export function startDesktopClient(room: Room, nickname: string, display?: Display, language = ""): Program {
  const dataDir = mkdtempSync(joinPath(tmpdir(), "scrawlbox-desk-"));
  writeFileSync(
    joinPath(dataDir, "Client.ini"),
    `[Player Information]\r\nNickname=${nickname}\r\n[Interface]\r\nLanguage=${language}\r\n`,
  );
  // libxkbcommon, which Qt's X platform loads, calls strndup on keymap names that are not
  // NUL-terminated in the X server's reply: allowed, but a sanitizer build's strict string
  // checks stop the program for it.
  const asan = (process.env.ASAN_OPTIONS ?? "").replace(/(^|:)strict_string_checks=1/, "");
  const screen = display ? { DISPLAY: display.name, ASAN_OPTIONS: asan } : { QT_QPA_PLATFORM: "offscreen" };
  const child = spawn(
    joinPath(binDir, "scrawlbox-client"),
    ["--data-dir", dataDir, "--connect", `127.0.0.1:${room.port}`],
    { stdio: ["ignore", "pipe", "pipe"], env: { ...process.env, QT_QPA_PLATFORM: "", ...screen } },
  );
  child.on("exit", () => rmSync(dataDir, { recursive: true, force: true }));
  return new Program(child);
}

// A virtual X screen (Debian's Xvfb) for desktop clients that a test types into with xdotool.
export class Display {
  private constructor(
    private readonly server: Program,
    readonly name: string,
  ) {}

  static async start(): Promise<Display> {
    const child = spawn("Xvfb", ["-displayfd", "1", "-screen", "0", "2600x2100x24", "-nolisten", "tcp"], {
      stdio: ["ignore", "pipe", "pipe"],
    });
    const server = new Program(child);
    const deadline = Date.now() + kPatience;
    let number: string | undefined;
    while (!(number = server.output.find((line) => /^\d+$/.test(line.trim())))) {
      assert(Date.now() < deadline, `Xvfb gave no display: ${server.output.join("\n")}`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    return new Display(server, `:${number.trim()}`);
  }

  xdotool(...args: string[]): string {
    return execFileSync("xdotool", args, { env: { ...process.env, DISPLAY: this.name } }).toString();
  }

  // The client's main window.
  mainWindow(client: Program): string {
    const pid = String(client.child.pid);
    return this.xdotool("search", "--sync", "--onlyvisible", "--pid", pid, "--name", "Scrawlbox -").trim().split("\n")[0];
  }

  // Types a line into the chat of the client's main window and sends it, as its player would.
  async say(client: Program, line: string): Promise<void> {
    const window = this.mainWindow(client);
    this.xdotool("windowfocus", "--sync", window);
    this.xdotool("type", "--delay", "5", line);
    this.xdotool("key", "Return");
  }

  // The client's main window as a PNG, through ImageMagick's import.
  screenshot(client: Program, file: string): void {
    execFileSync("import", ["-display", this.name, "-window", this.mainWindow(client), file]);
  }

  async stop(): Promise<void> {
    await this.server.stop();
  }
}

export async function launchBrowser(): Promise<Browser> {
  return puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--autoplay-policy=no-user-gesture-required"],
  });
}

// A page of its own (its own storage), at a phone's size with touch when asked, in a browser
// that prefers the languages given (else the browser's own).
export async function openPlayer(
  browser: Browser,
  room: Room,
  viewport = { width: 1280, height: 800, deviceScaleFactor: 1, hasTouch: false, isMobile: false },
  headers: Record<string, string> = {},
  languages: string[] = [],
): Promise<Page> {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  if (languages.length > 0) {
    await page.evaluateOnNewDocument((preferred: string[]) => {
      Object.defineProperty(navigator, "languages", { get: () => preferred });
    }, languages);
  }
  await page.setExtraHTTPHeaders(headers);
  page.setDefaultTimeout(kPatience);
  await page.setViewport(viewport);
  const errors: string[] = [];
  page.on("pageerror", (error) => errors.push(String(error)));
  page.on("console", (message) => {
    if (message.type() === "error") errors.push(message.text());
  });
  (page as Page & { errors: string[] }).errors = errors;
  await page.goto(room.url);
  return page;
}

export const phone = { width: 390, height: 844, deviceScaleFactor: 3, hasTouch: true, isMobile: true };

// --- What a player does on the page, by the accessible names of its controls ---------------------

export async function join(page: Page, nickname: string): Promise<void> {
  await page.locator("::-p-aria(Nickname)").fill(nickname);
  await page.locator("::-p-aria(Join)").click();
  await waitForText(page, "::-p-aria(Players)", nickname);
}

// Waits until the element named by the selector shows the text.
export async function waitForText(page: Page, selector: string, text: string): Promise<void> {
  await page.waitForFunction(
    (element, wanted) => (element as HTMLElement).innerText.includes(wanted),
    { timeout: kPatience },
    await page.waitForSelector(selector),
    text,
  );
}

export async function text(page: Page, selector: string): Promise<string> {
  const element = await page.waitForSelector(selector);
  return element!.evaluate((node) => (node as HTMLElement).innerText);
}

export async function padHash(page: Page): Promise<string> {
  return page.evaluate(() => window.scrawlbox!.padHash());
}

// Waits until the page's pad holds exactly the pixels of the given hash.
export async function waitForPad(page: Page, hash: string, timeout = kPatience): Promise<void> {
  await page.waitForFunction((wanted) => window.scrawlbox!.padHash() === wanted, { timeout, polling: "raf" }, hash);
}

// The word as the panel shows it: the word itself for the artist, blanks for the others.
export async function panelWord(page: Page): Promise<string> {
  return text(page, "#panelWord");
}

// A stroke across the pad, from and to fractions of its size: with a finger on a touch screen,
// else with the mouse.
export async function stroke(page: Page, from: [number, number], to: [number, number]): Promise<void> {
  const pad = await page.waitForSelector("::-p-aria(Drawing pad)");
  const box = (await pad!.boundingBox())!;
  const at = (f: number) => ({
    x: box.x + (from[0] + (to[0] - from[0]) * f) * box.width,
    y: box.y + (from[1] + (to[1] - from[1]) * f) * box.height,
  });
  const steps = 8;
  const touch = page.viewport()?.hasTouch ?? false;
  const start = at(0);
  if (touch) await page.touchscreen.touchStart(start.x, start.y);
  else {
    await page.mouse.move(start.x, start.y);
    await page.mouse.down();
  }
  for (let i = 1; i <= steps; i++) {
    const p = at(i / steps);
    if (touch) await page.touchscreen.touchMove(p.x, p.y);
    else await page.mouse.move(p.x, p.y);
  }
  if (touch) await page.touchscreen.touchEnd();
  else await page.mouse.up();
}

// In the open set-up, which comes with the lists of the room's language ticked, ticks that list
// alone: a game of the animals has hardly a word with a "-", which a test reads as a blank.
export async function tickOnly(page: Page, list: string): Promise<void> {
  await page.waitForSelector("dialog[open] #setupStart:not([disabled])");
  for (const box of await page.$$("#wordLists input[type=checkbox]")) {
    if (await box.evaluate((node) => (node as HTMLInputElement).checked)) await box.click();
  }
  await page.locator(`#wordLists input[value="${list}"]`).click();
}

// Sets up a game with the animals, the seconds of a round and of its grace when given.
export async function setUpGame(page: Page, seconds?: number, grace?: number): Promise<void> {
  await page.locator("::-p-aria(Set up game)").click();
  await tickOnly(page, "animals");
  if (seconds) await page.locator("#setupSeconds").fill(String(seconds));
  if (grace) await page.locator("#setupGrace").fill(String(grace));
  await page.locator("::-p-aria(Start Game)").click();
}

// The controls a player (and a screen reader) finds by name on a page joined to a room.
export const kControlNames = [
  "Drawing pad", "Chat", "Chat log", "Players", "Time", "Word", "Drawing tools", "Colours",
  "Set up game", "Warn artist", "Freehand", "Line", "Rectangle", "Ellipse", "Fill", "Spray",
  "Eraser", "Undo", "Clear", "Solid", "Width 1", "Width 2", "Width 3", "Width 4", "Own colour",
  "Mute sounds", ...Array.from({ length: 24 }, (_, i) => `Colour ${i + 1}`),
];

// What is wrong with the page's names: a wanted name found other than once, or a control of the
// accessibility tree without a name.
export async function namingFaults(page: Page, wanted: string[]): Promise<string[]> {
  const faults: string[] = [];
  for (const name of wanted) {
    const found = (await page.$$(`::-p-aria(${name})`)).length;
    if (found !== 1) faults.push(`${found} x "${name}"`);
  }
  type Node = { role: string; name?: string; children?: Node[] };
  const walk = (node: Node | null | undefined): void => {
    if (!node) return;
    const control = ["button", "textbox", "checkbox", "combobox", "spinbutton", "slider"];
    if (control.includes(node.role) && !node.name?.trim()) faults.push(`a ${node.role} without a name`);
    node.children?.forEach(walk);
  };
  walk((await page.accessibility.snapshot()) as Node | null);
  return faults;
}
