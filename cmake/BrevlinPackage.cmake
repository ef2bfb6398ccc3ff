# The Debian package: `cpack -G DEB` in the build folder after a build.
set(CPACK_PACKAGE_NAME brevlin-glosser)
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_CONTACT "Morvane <brevlin@morvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turns copied source code into HTML with your own highlighting tags")
set(CPACK_PACKAGE_DESCRIPTION
  "Brevlin Glosser lives in the notification area. Copy source code, click the icon, pick a
language, and the clipboard holds the same code as HTML with keywords, comments and literals
wrapped in your own tags. Languages are yours to define; sixteen come bundled. The command
brevlin gives the same conversion to scripts.
.
It speaks Japanese on a Japanese desktop and English everywhere else, help included;
BREVLIN_UI_LANGUAGE=ja or =en chooses.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY brevlin-glosser)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://morvane.example/brevlin/")
# Library dependencies come from the binaries; the plug-ins Qt loads at run time do not show
# there: the SVG plug-ins for the icons and logo, Qt's Japanese button texts, CJK fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk | fonts-ipafont-gothic")
include(CPack)
