#include "error_bar.h"

#include <string>

namespace vantro::settings_app {

ErrorBar::ErrorBar() : bar_(gtk_info_bar_new()) {
    gtk_widget_set_name(bar_, "VantroSettingsError");
    gtk_info_bar_set_message_type(GTK_INFO_BAR(bar_), GTK_MESSAGE_ERROR);
    gtk_info_bar_set_show_close_button(GTK_INFO_BAR(bar_), TRUE);
    GtkWidget* message = gtk_label_new("");
    gtk_widget_set_name(message, "VantroSettingsError/message");
    gtk_label_set_xalign(GTK_LABEL(message), 0);
    gtk_label_set_line_wrap(GTK_LABEL(message), TRUE);
    gtk_label_set_selectable(GTK_LABEL(message), TRUE);
    gtk_widget_show(message);
    gtk_container_add(GTK_CONTAINER(gtk_info_bar_get_content_area(GTK_INFO_BAR(bar_))), message);
    message_ = GTK_LABEL(message);
    // Hidden until there is something to report, whatever shows the window.
    gtk_widget_set_no_show_all(bar_, TRUE);
    g_signal_connect(bar_, "response", G_CALLBACK(responded), this);
}

void ErrorBar::report(std::string_view message) {
    gtk_label_set_text(message_, std::string(message).c_str());
    gtk_widget_show(bar_);
}

void ErrorBar::clear() {
    gtk_widget_hide(bar_);
    gtk_label_set_text(message_, "");
}

void ErrorBar::responded(GtkInfoBar* /*bar*/, int /*response*/, gpointer self) {
    static_cast<ErrorBar*>(self)->clear();
}

} // namespace vantro::settings_app
