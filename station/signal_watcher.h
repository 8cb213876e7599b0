#pragma once
// The signals that end a program without asking it (SIGTERM at a logout or shutdown, SIGHUP when
// its terminal goes, SIGINT from Ctrl+C), delivered as a Qt signal by the event loop, where the
// window can keep its work: a signal handler itself may do next to nothing, so it only writes the
// signal's number into a pipe the event loop watches.

#include <QObject>
#include <csignal>
#include <initializer_list>
#include <vector>

class QSocketNotifier;

namespace zento::station {

class SignalWatcher : public QObject {
  Q_OBJECT

 public:
  // One watcher at a time.
  explicit SignalWatcher(std::initializer_list<int> watched, QObject* parent = nullptr);
  ~SignalWatcher() override;  // the handlers that were there before come back

 signals:
  void received(int signal);

 private:
  void readPipe();

  QSocketNotifier* notifier_ = nullptr;
  std::vector<std::pair<int, struct sigaction>> previous_;
};

}  // namespace zento::station
