#include "app/EventFeed.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QThread>

#include <cstdio>
#include <iostream>
#include <string>

namespace {
void Send(QWidget *widget, QEvent::Type type, Qt::MouseButtons held)
{
    const QPointF at = QRectF(widget->rect()).center();
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void Click(QWidget *widget)
{
    Send(widget, QEvent::MouseButtonPress, Qt::LeftButton);
    Send(widget, QEvent::MouseButtonRelease, Qt::NoButton);
}

QString Run(QWidget *window, const QString &line)
{
    const QString verb = line.section(QLatin1Char(' '), 0, 0);
    const QString rest = line.section(QLatin1Char(' '), 1);
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (verb == QLatin1String("box"))
        return box ? QStringLiteral("box ") + box->text().replace(QLatin1Char('\n'), QLatin1String("\\n"))
                   : QStringLiteral("box none");
    if (verb == QLatin1String("press")) {
        for (QAbstractButton *button : box ? box->buttons() : QList<QAbstractButton *>()) {
            if (button->text().remove(QLatin1Char('&')) == rest) {
                Click(button);
                return QStringLiteral("ok");
            }
        }
        return QStringLiteral("error no button ") + rest;
    }
    if (verb == QLatin1String("close")) {
        window->close();
        return QStringLiteral("ok");
    }
    auto *control = window->findChild<QWidget *>(rest.section(QLatin1Char(' '), 0, 0));
    if (!control)
        return QStringLiteral("error no control ") + rest;
    if (verb == QLatin1String("click")) {
        Click(control);
        return QStringLiteral("ok");
    }
    const QKeySequence key = QKeySequence::fromString(rest.section(QLatin1Char(' '), 1));
    if (verb != QLatin1String("key") || key.isEmpty())
        return QStringLiteral("error ") + line;
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key[0].key(), key[0].keyboardModifiers());
        QApplication::sendEvent(control, &event);
    }
    return QStringLiteral("ok");
}
} // namespace

void FeedEvents(QWidget *window)
{
    // Read on a thread of its own, run on the window's: a line waits while a
    // handler runs, and is taken inside a message box's own loop as well.
    // The thread blocks in its read until the program ends.
    const QPointer<QWidget> target(window);
    QThread *reader = QThread::create([target] {
        std::string line;
        while (std::getline(std::cin, line)) {
            QMetaObject::invokeMethod(
                qApp,
                [target, text = QString::fromStdString(line)] {
                    const QString answer = target ? Run(target, text) : QStringLiteral("error no window");
                    std::fputs(qPrintable(answer + QLatin1Char('\n')), stdout);
                    std::fflush(stdout);
                },
                Qt::QueuedConnection);
        }
    });
    reader->start();
}
