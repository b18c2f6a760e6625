#pragma once

// A small undecorated window that the plug-in draws feedback into: the
// heads-up panel, the dimension tab and the resize indicator. The backend
// owns the drawing; the plug-in sets what is shown and where.

#include "platform/geometry.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantro::runtime {
class Object;
}

namespace vantro::platform {

enum class FeedbackKind { hudAlert, dimensionTab, resizeIndicator };

// A piece of a surface's text in one of its two type sizes.
struct TextRun {
    std::string text;
    bool larger = false;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

class FeedbackSurface {
  public:
    virtual ~FeedbackSurface() = default;

    [[nodiscard]] virtual FeedbackKind kind() const = 0;
    virtual void setFrame(const Rect& frame) = 0;
    [[nodiscard]] virtual Rect frame() const = 0;
    virtual void setAlpha(double alpha) = 0;
    [[nodiscard]] virtual double alpha() const = 0;
    virtual void setText(std::string_view text) = 0;
    [[nodiscard]] virtual const std::string& text() const = 0;
    // Text in runs of two sizes; text() answers their concatenation.
    virtual void setTextRuns(const std::vector<TextRun>& runs) = 0;
    // The size the current text needs, in the backend's font metrics.
    [[nodiscard]] virtual Size fittingTextSize() const = 0;
    // Named image of the plug-in bundle shown as the surface's background or
    // content; an empty name shows none.
    virtual void setImageName(std::string_view name) = 0;
    [[nodiscard]] virtual const std::string& imageName() const = 0;
    // Shows the surface just above `window` (or above everything when null).
    virtual void orderFrontAbove(runtime::Object* window) = 0;
    virtual void orderOut() = 0;
    [[nodiscard]] virtual bool isVisible() const = 0;
    // The window it was last ordered above; null when shown above everything
    // or hidden.
    [[nodiscard]] virtual runtime::Object* orderedAbove() const = 0;
};

} // namespace vantro::platform
