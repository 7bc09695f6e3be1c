#include "ccrashhandler.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstring>
#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Everything the handler needs is prepared at installation: inside it only
// async-signal-safe calls are made (open, write, close, backtrace_symbols_fd, _exit).
char g_dumpPath[4096];
CCrashHandler::CrashCallback g_callback = nullptr;
const int g_signals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
alignas(16) char g_altStack[64 * 1024];

struct Text
{
    char buf[256];
    size_t len = 0;

    void add(const char *p)
    {
        while (*p && len + 1 < sizeof(buf))
            buf[len++] = *p++;
        buf[len] = 0;
    }
    void addHex(unsigned long long value)
    {
        char digits[17];
        int n = 0;
        do {
            digits[n++] = "0123456789abcdef"[value & 0xF];
            value >>= 4;
        } while (value && n < 16);
        add("0x");
        while (n > 0 && len + 1 < sizeof(buf))
            buf[len++] = digits[--n];
        buf[len] = 0;
    }
};

const char *signalName(int nSignal)
{
    switch (nSignal) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGABRT: return "SIGABRT";
    default: return "signal";
    }
}

void writeAll(int fd, const char *p, size_t n)
{
    while (n > 0) {
        const ssize_t w = write(fd, p, n);
        if (w <= 0)
            return;
        p += w;
        n -= size_t(w);
    }
}

void onFatalSignal(int nSignal, siginfo_t *pInfo, void *)
{
    Text text;
    text.add("Exception Code:");
    text.addHex(unsigned(nSignal));
    text.add("\nException Address:");
    text.addHex(reinterpret_cast<unsigned long long>(pInfo ? pInfo->si_addr : nullptr));
    text.add("\nParam:");
    text.addHex(unsigned(pInfo ? pInfo->si_code : 0));

    const int fd = open(g_dumpPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        writeAll(fd, "Signal: ", 8);
        writeAll(fd, signalName(nSignal), strlen(signalName(nSignal)));
        writeAll(fd, "\n", 1);
        writeAll(fd, text.buf, text.len);
        writeAll(fd, "\nBacktrace:\n", 12);
        void *frames[64];
        backtrace_symbols_fd(frames, backtrace(frames, 64), fd);
        close(fd);
    }
    if (g_callback)
        g_callback(text.buf);
    _exit(CCrashHandler::CRASH_EXIT_CODE);
}

} // namespace

void CCrashHandler::install(CrashCallback callback, const QString &strDumpPath)
{
    QString strPath = strDumpPath;
    if (strPath.isEmpty())
        strPath = QCoreApplication::applicationDirPath() + "/CrashDumpFile.dmp";
    qstrncpy(g_dumpPath, QFile::encodeName(strPath).constData(), sizeof(g_dumpPath));
    g_callback = callback;

    void *frames[1];
    backtrace(frames, 1); // loads the unwinder now, not inside the handler

    stack_t altStack = {};
    altStack.ss_sp = g_altStack;
    altStack.ss_size = sizeof(g_altStack);
    sigaltstack(&altStack, nullptr); // a stack overflow still gets its report

    struct sigaction action = {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int nSignal : g_signals)
        sigaction(nSignal, &action, nullptr);
}

QString CCrashHandler::dumpPath()
{
    return QFile::decodeName(g_dumpPath);
}
