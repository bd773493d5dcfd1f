// One running program per user. A lock file in the user's runtime folder decides who
// is first; the first also listens on a local socket of the same name, so that a
// later start can ask it to bring its window to the front. A lock left behind by a
// program that crashed is recognised as stale and taken over.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace mireva::ui {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the lock and the socket; defaultKey() for the program.
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // "mireva-" and the user's id.
    static QString defaultKey();

    // True when this start is the only one running; it then listens for later starts.
    bool tryBecomePrimary();
    bool isPrimary() const { return primary_; }
    // From a later start: asks the running one to raise its window.
    bool askPrimaryToRaise(int timeoutMs = 1000) const;

    QString lockPath() const;
    QString serverName() const { return key_; }

signals:
    // A later start asked for the window.
    void raiseRequested();

private:
    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool primary_ = false;
};

}  // namespace mireva::ui
