// SPDX-License-Identifier: MIT
// Real programs for the page's end-to-end tests: a room started from the build, Debian's
// Chromium driven through puppeteer-core, and the desktop client on Qt's offscreen platform.
import { spawn, type ChildProcess } from "node:child_process";
import { cpSync, mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { createServer } from "node:net";
import { tmpdir } from "node:os";
import { join } from "node:path";
import puppeteer, { type Browser, type Page } from "puppeteer-core";

// Where ctest put the programs and their Data folder.
const binDir = process.env.SCRAWLBOX_BIN_DIR ?? join(process.cwd(), "..", "build", "bin");
const chromium = process.env.SCRAWLBOX_CHROMIUM ?? "/usr/bin/chromium";

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
  async waitFor(text: string, timeoutMs = 20000): Promise<void> {
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
  stop(): Promise<void>;
}

// A room in a Data folder of its own, with the build's word lists and the given [Server Details]
// lines added to its own.
export async function startRoom(details: string[] = []): Promise<Room> {
  const dataDir = mkdtempSync(join(tmpdir(), "scrawlbox-e2e-"));
  cpSync(join(binDir, "Data", "Wordlists"), join(dataDir, "Wordlists"), { recursive: true });
  const port = await freePort();
  const webPort = await freePort();
  const lines = ["[Server Details]", "Name=Page room", `Port=${port}`, ...details];
  writeFileSync(join(dataDir, "Server.ini"), lines.join("\r\n") + "\r\n");
  const child = spawn(
    join(binDir, "scrawlbox-server"),
    ["--headless", "--data-dir", dataDir, "--web-port", String(webPort)],
    { stdio: ["ignore", "pipe", "pipe"] },
  );
  const server = new Program(child);
  await server.waitFor("Browser players: http://");
  return {
    server,
    port,
    webPort,
    url: `http://127.0.0.1:${webPort}/`,
    dataDir,
    async stop() {
      await server.stop();
      rmSync(dataDir, { recursive: true, force: true });
    },
  };
}

// The desktop client with a nickname of its own, joined to the room.
export function startDesktopClient(room: Room, nickname: string): Program {
  const dataDir = mkdtempSync(join(tmpdir(), "scrawlbox-desk-"));
  writeFileSync(join(dataDir, "Client.ini"), `[Player Information]\r\nNickname=${nickname}\r\n`);
  const child = spawn(
    join(binDir, "scrawlbox-client"),
    ["--data-dir", dataDir, "--connect", `127.0.0.1:${room.port}`],
    { stdio: ["ignore", "pipe", "pipe"], env: { ...process.env, QT_QPA_PLATFORM: "offscreen" } },
  );
  child.on("exit", () => rmSync(dataDir, { recursive: true, force: true }));
  return new Program(child);
}

export async function launchBrowser(): Promise<Browser> {
  return puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--autoplay-policy=no-user-gesture-required"],
  });
}

// A page of its own (its own storage), at a phone's size with touch when asked.
export async function openPlayer(
  browser: Browser,
  room: Room,
  viewport = { width: 1280, height: 800, deviceScaleFactor: 1, hasTouch: false, isMobile: false },
): Promise<Page> {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
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
