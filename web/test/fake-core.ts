// SPDX-License-Identifier: MIT
// A stand-in for the WebAssembly core, for looking at the page: it plays a scripted room through
// the same PageView calls the real core makes, and draws on the pad with simple raster steps of
// its own. Test-only: the room never serves it.
import {
  type ButtonState,
  type Colour,
  type Controls,
  type GameSetup,
  PAD_HEIGHT,
  PAD_WIDTH,
  type PadState,
  type PageCore,
  type PageView,
  type Panel,
  type Point,
  Tool,
  type UserEntry,
} from "../src/core";

export type Scene =
  | "join"
  | "guess"
  | "artist"
  | "final"
  | "winner"
  | "setup"
  | "password"
  | "agreement"
  | "info";

const kBlack = 0x000000;
const kBlue = 0x0000ff;
const kRed = 0xff0000;
const kArtistGreen = 0x00b400;
const kFoundBlue = 0x3d86ff;
const kPalette: Colour[] = [
  0x000000, 0x808080, 0xffffff, 0x500010, 0x8f402f, 0xbf804f, 0x800040, 0xe0b594, 0xf0d0c0,
  0x820046, 0xff008c, 0xff82c8, 0xff0000, 0xff9696, 0xffc8c8, 0xff8c1e, 0xffc800, 0xffff00,
  0x1f7a30, 0x00b400, 0x00f800, 0x0000ff, 0x3d86ff, 0x7fc0f0,
];
const kWidths = [1, 2, 4, 8];

// --- A small raster of the fake's own ---------------------------------------------------------

class Raster {
  readonly pixels = new Uint8Array(PAD_WIDTH * PAD_HEIGHT * 4).fill(255);

  set(x: number, y: number, colour: Colour): void {
    x = Math.round(x);
    y = Math.round(y);
    if (x < 0 || y < 0 || x >= PAD_WIDTH || y >= PAD_HEIGHT) return;
    const i = (y * PAD_WIDTH + x) * 4;
    this.pixels[i] = (colour >> 16) & 255;
    this.pixels[i + 1] = (colour >> 8) & 255;
    this.pixels[i + 2] = colour & 255;
    this.pixels[i + 3] = 255;
  }

  get(x: number, y: number): Colour {
    const i = (y * PAD_WIDTH + x) * 4;
    return (this.pixels[i] << 16) | (this.pixels[i + 1] << 8) | this.pixels[i + 2];
  }

  disc(cx: number, cy: number, r: number, colour: Colour): void {
    const reach = Math.max(0, r);
    for (let y = Math.floor(cy - reach); y <= cy + reach; ++y) {
      for (let x = Math.floor(cx - reach); x <= cx + reach; ++x) {
        if ((x - cx) ** 2 + (y - cy) ** 2 <= reach * reach + 0.25) this.set(x, y, colour);
      }
    }
  }

  line(a: Point, b: Point, width: number, colour: Colour): void {
    const steps = Math.max(1, Math.ceil(Math.hypot(b.x - a.x, b.y - a.y)));
    for (let i = 0; i <= steps; ++i) {
      const t = i / steps;
      this.disc(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, (width - 1) / 2, colour);
    }
  }

  rect(x0: number, y0: number, x1: number, y1: number, colour: Colour): void {
    for (let y = y0; y <= y1; ++y) for (let x = x0; x <= x1; ++x) this.set(x, y, colour);
  }

  outline(x0: number, y0: number, x1: number, y1: number, width: number, colour: Colour): void {
    const corners = [
      { x: x0, y: y0 },
      { x: x1, y: y0 },
      { x: x1, y: y1 },
      { x: x0, y: y1 },
    ];
    for (let i = 0; i < 4; ++i) this.line(corners[i], corners[(i + 1) % 4], width, colour);
  }

  ellipse(
    box: { x: number; y: number; width: number; height: number },
    width: number,
    colour: Colour,
    fill: boolean,
  ): void {
    const cx = box.x + box.width / 2;
    const cy = box.y + box.height / 2;
    const rx = box.width / 2;
    const ry = box.height / 2;
    if (rx <= 0 || ry <= 0) return;
    if (fill) {
      for (let y = Math.floor(cy - ry); y <= cy + ry; ++y) {
        for (let x = Math.floor(cx - rx); x <= cx + rx; ++x) {
          if (((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1) this.set(x, y, colour);
        }
      }
    }
    let last: Point | null = null;
    for (let i = 0; i <= 180; ++i) {
      const a = (i / 180) * 2 * Math.PI;
      const p = { x: cx + rx * Math.cos(a), y: cy + ry * Math.sin(a) };
      if (last) this.line(last, p, width, colour);
      last = p;
    }
  }

  triangle(a: Point, b: Point, c: Point, colour: Colour): void {
    const top = Math.floor(Math.min(a.y, b.y, c.y));
    const bottom = Math.ceil(Math.max(a.y, b.y, c.y));
    const side = (p: Point, q: Point, r: Point): number =>
      (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    for (let y = top; y <= bottom; ++y) {
      for (let x = Math.floor(Math.min(a.x, b.x, c.x)); x <= Math.max(a.x, b.x, c.x); ++x) {
        const p = { x, y };
        const s1 = side(a, b, p);
        const s2 = side(b, c, p);
        const s3 = side(c, a, p);
        if ((s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0))
          this.set(x, y, colour);
      }
    }
  }

  flood(x: number, y: number, colour: Colour): void {
    const from = this.get(x, y);
    if (from === colour) return;
    const stack = [y * PAD_WIDTH + x];
    while (stack.length > 0) {
      const at = stack.pop() as number;
      const px = at % PAD_WIDTH;
      const py = (at - px) / PAD_WIDTH;
      if (this.get(px, py) !== from) continue;
      this.set(px, py, colour);
      if (px > 0) stack.push(at - 1);
      if (px < PAD_WIDTH - 1) stack.push(at + 1);
      if (py > 0) stack.push(at - PAD_WIDTH);
      if (py < PAD_HEIGHT - 1) stack.push(at + PAD_WIDTH);
    }
  }

  // A guesser's view of a round well under way: a lighthouse on a rock by the sea.
  scenery(): void {
    this.rect(0, 236, 510, 321, 0x7fc0f0);
    for (let x = 0; x < 511; x += 24) {
      this.line({ x, y: 246 }, { x: x + 12, y: 240 }, 2, 0x3d86ff);
      this.line({ x: x + 12, y: 240 }, { x: x + 24, y: 246 }, 2, 0x3d86ff);
    }
    this.ellipse({ x: 150, y: 214, width: 190, height: 60 }, 3, 0x808080, true);
    this.ellipse({ x: 150, y: 214, width: 190, height: 60 }, 3, 0x000000, false);
    this.triangle({ x: 222, y: 228 }, { x: 268, y: 228 }, { x: 256, y: 88 }, 0xffffff);
    this.triangle({ x: 222, y: 228 }, { x: 256, y: 88 }, { x: 234, y: 88 }, 0xffffff);
    for (const band of [110, 160, 204]) this.rect(226, band, 264, band + 14, 0xff0000);
    this.line({ x: 222, y: 228 }, { x: 234, y: 88 }, 3, 0x000000);
    this.line({ x: 268, y: 228 }, { x: 256, y: 88 }, 3, 0x000000);
    this.rect(228, 64, 262, 88, 0xffff00);
    this.outline(228, 64, 262, 88, 3, 0x000000);
    this.triangle({ x: 222, y: 64 }, { x: 268, y: 64 }, { x: 245, y: 40 }, 0xff0000);
    this.line({ x: 222, y: 64 }, { x: 245, y: 40 }, 3, 0x000000);
    this.line({ x: 268, y: 64 }, { x: 245, y: 40 }, 3, 0x000000);
    for (const [dx, dy] of [
      [-1, -0.35],
      [-1, 0.1],
      [1, -0.35],
      [1, 0.1],
    ]) {
      this.line(
        { x: 245 + dx * 22, y: 76 + dy * 8 },
        { x: 245 + dx * 110, y: 76 + dy * 60 },
        2,
        0xffc800,
      );
    }
    this.disc(430, 54, 26, 0xffc800);
    this.ellipse({ x: 60, y: 40, width: 80, height: 28 }, 2, 0x808080, false);
    this.ellipse({ x: 90, y: 30, width: 60, height: 26 }, 2, 0x808080, false);
    for (let i = 0; i < 3; ++i) {
      const x = 330 + i * 40;
      this.line({ x, y: 150 + i * 6 }, { x: x + 8, y: 144 + i * 6 }, 2, 0x000000);
      this.line({ x: x + 8, y: 144 + i * 6 }, { x: x + 16, y: 150 + i * 6 }, 2, 0x000000);
    }
  }
}

// --- The scripted room ------------------------------------------------------------------------

function button(caption: string, enabled: boolean, colour: Colour | null = null): ButtonState {
  return { caption, enabled, colour };
}

function spaced(word: string): string {
  return [...word].join(" ");
}

export class FakeCore implements PageCore {
  private readonly raster = new Raster();
  private undoCopy: Uint8Array | null = null;
  private muted = false;
  private connected = false;
  private name: string;
  private clock = 0;
  private ticking: ReturnType<typeof setInterval> | null = null;
  private clearTimer: ReturnType<typeof setTimeout> | null = null;
  private pressAt: Point | null = null;
  private last: Point | null = null;
  private readonly pad: PadState = {
    tool: Tool.Freehand,
    brush: 1,
    swatch: 0,
    colour: 0x000000,
    fillSolid: false,
    clearMessageShown: false,
    line: null,
    box: null,
    oval: null,
    eraser: null,
  };
  private controls: Controls = {
    connect: true,
    disconnect: false,
    drawing: true,
    autoSkip: false,
    start: button("Setup Game", false),
    hint: button("Warn Artist", false),
  };
  private panel: Panel = {
    roomName: "-",
    admin: "-",
    rounds: "-",
    word: "-",
    pattern: "",
    time: "--:--",
    timeColour: kBlack,
    status: "Not connected",
  };
  private users: UserEntry[] = [];

  constructor(
    private readonly view: PageView,
    private readonly scene: Scene,
  ) {
    this.name = /^nickname=(.*)$/m.exec(view.loadSettings())?.[1] ?? "";
    // Every scene but the first visit's comes back with a nickname kept.
    if (scene !== "join" && !this.name) this.name = "Robin";
  }

  start(): void {
    this.view.addWelcome(
      "Welcome to Scrawlbox",
      " - draw, guess, and laugh with the room.",
      "Type /help for the chat commands. Until you join, the pad is yours to practise on.",
    );
    this.publish();
    this.view.padChanged();
  }

  onOpen(): void {}
  onData(): void {}
  onClose(): void {}
  onError(): void {}

  nickname(): string {
    return this.name;
  }

  join(nickname: string): void {
    this.name = nickname.slice(0, 20);
    this.view.saveSettings(`nickname=${this.name}`);
    this.system(`Connecting to the room as ${this.name} ..`);
    this.connected = true;
    this.play();
  }

  retryWithPassword(): void {
    this.system("Connecting to server scrawl.example:2020 ..");
  }
  leave(): void {
    this.connected = false;
    this.stopClock();
    this.users = [];
    this.controls = { ...this.controls, connect: true, disconnect: false, drawing: true };
    this.panel = { ...this.panel, status: "Not connected", pattern: "", time: "--:--" };
    this.view.showUsers([]);
    this.publish();
    this.system("You left the room.", kRed);
  }
  agreementAccepted(): void {
    this.system("Thank you: welcome in.");
  }
  agreementRefused(): void {
    this.system("You did not agree to the room's rules.", kRed);
  }

  enterChat(text: string): void {
    if (!this.connected) {
      this.system("Cannot send, not connected to a server.");
      return;
    }
    this.view.addChatLine({ sender: this.name, text, colour: kBlack, plain: false });
    if (this.scene === "guess" && text.trim().toLowerCase() === "lighthouse") this.found();
  }
  startButton(): void {
    if (this.controls.start.caption === "Setup Game") {
      this.view.openGameSetup();
      return;
    }
    this.controls = {
      ...this.controls,
      start: button("Skip Word!", false),
      hint: button("Give Hint", false),
    };
    this.publish();
    this.system("You skipped the word.", kBlue);
  }
  hintButton(): void {
    if (this.controls.hint.caption === "Warn Artist") {
      this.system("Sorry, the Warn Artist feature has not yet been implemented.", 0xff00ff);
      return;
    }
    this.panel = { ...this.panel, pattern: "l _ _ _ _ _ _ _ _ _" };
    this.publish();
  }
  setAutoSkip(on: boolean): void {
    const own = this.users.find((u) => u.nickname === this.name);
    if (own) own.away = on;
    this.view.showUsers(this.users);
  }
  requestUserInformation(id: number): void {
    const user = this.users.find((u) => u.id === id);
    this.view.showUserInfo({
      name: user?.nickname ?? "?",
      age: "27",
      gender: "Female",
      location: "Rotterdam",
      homepage: "https://scrawl.example/mika",
      quote: "A line is a dot that went for a walk.",
    });
  }
  kickUser(id: number, reason: string): void {
    this.system(`Kicked ${id}: ${reason}`, kRed);
  }

  lastGameSetup(): GameSetup {
    return {
      roomName: "",
      description: "nodesc",
      playerLimit: 0,
      totalRounds: 10,
      secondsPerRound: 60,
      graceSeconds: 30,
      wordLists: ["animals"],
    };
  }
  requestWordLists(): void {
    setTimeout(() => {
      this.view.wordListsReceived(["animals", "food", "household"]);
      this.view.wordListsReceived(["movies", "places", "sports", "things that fly"]);
      this.view.wordListsComplete();
    }, 300);
  }
  startGame(setup: GameSetup): boolean {
    if (setup.wordLists.length === 0) return false;
    this.system(
      `Starting a game of ${setup.totalRounds} rounds with ${setup.wordLists.join(", ")}.`,
    );
    return true;
  }
  cancelGameSetup(): void {}

  setMuted(muted: boolean): void {
    this.muted = muted;
  }

  clickTool(tool: Tool): void {
    if (!this.controls.drawing) return;
    switch (tool) {
      case Tool.Undo:
        if (this.undoCopy) this.raster.pixels.set(this.undoCopy);
        break;
      case Tool.Clear:
        if (this.pad.clearMessageShown) {
          this.hideClear();
          this.keepUndo();
          this.raster.pixels.fill(255);
        } else {
          this.pad.clearMessageShown = true;
          this.clearTimer = setTimeout(() => this.hideClear(), 2000);
        }
        break;
      case Tool.FillType:
        this.pad.fillSolid = !this.pad.fillSolid;
        break;
      default:
        this.pad.tool = tool;
        this.pad.eraser = tool === Tool.Eraser ? { x: -400, y: -400 } : null;
    }
    this.view.padChanged();
  }
  clickBrush(index: number): void {
    this.pad.brush = index;
    this.view.padChanged();
  }
  pressSwatch(index: number): void {
    this.pad.swatch = index;
    this.pad.colour = kPalette[index] ?? 0;
    this.view.padChanged();
  }
  chooseColour(colour: Colour): void {
    this.pad.swatch = -1;
    this.pad.colour = colour;
    this.view.padChanged();
  }

  press(buttonNumber: number, x: number, y: number): void {
    const p = { x, y };
    this.pressAt = p;
    this.last = p;
    if (buttonNumber !== 1) return;
    switch (this.pad.tool) {
      case Tool.Freehand:
      case Tool.Spray:
      case Tool.Eraser:
        this.keepUndo();
        this.move(1, x, y);
        return;
      case Tool.Line:
        this.pad.line = [p, p];
        break;
      case Tool.Box:
        this.pad.box = { x, y, width: 0, height: 0 };
        break;
      case Tool.Circle:
        this.pad.oval = { x, y, width: 0, height: 0 };
        break;
    }
    this.view.padChanged();
  }
  move(buttons: number, x: number, y: number): void {
    const p = { x, y };
    const width = kWidths[this.pad.brush] ?? 2;
    if (this.pad.tool === Tool.Eraser) this.pad.eraser = p;
    if (buttons === 1 && this.last && this.pressAt) {
      const from = this.pressAt;
      const box = {
        x: Math.min(x, from.x),
        y: Math.min(y, from.y),
        width: Math.abs(x - from.x),
        height: Math.abs(y - from.y),
      };
      switch (this.pad.tool) {
        case Tool.Freehand:
          this.raster.line(this.last, p, width, this.pad.colour);
          break;
        case Tool.Eraser:
          this.raster.disc(x, y, 10, 0xffffff);
          break;
        case Tool.Spray:
          for (let i = 0; i < 40; ++i) {
            this.raster.set(
              x + Math.floor(Math.random() * 20) - 10,
              y + Math.floor(Math.random() * 20) - 10,
              this.pad.colour,
            );
          }
          break;
        case Tool.Line:
          this.pad.line = [from, p];
          break;
        case Tool.Box:
          this.pad.box = box;
          break;
        case Tool.Circle:
          this.pad.oval = box;
          break;
      }
    }
    this.last = p;
    this.view.padChanged();
  }
  release(buttonNumber: number, x: number, y: number): void {
    const width = kWidths[this.pad.brush] ?? 2;
    const colour = this.pad.colour;
    if (buttonNumber === 1) {
      if (this.pad.line) {
        this.keepUndo();
        this.raster.line(this.pad.line[0], { x, y }, width, colour);
      }
      if (this.pad.box) {
        this.keepUndo();
        const b = this.pad.box;
        if (this.pad.fillSolid) this.raster.rect(b.x, b.y, b.x + b.width, b.y + b.height, colour);
        this.raster.outline(b.x, b.y, b.x + b.width, b.y + b.height, width, colour);
      }
      if (this.pad.oval) {
        this.keepUndo();
        this.raster.ellipse(this.pad.oval, width, colour, this.pad.fillSolid);
      }
      if (this.pad.tool === Tool.Flood) {
        this.keepUndo();
        this.raster.flood(x, y, colour);
      }
    }
    this.pad.line = this.pad.box = this.pad.oval = null;
    this.pressAt = null;
    this.view.padChanged();
  }
  padState(): PadState {
    return { ...this.pad };
  }
  padPixels(): Uint8Array {
    return this.raster.pixels;
  }
  padHash(): string {
    let hash = 0x811c9dc5;
    for (const byte of this.raster.pixels) hash = Math.imul(hash ^ byte, 0x01000193) >>> 0;
    return "0x" + hash.toString(16);
  }

  // --- The script ---

  private play(): void {
    const me = this.name;
    const artist = this.scene === "artist" ? me : "Mika";
    const names = [artist === me ? "Mika" : me, "Jonas", "Ana Lucía", "Priya", "Tobias", "Wen"];
    const points = ["14", "9", "22", "6", "0", "11"];
    this.users = [artist, ...names].map((nickname, i) => ({
      id: 100 + i,
      nickname,
      points: i === 0 ? "18" : (points[i - 1] ?? "0"),
      away: nickname === "Tobias",
      colour:
        i === 0
          ? kArtistGreen
          : nickname === "Ana Lucía" || nickname === "Priya"
            ? kFoundBlue
            : kBlack,
      artist: i === 0,
      foundWord: nickname === "Ana Lucía" || nickname === "Priya",
    }));
    this.view.showUsers(this.users);

    const line = (sender: string, text: string, colour = kBlack): void =>
      this.view.addChatLine({ sender, text, colour, plain: false });
    this.system("Connected. Welcome to Saturday Doodles!", kBlue);
    line("Jonas", "evening all");
    line("Wen", "hi! who draws first?");
    this.system(`A new artist has been selected to draw: ${artist}`, kBlue);
    line("Jonas", "tower?");
    line("Wen", "castle");
    line("Tobias", "brb, tea");
    this.system("Ana Lucía has found the word!", kArtistGreen);
    line("Jonas", "a very tall candle");
    this.system("Priya has found the word!", kArtistGreen);
    line("Wen", "oh come on, nearly had it");

    this.raster.scenery();
    const mine = artist === me;
    this.controls = {
      connect: false,
      disconnect: true,
      drawing: mine,
      autoSkip: true,
      start: mine
        ? button("Skip Word!", true, kRed)
        : button("Setup Game", this.scene === "setup", this.scene === "setup" ? 0x00ff00 : null),
      hint: mine ? button("Give Hint", true) : button("Warn Artist", true),
    };
    this.panel = {
      roomName: "Saturday Doodles",
      admin: this.scene === "setup" ? me : "Mika",
      rounds: "3 of 10",
      word: mine ? "lighthouse" : "_ _ _ _ _ _ _ _ _ _",
      pattern: mine ? spaced("lighthouse") : spaced("l_gh______"),
      time: "00:47",
      timeColour: kBlack,
      status: mine ? "You are the artist: draw the word!" : `${artist} is drawing: guess the word`,
    };
    this.clock = this.scene === "final" ? 9 : 47;
    if (mine) {
      this.pad.tool = Tool.Box;
      this.pad.swatch = 12;
      this.pad.colour = kPalette[12];
      this.pad.brush = 2;
      this.pad.fillSolid = false;
      this.pad.box = { x: 330, y: 200, width: 120, height: 70 };
    }
    this.publish();
    this.view.padChanged();
    this.runClock();

    switch (this.scene) {
      case "winner":
        this.stopClock();
        this.raster.pixels.fill(255);
        this.panel = {
          ...this.panel,
          pattern: "",
          time: "--:--",
          status: "The game is over: Ana Lucía won",
        };
        this.publish();
        this.view.showWinner(
          ["Ana Lucía"],
          [
            { place: 1, nickname: "Ana Lucía", points: 41 },
            { place: 2, nickname: "Mika", points: 33 },
            { place: 3, nickname: "Robin", points: 27 },
            { place: 4, nickname: "Wen", points: 19 },
          ],
        );
        break;
      case "setup":
        this.panel = {
          ...this.panel,
          rounds: "-",
          pattern: "",
          time: "--:--",
          status: "Waiting for a game to start",
        };
        this.users.forEach((u) => {
          u.artist = false;
          u.foundWord = false;
          u.colour = kBlack;
        });
        this.view.showUsers(this.users);
        this.stopClock();
        this.publish();
        this.view.openGameSetup();
        break;
      case "password":
        this.view.askRoomPassword("scrawl.example:2020", true);
        break;
      case "agreement":
        this.view.showAgreement(
          "1. Be kind: everyone draws badly sometimes.\n2. No words or letters in the drawing.\n" +
            "3. Don't spoil the word in the chat once you found it.\n4. Have fun!",
        );
        break;
      case "info":
        this.requestUserInformation(100);
        break;
    }
  }

  private found(): void {
    const own = this.users.find((u) => u.nickname === this.name);
    if (own) {
      own.foundWord = true;
      own.colour = kFoundBlue;
      own.points = String(Number(own.points) + 8);
    }
    this.view.showUsers(this.users);
    this.system(`${this.name} has found the word!`, kArtistGreen);
    if (!this.muted) this.view.playSound("wordfound.wav");
  }

  private runClock(): void {
    this.stopClock();
    this.showClock();
    this.ticking = setInterval(() => {
      this.clock = Math.max(0, this.clock - 1);
      this.showClock();
      if (this.clock === 0) this.stopClock();
    }, 1000);
  }

  private showClock(): void {
    const s = this.clock;
    const time = `${String(Math.floor(s / 60)).padStart(2, "0")}:${String(s % 60).padStart(2, "0")}`;
    const reds = [0, 255, 170, 100, 64, 32];
    const timeColour =
      s >= 1 && s <= 5
        ? (reds[s] ?? 0) << 16
        : this.panel.timeColour && s > 5
          ? this.panel.timeColour
          : kBlack;
    this.panel = { ...this.panel, time, timeColour };
    this.view.showPanel(this.panel);
  }

  private stopClock(): void {
    if (this.ticking !== null) clearInterval(this.ticking);
    this.ticking = null;
  }

  private hideClear(): void {
    if (this.clearTimer !== null) clearTimeout(this.clearTimer);
    this.clearTimer = null;
    this.pad.clearMessageShown = false;
    this.view.padChanged();
  }

  private keepUndo(): void {
    this.undoCopy = this.raster.pixels.slice();
  }

  private system(text: string, colour = kBlack): void {
    this.view.addChatLine({ sender: "System", text, colour, plain: false });
  }

  private publish(): void {
    this.view.showControls(this.controls);
    this.view.showPanel(this.panel);
  }
}
