// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names and options both name benchmarks compute with, so that their
// figures can be compared.

#include "RenameOptions.h"

#include <QStringList>

namespace kestrava::bench {

/// A thousand names of the kinds people rename: camera files, documents with
/// inner and outer spaces, short names with tildes, music, accented names.
inline QStringList sampleNames()
{
    QStringList names;
    for (int i = 0; i < 200; ++i) {
        names.append(QStringLiteral("IMG_%1.JPG").arg(4000 + i));
        names.append(QStringLiteral("  My Work Schedule %1 final.docx ").arg(i));
        names.append(QStringLiteral("holida~%1.jpeg").arg(i % 10));
        names.append(QStringLiteral("%1 - Great_album_track_%1.mp3").arg(i));
        names.append(QStringLiteral("Résumé été photo %1.tar.gz").arg(i));
    }
    return names;
}

/// Every option on; Capitalise is the costliest case choice.
inline RenameOptions everyOptionOn()
{
    RenameOptions o;
    o.removeTildas = o.prefixCounter = o.prefixName = o.prefixDate = true;
    o.postfixCounter = o.postfixName = o.postfixDate = o.trimFilename = true;
    o.datePrefix = QStringLiteral("dd-mm-yyyy");
    o.datePostfix = QStringLiteral("mmddyy");
    o.caseConversion = CaseConversion::Capitalise;
    o.underscores = UnderscoreConversion::ToDashes;
    o.spaces = SpaceConversion::ToUnderscores;
    o.findText = QStringLiteral("photo");
    o.replaceText = QStringLiteral("Picture");
    o.trimLength = QStringLiteral("40");
    return o;
}

} // namespace kestrava::bench
