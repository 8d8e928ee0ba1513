# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in a build folder, or scripts/package.
# The shared libraries it links are found by dpkg-shlibdeps; what it loads at run
# time without linking (fonts, Qt's platform plugins) is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrava)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Dunsmore")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rename many files at once to one common format")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrava renames many files at once so that their names follow one common
format. One window leads through four steps: choose the files, set the renaming
rules (tildes, underscores and spaces, case, find and replace, trim, prefix and
postfix text, a running counter and today's date), preview the old and new
names, and go. It never replaces an existing file nor moves a file out of its
folder. kestrava-cli does the same from a terminal or a script, with a look
ahead and undo.")
set(CPACK_PACKAGE_CONTACT "Dunsmore <dunsmore@kestrava.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/KestravaStripPackage.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.kestrava.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window sets its texts in Liberation Sans, in place of Arial; xcb and
# Wayland are the platforms a desktop session offers. exiv2 and TagLib, which
# read photo dates and music tags, are linked and so found as well; they are
# named here too, so that the package asks for them whatever the linker keeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins, qt6-wayland, libexiv2-27, libtag1v5")
# Qt's own texts (the buttons of its dialogs) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
