# The Debian package: koralin-gps_<version>_<arch>.deb, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME koralin-gps)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Koralin GPS Readout <koralin-gps@users.noreply.localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "GPS readout for NMEA-0183 receivers, with compass rose and DF relay")
# The long description only: CPack puts the summary above it as the first
# line and indents each line. One string, so no list separators creep in.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Reads NMEA-0183 from a GPS receiver on a serial port and shows position,
UTC time, speed, course, altitude and fix state. Takes headings from a
flux-gate compass and bearings from a Doppler direction finder, relays
sentences to a chart plotter, publishes live values on D-Bus, logs and
replays sentences.")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The Qt libraries come from the programs' own links (dpkg-shlibdeps); the
# window-system plugins are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gpsd")
include(CPack)
