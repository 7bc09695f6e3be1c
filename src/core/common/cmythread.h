// A worker thread that runs one given function with one argument, once.
#pragma once

#include <QThread>

class CMyThread : public QThread
{
    Q_OBJECT
public:
    typedef void (*ThreadFunction)(void *pArgument);

    CMyThread(ThreadFunction pFunction, void *pArgument, QObject *parent = nullptr);

protected:
    void run() override;

private:
    ThreadFunction m_pFunction;
    void *m_pArgument;
};
