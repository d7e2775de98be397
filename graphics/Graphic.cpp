#include "graphics/Graphic.h"

#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "graphics/Streams.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TGraphic, TInterfacedPersistent);

void TGraphic::DeclarePersisted(TFiler& filer) {
    bool hasData;
    TPersistent* ancestor = filer.Ancestor();
    if (!ancestor) hasData = !IsEmpty();
    else if (!ancestor->InheritsFrom(TGraphic::Class)) hasData = true;
    else hasData = !SameContent(*static_cast<TGraphic*>(ancestor));
    filer.DefineBinaryProperty(
        "Data", [this](TStream& s) { ReadPersisted(s); }, [this](TStream& s) { WritePersisted(s); }, hasData);
}

void TGraphic::NotifyChanged(TObject*) {
    modified_ = true;
    if (OnChange) OnChange(this);
}

bool TGraphic::SameContent(TGraphic& other) {
    const bool thisEmpty = IsEmpty();
    const bool otherEmpty = other.IsEmpty();
    if (thisEmpty || otherEmpty) return thisEmpty && otherEmpty;
    if (&ClassType() != &other.ClassType()) return false;
    TMemoryStream mine, theirs;
    WritePersisted(mine);
    other.WritePersisted(theirs);
    return mine.Size() == theirs.Size() &&
           (mine.Size() == 0 || std::equal(mine.Memory(), mine.Memory() + mine.Size(), theirs.Memory()));
}

HPALETTE TGraphic::PaletteHandle() { return nullptr; }

bool TGraphic::IsTransparent() { return transparent_; }

void TGraphic::ReadPersisted(TStream& stream) { LoadFromStream(stream); }

void TGraphic::AdoptPalette(HPALETTE) {}

void TGraphic::ChangeTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    NotifyChanged(this);
}

void TGraphic::WritePersisted(TStream& stream) { SaveToStream(stream); }

std::unique_ptr<TGraphic> TGraphic::CreateEmpty(TGraphicClass graphicClass) {
    if (!graphicClass || !graphicClass->create) throw EAbstractError(msg::SAbstractError);
    return std::unique_ptr<TGraphic>(static_cast<TGraphic*>(graphicClass->create()));
}

void TGraphic::ReadFromFile(const std::string& path) {
    TFileStream stream(path, TFileStream::fmOpenRead);
    LoadFromStream(stream);
}

void TGraphic::WriteToFile(const std::string& path) {
    TFileStream stream(path, TFileStream::fmCreate);
    SaveToStream(stream);
}

void TGraphic::ReportProgress(TObject* sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                              const TRect& r, const std::string& message) {
    if (OnProgress) OnProgress(sender, stage, percentDone, redrawNow, r, message);
}
