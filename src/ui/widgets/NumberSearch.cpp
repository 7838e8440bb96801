#include "ui/widgets/NumberSearch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

void NumberSearch::SearchListsOf(QWidget *window)
{
    auto *search = new NumberSearch(window);
    for (QComboBox *list : window->findChildren<QComboBox *>()) {
        list->installEventFilter(search);
        list->view()->installEventFilter(search);
    }
}

int NumberSearch::Find(const QComboBox *list, const QString &number)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i).section(QStringLiteral(": "), -1).startsWith(number))
            return i;
    }
    return -1;
}

bool NumberSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    if ((key->modifiers() & ~Qt::KeypadModifier) || text.size() != 1 || !text.at(0).isDigit())
        return false;

    auto *view = qobject_cast<QAbstractItemView *>(watched);
    QComboBox *list = view ? nullptr : qobject_cast<QComboBox *>(watched);
    // The open list's view lies in a popup whose parent is the list.
    for (QObject *up = watched; view && up && !list; up = up->parent())
        list = qobject_cast<QComboBox *>(up);
    if (!list)
        return false;

    if (watched != typedIn_ || !since_.isValid() || since_.elapsed() > QApplication::keyboardInputInterval())
        typed_.clear();
    typedIn_ = watched;
    since_.start();
    typed_ += text;
    const int found = Find(list, typed_);
    if (found < 0)
        return false;   // the list's own search, as for any other key
    if (view) {
        const QModelIndex at = view->model()->index(found, list->modelColumn(), list->rootModelIndex());
        view->setCurrentIndex(at);
        view->scrollTo(at);
    } else if (found != list->currentIndex()) {
        list->setCurrentIndex(found);
        emit list->activated(found);
    }
    return true;
}
