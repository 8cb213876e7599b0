#include "station/signal_watcher.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>

namespace zento::station {
namespace {

int gPipe[2] = {-1, -1};  // the handler writes to [0], the event loop reads [1]

extern "C" void WriteSignal(int signal) {
  const int saved = errno;
  const auto byte = static_cast<unsigned char>(signal);
  [[maybe_unused]] const auto written = ::write(gPipe[0], &byte, 1);  // a full pipe loses only a repeat
  errno = saved;
}

}  // namespace

SignalWatcher::SignalWatcher(std::initializer_list<int> watched, QObject* parent) : QObject(parent) {
  if (gPipe[0] >= 0) std::abort();  // one at a time: the handler knows one pipe
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, gPipe) != 0) {
    gPipe[0] = gPipe[1] = -1;
    return;  // without a pipe the signals keep their default: the program ends as before
  }
  notifier_ = new QSocketNotifier(static_cast<qintptr>(gPipe[1]), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SignalWatcher::readPipe);
  for (const int signal : watched) {
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    struct sigaction old {};
    if (::sigaction(signal, &action, &old) == 0) previous_.emplace_back(signal, old);
  }
}

SignalWatcher::~SignalWatcher() {
  for (const auto& [signal, old] : previous_) ::sigaction(signal, &old, nullptr);
  if (gPipe[0] < 0) return;
  ::close(gPipe[0]);
  ::close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

void SignalWatcher::readPipe() {
  unsigned char byte = 0;
  while (::read(gPipe[1], &byte, 1) == 1) emit received(byte);
}

}  // namespace zento::station
