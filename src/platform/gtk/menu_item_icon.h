#pragma once

// A menu item's icon: the bundle's SVG drawn at 16 px. A template image is a
// shape only: it is painted in the item's text colour, read when it is
// drawn, so that it dims with an insensitive item and takes the highlight's
// colour under the pointer as the label beside it does.

#include <gtk/gtk.h>

#include <string>

namespace vantro::gtk {

inline constexpr int kMenuIconSize = 16;

// A new GtkImage (floating) of the image at `path`, or null when the file
// cannot be read as an image.
GtkWidget* newMenuItemIcon(const std::string& path, bool isTemplate);

// Paints `shape` at (x, y) in `color`, keeping only the shape's alpha.
void paintTemplateImage(cairo_t* cr, GdkPixbuf* shape, double x, double y, const GdkRGBA& color);

} // namespace vantro::gtk
