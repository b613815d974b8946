#pragma once

#include "Util/HashedID.h"

namespace EVT {

class I_Event;

// The base of everything that receives events. The virtual identity base gives every
// consumer object exactly one process-unique ID, however many bases its class has;
// the bus tells consumers apart by it. Destruction unsubscribes from every type.
class I_EventConsumer : public virtual Util::HashedID<unsigned long> {
public:
    I_EventConsumer();
    virtual ~I_EventConsumer();

    // Called for every event of a subscribed type; the event is not owned.
    virtual void handleEvent(I_Event* event) = 0;

protected:
    I_EventConsumer(const I_EventConsumer&) = default;
    I_EventConsumer& operator=(const I_EventConsumer&) = default;
};

}  // namespace EVT
