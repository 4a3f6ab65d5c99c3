// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollArea>
#include <QSize>

namespace scrawlbox {

// The room a window about to be shown has on the screen it opens on (the parent's): the screen's
// available area less what a window manager's frame usually takes.
QSize ScreenRoom(const QWidget* window);

// Whether content laid out at its preferred width, in a dialog's margins beside a scroll bar, is
// wider than the window's ScreenRoom: then the window lays it out narrower (one column, labels
// above their fields).
bool TooWideForScreen(const QWidget* window, const QWidget* content);

// Resizes a window that is about to be shown to the size it asks for, made no larger than the
// screen it opens on (the parent's) leaves for it, its frame included as far as that can be
// known before it is shown, and no smaller than its layout needs. A long translation or a large
// scale factor then makes the window scroll or wrap, not run off the screen.
void ResizeWithinScreen(QWidget* window, QSize wanted);

// A frameless scroll area around content that asks for the content's whole size, so that a
// window opens without scroll bars wherever the screen is large enough, and scrolls where not.
QScrollArea* ScrollingIfNeeded(QWidget* content);

}  // namespace scrawlbox
