// SPDX-License-Identifier: MIT
import assert from "node:assert/strict";
import { test } from "node:test";

import { ChatHistory, kHistoryLines } from "../src/view/chat_history";
import { cssColour, legibleOnWhite, parseCssColour, relativeLuminance } from "../src/view/dom";
import { moveButtons, padScale, pressButton, toPadPoint } from "../src/view/pad_geometry";
import { buttonName, inFinalSeconds, spokenPattern } from "../src/view/panel_text";
import { heldNumber, kPlayerLimitRange, kSecondsPerRoundRange } from "../src/view/setup_limits";
import { shortcutFor } from "../src/view/shortcuts";

test("the chat history goes back with up, forward with down, and ends on what was typed", () => {
  const h = new ChatHistory();
  assert.equal(h.up("typing"), null, "nothing entered yet");
  h.entered("first");
  h.entered("second");
  h.entered("second");
  const keys: [string, string | null][] = [
    ["up", "second"], // a line sent twice is one step
    ["up", "first"],
    ["up", null],
    ["down", "second"],
    ["down", "half a line"],
    ["down", null],
  ];
  assert.deepEqual(
    keys.map(([key]) => (key === "up" ? h.up("half a line") : h.down())),
    keys.map(([, shown]) => shown),
  );
  for (let i = 0; i < kHistoryLines + 5; ++i) h.entered(`line ${i}`);
  let oldest = "";
  for (let shown = h.up(""); shown !== null; shown = h.up("")) oldest = shown;
  assert.equal(oldest, `line 5`, "only the newest lines are kept");
});

const kPad = { width: 511, height: 322 };

test("the pad takes whole device pixels per pad pixel, shrinking the next multiple only to fill its space", () => {
  const rows: [string, number, number, number, number, number, number][] = [
    // name, space width, height, ratio => k, CSS width, CSS height
    ["desktop at 1x", 540, 700, 1, 1, 511, 322],
    ["large screen", 1200, 900, 1, 2, 1022, 644],
    ["height decides", 2000, 700, 1, 2, 1022, 644],
    ["a 2x phone fills its width", 390, 600, 2, 2, 390, (390 * 322) / 511],
    ["at 1x the pad stays whole, space left or not", 700, 900, 1, 1, 511, 322],
    ["phone at 3x", 374, 800, 3, 2, 1022 / 3, 644 / 3],
    ["too small: shrunk by CSS", 378, 900, 1, 1, 378, (378 * 322) / 511],
    ["too low: shrunk by CSS", 900, 161, 1, 1, 255.5, 161],
    ["no ratio reported", 600, 400, 0, 1, 511, 322],
  ];
  for (const [name, w, h, ratio, k, cssWidth, cssHeight] of rows) {
    const got = padScale(kPad, w, h, ratio);
    assert.equal(got.k, k, name);
    assert.ok(
      Math.abs(got.cssWidth - cssWidth) < 1e-9 && Math.abs(got.cssHeight - cssHeight) < 1e-9,
      `${name}: ${got.cssWidth}x${got.cssHeight}`,
    );
  }
  assert.equal(padScale(kPad, Infinity, 1000, 1).k, 3, "a layout that gives only a height");
});

test("a pointer maps to the pad pixel under it, held to the pad's edges", () => {
  const half = { left: 10, top: 20, width: 255.5, height: 161 };
  const rows: [string, number, number, number, number][] = [
    ["top left", 10, 20, 0, 0],
    ["inside the first pixel", 10.49, 20.49, 0, 0],
    ["second pixel", 10.5, 20.5, 1, 1],
    ["last pixel", 10 + 255.49, 20 + 160.9, 510, 321],
    ["right of and below the pad", 400, 400, 510, 321],
    ["left of and above the pad", -5, 0, 0, 0],
  ];
  for (const [name, x, y, px, py] of rows) {
    assert.deepEqual(toPadPoint(kPad, x, y, half), { x: px, y: py }, name);
  }
  assert.deepEqual(toPadPoint(kPad, 5, 5, { left: 0, top: 0, width: 0, height: 0 }), {
    x: 0,
    y: 0,
  });
});

test("mouse buttons, fingers and pens become the core's buttons", () => {
  const presses: [string, number, number][] = [
    ["mouse", 0, 1],
    ["mouse", 1, 4],
    ["mouse", 2, 2],
    ["mouse", 3, 0],
    ["touch", 0, 1],
    ["pen", 0, 1],
    ["pen", 5, 1],
  ];
  for (const [type, button, core] of presses) {
    assert.equal(pressButton(type, button), core, `${type} ${button}`);
  }
  const moves: [string, number, number][] = [
    ["mouse", 0, 0],
    ["mouse", 1, 1],
    ["mouse", 2, 2],
    ["mouse", 4, 4],
    ["mouse", 3, -1],
    ["mouse", 8 | 1, 1],
    ["touch", 1, 1],
    ["pen", 2, 1],
    ["pen", 0, 0],
  ];
  for (const [type, buttons, core] of moves) {
    assert.equal(moveButtons(type, buttons), core, `${type} moving with ${buttons}`);
  }
});

test("the desktop's tool keys", () => {
  const keys = (key: string, mods = ""): ReturnType<typeof shortcutFor> =>
    shortcutFor({
      key,
      ctrl: mods.includes("c"),
      shift: mods.includes("s"),
      alt: mods.includes("a"),
      meta: mods.includes("m"),
    });
  const rows: [string, ReturnType<typeof shortcutFor>][] = [
    ["f", { tool: "Freehand" }],
    ["L", { tool: "Line" }],
    ["r", { tool: "Box" }],
    ["c", { tool: "Circle" }],
    ["e", { tool: "Eraser" }],
    ["g", { tool: "Flood" }],
    ["s", { tool: "Spray" }],
    ["Delete", { tool: "Clear" }],
    ["1", { brush: 0 }],
    ["4", { brush: 3 }],
    ["5", null],
    ["x", null],
    ["F1", null],
  ];
  for (const [key, want] of rows) assert.deepEqual(keys(key), want, key);
  assert.deepEqual(keys("z", "c"), { tool: "Undo" });
  assert.deepEqual(keys("z", "m"), { tool: "Undo" });
  assert.deepEqual(keys("S", "s"), { tool: "FillType" });
  assert.equal(keys("z", "cs"), null, "redo is not undo");
  assert.equal(keys("f", "a"), null);
  assert.equal(keys("c", "c"), null, "copy stays the browser's");
});

test("the panel's words: button names, the spoken seconds and the spoken blanks", () => {
  assert.deepEqual(
    ["Setup Game", "Skip Word!", "Give Hint", "Warn Artist", "Passer le mot !", "¡Saltar palabra!"].map(
      buttonName,
    ),
    ["Set up game", "Skip word", "Give hint", "Warn artist", "Passer le mot", "Saltar palabra"],
  );
  const clocks: [string, boolean][] = [
    ["01:30", false],
    ["00:11", false],
    ["00:10", true],
    ["00:01", true],
    ["00:00", true],
    ["--:--", false],
    ["", false],
  ];
  for (const [time, spoken] of clocks) assert.equal(inFinalSeconds(time), spoken, time);
  const patterns: [string, string][] = [
    ["_ _ _", "3 letters: blank, blank, blank"],
    ["c _ t", "3 letters: c, blank, t"],
    ["_ _   _ _ _", "2 words. 2 letters: blank, blank; 3 letters: blank, blank, blank"],
    ["l i g h t", "l i g h t"],
    ["", ""],
  ];
  for (const [pattern, said] of patterns) assert.equal(spokenPattern(pattern), said, pattern);
});

test("set-up numbers are read leniently and held within their ranges", () => {
  const rows: [string, number][] = [
    ["12", 12],
    ["55", 40],
    ["-3", 0],
    ["7 players", 7],
    ["abc", 0],
    ["", 0],
  ];
  for (const [typed, held] of rows) assert.equal(heldNumber(typed, kPlayerLimitRange), held, typed);
  assert.equal(heldNumber("5", kSecondsPerRoundRange), 10);
});

test("colours the room chooses stay legible on white, and keep their hue", () => {
  for (const colour of [0xffff00, 0x00ff00, 0x7fc0f0, 0xffffff, 0x3d86ff]) {
    const shown = legibleOnWhite(colour);
    assert.ok(1.05 / (relativeLuminance(shown) + 0.05) >= 4.5, cssColour(shown));
  }
  assert.equal(legibleOnWhite(0x0000ff), 0x0000ff, "dark enough already");
  assert.equal(parseCssColour(cssColour(0x0a0b0c)), 0x0a0b0c);
  assert.equal(parseCssColour("red"), null);
});
