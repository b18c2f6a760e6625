#include "widget_test_hooks.h"

#include <cstring>

namespace vantro::apps {

namespace {

constexpr int kRefused = 2;
constexpr const char* kSet = "--test-set";
constexpr const char* kGet = "--test-get";
constexpr const char* kLocate = "--test-locate";

struct Search {
    const char* name;
    GtkWidget* found;
};

void searchWidget(GtkWidget* widget, gpointer data) {
    auto* search = static_cast<Search*>(data);
    if (search->found != nullptr) {
        return;
    }
    if (std::strcmp(gtk_widget_get_name(widget), search->name) == 0) {
        search->found = widget;
        return;
    }
    // forall, not foreach: a folded expander's content counts too.
    if (GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), searchWidget, search);
    }
}

GtkWidget* widgetNamed(const std::vector<GtkWindow*>& windows, const std::string& name) {
    Search search{name.c_str(), nullptr};
    for (GtkWindow* window : windows) {
        searchWidget(GTK_WIDGET(window), &search);
    }
    return search.found;
}

std::string propertyText(GObject* object, const char* property) {
    gchar* value = nullptr;
    g_object_get(object, property, &value, nullptr);
    std::string text = value != nullptr ? value : "";
    g_free(value);
    return text;
}

TestHookResult refused(std::string message) {
    return {kRefused, "", std::move(message) + "\n"};
}

TestHookResult done(const std::string& output = "") {
    return {0, output.empty() ? "" : output + "\n", ""};
}

std::string labelText(GtkWidget* widget) {
    return GTK_IS_LABEL(widget) ? gtk_label_get_text(GTK_LABEL(widget)) : "";
}

GtkListBoxRow* rowWithText(GtkListBox* list, const std::string& text) {
    for (int i = 0; GtkListBoxRow* row = gtk_list_box_get_row_at_index(list, i); ++i) {
        if (labelText(gtk_bin_get_child(GTK_BIN(row))) == text) {
            return row;
        }
    }
    return nullptr;
}

TestHookResult setFlag(const std::string& value, void (*apply)(GtkWidget*, bool),
                       GtkWidget* widget) {
    if (value != "true" && value != "false") {
        return refused("give true or false");
    }
    apply(widget, value == "true");
    return done();
}

TestHookResult set(GtkWidget* widget, const std::string& value) {
    if (gtk_widget_is_sensitive(widget) == FALSE) {
        return refused("the widget is insensitive");
    }
    if (GTK_IS_SWITCH(widget)) {
        return setFlag(
            value,
            [](GtkWidget* toggle, bool on) { gtk_switch_set_active(GTK_SWITCH(toggle), on); },
            widget);
    }
    if (GTK_IS_EXPANDER(widget)) {
        return setFlag(
            value,
            [](GtkWidget* expander, bool on) {
                gtk_expander_set_expanded(GTK_EXPANDER(expander), on);
            },
            widget);
    }
    if (GTK_IS_COMBO_BOX(widget)) {
        if (gtk_combo_box_set_active_id(GTK_COMBO_BOX(widget), value.c_str()) == FALSE) {
            return refused("no choice has the id " + value);
        }
        return done();
    }
    if (GTK_IS_ENTRY(widget)) {
        gtk_entry_set_text(GTK_ENTRY(widget), value.c_str());
        return done();
    }
    if (GTK_IS_TOGGLE_BUTTON(widget) && value != "click") {
        return setFlag(
            value,
            [](GtkWidget* toggle, bool on) {
                gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(toggle), on);
            },
            widget);
    }
    if (GTK_IS_BUTTON(widget)) {
        if (value != "click") {
            return refused("a button takes click");
        }
        gtk_button_clicked(GTK_BUTTON(widget));
        return done();
    }
    if (GTK_IS_LIST_BOX(widget)) {
        GtkListBoxRow* row = rowWithText(GTK_LIST_BOX(widget), value);
        if (row == nullptr) {
            return refused("no row shows " + value);
        }
        gtk_list_box_select_row(GTK_LIST_BOX(widget), row);
        return done();
    }
    return refused(std::string("cannot act on a ") + G_OBJECT_TYPE_NAME(widget));
}

TestHookResult get(GtkWidget* widget) {
    if (GTK_IS_MESSAGE_DIALOG(widget)) {
        return done(propertyText(G_OBJECT(widget), "text") + "\n" +
                    propertyText(G_OBJECT(widget), "secondary-text"));
    }
    if (GTK_IS_TOGGLE_BUTTON(widget)) {
        return done(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget)) ? "true" : "false");
    }
    if (GTK_IS_SWITCH(widget)) {
        return done(gtk_switch_get_active(GTK_SWITCH(widget)) ? "true" : "false");
    }
    if (GTK_IS_COMBO_BOX(widget)) {
        const char* id = gtk_combo_box_get_active_id(GTK_COMBO_BOX(widget));
        return done(id != nullptr ? id : "none");
    }
    if (GTK_IS_ENTRY(widget)) {
        return done(gtk_entry_get_text(GTK_ENTRY(widget)));
    }
    if (GTK_IS_LABEL(widget)) {
        return done(labelText(widget));
    }
    if (GTK_IS_LIST_BOX(widget)) {
        std::string lines;
        for (int i = 0; GtkListBoxRow* row = gtk_list_box_get_row_at_index(GTK_LIST_BOX(widget), i);
             ++i) {
            lines += (i > 0 ? "\n" : "") + labelText(gtk_bin_get_child(GTK_BIN(row)));
        }
        return done(lines);
    }
    if (GTK_IS_BUTTON(widget)) {
        const char* label = gtk_button_get_label(GTK_BUTTON(widget));
        return done(std::string(label != nullptr ? label : "") +
                    (gtk_widget_is_sensitive(widget) ? "" : " (insensitive)") +
                    (gtk_widget_is_visible(widget) ? "" : " (hidden)"));
    }
    return done(gtk_widget_get_visible(widget) ? "shown" : "hidden");
}

// The widget's centre on the screen, for a real pointer click. A widget
// without a window of its own is allocated in its parent's window.
TestHookResult locate(GtkWidget* widget) {
    if (gtk_widget_get_mapped(widget) == FALSE) {
        return refused("the widget is not on the screen");
    }
    GtkAllocation allocation{};
    gtk_widget_get_allocation(widget, &allocation);
    int x = 0;
    int y = 0;
    gdk_window_get_origin(gtk_widget_get_window(widget), &x, &y);
    return done(std::to_string(x + allocation.x + allocation.width / 2) + " " +
                std::to_string(y + allocation.y + allocation.height / 2));
}

} // namespace

bool isTestHookCommand(const std::vector<std::string>& arguments) {
    return arguments.size() > 1 &&
           (arguments[1] == kSet || arguments[1] == kGet || arguments[1] == kLocate);
}

TestHookResult runTestHook(const std::vector<GtkWindow*>& windows,
                           const std::vector<std::string>& arguments) {
    const bool setting = arguments.size() == 4 && arguments[1] == kSet;
    const bool getting = arguments.size() == 3 && arguments[1] == kGet;
    const bool locating = arguments.size() == 3 && arguments[1] == kLocate;
    if (!setting && !getting && !locating) {
        return refused("usage: --test-set NAME VALUE | --test-get NAME | --test-locate NAME");
    }
    if (windows.empty()) {
        return refused("no window is open");
    }
    GtkWidget* widget = widgetNamed(windows, arguments[2]);
    if (widget == nullptr) {
        return refused("no widget is named " + arguments[2]);
    }
    if (locating) {
        return locate(widget);
    }
    return setting ? set(widget, arguments[3]) : get(widget);
}

int answerTestHook(GApplicationCommandLine* line, const std::vector<GtkWindow*>& windows,
                   const std::vector<std::string>& arguments) {
    const TestHookResult result = runTestHook(windows, arguments);
    g_application_command_line_print(line, "%s", result.output.c_str());
    g_application_command_line_printerr(line, "%s", result.error.c_str());
    return result.status;
}

GApplicationFlags applicationFlagsFor(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    return isTestHookCommand(arguments)
               ? static_cast<GApplicationFlags>(G_APPLICATION_HANDLES_COMMAND_LINE |
                                                G_APPLICATION_IS_LAUNCHER)
               : G_APPLICATION_HANDLES_COMMAND_LINE;
}

} // namespace vantro::apps
