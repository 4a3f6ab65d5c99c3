// SPDX-License-Identifier: MIT
// The page core: the desktop client's own session, pad tools and raster engine compiled to
// WebAssembly (web/core/page_core.cpp). The page holds no game rules; it shows what the core
// tells its view and hands the core what the player does. Strings cross as ordinary JavaScript
// strings: the core converts to and from the room's Windows-1252 text.

// Colours are 0xRRGGBB, as CSS writes them (the core turns the session's own order round).
import createModule from "scrawlbox-core";

export type Colour = number;

export interface ChatLine {
  sender: string;
  text: string;
  colour: Colour;
  // The bracketed form reads "<SENDER>: text", the plain form "SENDER: text".
  plain: boolean;
}

export interface UserEntry {
  id: number;
  nickname: string;
  points: string;
  away: boolean;
  colour: Colour;
  artist: boolean;
  foundWord: boolean;
  watching: boolean;
}

export interface Panel {
  roomName: string;
  admin: string;
  rounds: string;
  word: string;
  // What the pad shows large over its top: the blanks, the artist's word, or the word once the
  // round is over. Empty: nothing.
  pattern: string;
  time: string;
  timeColour: Colour;
  status: string;
}

export interface ButtonState {
  // "Setup Game" / "Skip Word!" and "Warn Artist" / "Give Hint": what a press does.
  caption: string;
  enabled: boolean;
  colour: Colour | null;
}

export interface Controls {
  connect: boolean;
  disconnect: boolean;
  drawing: boolean;
  autoSkip: boolean;
  start: ButtonState;
  hint: ButtonState;
  // The Watch toggle can be used, and is on.
  watch: boolean;
  watching: boolean;
}

export interface Standing {
  place: number;
  nickname: string;
  points: number;
}

export interface UserProfile {
  name: string;
  age: string;
  gender: string;
  location: string;
  homepage: string;
  quote: string;
}

export interface GameSetup {
  roomName: string;
  description: string;
  playerLimit: number;
  totalRounds: number;
  secondsPerRound: number;
  graceSeconds: number;
  wordLists: string[];
  // The game's own words, "|" between spellings; a game may have them alone.
  customWords: string[];
}

export interface Point {
  x: number;
  y: number;
}
export interface Rect {
  x: number;
  y: number;
  width: number;
  height: number;
}

// The tools in the order of the desktop's tool bar.
export const Tool = {
  Clear: 0,
  Eraser: 1,
  Freehand: 2,
  Line: 3,
  Box: 4,
  Circle: 5,
  Flood: 6,
  Spray: 7,
  Undo: 8,
  FillType: 9,
} as const;
export type Tool = (typeof Tool)[keyof typeof Tool];

// What the tool bars and the pad's overlays show.
export interface PadState {
  tool: Tool;
  brush: number; // 0-3, or -1 when a received width released them all
  swatch: number; // 0-23, or -1 for a colour of one's own
  colour: Colour;
  fillSolid: boolean;
  clearMessageShown: boolean;
  // Drawn over the pad while dragging, not part of its picture (pad pixels).
  line: [Point, Point] | null;
  box: Rect | null;
  oval: Rect | null;
  eraser: Point | null;
}

// A choice of the round's word under way: the artist chooses among the words, which only it is
// shown, while the others wait; no chooser: no choice.
export interface WordChoice {
  chooser: string;
  mine: boolean;
  words: string[];
  secondsLeft: number;
}

// What the core calls on the page.
export interface PageView {
  // The room's connection: a binary WebSocket to this page's own room.
  connect(): void;
  // Closes at once; no close event is reported back.
  close(): void;
  // Sends the bytes, a copy of the core's own that the socket may keep; false when the socket
  // would not take them.
  send(bytes: Uint8Array<ArrayBuffer>): boolean;
  // Sends what is queued, then closes, so that a last message reaches the room.
  leave(): void;

  // The browser's storage for what the desktop keeps in Client.ini (nickname, last set-up).
  loadSettings(): string;
  saveSettings(text: string): void;

  addChatLine(line: ChatLine): void;
  addWelcome(title: string, rest: string, hint: string): void;
  clearChat(): void;
  showUsers(users: UserEntry[]): void;
  showPanel(panel: Panel): void;
  showControls(controls: Controls): void;
  focusChatInput(): void;

  // The pad's pixels, tools or overlays changed: draw them on the next frame.
  padChanged(): void;
  showWinner(winners: string[], podium: Standing[]): void;

  showAgreement(text: string): void;
  askRoomPassword(room: string, wrong: boolean): void;
  showUserInfo(profile: UserProfile): void;
  showReservedNickname(): void;
  askForNickname(refusal: string): void;
  openGameSetup(): void;
  wordListsReceived(names: string[]): void;
  wordListsComplete(): void;
  noWordLists(): void;
  // A file of the room's sounds ("join.wav", ...), served at /sounds/<name>.
  playSound(fileName: string): void;
  // Over the pad: the words to choose from, or who is choosing, until a choice without a chooser.
  showWordChoice(choice: WordChoice): void;
  // What the round that ended gave, over the pad until the page takes it down after a few
  // seconds or the core does (with "") as the next round starts.
  showRoundSummary(text: string): void;
}

// What the page calls on the core.
export interface PageCore {
  // Shows the welcome lines and the disconnected state.
  start(): void;

  // The WebSocket's events.
  onOpen(): void;
  onData(bytes: Uint8Array): void;
  onClose(): void;
  onError(description: string): void;

  nickname(): string;
  // The characters of a typed text that the room's Windows-1252 cannot hold and that would
  // reach it as "?", in order, repeats included; "" when all of it gets through.
  unsendable(text: string): string;
  // The player's language, a two-letter code: the session's own lines and the room's known texts
  // from now on, and the game buttons' captions at once.
  setLanguage(language: string): void;
  // A text a room worded in English, in the player's language where it is one the game knows.
  translated(text: string): string;
  // Keeps the nickname and joins this page's room with it.
  join(nickname: string): void;
  retryWithPassword(password: string, remember: boolean): void;
  leave(reason: string): void;
  agreementAccepted(): void;
  agreementRefused(): void;

  // Enter in the chat input (the line is never empty); "/" lines are commands.
  enterChat(text: string): void;
  startButton(): void;
  hintButton(): void;
  setAutoSkip(on: boolean): void;
  requestUserInformation(id: number): void;
  kickUser(id: number, reason: string): void;

  lastGameSetup(): GameSetup;
  requestWordLists(): void;
  // Of the room's lists, those a first set-up ticks: the lists of the room's language.
  defaultWordLists(names: string[]): string[];
  // The room's language code as it named it at login; "" from a room that names none.
  roomLanguage(): string;
  // The lists grouped by language, the room's first: each group's name in its own language, each
  // list's full name and its title without the language in front.
  wordListGroups(names: string[]): { name: string; lists: { name: string; title: string }[] }[];
  // False, and nothing sent, when no word list is chosen.
  startGame(setup: GameSetup): boolean;
  cancelGameSetup(): void;

  // Sound choices as Options keep them (by the sound's file name), muted as a whole.
  setMuted(muted: boolean): void;

  // The tool bars, the palette and the pad's pointer, in pad pixels (x 0-510, y 0-321). Buttons:
  // 1 left (or a finger or pen), 2 right, 4 middle.
  clickTool(tool: Tool): void;
  // A click on the clear's confirmation message: the message goes, nothing is drawn.
  hideClearMessage(): void;
  clickBrush(index: number): void;
  pressSwatch(index: number): void;
  chooseColour(colour: Colour): void;
  press(button: number, x: number, y: number): void;
  move(buttons: number, x: number, y: number): void;
  release(button: number, x: number, y: number): void;
  padState(): PadState;
  // The pad's 511x322 pixels as RGBA bytes: a view of the core's memory, valid until the core
  // next runs.
  padPixels(): Uint8Array;
  // FNV-1a over the pad's pixels as the native tests hash them, as hexadecimal "0x...".
  padHash(): string;
  // Typed words as the room will take them: separated by commas or lines, cleaned, bounded.
  customWords(text: string): string[];
  // The player picked the word of this index among those offered.
  chooseWord(index: number): void;
  // The player's vote to have that user kicked out of the room.
  voteKick(id: number): void;
  // Watch the game rather than play it; and, joining during a round, watch it first.
  setWatching(on: boolean): void;
  setWatchUntilNextRound(on: boolean): void;
}

export const PAD_WIDTH = 511;
export const PAD_HEIGHT = 322;

// The core's module, which esbuild bundles from the WebAssembly build; it loads core.wasm from
// the room.
export async function createCore(view: PageView): Promise<PageCore> {
  const module = await createModule();
  return new module.PageCore(view) as PageCore;
}
