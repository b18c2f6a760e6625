#pragma once

// The headless backend: screens, events, time and feedback surfaces held in
// memory and driven by tests. Installing it makes it the current platform.

#include "platform/fake/fake_clock.h"
#include "platform/platform.h"

#include <deque>
#include <set>

namespace vantro::platform::fake {

class FakeFeedbackSurface;

class FakePlatform final : public Platform {
  public:
    FakePlatform();
    ~FakePlatform() override;
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // --- Set up by tests.
    std::vector<Screen> screenList{Screen{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)}};
    std::optional<Event> event;
    std::deque<Event> trackingEvents; // answered by nextEventMatchingMask in order
    Point mouse;
    unsigned resizeEdges = kResizeRightEdge | kResizeBottomEdge;
    std::optional<std::string> bundleIdentifier = std::string("org.example.TestHost");
    bool javaProcess = false;
    std::string bundlePath = "/fake/SIMBL/Plugins/Vantro.bundle";
    std::set<std::string, std::less<>> existingPaths{bundlePath};
    std::set<std::string, std::less<>> imageResources{"TopLeftResizeIndicator"};
    double appKitVersion = 1038;
    std::string dataDirectory = "/fake/home/.local/share";
    runtime::Object* mainMenuObject = nullptr;
    runtime::Object* windowsMenuObject = nullptr;
    // Panes that start when opened; every other path fails to.
    std::set<std::string, std::less<>> runnablePanes;
    FakeClock clock;

    // --- Observed by tests.
    std::vector<Cursor> cursorsSet;
    std::vector<FakeFeedbackSurface*> surfaces; // every surface created, still alive
    std::vector<std::string> panesOpened;       // every open asked for

    // A scripted current event carrying only modifier flags.
    void holdModifiers(ModifierFlags flags);
    long nextWindowNumber() { return ++windowNumbers_; }

    // --- Platform.
    [[nodiscard]] const std::vector<Screen>& screens() const override { return screenList; }
    [[nodiscard]] std::optional<Event> currentEvent() const override { return event; }
    [[nodiscard]] Point mouseLocation() const override { return mouse; }
    std::optional<Event> nextEventMatchingMask(EventMask mask) override;
    void setCursor(Cursor cursor) override { cursorsSet.push_back(cursor); }
    [[nodiscard]] unsigned liveResizeEdges() const override { return resizeEdges; }
    [[nodiscard]] double now() const override { return clock.now(); }
    void performAfterDelay(const void* target, runtime::Selector selector, double delay,
                           std::function<void()> action) override;
    void cancelPerforms(const void* target, runtime::Selector selector) override;
    void cancelAllPerforms(const void* target) override { clock.cancelAllPerforms(target); }
    AnimationId animate(double duration, std::function<void(double)> step,
                        std::function<void()> done) override;
    void cancelAnimation(AnimationId id) override;
    [[nodiscard]] runtime::Object* mainMenu() const override { return mainMenuObject; }
    [[nodiscard]] runtime::Object* windowsMenu() const override { return windowsMenuObject; }
    std::unique_ptr<FeedbackSurface> createFeedbackSurface(FeedbackKind kind) override;
    [[nodiscard]] const std::optional<std::string>& hostBundleIdentifier() const override {
        return bundleIdentifier;
    }
    [[nodiscard]] bool isJavaProcess() const override { return javaProcess; }
    [[nodiscard]] const std::string& pluginBundlePath() const override { return bundlePath; }
    [[nodiscard]] std::optional<std::string>
    pathForImageResource(std::string_view name) const override;
    [[nodiscard]] bool fileExistsAtPath(std::string_view path) const override;
    [[nodiscard]] std::string userDataDirectory() const override { return dataDirectory; }
    bool openPreferencePane(std::string_view path) override {
        panesOpened.emplace_back(path);
        return runnablePanes.contains(path);
    }
    [[nodiscard]] double appKitVersionNumber() const override { return appKitVersion; }

    void forgetSurface(FakeFeedbackSurface* surface);

  private:
    Platform* previous_;
    long windowNumbers_ = 0;
};

// A surface that records what the plug-in shows.
class FakeFeedbackSurface final : public FeedbackSurface {
  public:
    FakeFeedbackSurface(FakePlatform& platform, FeedbackKind kind);
    ~FakeFeedbackSurface() override;
    FakeFeedbackSurface(const FakeFeedbackSurface&) = delete;
    FakeFeedbackSurface& operator=(const FakeFeedbackSurface&) = delete;

    [[nodiscard]] FeedbackKind kind() const override { return kind_; }
    void setFrame(const Rect& frame) override { frame_ = frame; }
    [[nodiscard]] Rect frame() const override { return frame_; }
    void setAlpha(double alpha) override { alpha_ = alpha; }
    [[nodiscard]] double alpha() const override { return alpha_; }
    void setText(std::string_view text) override {
        text_ = text;
        runs_.clear();
    }
    [[nodiscard]] const std::string& text() const override { return text_; }
    void setTextRuns(const std::vector<TextRun>& runs) override {
        runs_ = runs;
        text_.clear();
        for (const TextRun& run : runs) {
            text_ += run.text;
        }
    }
    [[nodiscard]] const std::vector<TextRun>& textRuns() const { return runs_; }
    // Deterministic metrics: 6 points a character in the smaller size, 7 in
    // the larger, 14 points of line height.
    [[nodiscard]] Size fittingTextSize() const override {
        double width = 0;
        for (const TextRun& run : runs_) {
            width += static_cast<double>(run.text.size()) * (run.larger ? 7 : 6);
        }
        if (runs_.empty()) {
            width = static_cast<double>(text_.size()) * 6;
        }
        return {width, 14};
    }
    void setImageName(std::string_view name) override { imageName_ = name; }
    [[nodiscard]] const std::string& imageName() const override { return imageName_; }
    void orderFrontAbove(runtime::Object* window) override {
        visible_ = true;
        above_ = window;
    }
    void orderOut() override {
        visible_ = false;
        above_ = nullptr;
    }
    [[nodiscard]] bool isVisible() const override { return visible_; }
    [[nodiscard]] runtime::Object* orderedAbove() const override { return above_; }

  private:
    FakePlatform& platform_;
    FeedbackKind kind_;
    Rect frame_;
    double alpha_ = 1;
    std::string text_;
    std::vector<TextRun> runs_;
    std::string imageName_;
    bool visible_ = false;
    runtime::Object* above_ = nullptr;
};

} // namespace vantro::platform::fake
