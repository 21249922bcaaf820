# The Debian package: `cpack` in the build folder (the `package` target of the
# top-level Makefile) writes vendrake_VERSION_amd64.deb from the install rules, for
# the prefix /usr.

set(VENDRAKE_HOMEPAGE "https://quillmarsh.example/vendrake/" CACHE STRING
    "Home page named by the package and the AppStream metainfo (ends with '/')")
set(VENDRAKE_PACKAGE_MAINTAINER "Quillmarsh <vendrake@quillmarsh.example>" CACHE STRING
    "Maintainer of the Debian package, \"Name <address>\"")

# The AppStream component id; the metainfo file is named after it.
set(VENDRAKE_APPSTREAM_ID example.quillmarsh.Vendrake)
# The date of this version's release, for the metainfo and the changelog.
set(VENDRAKE_RELEASE_DATE 2026-12-09)
set(VENDRAKE_RELEASE_DATE_RFC2822 "Wed, 09 Dec 2026 12:00:00 +0000")

# `make install` and `make package` build everything first; installing (and cpack's
# install step) then copies what is built instead of building the whole tree again.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vendrake)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quillmarsh)
set(CPACK_PACKAGE_CONTACT "${VENDRAKE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_THREADS 2)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VENDRAKE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VENDRAKE_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# dpkg-shlibdeps finds the libraries the programs link; what it cannot see is the
# platform plugin Qt loads at run time to open a window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "look up Russian legal entities and read them in your language
Vendrake looks up Russian legal entities in a public web mirror of the state
register of legal entities, by name, address, region, registration date, OGRN
or INN, and shows the firms found side by side with their transliteration and
translation into the user's language.

Transliteration is rule-driven: each language is a folder of small rule files
that anyone can edit, and word dictionaries translate legal forms, authorities,
regions and the register's messages first. The package ships English, German,
French, Spanish, Italian, Polish and Czech, several standard romanisations, and
the way back from Latin spellings to the register's Cyrillic.

Besides the window, vendrake-batch checks whole lists of queries and writes
text, JSON lines or CSV, and vendrake-translit converts text on the command
line.")

include(CPack)
