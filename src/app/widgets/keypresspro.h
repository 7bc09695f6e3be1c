// An event filter that reports key presses of the widgets it watches, so that a
// window can react to keys without subclassing each child. A filtered key is
// swallowed; all others go on to the watched widget.
#pragma once

#include <QObject>
#include <QSet>

class KeyPressPro : public QObject
{
    Q_OBJECT
public:
    explicit KeyPressPro(QObject *parent = nullptr);

    // Keys reported and swallowed; with none set every key is reported and passed on.
    void setFilteredKeys(const QSet<int> &keys) { m_keys = keys; }

signals:
    void keyPressed(int nKey, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QSet<int> m_keys;
};
