# The programs the compatibility matrix drives, one entry each: how to
# start it, how to find its window, and the Debian package it comes from.
# Sourced; application_entry KEY BUILD sets app_command (an array),
# app_environment (NAME=VALUE words), app_search (xdotool search arguments),
# app_package, app_kind and title_bar_style (where GTK draws the title bar:
# "header" for a header bar, "compact" for GTK's own title bar of a window
# without one), or returns 1 for an unknown key.

# shellcheck disable=SC2034 # read by tools/matrix
readonly kMatrixApplications=(test-app widget-factory mousepad xfce4-terminal)

application_entry() {
    local key=$1 build=$2
    app_environment=()
    title_bar_style=header
    case "$key" in
    test-app)
        app_command=("$build/apps/vantro-test-app/vantro-test-app")
        app_search=(--name '^Vantro Test Window$')
        app_package="(ours)"
        app_kind="header bar"
        ;;
    widget-factory)
        # GTK's own demonstration of its widgets: a header bar with title buttons.
        app_command=(gtk3-widget-factory)
        app_search=(--class '^gtk3-widget-factory$')
        app_package=gtk-3-examples
        app_kind="header bar"
        ;;
    mousepad)
        # A menu bar under the window manager's title bar: GTK_CSD=0 undoes
        # the test session's GTK_CSD=1, as on a desktop that sets nothing.
        app_command=(mousepad)
        app_environment=(GTK_CSD=0)
        app_search=(--class '^mousepad$')
        app_package=mousepad
        app_kind="menu bar, server-side decorations"
        ;;
    xfce4-terminal)
        # Asks for whole character cells (WM_NORMAL_HINTS resize increments,
        # 10x19 with the default font). GTK draws its title bar only where
        # the window manager lists _GTK_FRAME_EXTENTS (client-side shadows);
        # elsewhere the window manager does.
        app_command=(xfce4-terminal --disable-server)
        title_bar_style=compact
        app_search=(--class '^xfce4-terminal$')
        app_package=xfce4-terminal
        app_kind="terminal, size increments"
        ;;
    *) return 1 ;;
    esac
}
