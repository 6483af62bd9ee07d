# A Debian package of the installed program: cpack -G DEB in the build tree
# (make deb). The libraries come from dpkg-shlibdeps; what the program only
# looks up at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VENDOR "2005 Orvanta developers")
set(ORVANTA_MAINTAINER "2005 Orvanta developers <orvanta@users.noreply.github.com>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${ORVANTA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Korean income tax calculator for interest and dividend income")
set(CPACK_PACKAGE_DESCRIPTION
    "2005 Orvanta (금융소득자용) computes the Korean comprehensive income tax
(종합소득세) of a taxpayer with financial income, interest and dividends: the
computation statement 종합소득산출세액계산서(금융소득자용), lines (1) to (38)
and the dividend tax credit, from nine amounts. It keeps the interest and
dividend registers for the run and prints pages 5, 7 and 21 of the return
form through a print preview. The user interface is Korean.
.
The command orvanta-calc gives the statement and the registers, as text,
JSON or PDF, without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders 0755 whatever the packager's umask.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_folders.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Depends, not Recommends: apt leaves Recommends out under
# --no-install-recommends. Nothing links the Korean fonts, which are asked for
# by name at run time, nor the fcitx5 plugin, through which Korean typed under
# fcitx5 reaches the program, nor Qt's Korean translation (qtbase_ko.qm), which
# gives the standard buttons their Korean texts; Qt's IBus plugin comes with
# libqt6gui6, which dpkg-shlibdeps names already.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-nanum | fonts-noto-cjk | fonts-unfonts-core, fcitx5-frontend-qt6, qt6-translations-l10n")
# Qt's Wayland platform plugin: with it the program runs natively on a Wayland
# desktop; without it, through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fcitx5-hangul | ibus-hangul, cups")

include(CPack)
