// TIcon: sharing, loading without decoding, building on first draw, drawing at the icon's own
// size, and saving the kept bytes unchanged.
#include "graphics/Icon.h"

#include "graphics/Canvas.h"
#include "graphics/Exceptions.h"
#include "graphics/IconFile.h"
#include "graphics/Messages.h"
#include "graphics/Streams.h"

OBRAZOR_DEFINE_CLASS(TIcon, TGraphic);

TIconImage::TIconImage() = default;

TIconImage::~TIconImage() { platform::DestroyIcon(handle); }

TIcon::TIcon() : image_(new TIconImage) {
    image_->Reference();
    transparent_ = true;
}

TIcon::~TIcon() { image_->Release(); }

void TIcon::InstallImage(TIconImage* image) {
    image->Reference();
    image_->Release();
    image_ = image;
}

void TIcon::CopyFrom(TPersistent* source) {
    auto* other = dynamic_cast<TIcon*>(source);
    if (source && !other) {
        TGraphic::CopyFrom(source);
        return;
    }
    InstallImage(other ? other->image_ : new TIconImage);
    NotifyChanged(this);
}

bool TIcon::IsEmpty() { return !image_->handle && !image_->keptFileData; }

std::int32_t TIcon::ImageWidth() {
    return image_->builtWidth ? image_->builtWidth : platform::GetSystemMetrics(platform::SM_CXICON);
}

std::int32_t TIcon::ImageHeight() {
    return image_->builtHeight ? image_->builtHeight : platform::GetSystemMetrics(platform::SM_CYICON);
}

void TIcon::ResizeWidth(std::int32_t value) {
    if (image_->handle) throw EInvalidGraphicOperation(msg::SChangeIconSize);
    requestedWidth_ = value;
}

void TIcon::ResizeHeight(std::int32_t value) {
    if (image_->handle) throw EInvalidGraphicOperation(msg::SChangeIconSize);
    requestedHeight_ = value;
}

void TIcon::ChangeTransparent(bool) {}

void TIcon::LoadFromStream(TStream& stream) {
    const std::int64_t count = stream.Remaining();
    if (count > ico::kMaxFileBytes) throw EInvalidGraphic(msg::SInvalidIcon);
    auto data = std::make_unique<TMemoryStream>();
    data->ReadFrom(stream, count < 0 ? 0 : count);
    data->SetPosition(0);
    const ico::Header header = ico::ReadHeader(*data);
    if (header.type != ico::kTypeStock && header.type != ico::kTypeIcon) throw EInvalidGraphic(msg::SInvalidIcon);
    auto* image = new TIconImage;
    image->keptFileData = std::move(data);
    InstallImage(image);
    NotifyChanged(this);
}

void TIcon::BuildIcon() {
    if (image_->handle || !image_->keptFileData) return;
    TMemoryStream& data = *image_->keptFileData;
    data.SetPosition(0);
    const ico::Header header = ico::ReadHeader(data);
    if (header.type == ico::kTypeStock) {
        image_->handle = platform::LoadIcon(nullptr, platform::IDI_APPLICATION);
        if (!image_->handle) RaiseLastPlatformError();
        return;
    }
    if (header.type != ico::kTypeIcon) throw EInvalidGraphic(msg::SInvalidIcon);
    ico::Size desired{requestedWidth_, requestedHeight_};
    if (!desired.width && !desired.height)
        desired = {platform::GetSystemMetrics(platform::SM_CXICON), platform::GetSystemMetrics(platform::SM_CYICON)};
    ico::Size built;
    image_->handle = ico::ReadIconImage(data, desired, built);
    image_->builtWidth = built.width;
    image_->builtHeight = built.height;
}

HICON TIcon::IconHandle() {
    BuildIcon();
    return image_->handle;
}

void TIcon::AdoptIconHandle(HICON handle) {
    auto* image = new TIconImage;
    if (handle) {
        image->builtWidth = handle->Width();
        image->builtHeight = handle->Height();
    }
    image->handle = std::move(handle);
    InstallImage(image);
    NotifyChanged(this);
}

void TIcon::DrawInto(TCanvas& canvas, const TRect& rect) {
    const platform::HDC dc = canvas.Handle();
    if (const HICON icon = IconHandle())
        platform::DrawIconEx(dc, rect.left, rect.top, icon, 0, 0, 0, nullptr, platform::DI_NORMAL);
}

void TIcon::EnsureFileData() {
    if (image_->keptFileData) return;
    if (!image_->handle) throw EInvalidGraphic(msg::SInvalidIcon);
    auto data = std::make_unique<TMemoryStream>();
    if (image_->handle == platform::LoadIcon(nullptr, platform::IDI_APPLICATION)) {
        const std::uint8_t stockHeader[ico::kHeaderSize] = {};
        data->WriteBuffer(stockHeader, ico::kHeaderSize);
    } else {
        ico::WriteIconFile(*data, image_->handle);
    }
    image_->keptFileData = std::move(data);
}

void TIcon::SaveToStream(TStream& stream) {
    EnsureFileData();
    TMemoryStream& data = *image_->keptFileData;
    stream.WriteBuffer(data.Memory(), data.Size());
}

void TIcon::ReadFromClipboard(std::uint16_t, const TClipboardData&, HPALETTE) {
    throw EInvalidGraphicOperation(msg::SIconClipboard);
}

void TIcon::WriteToClipboard(std::uint16_t&, TClipboardData&, HPALETTE&) {
    throw EInvalidGraphicOperation(msg::SIconClipboard);
}
