#pragma once

// The feedback surfaces in GTK: small undecorated popup windows that the
// pointer passes through, drawn with cairo. The heads-up panel is a dark
// rounded panel with light text, the dimension tab a dark tab with bold
// white text (its larger runs larger) and, with a compositor, a soft shadow;
// the resize indicator the bundle's image. With a compositor they are
// translucent and fade by their opacity; without one they are solid and
// their windows are cut to their rounded outlines.

#include "platform/feedback_surface.h"
#include "platform/gtk/coordinate_space.h"
#include "platform/gtk/show_after_frame.h"

#include <gtk/gtk.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantro::gtk {

class FeedbackPopup final : public platform::FeedbackSurface {
  public:
    // `space` answers the current conversion of the plug-in's frames to X11
    // (asked at each placing: the monitors may change while a popup lives);
    // `imagePath` finds a bundle image by name (none when the bundle lacks it);
    // `awaitingFrame` answers the GtkWindow of a window whose frame request
    // the window manager has not applied yet, and null for any other.
    FeedbackPopup(platform::FeedbackKind kind, std::function<CoordinateSpace()> space,
                  std::function<std::optional<std::string>(std::string_view)> imagePath,
                  std::function<GtkWindow*(runtime::Object*)> awaitingFrame = {});
    ~FeedbackPopup() override;
    FeedbackPopup(const FeedbackPopup&) = delete;
    FeedbackPopup& operator=(const FeedbackPopup&) = delete;

    [[nodiscard]] platform::FeedbackKind kind() const override { return kind_; }
    void setFrame(const Rect& frame) override;
    [[nodiscard]] Rect frame() const override { return frame_; }
    void setAlpha(double alpha) override;
    [[nodiscard]] double alpha() const override { return alpha_; }
    void setText(std::string_view text) override;
    [[nodiscard]] const std::string& text() const override { return text_; }
    void setTextRuns(const std::vector<platform::TextRun>& runs) override;
    [[nodiscard]] Size fittingTextSize() const override;
    void setImageName(std::string_view name) override;
    [[nodiscard]] const std::string& imageName() const override { return imageName_; }
    void orderFrontAbove(runtime::Object* window) override;
    void orderOut() override;
    [[nodiscard]] bool isVisible() const override;
    [[nodiscard]] runtime::Object* orderedAbove() const override { return orderedAbove_; }

    // The popup itself, for tests that look at it on the X server.
    [[nodiscard]] GtkWidget* widget() const { return window_; }
    // How far the popup's window reaches beyond the frame on the left, right
    // and top for the tab's shadow: 0 without a compositor.
    [[nodiscard]] int shadowMargin() const { return shadowMargin_; }

  private:
    static gboolean draw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static void realized(GtkWidget* widget, gpointer self);
    void showAbove();
    // Without a compositor a popup cannot be partly transparent: its window
    // is cut to the rounded shape it draws instead.
    void shapeToOutline(int width, int height);
    // Pango markup of the runs (or the plain text), escaped.
    [[nodiscard]] std::string markup() const;
    // The tab's text laid out in its font, kept between a step's measuring
    // and its drawing: shaping the text is most of what a step's tab costs.
    // Laid out again when the text changes or the widget's Pango context does
    // (a new font resolution or screen).
    [[nodiscard]] PangoLayout* textLayout() const;

    platform::FeedbackKind kind_;
    std::function<CoordinateSpace()> space_;
    std::function<std::optional<std::string>(std::string_view)> imagePath_;
    std::function<GtkWindow*(runtime::Object*)> awaitingFrame_;
    GtkWidget* window_ = nullptr;
    GdkPixbuf* image_ = nullptr;
    Rect frame_;
    double alpha_ = 1.0;
    std::string text_;
    std::vector<platform::TextRun> runs_;
    std::string imageName_;
    runtime::Object* orderedAbove_ = nullptr;
    int shadowMargin_ = 0;
    mutable PangoLayout* textLayout_ = nullptr;
    mutable std::string textLayoutMarkup_;
    mutable guint textLayoutContextSerial_ = 0;
    ShowAfterFrame showAfterFrame_{[this] { showAbove(); }};
};

} // namespace vantro::gtk
