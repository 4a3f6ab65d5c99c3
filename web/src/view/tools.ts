// SPDX-License-Identifier: MIT
// The tool bar, the widths and the palette: buttons that hand the core a click, and show the
// pad's state as aria-pressed. They work only while the core lets this player draw.
import { type Colour, type PadState, type PageCore, Tool } from "../core";
import { cssColour, el, parseCssColour } from "./dom";
import { shortcutFor } from "./shortcuts";

interface ToolButton {
  tool: Tool;
  name: string;
  icon: string;
  tip: string;
}

// In the order a player reaches for them: the drawing tools, then undo and clear at the end.
const kTools: readonly ToolButton[] = [
  { tool: Tool.Freehand, name: "Freehand", icon: "tool_freehand.svg", tip: "Freehand (F)" },
  { tool: Tool.Line, name: "Line", icon: "tool_line.svg", tip: "Straight line (L)" },
  { tool: Tool.Box, name: "Rectangle", icon: "tool_box.svg", tip: "Rectangle (R)" },
  { tool: Tool.Circle, name: "Ellipse", icon: "tool_circle.svg", tip: "Ellipse (C)" },
  { tool: Tool.Flood, name: "Fill", icon: "tool_flood.svg", tip: "Flood fill (G)" },
  { tool: Tool.Spray, name: "Spray", icon: "tool_spray.svg", tip: "Spray can (S)" },
  { tool: Tool.Eraser, name: "Eraser", icon: "tool_eraser.svg", tip: "Eraser (E)" },
];

const kBrushes: readonly { icon: string; tip: string }[] = [
  { icon: "brush_small.svg", tip: "Small brush (1 pixel width) (1)" },
  { icon: "brush_medium.svg", tip: "Medium brush (2 pixel width) (2)" },
  { icon: "brush_large.svg", tip: "Large brush (4 pixel width) (3)" },
  { icon: "brush_huge.svg", tip: "Huge brush (8 pixel width) (4)" },
];

// The desktop's palette, as CSS writes colours.
export const kPalette: readonly Colour[] = [
  0x000000, 0x808080, 0xffffff, 0x500010, 0x8f402f, 0xbf804f, 0x800040, 0xe0b594, 0xf0d0c0,
  0x820046, 0xff008c, 0xff82c8, 0xff0000, 0xff9696, 0xffc8c8, 0xff8c1e, 0xffc800, 0xffff00,
  0x1f7a30, 0x00b400, 0x00f800, 0x0000ff, 0x3d86ff, 0x7fc0f0,
];

function iconButton(name: string, icon: string, tip: string, toggle: boolean): HTMLButtonElement {
  return el(
    "button",
    {
      type: "button",
      class: "tool",
      "aria-label": name,
      title: tip,
      "aria-pressed": toggle ? "false" : undefined,
      disabled: true,
    },
    el("img", { src: `/icons/${icon}`, alt: "", width: 24, height: 24, draggable: "false" }),
  );
}

function setPressed(button: HTMLElement, pressed: boolean): void {
  const value = pressed ? "true" : "false";
  if (button.getAttribute("aria-pressed") !== value) button.setAttribute("aria-pressed", value);
}

export class ToolsView {
  private core: PageCore | null = null;
  private drawing = false;
  private readonly tools = new Map<Tool, HTMLButtonElement>();
  private readonly brushes: HTMLButtonElement[] = [];
  private readonly swatches: HTMLButtonElement[] = [];
  private readonly solid: HTMLButtonElement;
  private readonly solidIcon: HTMLImageElement;
  private readonly own: HTMLInputElement;
  private readonly ownLabel: HTMLElement;
  private readonly all: (HTMLButtonElement | HTMLInputElement)[] = [];

  constructor(toolbar: HTMLElement, palette: HTMLElement) {
    const group = (label: string): HTMLElement =>
      el("div", { class: "tool-group", role: "group", "aria-label": label });
    const shapes = group("Tools");
    for (const t of kTools) {
      const button = iconButton(t.name, t.icon, t.tip, true);
      button.addEventListener("click", () => this.core?.clickTool(t.tool));
      this.tools.set(t.tool, button);
      shapes.append(button);
    }
    this.solid = iconButton("Solid", "fill_hollow.svg", "Fill closed shapes (Shift+S)", true);
    this.solidIcon = this.solid.querySelector("img") as HTMLImageElement;
    this.solid.addEventListener("click", () => this.core?.clickTool(Tool.FillType));
    shapes.append(this.solid);

    const widths = group("Widths");
    kBrushes.forEach((b, i) => {
      const button = iconButton(`Width ${i + 1}`, b.icon, b.tip, true);
      button.addEventListener("click", () => this.core?.clickBrush(i));
      this.brushes.push(button);
      widths.append(button);
    });

    const edits = group("Edit");
    const undo = iconButton("Undo", "tool_undo.svg", "Undo (Ctrl+Z)", false);
    undo.addEventListener("click", () => this.core?.clickTool(Tool.Undo));
    const clear = iconButton(
      "Clear",
      "tool_clear.svg",
      "Clear the pad (press twice) (Delete)",
      false,
    );
    clear.addEventListener("click", () => this.core?.clickTool(Tool.Clear));
    this.tools.set(Tool.Undo, undo);
    this.tools.set(Tool.Clear, clear);
    edits.append(undo, clear);
    toolbar.append(shapes, widths, edits);

    kPalette.forEach((colour, i) => {
      const swatch = el("button", {
        type: "button",
        class: "swatch",
        "aria-label": `Colour ${i + 1}`,
        "aria-pressed": "false",
        title: `Select this colour as the current drawing colour (${cssColour(colour)})`,
        disabled: true,
      });
      swatch.style.setProperty("--swatch", cssColour(colour));
      swatch.addEventListener("click", () => this.core?.pressSwatch(i));
      this.swatches.push(swatch);
      palette.append(swatch);
    });
    this.own = el("input", {
      type: "color",
      class: "own-colour-input",
      "aria-label": "Own colour",
      title: "The current colour: choose to mix your own",
      value: "#000000",
      disabled: true,
    });
    // The picker's final choice, not every colour it passes on the way.
    this.own.addEventListener("change", () => {
      const colour = parseCssColour(this.own.value);
      if (colour !== null) this.core?.chooseColour(colour);
    });
    this.ownLabel = el("span", { class: "own-colour" }, this.own);
    palette.append(this.ownLabel);

    this.all.push(...this.tools.values(), this.solid, ...this.brushes, ...this.swatches, this.own);
    for (const bar of [toolbar, palette]) roving(bar);
    document.addEventListener("keydown", (event) => this.key(event));
  }

  attach(core: PageCore): void {
    this.core = core;
  }

  setDrawing(drawing: boolean): void {
    this.drawing = drawing;
    for (const control of this.all) control.disabled = !drawing;
  }

  show(state: PadState): void {
    for (const [tool, button] of this.tools) {
      if (button.hasAttribute("aria-pressed")) setPressed(button, tool === state.tool);
    }
    setPressed(this.solid, state.fillSolid);
    const icon = `/icons/${state.fillSolid ? "fill_solid.svg" : "fill_hollow.svg"}`;
    if (this.solidIcon.getAttribute("src") !== icon) this.solidIcon.src = icon;
    this.brushes.forEach((b, i) => setPressed(b, i === state.brush));
    this.swatches.forEach((s, i) => setPressed(s, i === state.swatch));
    const colour = cssColour(state.colour);
    if (document.activeElement !== this.own && this.own.value !== colour) this.own.value = colour;
    this.ownLabel.classList.toggle("chosen", state.swatch < 0);
  }

  private key(event: KeyboardEvent): void {
    if (!this.core || !this.drawing || event.defaultPrevented || event.repeat) return;
    if (typing(event.target) || document.querySelector("dialog[open]")) return;
    const shortcut = shortcutFor({
      key: event.key,
      ctrl: event.ctrlKey,
      shift: event.shiftKey,
      alt: event.altKey,
      meta: event.metaKey,
    });
    if (!shortcut) return;
    event.preventDefault();
    if ("tool" in shortcut) this.core.clickTool(Tool[shortcut.tool]);
    else this.core.clickBrush(shortcut.brush);
  }
}

// Keys typed into a field are the field's.
function typing(target: EventTarget | null): boolean {
  if (!(target instanceof HTMLElement)) return false;
  if (target.isContentEditable || target instanceof HTMLTextAreaElement) return true;
  return (
    target instanceof HTMLInputElement &&
    !["checkbox", "radio", "button", "color"].includes(target.type)
  );
}

// A tool bar is one stop for the Tab key; the arrow keys move along it.
function roving(bar: HTMLElement): void {
  const items = (): HTMLElement[] =>
    Array.from(bar.querySelectorAll<HTMLElement>("button, input")).filter(
      (item) => !(item as HTMLButtonElement).disabled,
    );
  const settle = (current: HTMLElement | null): void => {
    const list = items();
    const keep = current && list.includes(current) ? current : list[0];
    for (const item of list) item.tabIndex = item === keep ? 0 : -1;
  };
  bar.addEventListener("focusin", (event) => settle(event.target as HTMLElement));
  bar.addEventListener("keydown", (event) => {
    const list = items();
    const at = list.indexOf(document.activeElement as HTMLElement);
    if (at < 0) return;
    const next =
      event.key === "ArrowRight" || event.key === "ArrowDown"
        ? (at + 1) % list.length
        : event.key === "ArrowLeft" || event.key === "ArrowUp"
          ? (at - 1 + list.length) % list.length
          : event.key === "Home"
            ? 0
            : event.key === "End"
              ? list.length - 1
              : -1;
    if (next < 0) return;
    event.preventDefault();
    list[next].focus();
  });
  new MutationObserver(() => settle(bar.querySelector<HTMLElement>("[tabindex='0']"))).observe(
    bar,
    {
      subtree: true,
      attributes: true,
      attributeFilter: ["disabled"],
    },
  );
}
