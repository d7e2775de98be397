#pragma once
// The component classes a form description may name: how to make one and how to set the
// properties of its own. Controls' common properties (caption, hint, cursor, font, ...) are
// set by the reader itself, after the class has declined them.

#include <functional>
#include <string>

#include "ui/Component.h"
#include "ui/FormDescription.h"

// What a property setter may ask of the reader.
class TReaderContext {
public:
    virtual ~TReaderContext() = default;
    // The component of that name in the form being read; EReadError when there is none.
    virtual TComponent& Component(const std::string& name) const = 0;
    // The form's handler of that name; EReadError when there is none.
    virtual TNotifyEvent Handler(const std::string& name) const = 0;
};

struct TComponentClass {
    // Makes a component owned by the form; `parent` is the component it is placed in.
    std::function<TComponent*(TComponent* owner, TComponent* parent)> create;
    // Returns false when the property is not one of the class's own.
    std::function<bool(TComponent& component, const std::string& property, const TPropertyValue& value,
                       const TReaderContext& context)>
        setProperty;
};

void RegisterComponentClass(const std::string& className, TComponentClass componentClass);
// The class of that name, or null. The framework's own classes are always known.
const TComponentClass* FindComponentClass(const std::string& className);
