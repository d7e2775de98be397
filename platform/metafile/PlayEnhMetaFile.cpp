// PlayEnhMetaFile: the player draws straight into a 32-bit top-down surface; any other surface
// is copied into a 32-bit one first and back afterwards, through the raster service's blits.
#include "platform/DeviceContext.h"
#include "platform/Surface.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/metafile/PlayMetafileInto.h"

namespace platform {

namespace {

bool DirectlyDrawable(const Surface& s) {
    return s.BitsPerPixel() == 32 && s.TopDown() && s.Compression() == BI_RGB && s.Stride() % 4 == 0;
}

bool PlayThroughCopy(const HDC& dc, Surface& target, const EnhMetaFile& emf, const RECT& rect) {
    SurfaceDesc desc;
    desc.width = target.Width();
    desc.height = target.Height();
    desc.dib = true;
    const HBITMAP work = Surface::Make(desc);
    const HDC workDC = work ? CreateCompatibleDC(dc) : nullptr;
    if (!workDC) return false;
    const HBITMAP previous = platform::SelectObject(workDC, work);
    bool done = BitBlt(workDC, 0, 0, desc.width, desc.height, dc, 0, 0, SRCCOPY);
    if (done) {
        PlayMetafileInto(*work, emf, rect);
        done = BitBlt(dc, 0, 0, desc.width, desc.height, workDC, 0, 0, SRCCOPY);
    }
    platform::SelectObject(workDC, previous);
    DeleteDC(workDC);
    return done;
}

}  // namespace

bool PlayEnhMetaFile(const HDC& dc, const HENHMETAFILE& emf, const RECT& rect) {
    if (!dc || !emf || !dc->Target()) return false;
    Surface& target = *dc->Target();
    if (target.Width() <= 0 || target.Height() <= 0) return true;
    if (!DirectlyDrawable(target)) return PlayThroughCopy(dc, target, *emf, rect);
    PlayMetafileInto(target, *emf, rect);
    return true;
}

}  // namespace platform
