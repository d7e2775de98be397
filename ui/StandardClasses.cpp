#include "ui/StandardClasses.h"

#include "graphics/Streams.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComponentClasses.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/LabeledEdit.h"
#include "ui/Memo.h"
#include "ui/Menu.h"
#include "ui/Panel.h"
#include "ui/PropertyValue.h"
#include "ui/Shape.h"

using namespace ui;

namespace {

using Setter = std::function<bool(TComponent&, const std::string&, const TPropertyValue&, const TReaderContext&)>;

template <typename T>
void Register(const std::string& name, std::function<bool(T&, const std::string&, const TPropertyValue&)> own) {
    RegisterComponentClass(name, {[](TComponent* owner, TComponent*) -> TComponent* { return new T(owner); },
                                  [own](TComponent& c, const std::string& p, const TPropertyValue& v,
                                        const TReaderContext&) { return own && own(dynamic_cast<T&>(c), p, v); }});
}

bool LabelProperty(TLabel& label, const std::string& name, const TPropertyValue& value) {
    if (name == "Alignment") label.SetAlignment(AsAlignment(value));
    else if (name == "AutoSize") label.SetAutoSize(AsBool(value));
    else return false;
    return true;
}

bool CheckBoxProperty(TCheckBox& box, const std::string& name, const TPropertyValue& value) {
    if (name != "Checked") return false;
    box.SetChecked(AsBool(value));
    return true;
}

bool EditProperty(TEdit& edit, const std::string& name, const TPropertyValue& value) {
    if (name != "ReadOnly") return false;
    edit.SetReadOnly(AsBool(value));
    return true;
}

bool LabeledEditProperty(TLabeledEdit& edit, const std::string& name, const TPropertyValue& value) {
    TLabel& label = edit.EditLabel();
    if (name == "EditLabel.Caption") edit.SetEditLabel(AsText(value), label.Width(), label.Height());
    else if (name == "EditLabel.Width") edit.SetEditLabel(label.Text(), AsInt(value), label.Height());
    else if (name == "EditLabel.Height") edit.SetEditLabel(label.Text(), label.Width(), AsInt(value));
    else return EditProperty(edit, name, value);
    return true;
}

bool MemoProperty(TMemo& memo, const std::string& name, const TPropertyValue& value) {
    if (name == "Lines") memo.SetLines(AsLines(value));
    else if (name == "ReadOnly") memo.SetReadOnly(AsBool(value));
    else if (name == "ScrollBars") memo.SetVerticalScrollBar(AsIdent(value) == "ssVertical");
    else return false;
    return true;
}

bool ShapeProperty(TShape& shape, const std::string& name, const TPropertyValue& value) {
    if (name == "Brush.Color") shape.SetBrushColor(AsColor(value));
    else if (name == "Pen.Color") shape.SetPenColor(AsColor(value));
    else return false;
    return true;
}

bool ImageProperty(TImage& image, const std::string& name, const TPropertyValue& value) {
    if (name != "Picture.Data") return false;
    const TBinary& block = AsBinary(value);
    TMemoryStream stream;
    stream.WriteBuffer(block.data, std::int64_t(block.size));
    stream.SetPosition(0);
    image.Picture().ReadData(stream);
    return true;
}

void RegisterMenuItem() {
    RegisterComponentClass("TMenuItem", {[](TComponent* owner, TComponent* parent) -> TComponent* {
                                             if (auto* item = dynamic_cast<TMenuItem*>(parent))
                                                 return new TMenuItem(owner, item);
                                             auto* menu = dynamic_cast<TMainMenu*>(parent);
                                             if (!menu) InvalidPropertyValue();
                                             return new TMenuItem(owner, menu);
                                         },
                                         [](TComponent& c, const std::string& name, const TPropertyValue& value,
                                            const TReaderContext& context) {
                                             auto& item = dynamic_cast<TMenuItem&>(c);
                                             if (name == "Caption") item.SetCaption(AsText(value));
                                             else if (name == "OnClick") item.OnClick = context.Handler(AsIdent(value));
                                             else if (name == "AutoCheck") item.SetAutoCheck(AsBool(value));
                                             else if (name == "Checked") item.SetChecked(AsBool(value));
                                             else return false;
                                             return true;
                                         }});
}

}  // namespace

void RegisterStandardClasses() {
    Register<TLabel>("TLabel", LabelProperty);
    Register<TButton>("TButton", nullptr);
    Register<TCheckBox>("TCheckBox", CheckBoxProperty);
    Register<TEdit>("TEdit", EditProperty);
    Register<TLabeledEdit>("TLabeledEdit", LabeledEditProperty);
    Register<TMemo>("TMemo", MemoProperty);
    Register<TPanel>("TPanel", nullptr);
    Register<TShape>("TShape", ShapeProperty);
    Register<TImage>("TImage", ImageProperty);
    Register<TMainMenu>("TMainMenu", nullptr);
    RegisterMenuItem();
}
