#include "platform/gtk/window_proxy.h"

#include "platform/gtk/gtk_platform.h"
#include "platform/gtk/window_host_methods.h"
#include "platform/platform.h"
#include "platform/window.h"

namespace vantro::gtk {

namespace {

GQuark proxyQuark() {
    static const GQuark quark = g_quark_from_static_string("vantro-window-proxy");
    return quark;
}

// The window is finalized. The plug-in forgets it and its delayed calls go; the proxy itself waits
// for any running animation to end, since animations name no target and one
// may still step it.
void freeProxy(gpointer data) {
    auto* proxy = static_cast<WindowProxy*>(data);
    platform::windowWillGo(proxy);
    proxy->window = nullptr;
    proxy->zoomButton.button = nullptr;
    if (platform::hasCurrentPlatform()) {
        platform::currentPlatform().cancelAllPerforms(proxy);
        currentGtkPlatform().retire(std::unique_ptr<runtime::Object>(proxy));
    } else {
        delete proxy;
    }
}

runtime::Class* rootWindowClass() {
    static runtime::Class* cls = [] {
        runtime::Class* made = runtime::defineClass(platform::kWindowClassName, nullptr);
        made->setOwner("org.gtk.Gtk");
        addWindowHostMethods(made);
        return made;
    }();
    return cls;
}

void defineSubtree(GType type) {
    classForGType(type);
    guint count = 0;
    GType* children = g_type_children(type, &count);
    for (guint index = 0; index < count; ++index) {
        defineSubtree(children[index]);
    }
    g_free(children);
}

} // namespace

TitleButtonProxy::TitleButtonProxy(WindowProxy& owner)
    : Object(titleButtonClass()), window(owner) {}

WindowProxy::WindowProxy(GtkWindow* gtkWindow, runtime::Class* cls)
    : Object(cls), window(gtkWindow), zoomButton(*this) {}

WindowProxy::~WindowProxy() {
    // No delayed call of the plug-in may outlive the proxy it names.
    if (platform::hasCurrentPlatform()) {
        platform::currentPlatform().cancelAllPerforms(this);
    }
}

runtime::Class* classForGType(GType type) {
    if (type == GTK_TYPE_WINDOW) {
        return rootWindowClass();
    }
    if (!g_type_is_a(type, GTK_TYPE_WINDOW)) {
        return nullptr;
    }
    const char* name = g_type_name(type);
    if (runtime::Class* existing = runtime::classNamed(name)) {
        return existing;
    }
    runtime::Class* superclass = classForGType(g_type_parent(type));
    if (superclass == nullptr) {
        return nullptr;
    }
    runtime::Class* made = runtime::defineClass(name, superclass);
    if (made != nullptr) {
        made->setOwner("org.gtk.Gtk");
    }
    return made;
}

void defineKnownWindowClasses() {
    defineSubtree(GTK_TYPE_WINDOW);
}

WindowProxy* existingProxyFor(GtkWindow* window) {
    return window != nullptr
               ? static_cast<WindowProxy*>(g_object_get_qdata(G_OBJECT(window), proxyQuark()))
               : nullptr;
}

WindowProxy* proxyFor(GtkWindow* window) {
    if (window == nullptr) {
        return nullptr;
    }
    if (WindowProxy* existing = existingProxyFor(window)) {
        return existing;
    }
    runtime::Class* cls = classForGType(G_OBJECT_TYPE(window));
    if (cls == nullptr) {
        return nullptr;
    }
    auto* proxy = new WindowProxy(window, cls);
    g_object_set_qdata_full(G_OBJECT(window), proxyQuark(), proxy, freeProxy);
    return proxy;
}

} // namespace vantro::gtk
