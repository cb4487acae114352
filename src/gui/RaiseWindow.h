#pragma once

class QWidget;

// Brings a top-level window to the front, restoring it first when it is minimised. Used when a
// second start of the program asks the running one to show itself.
void RestoreAndRaise(QWidget *window);
