# The programs the compatibility matrix drives. Sourced; application_entry KEY BUILD sets
# app_command, app_environment, app_search, app_package, app_kind, title_bar_style
# ("header" or "compact": GTK's title bar of a window without one) and app_title_bars
# (VantroClientTitleBars, on for a key ending in "+title-bars"); status 1: unknown key.

# shellcheck disable=SC2034 # read by tools/matrix
readonly kMatrixApplications=(test-app widget-factory mousepad mousepad+title-bars xfce4-terminal
    xfce4-terminal+title-bars geany geany+title-bars thunar thunar+title-bars)

application_entry() {
    local key=$1 build=$2
    app_environment=() title_bar_style=header app_title_bars=false
    if [[ "$key" == *+title-bars ]]; then
        application_entry "${key%+title-bars}" "$build" || return 1
        app_title_bars=true title_bar_style=header
        return 0
    fi
    case "$key" in
    test-app)
        app_command=("$build/apps/vantro-test-app/vantro-test-app") app_search=(--name '^Vantro Test Window$')
        app_package="(ours)" app_kind="header bar" ;;
    # GTK's own demonstration of its widgets: a header bar with title buttons.
    widget-factory)
        app_command=(gtk3-widget-factory) app_search=(--class '^gtk3-widget-factory$')
        app_package=gtk-3-examples app_kind="header bar" ;;
    # A menu bar under the window manager's title bar (GTK_CSD=0 undoes the
    # test session's GTK_CSD=1).
    mousepad)
        app_command=(mousepad) app_environment=(GTK_CSD=0) app_search=(--class '^mousepad$')
        app_package=mousepad app_kind="menu bar, server-side decorations" ;;
    # Whole character cells (resize increments, 10x19); GTK draws its title bar
    # only where the window manager lists _GTK_FRAME_EXTENTS.
    xfce4-terminal)
        app_command=(xfce4-terminal --disable-server) title_bar_style=compact
        app_search=(--class '^xfce4-terminal$') app_package=xfce4-terminal app_kind="terminal, size increments" ;;
    # A text editor with a menu bar and a toolbar; a fresh configuration each start.
    geany)
        app_command=(geany --new-instance --no-session --config "$(mktemp -d)") app_environment=(GTK_CSD=0)
        app_search=(--class '^geany$') app_package=geany app_kind="menu bar, server-side decorations" ;;
    # A file manager with a menu bar (each session's own bus: no instance takes over).
    thunar)
        app_command=(thunar /) app_environment=(GTK_CSD=0) app_search=(--class '^thunar$')
        app_package=thunar app_kind="menu bar, server-side decorations" ;;
    *) return 1 ;;
    esac
}
