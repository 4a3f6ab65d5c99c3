// SPDX-License-Identifier: MIT
// The desktop's keys for the drawing tools, where a browser leaves them to the page.
// Tools go by their names in the core's Tool table, so that this stays apart from the core.
import type { Tool } from "../core";

export type ToolName = keyof typeof Tool;
export type Shortcut = { tool: ToolName } | { brush: number };

export interface Keys {
  key: string;
  ctrl: boolean;
  shift: boolean;
  alt: boolean;
  meta: boolean;
}

const kToolKeys: Readonly<Record<string, ToolName>> = {
  f: "Freehand",
  l: "Line",
  r: "Box",
  c: "Circle",
  e: "Eraser",
  g: "Flood",
  s: "Spray",
};

// The tool or brush for a key press, or null when the key is not one of them. Letters alone
// would type into a text field: the caller asks only when the focus is elsewhere.
export function shortcutFor(keys: Keys): Shortcut | null {
  if (keys.alt) return null;
  const key = keys.key.length === 1 ? keys.key.toLowerCase() : keys.key;
  const command = keys.ctrl || keys.meta;
  if (command) return key === "z" && !keys.shift ? { tool: "Undo" } : null;
  if (keys.shift) return key === "s" ? { tool: "FillType" } : null;
  if (key === "Delete") return { tool: "Clear" };
  if (key >= "1" && key <= "4" && key.length === 1) return { brush: Number(key) - 1 };
  const tool = kToolKeys[key];
  return tool === undefined ? null : { tool };
}
