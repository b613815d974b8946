#include "EVT/I_EventConsumer.h"

#include "EVT/EventBus.h"

namespace EVT {

I_EventConsumer::I_EventConsumer() {
    // Building the bus before the first consumer makes it outlive every consumer that
    // is itself a process-wide static, so their destructors can still unsubscribe.
    Util::Singleton<EventBus>::instance();
}

I_EventConsumer::~I_EventConsumer() {
    Util::Singleton<EventBus>::instance().removeConsumer(this);
}

}  // namespace EVT
