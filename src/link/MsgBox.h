#pragma once
// The one way the program shows a message box. The window installs a real
// modal box at start-up; until then the text goes to standard error.
#include <QString>
#include <functional>

namespace modLumentorMGW {

// Style numbers: 0 OK, 16 OK + critical, 36 Yes/No + question,
// 48 OK + exclamation, 64 OK + information.
constexpr int vbOKOnly = 0;
constexpr int vbCritical = 16;
constexpr int vbYesNoQuestion = 36;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;

// Answers.
constexpr int vbOK = 1;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

extern const QString AppTitle; // "LumentorMGW"

using MsgBoxHandler = std::function<int(const QString &text, int style, const QString &title)>;

// The answer where nobody can answer: No to a question, which keeps
// everything; OK to anything else.
int UnattendedAnswer(int style);

// An empty title means the application's title.
int MsgBox(const QString &text, int style = vbOKOnly, const QString &title = QString());

// Replaces the handler behind MsgBox and returns the one it replaces; an
// empty handler restores the default.
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

} // namespace modLumentorMGW
