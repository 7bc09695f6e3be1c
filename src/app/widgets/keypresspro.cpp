#include "keypresspro.h"

#include <QKeyEvent>

KeyPressPro::KeyPressPro(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<Qt::KeyboardModifiers>();
}

bool KeyPressPro::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    QKeyEvent *key = static_cast<QKeyEvent *>(event);
    if (m_keys.isEmpty()) {
        emit keyPressed(key->key(), key->modifiers());
        return false;
    }
    if (!m_keys.contains(key->key())) return false;
    emit keyPressed(key->key(), key->modifiers());
    return true;
}
