#include "runtime/message_send.h"

#include "runtime/system_log.h"

#include <cstdlib>

namespace vantro::runtime {

const MethodCache::Entry* fillCacheForSend(Object* receiver, Selector selector) {
    Class* cls = receiver->isa();
    if (lookupMethodCached(cls, selector) == nullptr) {
        systemLogFormat("%c[%s %s]: unrecognized selector sent to %p",
                        cls->isMetaclass() ? '+' : '-', cls->name().c_str(),
                        std::string(selector.name()).c_str(), static_cast<const void*>(receiver));
    }
    return cls->cache().find(selector);
}

void reportSignatureMismatch(const Object* receiver, Selector selector, const std::string& callSite,
                             const std::string& method) {
    const Class* cls = receiver->isa();
    systemLogFormat(R"(%c[%s %s] sent with types "%s" but implemented with types "%s")",
                    cls->isMetaclass() ? '+' : '-', cls->name().c_str(),
                    std::string(selector.name()).c_str(), callSite.c_str(), method.c_str());
    std::abort();
}

} // namespace vantro::runtime
