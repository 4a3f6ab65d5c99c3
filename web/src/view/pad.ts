// SPDX-License-Identifier: MIT
// The pad: the core's pixels on a canvas a whole number of device pixels per pad pixel, the
// previews drawn over them, and the pointer handed to the core in pad pixels.
import { PAD_HEIGHT, PAD_WIDTH, type PadState, type PageCore, Tool } from "../core";
import { cssColour } from "./dom";
import { onLanguageChange, t } from "./i18n";
import { pictureIn } from "./pictures";
import { moveButtons, padScale, pressButton, toPadPoint } from "./pad_geometry";

// The brushes' widths in pad pixels, for the previews.
const kBrushWidths = [1, 2, 4, 8];
const kPad = { width: PAD_WIDTH, height: PAD_HEIGHT };
// The eraser's indicator is about 23 pad pixels across.
const kEraserRadius = 11.5;

// The tool cursors and their hot spots in the cursors' own 32-pixel grid.
const kCursors: Partial<Record<Tool, string>> = {
  [Tool.Line]: 'url("/icons/line.svg") 11 11',
  [Tool.Box]: 'url("/icons/box.svg") 11 11',
  [Tool.Circle]: 'url("/icons/circle.svg") 11 11',
  [Tool.Spray]: 'url("/icons/spray.svg") 5 5',
  [Tool.Flood]: 'url("/icons/fill.svg") 11 29',
};
const kDrawingCursor = 'url("/icons/draw_0.svg") 16 16';

export interface PadElements {
  board: HTMLElement;
  stage: HTMLElement;
  frame: HTMLElement;
  canvas: HTMLCanvasElement;
  clearNote: HTMLElement;
}

export class PadView {
  private core: PageCore | null = null;
  private readonly context: CanvasRenderingContext2D;
  private readonly picture: HTMLCanvasElement;
  private readonly pictureContext: CanvasRenderingContext2D;
  private readonly pixels: ImageData;
  private frameAsked = false;
  private drawing = false;
  private blocked = false;
  private pointer: { id: number; button: number; x: number; y: number } | null = null;
  private clearShown = false;
  private cursor = "";
  // Told after every frame, so that the tool bars show the same state as the pad.
  onState: (state: PadState) => void = () => {};

  constructor(private readonly e: PadElements) {
    this.context = need(e.canvas.getContext("2d"));
    this.picture = document.createElement("canvas");
    this.picture.width = PAD_WIDTH;
    this.picture.height = PAD_HEIGHT;
    this.pictureContext = need(this.picture.getContext("2d"));
    this.pixels = this.pictureContext.createImageData(PAD_WIDTH, PAD_HEIGHT);
    this.pixels.data.fill(255);

    const canvas = e.canvas;
    canvas.addEventListener("pointerdown", (event) => this.down(event));
    canvas.addEventListener("pointermove", (event) => this.moved(event));
    canvas.addEventListener("pointerup", (event) => this.up(event, false));
    canvas.addEventListener("pointercancel", (event) => this.up(event, true));
    canvas.addEventListener("lostpointercapture", (event) => this.up(event, true));
    // The right button erases and the middle one draws a line: neither is the browser's.
    canvas.addEventListener("contextmenu", (event) => event.preventDefault());
    canvas.addEventListener("mousedown", (event) => {
      if (event.button === 1) event.preventDefault();
    });

    // The board's bars change height with what they hold (a longer status, a wrapped tool bar).
    const resized = new ResizeObserver(() => this.fit());
    resized.observe(e.board);
    for (const child of Array.from(e.board.children)) resized.observe(child);
    window.addEventListener("resize", () => this.fit());
    onLanguageChange(() => {
      const picture = this.e.clearNote.querySelector("img");
      if (picture) picture.alt = t("Press Clear again to clear the pad");
    });
    this.watchRatio();
    this.fit();
  }

  attach(core: PageCore): void {
    this.core = core;
    this.changed();
  }

  changed(): void {
    if (this.frameAsked) return;
    this.frameAsked = true;
    requestAnimationFrame(() => {
      this.frameAsked = false;
      this.draw();
    });
  }

  setDrawing(drawing: boolean): void {
    this.drawing = drawing;
    this.e.canvas.classList.toggle("can-draw", drawing && !this.blocked);
    if (!drawing) this.endStroke();
  }

  // While the final standings cover the pad it takes no strokes.
  setBlocked(blocked: boolean): void {
    this.blocked = blocked;
    this.setDrawing(this.drawing);
  }

  private fit(): void {
    const board = this.e.board;
    const style = getComputedStyle(board);
    let width = board.clientWidth - px(style.paddingLeft) - px(style.paddingRight);
    let height = Infinity;
    const fit = style.getPropertyValue("--pad-fit").trim();
    // "width": a layout that stacks the pad over the chat gives it the width. "cell": the
    // stage has a cell of the board's grid to itself. Otherwise the pad takes what the board's
    // column has left after its bars.
    if (fit === "cell") {
      width = this.e.stage.clientWidth;
      height = this.e.stage.clientHeight;
    } else if (fit !== "width") {
      const gap = px(style.rowGap);
      let others = 0;
      let shown = 0;
      for (const child of Array.from(board.children) as HTMLElement[]) {
        if (child.hidden || getComputedStyle(child).display === "none") continue;
        shown += 1;
        if (child !== this.e.stage) others += child.offsetHeight;
      }
      height =
        board.clientHeight -
        px(style.paddingTop) -
        px(style.paddingBottom) -
        others -
        gap * Math.max(0, shown - 1);
    }
    const scale = padScale(kPad, width, height, window.devicePixelRatio || 1);
    const canvas = this.e.canvas;
    if (canvas.width !== PAD_WIDTH * scale.k || canvas.height !== PAD_HEIGHT * scale.k) {
      canvas.width = PAD_WIDTH * scale.k;
      canvas.height = PAD_HEIGHT * scale.k;
      this.changed();
    }
    const frame = this.e.frame;
    frame.style.width = `${scale.cssWidth}px`;
    frame.style.height = `${scale.cssHeight}px`;
    this.e.stage.style.height = fit === "cell" ? "" : `${scale.cssHeight}px`;
    board.style.setProperty("--pad-width", `${scale.cssWidth}px`);
  }

  // A page dragged to a screen of another pixel ratio, or zoomed, needs another k.
  private watchRatio(): void {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
    query.addEventListener(
      "change",
      () => {
        this.fit();
        this.watchRatio();
      },
      { once: true },
    );
  }

  private draw(): void {
    const core = this.core;
    if (!core) return;
    // The core's memory may move once it runs again: copy its pixels out now.
    this.pixels.data.set(core.padPixels());
    const state = core.padState();
    this.pictureContext.putImageData(this.pixels, 0, 0);
    const c = this.context;
    const canvas = this.e.canvas;
    const k = canvas.width / PAD_WIDTH;
    c.setTransform(1, 0, 0, 1, 0, 0);
    c.imageSmoothingEnabled = false;
    c.drawImage(this.picture, 0, 0, canvas.width, canvas.height);
    this.drawPreviews(state, k);
    this.showClearNote(state.clearMessageShown);
    this.showCursor(state.tool);
    this.onState(state);
  }

  private drawPreviews(state: PadState, k: number): void {
    const c = this.context;
    c.setTransform(k, 0, 0, k, 0, 0);
    const colour = cssColour(state.colour);
    c.lineWidth = kBrushWidths[state.brush] ?? 2;
    c.lineCap = "round";
    c.lineJoin = "round";
    c.strokeStyle = colour;
    c.fillStyle = colour;
    // Pad coordinates name pixels; their centres are half a pixel in.
    if (state.line) {
      const [from, to] = state.line;
      c.beginPath();
      c.moveTo(from.x + 0.5, from.y + 0.5);
      c.lineTo(to.x + 0.5, to.y + 0.5);
      c.stroke();
    }
    if (state.box) {
      const b = state.box;
      if (state.fillSolid) c.fillRect(b.x + 0.5, b.y + 0.5, b.width, b.height);
      c.strokeRect(b.x + 0.5, b.y + 0.5, b.width, b.height);
    }
    if (state.oval && state.oval.width > 0 && state.oval.height > 0) {
      const o = state.oval;
      c.beginPath();
      c.ellipse(
        o.x + 0.5 + o.width / 2,
        o.y + 0.5 + o.height / 2,
        o.width / 2,
        o.height / 2,
        0,
        0,
        2 * Math.PI,
      );
      if (state.fillSolid) c.fill();
      c.stroke();
    }
    if (state.eraser) {
      c.beginPath();
      c.arc(state.eraser.x + 0.5, state.eraser.y + 0.5, kEraserRadius, 0, 2 * Math.PI);
      c.lineWidth = 1 / k;
      c.setLineDash([3 / k, 3 / k]);
      c.strokeStyle = "#000000";
      c.stroke();
      c.setLineDash([]);
    }
    c.setTransform(1, 0, 0, 1, 0, 0);
  }

  private showClearNote(shown: boolean): void {
    if (shown === this.clearShown) return;
    this.clearShown = shown;
    const note = this.e.clearNote;
    note.replaceChildren();
    if (shown) {
      const picture = document.createElement("img");
      void pictureIn("/icons/clear_confirm.svg").then((shown) => (picture.src = shown));
      picture.alt = t("Press Clear again to clear the pad");
      // As on the desktop, a click on the message only takes it away.
      picture.addEventListener("pointerdown", (event) => {
        event.preventDefault();
        event.stopPropagation();
        this.core?.hideClearMessage();
      });
      note.append(picture);
    }
  }

  private showCursor(tool: Tool): void {
    const cursor = `${kCursors[tool] ?? kDrawingCursor}, crosshair`;
    if (cursor === this.cursor) return;
    this.cursor = cursor;
    this.e.canvas.style.setProperty("--tool-cursor", cursor);
  }

  private point(event: PointerEvent): { x: number; y: number } {
    return toPadPoint(kPad, event.clientX, event.clientY, this.e.canvas.getBoundingClientRect());
  }

  private down(event: PointerEvent): void {
    if (!this.core || !this.drawing || this.blocked || this.pointer) return;
    const button = pressButton(event.pointerType, event.button);
    if (button === 0) return;
    event.preventDefault();
    try {
      this.e.canvas.setPointerCapture(event.pointerId);
    } catch {
      // A pointer already gone: the stroke goes on without the capture.
    }
    const p = this.point(event);
    this.pointer = { id: event.pointerId, button, ...p };
    this.core.press(button, p.x, p.y);
  }

  private moved(event: PointerEvent): void {
    if (!this.core || !this.drawing || this.blocked) return;
    // A second finger on the pad is not a second pen.
    if (this.pointer && event.pointerId !== this.pointer.id) return;
    if (!this.pointer && event.pointerType !== "mouse") return;
    const buttons = moveButtons(event.pointerType, event.buttons);
    if (buttons < 0) return;
    // Moves come faster than frames on some devices: the core takes every one, in order.
    const merged = event.getCoalescedEvents?.() ?? [];
    const points = (merged.length > 0 ? merged : [event]).map((e) => this.point(e));
    for (const p of points) this.core.move(buttons, p.x, p.y);
    const last = points[points.length - 1];
    if (this.pointer && last) {
      this.pointer.x = last.x;
      this.pointer.y = last.y;
    }
  }

  private up(event: PointerEvent, cancelled: boolean): void {
    const held = this.pointer;
    if (!held || event.pointerId !== held.id) return;
    this.pointer = null;
    if (this.e.canvas.hasPointerCapture(event.pointerId)) {
      this.e.canvas.releasePointerCapture(event.pointerId);
    }
    // A stroke the browser took away ends where it was last seen.
    const p = cancelled ? { x: held.x, y: held.y } : this.point(event);
    this.core?.release(held.button, p.x, p.y);
  }

  private endStroke(): void {
    const held = this.pointer;
    if (!held) return;
    this.pointer = null;
    if (this.e.canvas.hasPointerCapture(held.id)) this.e.canvas.releasePointerCapture(held.id);
    this.core?.release(held.button, held.x, held.y);
  }
}

function px(value: string): number {
  const n = parseFloat(value);
  return Number.isFinite(n) ? n : 0;
}

function need<T>(value: T | null): T {
  if (value === null) throw new Error("This browser cannot draw on a canvas.");
  return value;
}
