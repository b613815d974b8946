#pragma once

namespace Util {

// A process-unique identity number, taken from a counter when the object is built and
// fixed for the object's life. The first ID handed out is 1; IDs are never reused.
// A copy is a different object and so takes a new ID; assignment keeps the target's.
template <class T>
class UniqueID {
public:
    UniqueID() : id(nextID()) {}
    UniqueID(const UniqueID&) : id(nextID()) {}
    UniqueID& operator=(const UniqueID&) { return *this; }

    T getID() const { return id; }

    // Increments the process-wide counter and returns its new value.
    static T nextID() {
        static T l_prevID = 0;
        return ++l_prevID;
    }

protected:
    const T id;
};

}  // namespace Util
