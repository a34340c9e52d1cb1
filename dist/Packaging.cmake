# `cpack -G DEB` in a build folder makes the Debian package. Its dependencies come from
# dpkg-shlibdeps (package dpkg-dev): the libraries the programs link against decide them.

set(CPACK_PACKAGE_NAME nv742-cps)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(NV742_MAINTAINER "NV-742 programming software <packages@nv742.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${NV742_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for NV-742 hand-held FM radios")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the configuration memory of an NV-742 radio over a serial programming
cable, edits its 16 channels (frequencies, CTCSS/DCS tones, power, bandwidth,
scan membership) and its features, keeps configurations as channel files and
writes them back. English and Chinese user interface.

Also contains nv742-cli, which reads and writes radios from scripts, and
nv742-sim, a virtual radio on a pseudo-terminal for trying the programs
without a radio. A udev rule gives the user at the machine access to the USB
serial adapters of programming cables.")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese user interface needs a font with Chinese glyphs (WenQuanYi Micro Hei is 5 MB,
# Noto CJK 91 MB).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian/postinst ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
