#pragma once

class QWidget;

// Sizes a top-level window to its contents and puts it in the middle of the
// screen it will appear on.
void centreOnScreen(QWidget *window);
