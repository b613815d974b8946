#pragma once

#include <string>

namespace Util {

// A base holding a name.
class NamedObject {
public:
    explicit NamedObject(const std::string& objectName = std::string()) : name(objectName) {}
    virtual ~NamedObject() = default;

    const std::string& getName() const { return name; }
    void setName(const std::string& newName) { name = newName; }

protected:
    std::string name;
};

}  // namespace Util
