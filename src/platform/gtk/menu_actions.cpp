#include "platform/gtk/menu_actions.h"

#include "runtime/message_send.h"

#include <glib.h>

#include <string>
#include <utility>

namespace vantro::gtk {

namespace {

using runtime::Object;
using runtime::Selector;

// Lives on the stack of the send it is the sender of.
class MenuItemSender final : public Object {
  public:
    explicit MenuItemSender(std::string title)
        : Object(menuItemSenderClass()), title_(std::move(title)) {}

    [[nodiscard]] const std::string& title() const { return title_; }

  private:
    std::string title_;
};

// Also reached by objects of a "GtkMenuItem" class made elsewhere: those
// have no title of ours.
std::string senderTitle(Object* self, Selector /*cmd*/) {
    const auto* sender = dynamic_cast<const MenuItemSender*>(self);
    return sender != nullptr ? sender->title() : std::string();
}

const char* classNameOf(const Object* object) {
    return object != nullptr ? object->isa()->name().c_str() : "nothing";
}

} // namespace

runtime::Class* menuItemSenderClass() {
    static runtime::Class* const cls = [] {
        runtime::Class* existing = runtime::classNamed(kMenuItemClassName);
        runtime::Class* made = existing != nullptr
                                   ? existing
                                   : runtime::defineClass(kMenuItemClassName, runtime::rootClass());
        if (existing == nullptr) {
            made->setOwner("org.gtk.Gtk"); // it stands for the toolkit's class
        }
        runtime::addMethod(made, "title", &senderTitle);
        return made;
    }();
    return cls;
}

bool performMenuAction(Object* target, const MenuChoice& choice) {
    if (choice.action.empty()) {
        g_debug("A menu item without an action was chosen: \"%s\"", choice.title.c_str());
        return false;
    }
    const Selector selector = Selector::named(choice.action);
    const runtime::Method* method =
        target != nullptr ? runtime::lookupMethodCached(target->isa(), selector) : nullptr;
    if (method == nullptr) {
        g_debug("Nothing sent for the menu item \"%s\": %s does not answer %s",
                choice.title.c_str(), classNameOf(target), choice.action.c_str());
        return false;
    }
    const bool takesSender = choice.action.back() == ':';
    const std::string& sendTypes = takesSender ? runtime::cachedMethodTypeEncoding<void, Object*>()
                                               : runtime::cachedMethodTypeEncoding<void>();
    if (method->types() != sendTypes) {
        g_debug("Nothing sent for the menu item \"%s\": %s implements %s as %s, not %s",
                choice.title.c_str(), classNameOf(target), choice.action.c_str(),
                method->types().c_str(), sendTypes.c_str());
        return false;
    }
    if (!takesSender) {
        runtime::send<void>(target, selector);
        return true;
    }
    MenuItemSender sender(choice.title);
    runtime::send<void, Object*>(target, selector, &sender);
    return true;
}

} // namespace vantro::gtk
