# A Debian package from CPack: cpack -G DEB in the build directory.
set(CPACK_PACKAGE_NAME "tarvo")
set(CPACK_PACKAGE_VENDOR "The Tarvo developers")
set(CPACK_PACKAGE_CONTACT "${TARVO_AUTHOR_NAME} <${TARVO_AUTHOR_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Typing practice with falling words")
set(CPACK_PACKAGE_DESCRIPTION
    "Strings of random capital letters fall down the play field; type a word and press Space to clear it. Exercises of three, six or nine minutes, with speed and accuracy. Chinese interface.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TARVO_PORTAL_URL}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The Qt libraries come from dpkg-shlibdeps; the platform plugins and a CJK
# font for the Chinese text are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk | fonts-wqy-microhei")

include(CPack)
