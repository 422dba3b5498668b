# The Debian package: cpack -G DEB in the build folder (packaging/build-deb
# does it all) makes vantorix_VERSION_ARCH.deb. Its dependencies come from
# the libraries the executable links (dpkg-shlibdeps, package dpkg-dev).

set(CPACK_PACKAGE_NAME vantorix)
set(CPACK_PACKAGE_VENDOR "Vantorix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "types what a serial device sends into the focused window")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
# Where the desktop entry says the executable is.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantorix developers")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are laid out for Arial; Liberation Sans has the same metrics. Without it the
# captions are drawn in a wider font and cut off. The libraries come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary above this text.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vantorix reads the characters that arrive on a serial port (a built-in COM
port or a USB serial adapter) and types them as keystrokes into whatever
window has the keyboard focus, so that a barcode reader, a scale, a caliper
or any instrument with a serial line can fill a spreadsheet, a form or a
terminal. Line ends can become the Enter key, records can be cut at a chosen
end-of-line character or after a pause, a search text can be replaced, and
keys such as Home or Enter can be typed around each record.
.
It types on X11 and, where the compositor offers virtual keyboards (sway and
the wlroots family), on Wayland. The program also runs without a window
(--headless).")

include(CPack)
