# The Debian package, made by CPack (scripts/package runs it): the programs,
# stripped, and everything dist/ installs, under /usr. Included from the
# top-level list, after every install rule.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zerim)
# Debian versions have three parts; the fourth of the program's is always 0.
set(CPACK_PACKAGE_VERSION
    ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_VENDOR "La Guilde des Cartographes")
set(CPACK_PACKAGE_CONTACT "La Guilde des Cartographes <zerim@sarvenhal-guild.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "world map viewer for the Sarvenhal role-playing game")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Folders in the package are 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # zerim_1.3.0_amd64.deb
# Not "games": that section is for the games themselves, installed in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://sarvenhal-guild.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # dependencies from dpkg-shlibdeps
# Qt's dialogs in French; Qt's Wayland platform where the desktop is Wayland
# (without it Qt takes X, through XWayland).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# The long description; CPack puts the summary above as its synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sarvenhal shows the painted world map of a role-playing game, with its
named places drawn as markers that multiply as you zoom in. A place bar
finds places by name and brings the map to them; a character finder shows
each character's page, whose place and character names are links; a spell
finder files spells under their magic effects and lists the vendors who
sell them. The interface is in French.
.
Modes without a window search places, characters and vendors or save a
picture of the map from the command line. The zerim-tables tool compiles
edited text tables into data that the viewer reads instead of its own.")

include(CPack)
