#include "cli/signal_watcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tarvik::cli {

namespace {
int signalPipe[2] = {-1, -1};

void writeToPipe(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
}
} // namespace

SignalWatcher::SignalWatcher(std::initializer_list<int> watched)
{
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        qFatal("cannot create the signal pipe");
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalWatcher::readPipe);
    struct sigaction action {};
    action.sa_handler = writeToPipe;
    sigemptyset(&action.sa_mask);
    // Interrupted reads (the terminal's input) carry on instead of failing.
    action.sa_flags = SA_RESTART;
    for (int signalNumber : watched)
        sigaction(signalNumber, &action, nullptr);
}

void SignalWatcher::readPipe()
{
    unsigned char byte = 0;
    while (read(signalPipe[0], &byte, 1) == 1)
        emit received(byte);
}

} // namespace tarvik::cli
