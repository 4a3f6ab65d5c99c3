// SPDX-License-Identifier: MIT
// The set-up window's numbers and the ranges the desktop's window holds them to.

export interface SetupLimit {
  low: number;
  high: number;
}

export const kPlayerLimitRange: SetupLimit = { low: 0, high: 40 }; // 0: no limit
export const kTotalRoundsRange: SetupLimit = { low: 5, high: 100 };
export const kSecondsPerRoundRange: SetupLimit = { low: 10, high: 900 };
export const kGraceSecondsRange: SetupLimit = { low: 5, high: 900 };

// What a number field holds, read as the room reads numbers: the leading digits, or the lowest
// value when there are none; then held within the range.
export function heldNumber(text: string, limit: SetupLimit): number {
  const match = /^\s*([+-]?\d+)/.exec(text);
  const value = match ? Number(match[1]) : limit.low;
  return Math.min(limit.high, Math.max(limit.low, value));
}
