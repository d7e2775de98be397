#pragma once
// TIcon: the graphic of icon files. It keeps the file's bytes as they are, builds a platform icon
// from the best-fitting image of the file when first drawn, and draws it at its own size.

#include <cstdint>
#include <memory>

#include "graphics/Graphic.h"
#include "graphics/SharedImage.h"
#include "platform/Icons.h"

class TMemoryStream;
using HICON = platform::HICON;

// What icons sharing one file or handle have in common.
class TIconImage : public TSharedImage {
public:
    HICON handle;                                 // null until built
    std::unique_ptr<TMemoryStream> keptFileData;  // the whole icon file; none for a handle
    std::int32_t builtWidth = 0;
    std::int32_t builtHeight = 0;

    TIconImage();
    ~TIconImage() override;
};

class TIcon : public TGraphic {
    OBRAZOR_CLASS_RECORD
public:
    TIcon();
    ~TIcon() override;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    // TGraphic
    void CopyFrom(TPersistent* source) override;  // a TIcon shares its image; null empties
    void DrawInto(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() override;
    std::int32_t ImageHeight() override;
    std::int32_t ImageWidth() override;
    void ResizeHeight(std::int32_t value) override;
    void ChangeTransparent(bool value) override;
    void ResizeWidth(std::int32_t value) override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void ReadFromClipboard(std::uint16_t format, const TClipboardData& data, HPALETTE palette) override;
    void WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) override;

    // Builds the icon from the kept file on first use.
    HICON IconHandle();
    // A new image holding the handle and no file data.
    void AdoptIconHandle(HICON handle);

private:
    void InstallImage(TIconImage* image);
    void BuildIcon();
    void EnsureFileData();

    TIconImage* image_;
    std::int32_t requestedWidth_ = 0;
    std::int32_t requestedHeight_ = 0;
};
