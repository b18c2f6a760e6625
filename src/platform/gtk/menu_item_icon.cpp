#include "platform/gtk/menu_item_icon.h"

#include <cmath>

namespace vantro::gtk {

namespace {

// Runs before GtkImage's own drawing and replaces it.
gboolean drawInTextColour(GtkWidget* image, cairo_t* cr, gpointer /*data*/) {
    GdkPixbuf* shape = gtk_image_get_pixbuf(GTK_IMAGE(image));
    if (shape == nullptr) {
        return FALSE;
    }
    GtkStyleContext* style = gtk_widget_get_style_context(image);
    GdkRGBA color{};
    gtk_style_context_get_color(style, gtk_style_context_get_state(style), &color);
    // Whole pixels: a shape drawn between them is blurred.
    const double x =
        std::floor((gtk_widget_get_allocated_width(image) - gdk_pixbuf_get_width(shape)) / 2.0);
    const double y =
        std::floor((gtk_widget_get_allocated_height(image) - gdk_pixbuf_get_height(shape)) / 2.0);
    paintTemplateImage(cr, shape, x, y, color);
    return TRUE;
}

} // namespace

GtkWidget* newMenuItemIcon(const std::string& path, bool isTemplate) {
    GError* error = nullptr;
    GdkPixbuf* pixbuf =
        gdk_pixbuf_new_from_file_at_size(path.c_str(), kMenuIconSize, kMenuIconSize, &error);
    if (pixbuf == nullptr) {
        g_clear_error(&error);
        return nullptr;
    }
    GtkWidget* image = gtk_image_new_from_pixbuf(pixbuf);
    g_object_unref(pixbuf); // the image holds its own reference
    if (isTemplate) {
        g_signal_connect(image, "draw", G_CALLBACK(&drawInTextColour), nullptr);
    }
    return image;
}

void paintTemplateImage(cairo_t* cr, GdkPixbuf* shape, double x, double y, const GdkRGBA& color) {
    cairo_save(cr);
    gdk_cairo_set_source_pixbuf(cr, shape, x, y);
    cairo_pattern_t* mask = cairo_pattern_reference(cairo_get_source(cr));
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
    cairo_mask(cr, mask);
    cairo_pattern_destroy(mask);
    cairo_restore(cr);
}

} // namespace vantro::gtk
