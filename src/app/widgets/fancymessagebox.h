// The transient notice: one label for the whole process that fades in, stays and
// fades out over three seconds, always on top. Any thread may ask for a notice;
// requests from workers reach the interface thread through a queued signal.
#pragma once

#include <QLabel>

class QPropertyAnimation;

class FancyMessageBox : public QLabel
{
    Q_OBJECT
public:
    static constexpr int FADE_MS = 3000;
    static constexpr int HEIGHT = 50;

    // The one notice; created on first use (from the interface thread).
    static FancyMessageBox *instance();
    // Shows a notice; safe from any thread.
    static void showMessage(const QString &strText);
    // Deletes the notice (at exit); a later request creates a new one.
    static void release();

    bool isFading() const;

signals:
    void showRequested(const QString &strText);

private slots:
    void onShowRequested(const QString &strText);

private:
    FancyMessageBox();
    void placeOnScreen();

    QPropertyAnimation *m_animation = nullptr;
};
