// SPDX-License-Identifier: GPL-3.0-or-later
// The test file system of tests/fusefs, mounted for the length of a test.
#pragma once

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <sys/mount.h>
#include <sys/vfs.h>

namespace kestrava::testing {

/// A passthrough FUSE mount over a backing folder, both in a fresh temporary
/// folder, that refuses what \a refuse names: "none", "flags" (the no-replace
/// rename flag), "links" (hard links) or "both", and with \a ignoreCase looks
/// names up with letter case ignored, as exFAT does. Unmounted when it goes,
/// also when the test failed. When FUSE cannot be used, skipReason() says why.
class FuseMount
{
public:
    explicit FuseMount(const QString &refuse, bool ignoreCase = false)
    {
        if (!m_dir.isValid() || !QDir(m_dir.path()).mkdir(QStringLiteral("backing"))
            || !QDir(m_dir.path()).mkdir(QStringLiteral("mount"))) {
            m_skipReason = QStringLiteral("no temporary folder");
            return;
        }
        if (!QFile::exists(QStringLiteral("/dev/fuse"))) {
            m_skipReason = QStringLiteral("/dev/fuse is missing: FUSE cannot be used here");
            return;
        }
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral(KESTRAVA_TESTFS),
                        {QStringLiteral("--backing=") + backing(), QStringLiteral("--refuse=") + refuse,
                         ignoreCase ? QStringLiteral("--case=ignore") : QStringLiteral("--case=keep"), mountPoint(),
                         QStringLiteral("-f")});
        // Bounded: a mount that does not come up in 10 s counts as refused.
        const QDeadlineTimer deadline(10000);
        while (!isFuseMount() && !deadline.hasExpired()) {
            if (m_process.state() == QProcess::NotRunning || m_process.waitForFinished(20))
                break;
        }
        m_mounted = isFuseMount();
        if (!m_mounted)
            m_skipReason =
                QStringLiteral("the FUSE mount was refused: ") + QString::fromLocal8Bit(m_process.readAll()).trimmed();
    }

    ~FuseMount()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(mountPoint()).constData(), MNT_DETACH);
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000)) {
                m_process.kill();
                m_process.waitForFinished(5000);
            }
        }
    }

    FuseMount(const FuseMount &) = delete;
    FuseMount &operator=(const FuseMount &) = delete;

    /// Empty when mounted.
    const QString &skipReason() const { return m_skipReason; }
    /// The folder the mount shows, where the tests look at the truth.
    QString backing() const { return m_dir.path() + QStringLiteral("/backing"); }
    QString mountPoint() const { return m_dir.path() + QStringLiteral("/mount"); }

private:
    bool isFuseMount() const
    {
        struct statfs info;
        return ::statfs(QFile::encodeName(mountPoint()).constData(), &info) == 0
            && info.f_type == 0x65735546; // FUSE_SUPER_MAGIC
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_skipReason;
    bool m_mounted = false;
};

} // namespace kestrava::testing
