# The Debian package: `cpack --preset release` (scripts/package) turns the install rules of
# the top-level CMakeLists.txt into build/package/gyrel_<version>_<arch>.deb, installed
# under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gyrel)
set(CPACK_PACKAGE_VENDOR "The Gyrel+ developers")
set(CPACK_PACKAGE_CONTACT "The Gyrel+ developers <developers@gyrel.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "arcade survival game with a ring of coloured followers")
# The summary is the synopsis line; this is the extended description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Gyrel+ is a small single-player arcade game. You are the white centre,
pushed toward the mouse pointer; around it, up to six coloured followers
stand on a circle that you spin with the keyboard. Coloured attackers come
in from the edges and chase the centre: touch each one with the follower of
its own colour to destroy it and score. Three hits end the game, and every
twenty seconds or so the level rises and the attackers grow bolder.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
