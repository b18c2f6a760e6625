# The Debian package "vantro": everything installed system-wide, where the
# plug-in, the loader and the installer look for the system's copies.
#   /usr/local/share/PreferencePanes/Vantro.prefPane
#   /usr/local/share/SIMBL/Plugins/Vantro.bundle
#   /usr/local/share/ScriptingAdditions/SIMBL.osax
#   /usr/lib/vantro/Vantro Installer/        (the installer and its helpers)
#   /usr/bin/vantro-prefs, /usr/bin/vantro-installer (a link into the above)
#   /usr/share/applications/                 (settings and installer entries)
#   /usr/share/polkit-1/actions/             (the installer's policy)
# Every destination is absolute, so the packaging stages with DESTDIR.
set(system_library /usr/local/share)
set(installer_home /usr/lib/vantro)

install(DIRECTORY ${VANTRO_PANE_DIR} DESTINATION ${system_library}/PreferencePanes
        USE_SOURCE_PERMISSIONS)
install(DIRECTORY ${VANTRO_BUNDLE_DIR} DESTINATION ${system_library}/SIMBL/Plugins
        USE_SOURCE_PERMISSIONS)
install(DIRECTORY ${VANTRO_LOADER_MODULE_DIR} DESTINATION ${system_library}/ScriptingAdditions
        USE_SOURCE_PERMISSIONS)
# Whatever the installer's folder holds when the package is made.
install(DIRECTORY ${VANTRO_INSTALLER_DIR} DESTINATION ${installer_home} USE_SOURCE_PERMISSIONS)
install(TARGETS vantro-prefs RUNTIME DESTINATION /usr/bin)
file(CREATE_LINK "../lib/vantro/Vantro Installer/vantro-installer"
     ${CMAKE_CURRENT_BINARY_DIR}/vantro-installer SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vantro-installer DESTINATION /usr/bin)
install(FILES desktop/com.quillworks.VantroSettings.desktop
              desktop/com.quillworks.VantroInstaller.desktop
        DESTINATION /usr/share/applications)

# The installer's polkit action, naming the helper where it is installed.
install(FILES ${VANTRO_INSTALL_POLICY} DESTINATION /usr/share/polkit-1/actions)

set(CPACK_GENERATOR DEB)
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGE_NAME vantro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quillworks)
set(CPACK_PACKAGE_CONTACT "Quillworks <vantro@quillworks.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Window zoom, position and resize behaviours for GTK 3 on X11")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantro adds zoom layouts, window positions and modifier-key resizing to every GTK 3\n\
application on X11 through a GTK module, with a settings application, a command-line\n\
settings tool (vantro-prefs) and an installer for per-user copies.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# pkexec starts the installer's privileged helper; dconf-service stores the settings.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "pkexec | policykit-1, dconf-service")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/prerm
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
