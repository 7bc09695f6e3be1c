#include "cmythread.h"

CMyThread::CMyThread(ThreadFunction pFunction, void *pArgument, QObject *parent)
    : QThread(parent), m_pFunction(pFunction), m_pArgument(pArgument)
{
}

void CMyThread::run()
{
    if (m_pFunction) m_pFunction(m_pArgument);
}
