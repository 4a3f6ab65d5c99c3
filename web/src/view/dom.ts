// SPDX-License-Identifier: MIT
// The few DOM helpers the view's modules share. The page's CSP allows no inline styles in the
// markup, so every dynamic style goes through the CSSOM (element.style), which it does allow.
import type { Colour } from "../core";

export function byId<T extends HTMLElement = HTMLElement>(id: string): T {
  const found = document.getElementById(id);
  if (!found) throw new Error(`The page lacks #${id}.`);
  return found as T;
}

type Attributes = Record<string, string | number | boolean | undefined>;

// An element with attributes (false and undefined leave one out) and text or child nodes.
export function el<K extends keyof HTMLElementTagNameMap>(
  tag: K,
  attributes: Attributes = {},
  ...children: (Node | string)[]
): HTMLElementTagNameMap[K] {
  const made = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (value === undefined || value === false) continue;
    made.setAttribute(name, value === true ? "" : String(value));
  }
  made.append(...children);
  return made;
}

export function cssColour(colour: Colour): string {
  return "#" + (colour & 0xffffff).toString(16).padStart(6, "0");
}

export function parseCssColour(text: string): Colour | null {
  const match = /^#([0-9a-f]{6})$/i.exec(text.trim());
  return match ? parseInt(match[1], 16) : null;
}

export function relativeLuminance(colour: Colour): number {
  const channel = (shift: number): number => {
    const c = ((colour >> shift) & 255) / 255;
    return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
  };
  return 0.2126 * channel(16) + 0.7152 * channel(8) + 0.0722 * channel(0);
}

// Equal contrast against black and white falls at a luminance of about 0.179.
const kMidLuminance = 0.179;

// Black or white, whichever reads better on the colour.
export function textColourOn(colour: Colour): "#000000" | "#ffffff" {
  return relativeLuminance(colour) > kMidLuminance ? "#000000" : "#ffffff";
}

// A colour the room chose for a name or a line, darkened until it reads on the page's white
// (a contrast of 4.5 or more); the hue stays.
export function legibleOnWhite(colour: Colour): Colour {
  let r = (colour >> 16) & 255;
  let g = (colour >> 8) & 255;
  let b = colour & 255;
  for (let i = 0; i < 24 && relativeLuminance((r << 16) | (g << 8) | b) > kMidLuminance; ++i) {
    r = Math.floor(r * 0.9);
    g = Math.floor(g * 0.9);
    b = Math.floor(b * 0.9);
  }
  return (r << 16) | (g << 8) | b;
}

export function setShown(element: HTMLElement, shown: boolean): void {
  element.hidden = !shown;
}
