#include "app/StockIcon.h"

#include "graphics/Bitmap.h"
#include "graphics/Streams.h"
#include "platform/Icons.h"
#include "resources/Resources.h"

void InstallStockIcon() {
    TMemoryStream stream;
    stream.WriteBuffer(ProgramIconBmp, std::int64_t(ProgramIconBmpSize));
    stream.SetPosition(0);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    platform::ICONINFO parts;
    parts.hbmColor = bitmap.BitmapHandle();
    // The picture is opaque: an all-zero mask.
    parts.hbmMask = platform::CreateBitmap(bitmap.ImageWidth(), bitmap.ImageHeight(), 1, 1, nullptr);
    if (platform::HICON icon = platform::CreateIconIndirect(parts)) platform::SetApplicationIcon(std::move(icon));
}
