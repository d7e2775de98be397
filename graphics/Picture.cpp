#include "graphics/Picture.h"

#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/Icon.h"
#include "graphics/Messages.h"
#include "graphics/Metafile.h"
#include "graphics/Streams.h"

OBRAZOR_DEFINE_CLASS(TPicture, TInterfacedPersistent);

// ---- Text helpers ---------------------------------------------------------------------------

std::string PathExtension(const std::string& path) {
    const auto dot = path.rfind('.');
    if (dot == std::string::npos) return {};
    if (path.find('/', dot) != std::string::npos) return {};
    return path.substr(dot + 1);
}

// ---- Registries -----------------------------------------------------------------------------

FormatRegistry::FormatRegistry() {
    entries_.push_back({&TMetafile::Class, "wmf", msg::SMetafilesDescription});
    entries_.push_back({&TMetafile::Class, "emf", msg::SEnhMetafilesDescription});
    entries_.push_back({&TIcon::Class, "ico", msg::SIconsDescription});
    entries_.push_back({&TBitmap::Class, "bmp", msg::SBitmapsDescription});
}

FormatRegistry& FormatRegistry::Instance() {
    static FormatRegistry registry;
    return registry;
}

void FormatRegistry::Add(const std::string& extension, const std::string& description, TGraphicClass graphicClass) {
    entries_.push_back({graphicClass, AnsiLowerCase(extension), description});
}

TGraphicClass FormatRegistry::FindByExtension(const std::string& extension) const {
    const std::string key = AnsiLowerCase(extension);
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->extension == key) return it->graphicClass;
    return nullptr;
}

TGraphicClass FormatRegistry::FindByClassName(const std::string& name) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (name == it->graphicClass->name) return it->graphicClass;
    return nullptr;
}

void FormatRegistry::Remove(TGraphicClass graphicClass) {
    for (std::size_t i = entries_.size(); i-- > 0;)
        if (entries_[i].graphicClass->InheritsFrom(graphicClass)) entries_.erase(entries_.begin() + std::ptrdiff_t(i));
}

ClipboardRegistry::ClipboardRegistry() {
    Add(3, &TMetafile::Class);
    Add(14, &TMetafile::Class);
    Add(2, &TBitmap::Class);
}

ClipboardRegistry& ClipboardRegistry::Instance() {
    static ClipboardRegistry registry;
    return registry;
}

void ClipboardRegistry::Add(std::uint16_t format, TGraphicClass graphicClass) {
    formats_.push_back(format);
    try {
        classes_.push_back(graphicClass);
    } catch (...) {
        formats_.pop_back();
        throw;
    }
}

void ClipboardRegistry::Remove(TGraphicClass graphicClass) {
    for (std::size_t i = classes_.size(); i-- > 0;) {
        if (classes_[i]->InheritsFrom(graphicClass)) {
            classes_.erase(classes_.begin() + std::ptrdiff_t(i));
            formats_.erase(formats_.begin() + std::ptrdiff_t(i));
        }
    }
}

// ---- TPicture -------------------------------------------------------------------------------

TPicture::TPicture() {
    FormatRegistry::Instance();
    ClipboardRegistry::Instance();
}

TPicture::~TPicture() = default;

void TPicture::RegisterExtension(const std::string& extension, const std::string& description,
                                 TGraphicClass graphicClass) {
    FormatRegistry::Instance().Add(extension, description, graphicClass);
}

void TPicture::RegisterClipboardFormat(std::uint16_t format, TGraphicClass graphicClass) {
    ClipboardRegistry::Instance().Add(format, graphicClass);
}

void TPicture::ForgetGraphicClass(TGraphicClass graphicClass) {
    FormatRegistry::Instance().Remove(graphicClass);
    ClipboardRegistry::Instance().Remove(graphicClass);
}

void TPicture::Hold(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_) {
        graphic_->OnChange = [this](TObject* sender) { NotifyChanged(sender); };
        graphic_->OnProgress = [this](TObject* sender, TProgressStage stage, std::uint8_t percent, bool redraw,
                                      const TRect& r, const std::string& message) {
            ReportProgress(sender, stage, percent, redraw, r, message);
        };
    }
    NotifyChanged(this);
}

void TPicture::ReadFromFile(const std::string& path) {
    const std::string extension = PathExtension(path);
    const TGraphicClass graphicClass = FormatRegistry::Instance().FindByExtension(extension);
    if (!graphicClass) throw EInvalidGraphic(Format(msg::SUnknownExtension, extension.c_str()));
    std::unique_ptr<TGraphic> graphic = TGraphic::CreateEmpty(graphicClass);
    graphic->SetColorManagement(ColorManagement);
    graphic->OnProgress = [this](TObject* sender, TProgressStage stage, std::uint8_t percent, bool redraw,
                                 const TRect& r, const std::string& message) {
        ReportProgress(sender, stage, percent, redraw, r, message);
    };
    graphic->ReadFromFile(path);
    Hold(std::move(graphic));
}

// The picture in the format its path's extension names; a graphic of another class is first
// copied into one of that format. The whole file is made in memory before the path is touched,
// so a graphic that cannot be written leaves an existing file as it was.
void TPicture::SaveToFile(const std::string& path) {
    const std::string extension = PathExtension(path);
    const TGraphicClass graphicClass = FormatRegistry::Instance().FindByExtension(extension);
    if (!graphicClass) throw EInvalidGraphic(Format(msg::SUnknownExtension, extension.c_str()));
    if (!graphic_) throw EInvalidGraphicOperation(msg::SEmptyPicture);
    std::unique_ptr<TGraphic> converted;
    TGraphic* writer = graphic_.get();
    if (!writer->InheritsFrom(*graphicClass)) {
        converted = TGraphic::CreateEmpty(graphicClass);
        converted->CopyFrom(writer);
        writer = converted.get();
    }
    TMemoryStream content;
    writer->SaveToStream(content);
    TFileStream file(path, TFileStream::fmCreate);
    content.SaveToStream(file);
}

std::int32_t TPicture::ImageWidth() { return graphic_ ? graphic_->ImageWidth() : 0; }

std::int32_t TPicture::ImageHeight() { return graphic_ ? graphic_->ImageHeight() : 0; }

void TPicture::ReplaceGraphic(TGraphic* graphic) {
    std::unique_ptr<TGraphic> copy;
    if (graphic) {
        copy = TGraphic::CreateEmpty(&graphic->ClassType());
        copy->CopyFrom(graphic);
    }
    Hold(std::move(copy));
}

TGraphic* TPicture::EnsureGraphicClass(TGraphicClass graphicClass) {
    if (!graphic_ || !graphic_->ClassType().InheritsFrom(graphicClass)) Hold(TGraphic::CreateEmpty(graphicClass));
    return graphic_.get();
}

TBitmap* TPicture::AsBitmap() { return static_cast<TBitmap*>(EnsureGraphicClass(&TBitmap::Class)); }

void TPicture::LoadFromStream(TStream& stream) {
    TBitmap* bitmap = AsBitmap();
    bitmap->SetColorManagement(ColorManagement);
    bitmap->LoadFromStream(stream);
}

void TPicture::SaveToStream(TStream& stream) { AsBitmap()->SaveToStream(stream); }

void TPicture::CopyFrom(TPersistent* source) {
    if (!source) {
        ReplaceGraphic(nullptr);
    } else if (source->InheritsFrom(TPicture::Class)) {
        ReplaceGraphic(static_cast<TPicture*>(source)->CurrentGraphic());
    } else if (source->InheritsFrom(TGraphic::Class)) {
        ReplaceGraphic(static_cast<TGraphic*>(source));
    } else {
        TInterfacedPersistent::CopyFrom(source);
    }
}

void TPicture::CopyTo(TPersistent* destination) {
    if (graphic_ && destination && graphic_->InheritsFrom(destination->ClassType())) {
        destination->CopyFrom(graphic_.get());
        return;
    }
    TInterfacedPersistent::CopyTo(destination);
}

void TPicture::DeclarePersisted(TFiler& filer) {
    bool hasData;
    TPersistent* ancestor = filer.Ancestor();
    if (!ancestor) {
        hasData = graphic_ != nullptr;
    } else if (!ancestor->InheritsFrom(TPicture::Class)) {
        hasData = true;
    } else {
        TGraphic* other = static_cast<TPicture*>(ancestor)->CurrentGraphic();
        if (graphic_.get() == other) hasData = false;
        else if (!graphic_ || !other) hasData = true;
        else hasData = !graphic_->SameContent(*other);
    }
    filer.DefineBinaryProperty(
        "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, hasData);
}

void TPicture::ReadData(TStream& stream) {
    const std::uint8_t length = stream.ReadUInt8();
    std::string name(length, '\0');
    stream.ReadBuffer(name.data(), length);
    std::unique_ptr<TGraphic> graphic;
    if (const TGraphicClass graphicClass = FormatRegistry::Instance().FindByClassName(name)) {
        graphic = TGraphic::CreateEmpty(graphicClass);
        graphic->ReadPersisted(stream);
    }
    Hold(std::move(graphic));
}

void TPicture::WriteData(TStream& stream) {
    std::string name = graphic_ ? graphic_->ClassName() : "";
    if (name.size() > 63) name.resize(63);
    stream.WriteUInt8(std::uint8_t(name.size()));
    stream.WriteBuffer(name.data(), std::int64_t(name.size()));
    if (graphic_) graphic_->WritePersisted(stream);
}

void TPicture::NotifyChanged(TObject*) {
    if (OnChange) OnChange(this);
    if (Notify) Notify->Changed();
}

void TPicture::ReportProgress(TObject* sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                              const TRect& r, const std::string& message) {
    if (OnProgress) OnProgress(sender, stage, percentDone, redrawNow, r, message);
}
