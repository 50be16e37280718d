// A small tmpfs mounted over a test's directory, for a full or read-only
// file system. Mounting needs root; tests skip when it is refused.
#pragma once

#include <QString>

class TmpfsMount {
public:
    TmpfsMount() = default;
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    // Empty on success, else why it could not be mounted.
    QString mount(const QString& dir, const QString& size);
    bool remountReadOnly();
    // Fills the file system to the last byte with the file `name` in it.
    void fillUp(const QString& name);
    void unmount();

private:
    QString dir_;
};
