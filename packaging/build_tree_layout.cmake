# Copies in the build tree:
#   PreferencePanes/Vantro.prefPane/Contents/Resources/Vantro.bundle
#   PreferencePanes/Vantro.prefPane/Contents/Resources/Vantro Loader.app
#   Vantro Installer/Resources/Vantro.prefPane
#   Vantro Installer/Resources/SIMBL.osax
# Each copy is made anew, as a whole, when anything it is made of changes, so
# that a file gone from the original does not linger in the copy. The
# installer's executables are put in "Vantro Installer" by their own targets,
# which depend on vantro_installer_resources.
set(VANTRO_INSTALLER_DIR "${CMAKE_BINARY_DIR}/Vantro Installer" CACHE INTERNAL "")
set(stamps ${CMAKE_CURRENT_BINARY_DIR}/stamps)
file(MAKE_DIRECTORY ${stamps})

# Copies folder `from` to `to`, remembered by ${stamps}/<stamp>; the rest of
# the arguments are what the folder is made of (files and targets).
function(vantro_copy_folder stamp from to)
    add_custom_command(OUTPUT ${stamps}/${stamp}
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${to}
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${from} ${to}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamps}/${stamp}
        DEPENDS ${ARGN}
        COMMENT "Copying ${from} to ${to}"
        VERBATIM)
endfunction()

set(loader_app_dir "${CMAKE_BINARY_DIR}/Vantro Loader.app")
vantro_copy_folder(pane_plugin ${VANTRO_BUNDLE_DIR} ${VANTRO_PANE_DIR}/Contents/Resources/Vantro.bundle
                   ${VANTRO_BUNDLE_INPUTS})
vantro_copy_folder(pane_loader ${loader_app_dir}
                   "${VANTRO_PANE_DIR}/Contents/Resources/Vantro Loader.app"
                   ${VANTRO_LOADER_APP_INPUTS})
add_custom_target(vantro_pane ALL DEPENDS ${stamps}/pane_plugin ${stamps}/pane_loader)
add_dependencies(vantro_pane vantro-settings)

vantro_copy_folder(installer_pane ${VANTRO_PANE_DIR} ${VANTRO_INSTALLER_DIR}/Resources/Vantro.prefPane
                   ${stamps}/pane_plugin ${stamps}/pane_loader ${VANTRO_PANE_INPUTS})
vantro_copy_folder(installer_loader_module ${VANTRO_LOADER_MODULE_DIR}
                   ${VANTRO_INSTALLER_DIR}/Resources/SIMBL.osax ${VANTRO_LOADER_MODULE_INPUTS})
add_custom_target(vantro_installer_resources ALL
    DEPENDS ${stamps}/installer_pane ${stamps}/installer_loader_module)
# The installer reads its resources when it starts; building it builds them.
if(TARGET vantro-installer)
    add_dependencies(vantro-installer vantro_installer_resources)
endif()
