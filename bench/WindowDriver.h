// Drives the real window offscreen the way a person would, finding its
// controls by name.
#pragma once

#include <QString>

namespace kestrava {
class KestravaForm;
}

namespace kestrava::bench {

/// Opens \a folder in the window's folder list and shows the files preview.
void openFolderAndPreview(KestravaForm &form, const QString &folder);

} // namespace kestrava::bench
