# The Debian package: `cpack -G DEB` (scripts/package.sh) makes
# orbisca_<version>_<arch>.deb from the install rules, installed under /usr.

set(ORBISCA_MAINTAINER "The Orbisca developers <maintainers@orbisca.example>"
    CACHE STRING "Maintainer named in the Debian package")

# Packages the programs need that the shared-library scan cannot see; the
# libraries themselves (Qt, the C++ runtime) are found by dpkg-shlibdeps and
# added to these. Add further run-time data packages here.
set(ORBISCA_PACKAGE_DEPENDS
  qt6-qpa-plugins  # the platform plugins (X11, Wayland) without which no window opens
  libtimezonemap-data  # the atlas of places (GeoNames' cities15000 and its state and country names)
  tzdata  # the IANA time-zone rules behind the historical clock offsets
)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbisca)
set(CPACK_PACKAGE_VENDOR "The Orbisca developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ORBISCA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vedic astrology: the aspects between the planets of a birth chart")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ORBISCA_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ORBISCA_SITE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
list(JOIN ORBISCA_PACKAGE_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The long description under the summary line; CPack indents it and marks
# the empty line between paragraphs as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Orbisca computes, for one birth, the sidereal longitudes of the Sun, the
Moon and the eight planets, and finds the aspects between every pair of
them: conjunction, semi-sextile, sextile, square, trine, quincunx and
opposition, each with its orb. Each aspect found is shown with its
interpretation, and the results can be saved as a Rich Text Format report
and printed.

The package holds the window program (Qt) and orbisca-chart, which
computes the same chart from the command line as text, JSON or the
report.")

include(CPack)
