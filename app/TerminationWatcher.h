// SIGTERM and SIGHUP (a kill, the end of the terminal's session) reach the
// event loop as the signal Requested: the handler only writes a byte to a
// socket pair, which a socket notifier reads on the GUI thread. One watcher
// at a time; destroying it restores the default handling.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace tallyrix {

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

signals:
    void Requested();

private:
    void Receive();

    QSocketNotifier* Notifier = nullptr;
};

}  // namespace tallyrix
