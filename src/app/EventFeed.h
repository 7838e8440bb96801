#pragma once
// Operator events read from standard input, one a line, for tests that run
// the real program: the events are delivered to the controls as the window
// system would deliver them, and nothing else is reached. Each line is
// answered with one line on standard output.
//   key NAME KEY    a key press and release on control NAME ("Down", "Up")
//   click NAME      a left click in the middle of control NAME
//   box             "box TEXT" of the message box open, or "box none"
//   press TEXT      a click on the open message box's button TEXT ("Yes")
//   close           a close request to the window, as from its title bar
// The answer is "ok", or "error " and why.
class QWidget;

void FeedEvents(QWidget *window);
