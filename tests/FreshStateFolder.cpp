// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every test program that shows the window. Each window run writes an
// undo journal, and the window offers Undo for the journals it finds at start-up:
// each test program gets a state folder of its own, empty at its start and gone
// at its end, so that it neither writes to the user's nor finds another's runs.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

namespace {

void useFreshStateFolder()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/kestrava-test-state-XXXXXX"));
    qputenv("XDG_STATE_HOME", QFile::encodeName(folder.path()));
    // Presets and remembered settings alike: none of the user's, none left behind.
    static QTemporaryDir config(QDir::tempPath() + QStringLiteral("/kestrava-test-config-XXXXXX"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
}

} // namespace

Q_CONSTRUCTOR_FUNCTION(useFreshStateFolder)
