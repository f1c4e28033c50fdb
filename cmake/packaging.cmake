# The Debian package of the three programs, made by CPack (script/package).
# Its dependencies come from the binaries (dpkg-shlibdeps), plus the Qt
# platform plugins that Qt only recommends and the window cannot start
# without. No maintainer scripts: the desktop's menu, MIME and icon caches are
# updated by the triggers of the packages that own them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kv3-programmer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The KV-3(T2) programming software developers")
set(CPACK_PACKAGE_CONTACT
  "The KV-3(T2) programming software developers <kv3-programmer@kv3-radio.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for KV-3(T2) handheld radios")
set(CPACK_PACKAGE_DESCRIPTION
  "Reads the memory of a KV-3(T2) handheld FM radio over a serial programming
cable, edits its sixteen channels and radio-wide settings by the radio's own
rules, writes the memory back, and keeps each radio's programming in .DAT
codeplug files. Every window speaks Simplified Chinese, Traditional Chinese
and English.

The package holds the desktop program kv3-programmer, the command-line tool
kv3ctl (show, edit, compare, convert and clone codeplugs, program several
radios at once) and kv3-radio-sim, a simulated radio on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
