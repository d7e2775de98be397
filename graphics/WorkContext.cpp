#include "graphics/WorkContext.h"

#include "graphics/Exceptions.h"

TWorkDC::TWorkDC() {
    TScreenDC screen;
    dc_ = platform::CreateCompatibleDC(screen.Handle());
    if (!dc_) RaiseLastPlatformError();
}

TWorkDC::~TWorkDC() { platform::DeleteDC(dc_); }

int DisplayBitsPerPixel() { return platform::Display().bitsPerPixel * platform::Display().planes; }
