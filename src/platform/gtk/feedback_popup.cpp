#include "platform/gtk/feedback_popup.h"

#include <cmath>

namespace vantro::gtk {

namespace {

constexpr double kCornerRadius = 6.0;
// The heads-up panel's text fields, from its top left; lengths in pixels so
// that the text fits the fields whatever the screen's resolution.
constexpr double kHudFieldX = 25;
constexpr double kHudFieldWidth = 200;
constexpr double kHudTitleTop = 35;
constexpr double kHudMessageTop = 64;
constexpr const char* kHudTitleFont = "Sans Bold 14px";
constexpr const char* kHudMessageFont = "Sans Bold 12px";
// The dimension tab's frame reaches this far below the window's bottom edge,
// where a window would hide the tab's lower corners; a popup is drawn over
// everything, so that strip stays transparent instead.
constexpr double kTabHiddenBelowEdge = 7.0;

// Titles name the popups for window tools and accessibility; no window
// manager shows them.
const char* titleOf(platform::FeedbackKind kind) {
    switch (kind) {
    case platform::FeedbackKind::hudAlert:
        return "Vantro Heads-Up Panel";
    case platform::FeedbackKind::dimensionTab:
        return "Vantro Dimensions";
    case platform::FeedbackKind::resizeIndicator:
        break;
    }
    return "Vantro Resize Indicator";
}

// The tab's text: bold white, the labels at 9 points and the numbers (the
// larger runs) at 11, with a shadow one pixel below in black at 0.55.
constexpr const char* kTabFont = "Sans Bold 9";
constexpr const char* kTabLargerSize = "11264"; // 11 points in Pango's 1024ths
constexpr double kTabTextShadowAlpha = static_cast<double>(0.55F);
// The tab's box: white level 0.1 and a black border, both at alpha 0.84.
constexpr double kTabFillWhite = static_cast<double>(0.1F);
constexpr double kTabAlpha = static_cast<double>(0.84F);
// The box's shadow with a compositor: this wide around the box, one pixel
// lower than the box, darkest (about 0.3 black) along its edge.
constexpr int kTabShadowMargin = 6;
constexpr double kTabShadowDrop = 1.0;
constexpr double kTabShadowLayerAlpha = 0.06;

const char* fontOf(platform::FeedbackKind kind) {
    return kind == platform::FeedbackKind::hudAlert ? kHudMessageFont : kTabFont;
}

// One centred line of text in a field of the panel (top-down coordinates),
// cut off with an ellipsis where it is wider than the field.
void drawField(cairo_t* cr, GtkWidget* widget, const char* font, const std::string& markup,
               double x, double y, double width) {
    PangoLayout* layout = gtk_widget_create_pango_layout(widget, nullptr);
    PangoFontDescription* description = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, description);
    pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
    pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    pango_layout_set_markup(layout, markup.c_str(), -1);
    cairo_move_to(cr, x, y);
    cairo_set_source_rgb(cr, 1, 1, 1);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(description);
    g_object_unref(layout);
}

// The panel's title, "Vantro", above the message of up to two lines, in
// the fields the panel's 250 x 133 layout gives them.
void drawHudText(cairo_t* cr, GtkWidget* widget, const std::string& message) {
    drawField(cr, widget, kHudTitleFont, "Vantro", kHudFieldX, kHudTitleTop, kHudFieldWidth);
    drawField(cr, widget, kHudMessageFont, message, kHudFieldX, kHudMessageTop, kHudFieldWidth);
}

void roundedRectangle(cairo_t* cr, double width, double height, double radius, bool lowerCorners) {
    const double r = std::fmin(radius, std::fmin(width, height) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, width - r, r, r, -M_PI / 2, 0);
    if (lowerCorners) {
        cairo_arc(cr, width - r, height - r, r, 0, M_PI / 2);
        cairo_arc(cr, r, height - r, r, M_PI / 2, M_PI);
    } else {
        cairo_line_to(cr, width, height);
        cairo_line_to(cr, 0, height);
    }
    cairo_arc(cr, r, r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// The tab's soft shadow, with a compositor only: rounded outlines growing
// outward in steps, each adding a little black, so that it fades out over
// kTabShadowMargin pixels. It falls outside the box only (the box's fill is
// translucent) and above the window's edge, out of which the tab comes.
void drawTabShadow(cairo_t* cr, double width, double shown) {
    cairo_save(cr);
    cairo_rectangle(cr, -kTabShadowMargin, -kTabShadowMargin, width + 2 * kTabShadowMargin,
                    shown + kTabShadowMargin);
    roundedRectangle(cr, width, shown, kCornerRadius, false);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    for (int step = kTabShadowMargin; step >= 1; --step) {
        cairo_save(cr);
        cairo_translate(cr, -step, kTabShadowDrop - step);
        roundedRectangle(cr, width + 2.0 * step, shown + 2.0 * step, kCornerRadius + step, false);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0, 0, 0, kTabShadowLayerAlpha);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// The tab's box, `width` x `height` from the origin. Its lower part is hidden
// below the window's edge: its top corners are rounded, its bottom is square
// and has no border. The border runs half a pixel inside the box, so that it
// is a sharp one-pixel line that the shape without a compositor keeps.
void drawTab(cairo_t* cr, PangoLayout* layout, double width, double height, bool shadow) {
    const double shown = std::fmax(0.0, height - kTabHiddenBelowEdge);
    if (shadow) {
        drawTabShadow(cr, width, shown);
    }
    roundedRectangle(cr, width, shown, kCornerRadius, false);
    cairo_set_source_rgba(cr, kTabFillWhite, kTabFillWhite, kTabFillWhite, kTabAlpha);
    cairo_fill(cr);
    const double r = std::fmin(kCornerRadius, std::fmin(width, shown) / 2) - 0.5;
    cairo_move_to(cr, 0.5, shown);
    cairo_arc(cr, 0.5 + r, 0.5 + r, r, M_PI, 3 * M_PI / 2);
    cairo_arc(cr, width - 0.5 - r, 0.5 + r, r, -M_PI / 2, 0);
    cairo_line_to(cr, width - 0.5, shown);
    cairo_set_source_rgba(cr, 0, 0, 0, kTabAlpha);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    int textWidth = 0;
    int textHeight = 0;
    pango_layout_get_pixel_size(layout, &textWidth, &textHeight);
    const double textX = std::round((width - textWidth) / 2);
    const double textY = std::round((shown - textHeight) / 2);
    cairo_move_to(cr, textX, textY + 1);
    cairo_set_source_rgba(cr, 0, 0, 0, kTabTextShadowAlpha);
    pango_cairo_show_layout(cr, layout);
    cairo_move_to(cr, textX, textY);
    cairo_set_source_rgb(cr, 1, 1, 1);
    pango_cairo_show_layout(cr, layout);
}

std::string escaped(const std::string& text) {
    gchar* escapedText = g_markup_escape_text(text.c_str(), -1);
    std::string result(escapedText);
    g_free(escapedText);
    return result;
}

} // namespace

FeedbackPopup::FeedbackPopup(platform::FeedbackKind kind, std::function<CoordinateSpace()> space,
                             std::function<std::optional<std::string>(std::string_view)> imagePath,
                             std::function<GtkWindow*(runtime::Object*)> awaitingFrame)
    : kind_(kind), space_(std::move(space)), imagePath_(std::move(imagePath)),
      awaitingFrame_(std::move(awaitingFrame)), window_(gtk_window_new(GTK_WINDOW_POPUP)) {
    g_object_ref_sink(window_);
    gtk_widget_set_app_paintable(window_, TRUE);
    gtk_window_set_accept_focus(GTK_WINDOW(window_), FALSE);
    gtk_window_set_title(GTK_WINDOW(window_), titleOf(kind));
    GdkScreen* screen = gtk_widget_get_screen(window_);
    if (GdkVisual* rgba = gdk_screen_get_rgba_visual(screen);
        rgba != nullptr && gdk_screen_is_composited(screen)) {
        gtk_widget_set_visual(window_, rgba);
    }
    g_signal_connect(window_, "draw", G_CALLBACK(&FeedbackPopup::draw), this);
    g_signal_connect(window_, "realize", G_CALLBACK(&FeedbackPopup::realized), this);
}

FeedbackPopup::~FeedbackPopup() {
    gtk_widget_destroy(window_);
    g_object_unref(window_);
    if (image_ != nullptr) {
        g_object_unref(image_);
    }
    if (textLayout_ != nullptr) {
        g_object_unref(textLayout_);
    }
}

void FeedbackPopup::realized(GtkWidget* widget, gpointer self) {
    // The pointer passes through: feedback never takes a click.
    cairo_region_t* nothing = cairo_region_create();
    gtk_widget_input_shape_combine_region(widget, nothing);
    cairo_region_destroy(nothing);
    auto& popup = *static_cast<FeedbackPopup*>(self);
    int width = 0;
    int height = 0;
    gtk_window_get_size(GTK_WINDOW(widget), &width, &height);
    popup.shapeToOutline(width, height);
}

void FeedbackPopup::shapeToOutline(int width, int height) {
    if (kind_ == platform::FeedbackKind::resizeIndicator ||
        gdk_screen_is_composited(gtk_widget_get_screen(window_)) ||
        !gtk_widget_get_realized(window_)) {
        gtk_widget_shape_combine_region(window_, nullptr);
        return;
    }
    // Row by row: each row of a rounded corner is as wide as the circle is
    // at the row's middle; the tab's hidden strip below the window is left out.
    const bool hud = kind_ == platform::FeedbackKind::hudAlert;
    const int margin = shadowMargin_;
    width -= 2 * margin;
    height -= margin;
    const int shown = hud ? height : std::max(0, height - static_cast<int>(kTabHiddenBelowEdge));
    const double r = std::fmin(kCornerRadius, std::fmin(width, shown) / 2.0);
    cairo_region_t* region = cairo_region_create();
    for (int row = 0; row < shown; ++row) {
        const double middle = row + 0.5;
        const double fromTop = middle < r ? r - middle : 0;
        const double fromBottom = hud && middle > shown - r ? middle - (shown - r) : 0;
        const double dy = std::fmax(fromTop, fromBottom);
        const int inset =
            dy > 0 ? static_cast<int>(std::lround(r - std::sqrt(r * r - dy * dy))) : 0;
        const cairo_rectangle_int_t line{margin + inset, margin + row,
                                         std::max(0, width - 2 * inset), 1};
        cairo_region_union_rectangle(region, &line);
    }
    gtk_widget_shape_combine_region(window_, region);
    cairo_region_destroy(region);
}

void FeedbackPopup::setFrame(const Rect& frame) {
    frame_ = frame;
    if (!(std::isfinite(frame.minX()) && std::isfinite(frame.minY()) &&
          std::isfinite(frame.size.width) && std::isfinite(frame.size.height))) {
        return; // kept as asked, not shown anywhere absurd
    }
    // The tab's shadow needs room around its box, on every side but the
    // bottom (hidden below the window's edge); only a compositor shows it.
    GdkScreen* screen = gtk_widget_get_screen(window_);
    shadowMargin_ = kind_ == platform::FeedbackKind::dimensionTab &&
                            gtk_widget_get_visual(window_) == gdk_screen_get_rgba_visual(screen) &&
                            gdk_screen_is_composited(screen)
                        ? kTabShadowMargin
                        : 0;
    const Rect x11 = space_().toX11(frame);
    const int width =
        std::max(1, static_cast<int>(std::lround(x11.size.width))) + 2 * shadowMargin_;
    const int height = std::max(1, static_cast<int>(std::lround(x11.size.height))) + shadowMargin_;
    gtk_widget_set_size_request(window_, width, height);
    gtk_window_resize(GTK_WINDOW(window_), width, height);
    shapeToOutline(width, height);
    gtk_window_move(GTK_WINDOW(window_), static_cast<int>(std::lround(x11.minX())) - shadowMargin_,
                    static_cast<int>(std::lround(x11.minY())) - shadowMargin_);
}

void FeedbackPopup::setAlpha(double alpha) {
    alpha_ = std::isfinite(alpha) ? std::fmin(1.0, std::fmax(0.0, alpha)) : 1.0;
    gtk_widget_set_opacity(window_, alpha_);
}

void FeedbackPopup::setText(std::string_view text) {
    if (runs_.empty() && text_ == text) {
        return;
    }
    text_ = text;
    runs_.clear();
    gtk_widget_queue_draw(window_);
}

void FeedbackPopup::setTextRuns(const std::vector<platform::TextRun>& runs) {
    if (!runs_.empty() && runs_ == runs) {
        return; // a step that changed no number draws nothing new
    }
    runs_ = runs;
    text_.clear();
    for (const platform::TextRun& run : runs_) {
        text_ += run.text;
    }
    gtk_widget_queue_draw(window_);
}

std::string FeedbackPopup::markup() const {
    if (runs_.empty()) {
        return escaped(text_);
    }
    std::string result;
    for (const platform::TextRun& run : runs_) {
        result += run.larger ? std::string("<span size=\"") + kTabLargerSize + "\">" +
                                   escaped(run.text) + "</span>"
                             : escaped(run.text);
    }
    return result;
}

PangoLayout* FeedbackPopup::textLayout() const {
    PangoContext* context = gtk_widget_get_pango_context(window_);
    if (textLayout_ == nullptr || pango_layout_get_context(textLayout_) != context) {
        if (textLayout_ != nullptr) {
            g_object_unref(textLayout_);
        }
        textLayout_ = pango_layout_new(context);
        PangoFontDescription* font = pango_font_description_from_string(fontOf(kind_));
        pango_layout_set_font_description(textLayout_, font);
        pango_font_description_free(font);
        pango_layout_set_alignment(textLayout_, PANGO_ALIGN_CENTER);
        textLayoutMarkup_.clear();
    } else if (pango_context_get_serial(context) != textLayoutContextSerial_) {
        pango_layout_context_changed(textLayout_);
    }
    textLayoutContextSerial_ = pango_context_get_serial(context);
    if (std::string current = markup(); current != textLayoutMarkup_) {
        pango_layout_set_markup(textLayout_, current.c_str(), -1);
        textLayoutMarkup_ = std::move(current);
    }
    return textLayout_;
}

Size FeedbackPopup::fittingTextSize() const {
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(textLayout(), &width, &height);
    return {static_cast<double>(width), static_cast<double>(height)};
}

void FeedbackPopup::setImageName(std::string_view name) {
    imageName_ = name;
    if (image_ != nullptr) {
        g_object_unref(image_);
        image_ = nullptr;
    }
    if (const auto path = name.empty() || !imagePath_ ? std::nullopt : imagePath_(name)) {
        image_ = gdk_pixbuf_new_from_file(path->c_str(), nullptr); // null when unreadable
    }
    gtk_widget_queue_draw(window_);
}

void FeedbackPopup::orderFrontAbove(runtime::Object* window) {
    orderedAbove_ = window;
    // A popup coming up with a window's new frame (the tab after a zoom, at a
    // drag's first step) waits for the window manager to apply that frame.
    GtkWindow* owner =
        gtk_widget_get_visible(window_) == 0 && awaitingFrame_ ? awaitingFrame_(window) : nullptr;
    if (owner != nullptr) {
        showAfterFrame_.wait(owner);
        return;
    }
    showAfterFrame_.cancel();
    showAbove();
}

void FeedbackPopup::showAbove() {
    gtk_widget_show(window_);
    if (GdkWindow* gdkWindow = gtk_widget_get_window(window_)) {
        gdk_window_raise(gdkWindow);
    }
}

void FeedbackPopup::orderOut() {
    orderedAbove_ = nullptr;
    showAfterFrame_.cancel();
    gtk_widget_hide(window_);
}

bool FeedbackPopup::isVisible() const {
    return gtk_widget_get_visible(window_) != 0 || showAfterFrame_.waiting();
}

gboolean FeedbackPopup::draw(GtkWidget* widget, cairo_t* cr, gpointer data) {
    const auto& self = *static_cast<FeedbackPopup*>(data);
    const double width = gtk_widget_get_allocated_width(widget);
    const double height = gtk_widget_get_allocated_height(widget);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    if (self.kind_ == platform::FeedbackKind::resizeIndicator) {
        if (self.image_ != nullptr) {
            gdk_cairo_set_source_pixbuf(cr, self.image_, 0, 0);
            cairo_paint(cr);
        }
        return TRUE;
    }
    if (self.kind_ == platform::FeedbackKind::hudAlert) {
        roundedRectangle(cr, width, height, kCornerRadius, true);
        cairo_set_source_rgba(cr, 0.1, 0.1, 0.1, 0.78);
        cairo_fill(cr);
        drawHudText(cr, widget, self.markup());
        return TRUE;
    }
    const double margin = self.shadowMargin_;
    cairo_translate(cr, margin, margin);
    drawTab(cr, self.textLayout(), width - 2 * margin, height - margin, margin > 0);
    return TRUE;
}

} // namespace vantro::gtk
