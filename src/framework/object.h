// The common base of the model classes: polymorphic, never copied.
#pragma once

namespace ostrel {

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;
};

} // namespace ostrel
