// SPDX-License-Identifier: MIT
// The pad's size on the screen and the pointer's place on it, apart from the DOM so that they
// can be tested. They take the pad's size in pad pixels (the core's PAD_WIDTH and PAD_HEIGHT).
import type { Point } from "../core";

export interface Size {
  width: number;
  height: number;
}

export interface PadScale {
  // The canvas holds the pad at k device pixels per pad pixel.
  k: number;
  cssWidth: number;
  cssHeight: number;
}

// A whole number of device pixels per pad pixel keeps every pad pixel the same size and sharp.
// Where the largest whole multiple that fits would leave much of the space empty on a HiDPI
// screen (a phone of two device pixels per CSS pixel fits the pad once in half its width), the
// next multiple is shrunk by CSS to fill the space instead: there every pad pixel still covers
// more than one device pixel, and a full-width pad matters more than exact sharpness. At one
// device pixel per CSS pixel a shrunk pad would show lines of uneven width, so it stays whole.
export const kLeastFill = 0.85;

export function padScale(
  pad: Size,
  spaceWidth: number,
  spaceHeight: number,
  ratio: number,
): PadScale {
  const r = ratio > 0 && Number.isFinite(ratio) ? ratio : 1;
  const width = Math.max(0, spaceWidth);
  const height = Math.max(0, spaceHeight);
  const fit = Math.min((width * r) / pad.width, (height * r) / pad.height);
  const whole = Math.floor(fit);
  const k = whole >= 1 && (r <= 1 || whole / fit >= kLeastFill) ? whole : whole + 1;
  const css = Math.min(1, fit / k);
  return { k, cssWidth: (pad.width * k * css) / r, cssHeight: (pad.height * k * css) / r };
}

export interface Box {
  left: number;
  top: number;
  width: number;
  height: number;
}

// The pad pixel under a point of the page; a pointer held outside the pad (it stays captured)
// is held at the nearest edge.
export function toPadPoint(pad: Size, clientX: number, clientY: number, box: Box): Point {
  const along = (offset: number, size: number, pixels: number): number => {
    if (!(size > 0)) return 0;
    const pixel = Math.floor((offset * pixels) / size);
    return Math.min(pixels - 1, Math.max(0, Number.isFinite(pixel) ? pixel : 0));
  };
  return {
    x: along(clientX - box.left, box.width, pad.width),
    y: along(clientY - box.top, box.height, pad.height),
  };
}

// The core's buttons: 1 left, 2 right, 4 middle. A finger or a pen is the left button.
export function pressButton(pointerType: string, button: number): number {
  if (pointerType !== "mouse") return 1;
  switch (button) {
    case 0:
      return 1;
    case 1:
      return 4;
    case 2:
      return 2;
    default:
      return 0;
  }
}

// The buttons held during a move (PointerEvent.buttons uses the core's own bits); more than one
// at once means nothing to the tools: -1.
export function moveButtons(pointerType: string, buttons: number): number {
  if (pointerType !== "mouse") return buttons !== 0 ? 1 : 0;
  const held = buttons & 7;
  return held === 0 || held === 1 || held === 2 || held === 4 ? held : -1;
}
