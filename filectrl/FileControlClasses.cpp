#include "filectrl/FileControlClasses.h"

#include <variant>

#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "ui/ComponentClasses.h"
#include "ui/PropertyValue.h"

using namespace ui;

namespace {

template <typename T>
using OwnSetter = bool (*)(T&, const std::string&, const TPropertyValue&, const TReaderContext&);

template <typename T>
void Register(const std::string& name, OwnSetter<T> own) {
    RegisterComponentClass(
        name, {[](TComponent* owner, TComponent*) -> TComponent* { return new T(owner); },
               [own](TComponent& c, const std::string& p, const TPropertyValue& v, const TReaderContext& context) {
                   return own(dynamic_cast<T&>(c), p, v, context);
               }});
}

template <typename T>
T* Linked(const TPropertyValue& value, const TReaderContext& context) {
    auto* linked = dynamic_cast<T*>(&context.Component(AsIdent(value)));
    if (!linked) InvalidPropertyValue();
    return linked;
}

// Common to all four: the entry height and the change handler.
template <typename T>
bool CommonProperty(T& control, const std::string& name, const TPropertyValue& value, const TReaderContext& context) {
    if (name == "ItemHeight") control.SetItemHeight(AsInt(value));
    else if (name == "OnChange") control.OnChange = context.Handler(AsIdent(value));
    else return false;
    return true;
}

TFileType FileTypeFlag(const std::string& name) {
    static const std::pair<const char*, TFileType> kFlags[] = {
        {"ftReadOnly", ftReadOnly},   {"ftHidden", ftHidden},   {"ftSystem", ftSystem}, {"ftVolumeID", ftVolumeID},
        {"ftDirectory", ftDirectory}, {"ftArchive", ftArchive}, {"ftNormal", ftNormal}};
    for (const auto& [flag, value] : kFlags)
        if (name == flag) return value;
    InvalidPropertyValue();
}

TFileType AsFileType(const TPropertyValue& value) {
    if (const auto* ident = std::get_if<TIdent>(&value)) return FileTypeFlag(ident->name);
    TFileType type = 0;
    for (const std::string& flag : AsLines(value)) type |= FileTypeFlag(flag);
    return type;
}

bool DriveProperty(TDriveComboBox& c, const std::string& name, const TPropertyValue& v, const TReaderContext& context) {
    if (name == "DirList") c.SetDirList(Linked<TDirectoryListBox>(v, context));
    else if (name == "TextCase")
        c.SetTextCase(AsIdent(v) == "tcUpperCase" ? TTextCase::tcUpperCase : TTextCase::tcLowerCase);
    else return CommonProperty(c, name, v, context);
    return true;
}

bool DirectoryProperty(TDirectoryListBox& c, const std::string& name, const TPropertyValue& v,
                       const TReaderContext& context) {
    if (name == "FileList") c.SetFileList(Linked<TFileListBox>(v, context));
    else if (name == "Directory") c.SetDirectory(AsText(v));
    else return CommonProperty(c, name, v, context);
    return true;
}

bool FileProperty(TFileListBox& c, const std::string& name, const TPropertyValue& v, const TReaderContext& context) {
    if (name == "Mask") c.SetMask(AsText(v));
    else if (name == "FileType") c.SetFileType(AsFileType(v));
    else if (name == "ShowGlyphs") c.SetShowGlyphs(AsBool(v));
    else if (name == "Directory") c.SetDirectory(AsText(v));
    else return CommonProperty(c, name, v, context);
    return true;
}

bool FilterProperty(TFilterComboBox& c, const std::string& name, const TPropertyValue& v,
                    const TReaderContext& context) {
    if (name == "FileList") c.SetFileList(Linked<TFileListBox>(v, context));
    else if (name == "Filter") c.SetFilter(AsText(v));
    else return CommonProperty(c, name, v, context);
    return true;
}

}  // namespace

void RegisterFileControlClasses() {
    Register<TDriveComboBox>("TDriveComboBox", DriveProperty);
    Register<TDirectoryListBox>("TDirectoryListBox", DirectoryProperty);
    Register<TFileListBox>("TFileListBox", FileProperty);
    Register<TFilterComboBox>("TFilterComboBox", FilterProperty);
}
