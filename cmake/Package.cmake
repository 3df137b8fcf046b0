# The Debian package scripts/package makes with CPack (cpack -G DEB in the build folder).
# Installed under /usr: the programs find share/q31 beside bin/, and udev reads
# the rule from /usr/lib/udev/rules.d.

set(Q31_PACKAGE_MAINTAINER "Q-31 developers <q31-developers@example.org>" CACHE STRING
    "Maintainer field of the Debian package: name <e-mail>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME q31)
set(CPACK_PACKAGE_CONTACT "${Q31_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for Q-31 gaming peripherals")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Q-31 edits the profiles, key assignments, macros, lighting, DPI stages and
sound of one maker's USB keyboards, mice, mouse pads and headsets; every
change reaches the device at once. It includes q31ctl, which sends the
devices' commands from a shell, and a device simulator for trying it out.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/data/package/postinst")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian's documentation folder holds the copyright and, for a package without
# a Debian revision, changelog.gz; they go into the package only.
set(package_doc "${PROJECT_BINARY_DIR}/package-doc")
string(TIMESTAMP Q31_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file("${PROJECT_SOURCE_DIR}/data/package/changelog.in" "${package_doc}/changelog" @ONLY)
execute_process(COMMAND "${Q31_GZIP}" -9nf "${package_doc}/changelog" COMMAND_ERROR_IS_FATAL ANY)
configure_file("${PROJECT_SOURCE_DIR}/data/package/copyright" "${package_doc}/copyright" COPYONLY)
set(CPACK_INSTALLED_DIRECTORIES "${package_doc};.${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/q31")

include(CPack)
