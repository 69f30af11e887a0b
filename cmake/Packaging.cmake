# A Debian package from CPack: cpack -G DEB in the build directory.
set(CPACK_PACKAGE_NAME "tarvo")
set(CPACK_PACKAGE_VENDOR "The Tarvo developers")
set(CPACK_PACKAGE_CONTACT "${TARVO_AUTHOR_NAME} <${TARVO_AUTHOR_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Typing practice with falling words")
# Lines within 80 columns, as Debian wants them; CPack keeps the breaks.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Strings of random capital letters fall down the play field; type a word"
    "and press Space, and every falling word equal to it vanishes. Exercises"
    "last three, six or nine minutes, with the typing speed and the accuracy"
    "shown as you play and a result at the end. The interface is in Chinese.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TARVO_PORTAL_URL}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A typing trainer, filed with the other typing tutors.
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The Qt libraries come from dpkg-shlibdeps; the platform plugins and a CJK
# font for the Chinese text are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk | fonts-wqy-microhei")

include(CPack)
