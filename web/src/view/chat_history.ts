// SPDX-License-Identifier: MIT
// The chat input's history: the up arrow goes back through the lines entered, the down arrow
// forward again and finally to what was being typed before the first up.

// Lines kept; the oldest goes first.
export const kHistoryLines = 50;

export class ChatHistory {
  private readonly lines: string[] = [];
  // lines.length stands for the line being typed.
  private at = 0;
  private draft = "";

  // What the input shows after the up arrow, or null to leave it as it is.
  up(typed: string): string | null {
    if (this.at === 0) return null;
    if (this.at === this.lines.length) this.draft = typed;
    this.at -= 1;
    return this.lines[this.at];
  }

  down(): string | null {
    if (this.at >= this.lines.length) return null;
    this.at += 1;
    return this.at === this.lines.length ? this.draft : this.lines[this.at];
  }

  entered(line: string): void {
    // A line sent twice in a row is one step back, not two.
    if (this.lines[this.lines.length - 1] !== line) this.lines.push(line);
    if (this.lines.length > kHistoryLines) this.lines.shift();
    this.at = this.lines.length;
    this.draft = "";
  }
}
