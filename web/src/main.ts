// SPDX-License-Identifier: MIT
// The page's start: the view, the core, the room's WebSocket and the browser's storage.
import { createCore, type PageCore } from "./core";
import { byId } from "./view/dom";
import {
  isLanguage,
  language,
  languageOptions,
  onLanguageChange,
  preferredLanguage,
  setLanguage,
  t,
} from "./view/i18n";
import { Page, type Room } from "./view/page_view";
import { roomCodeOf, Rooms } from "./view/rooms";

// The room this page is the link of; the core names it to the host itself.
const roomCode = roomCodeOf(location.pathname);

const kSettingsKey = "scrawlbox.settings";
const kMutedKey = "scrawlbox.muted";
const kLanguageKey = "scrawlbox.language";
// What may wait in the socket's send buffer: far more than a room lets an artist send at once.
const kMaxBuffered = 1 << 20;
// How long a leaving page waits for its last message to go out.
const kLeaveWaitMs = 3000;
const kLeavePollMs = 50;

// Storage a browser refuses (private windows, full quota) only loses what it would have kept.
function load(key: string): string {
  try {
    return localStorage.getItem(key) ?? "";
  } catch {
    return "";
  }
}

function save(key: string, value: string): void {
  try {
    localStorage.setItem(key, value);
  } catch {
    // Kept for this visit only.
  }
}

class RoomSocket implements Room {
  core: PageCore | null = null;
  private socket: WebSocket | null = null;

  connect(): void {
    this.close();
    const address = (location.protocol === "https:" ? "wss://" : "ws://") + location.host + "/play";
    let socket: WebSocket;
    try {
      socket = new WebSocket(address);
    } catch (error) {
      queueMicrotask(() => this.core?.onError(String(error)));
      return;
    }
    socket.binaryType = "arraybuffer";
    socket.onopen = () => this.core?.onOpen();
    socket.onmessage = (event: MessageEvent) => {
      if (event.data instanceof ArrayBuffer) this.core?.onData(new Uint8Array(event.data));
    };
    socket.onerror = () => this.core?.onError(t("The connection to the room failed."));
    socket.onclose = () => {
      if (this.socket !== socket) return;
      this.socket = null;
      this.core?.onClose();
    };
    this.socket = socket;
  }

  close(): void {
    const socket = this.socket;
    if (!socket) return;
    this.socket = null;
    // The core asked for this close: it hears nothing more of this socket.
    socket.onopen = socket.onmessage = socket.onerror = socket.onclose = null;
    socket.close();
  }

  send(bytes: Uint8Array): boolean {
    const socket = this.socket;
    if (!socket || socket.readyState !== WebSocket.OPEN) return false;
    if (socket.bufferedAmount + bytes.length > kMaxBuffered) {
      // A room that has stopped reading: dropping a stroke would leave this pad unlike the
      // others', so the connection ends instead, and the player sees why.
      this.close();
      queueMicrotask(() => this.core?.onError(t("The room stopped taking what this page sends.")));
      return false;
    }
    // The core's bytes live in an ordinary ArrayBuffer; send copies them at once.
    socket.send(bytes as Uint8Array<ArrayBuffer>);
    return true;
  }

  leave(): void {
    const socket = this.socket;
    if (!socket) return;
    this.socket = null;
    socket.onopen = socket.onmessage = socket.onerror = socket.onclose = null;
    const started = Date.now();
    const closeWhenSent = (): void => {
      if (socket.bufferedAmount > 0 && Date.now() - started < kLeaveWaitMs) {
        setTimeout(closeWhenSent, kLeavePollMs);
        return;
      }
      socket.close();
    };
    closeWhenSent();
  }

  loadSettings(): string {
    return load(kSettingsKey);
  }
  saveSettings(text: string): void {
    save(kSettingsKey, text);
  }
  loadMuted(): boolean {
    return load(kMutedKey) === "1";
  }
  saveMuted(muted: boolean): void {
    save(kMutedKey, muted ? "1" : "0");
  }
}

declare global {
  interface Window {
    // The page's core, for the end-to-end tests and the curious: nothing the player could not
    // do through the page.
    scrawlbox?: PageCore;
  }
}

// The player's language, or the browser's; a change re-renders the page's words in place, so that
// the room's connection, the chat and the pad stay as they are.
function startLanguage(): void {
  setLanguage(preferredLanguage(load(kLanguageKey), navigator.languages ?? [navigator.language]));
  const choice = byId<HTMLSelectElement>("language");
  const code = byId("languageCode");
  choice.replaceChildren(...languageOptions());
  choice.value = language();
  code.textContent = language().toUpperCase();
  choice.addEventListener("change", () => {
    if (!isLanguage(choice.value)) return;
    save(kLanguageKey, choice.value);
    setLanguage(choice.value);
    code.textContent = choice.value.toUpperCase();
  });
}

async function start(): Promise<void> {
  startLanguage();
  const room = new RoomSocket();
  const page = new Page(room);
  const rooms = new Rooms(roomCode);
  const core = await createCore(page);
  rooms.translate = (text) => core.translated(text);
  room.core = core;
  window.scrawlbox = core;
  page.attach(core);
  // The core words its own lines in the page's language, the welcome included.
  core.setLanguage(language());
  onLanguageChange(() => core.setLanguage(language()));
  core.start();
  // A returning player (the nickname kept) goes straight in: the room gives back its points.
  const nickname = core.nickname();
  if (nickname) core.join(nickname);
  // A page closed in the middle of a game says goodbye rather than just dropping away.
  window.addEventListener("pagehide", () => core.leave("Quit"));
  // The same page brought back from the browser's history joins again.
  window.addEventListener("pageshow", (event) => {
    if (event.persisted && core.nickname()) core.join(core.nickname());
  });
}

function fail(error: unknown): void {
  const status = document.getElementById("statusLine");
  if (status) status.textContent = t("The game could not start in this browser: %1", String(error));
}

if (document.readyState === "loading") {
  document.addEventListener("DOMContentLoaded", () => start().catch(fail));
} else {
  start().catch(fail);
}
