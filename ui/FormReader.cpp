// TForm::ReadDescription: builds a form's components from its description.

#include "graphics/Exceptions.h"
#include "ui/ComponentClasses.h"
#include "ui/ControlProperties.h"
#include "ui/Form.h"
#include "ui/FormDescription.h"
#include "ui/Menu.h"
#include "ui/PropertyValue.h"

using namespace ui;

namespace {

class FormReaderContext : public TReaderContext {
public:
    FormReaderContext(TForm& form, const std::map<std::string, TNotifyEvent>& handlers)
        : form_(form), handlers_(handlers) {}

    TComponent& Component(const std::string& name) const override {
        if (name.empty()) return form_;
        TComponent* component = form_.FindComponent(name);
        if (!component) throw EReadError("Invalid reference to component " + name);
        return *component;
    }

    TNotifyEvent Handler(const std::string& name) const override {
        const auto found = handlers_.find(name);
        if (found == handlers_.end()) throw EReadError("Invalid reference to handler " + name);
        return found->second;
    }

private:
    TForm& form_;
    const std::map<std::string, TNotifyEvent>& handlers_;
};

const TComponentClass& ClassOf(const std::string& className) {
    const TComponentClass* componentClass = FindComponentClass(className);
    if (!componentClass) throw EReadError("Class " + className + " not found");
    return *componentClass;
}

void SetProperty(TComponent& component, const TComponentClass& componentClass, const TPropertyDesc& property,
                 const TReaderContext& context) {
    if (componentClass.setProperty && componentClass.setProperty(component, property.name, property.value, context))
        return;
    auto* control = dynamic_cast<TControl*>(&component);
    if (control && SetControlProperty(*control, property.name, property.value, context)) return;
    throw EReadError("Property " + property.name + " does not exist");
}

TComponent& Create(TForm& form, const TComponentDesc& desc, const TReaderContext& context) {
    TComponent& parent = context.Component(desc.parent);
    TComponent* component = ClassOf(desc.className).create(&form, &parent);
    component->SetName(desc.name);
    if (auto* control = dynamic_cast<TControl*>(component)) {
        auto* container = dynamic_cast<TWinControl*>(&parent);
        if (!container) throw EReadError("Invalid parent " + desc.parent + " of " + desc.name);
        control->SetParent(container);
        control->SetBounds(desc.left, desc.top, desc.width, desc.height);
    }
    return *component;
}

}  // namespace

void TForm::ReadFormProperty(const TPropertyDesc& property, const TReaderContext& context) {
    const std::string& name = property.name;
    if (name == "ClientWidth") SetClientWidth(AsInt(property.value));
    else if (name == "ClientHeight") SetClientHeight(AsInt(property.value));
    else if (name == "Position")
        SetPosition(AsIdent(property.value) == "poScreenCenter"     ? TPosition::poScreenCenter
                    : AsIdent(property.value) == "poMainFormCenter" ? TPosition::poMainFormCenter
                                                                    : TPosition::poDesigned);
    else if (name == "BorderStyle")
        SetBorderStyle(AsIdent(property.value) == "bsToolWindow" ? TFormBorderStyle::bsToolWindow
                                                                 : TFormBorderStyle::bsSingle);
    else if (name == "Menu") SetMenu(&dynamic_cast<TMainMenu&>(context.Component(AsIdent(property.value))));
    else if (name == "OnCreate") OnCreate = context.Handler(AsIdent(property.value));
    else if (!SetControlProperty(*this, name, property.value, context))
        throw EReadError("Property " + name + " does not exist");
}

void TForm::ReadDescription(const TFormDescription& description) {
    const FormReaderContext context(*this, handlers_);
    // Every component exists before any property is set, so properties may name later ones.
    for (const TComponentDesc& desc : description.components) Create(*this, desc, context);
    for (const TComponentDesc& desc : description.components) {
        TComponent& component = context.Component(desc.name);
        for (const TPropertyDesc& property : desc.properties)
            SetProperty(component, ClassOf(desc.className), property, context);
    }
    for (const TPropertyDesc& property : description.properties) ReadFormProperty(property, context);
    if (OnCreate) OnCreate(this);
}
