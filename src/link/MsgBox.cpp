#include "link/MsgBox.h"

#include <cstdio>

namespace modLumentorMGW {

const QString AppTitle = QStringLiteral("LumentorMGW");

namespace {
int defaultHandler(const QString &text, int style, const QString &title)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    return UnattendedAnswer(style);
}

MsgBoxHandler &handlerSlot()
{
    static MsgBoxHandler handler = defaultHandler;
    return handler;
}
} // namespace

int UnattendedAnswer(int style)
{
    return (style & 0x0F) == 4 ? vbNo : vbOK;
}

int MsgBox(const QString &text, int style, const QString &title)
{
    return handlerSlot()(text, style, title.isEmpty() ? AppTitle : title);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler)
{
    MsgBoxHandler previous = handlerSlot();
    handlerSlot() = handler ? std::move(handler) : MsgBoxHandler(defaultHandler);
    return previous;
}

} // namespace modLumentorMGW
