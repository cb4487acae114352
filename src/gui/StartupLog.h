#pragma once

class QWidget;

// With the logging rule "quorix.startup.debug=true", logs one line "shown at <seconds>" (the
// CLOCK_REALTIME time, to the microsecond) once the window's first frame has been painted; the
// start-up benchmark compares it with the time it launched the program. Without the rule it
// does nothing.
void logWhenFirstShown(QWidget *window);
