#pragma once
// For the test programs that drive the program's windows: the three windows made and freed as
// start-up and the end of the program do, and picture files for them to show.

#include <string>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/conversion/PictureFormats.h"
#include "graphics/Bitmap.h"
#include "graphics/Streams.h"
#include "jpeg/JPEGImage.h"
#include "ui/Application.h"

namespace programwindows {

// The application as the program starts and ends it, for a test program's environment.
inline void StartApplication() {
    TApplication::Initialize();
    Application->SetTitle("Lumovar");
    RegisterPictureFormats();
}

inline void StopApplication() {
    UnregisterPictureFormats();
    delete Application;
}

inline void Create() {
    Form1 = new TForm1(nullptr);
    Form2 = new TForm2(nullptr);
    Form3 = new TForm3(nullptr);
}

inline void Destroy() {
    delete Form3;
    delete Form2;
    delete Form1;
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
}

// The bitmap as a JPEG file when the path ends in ".jpg", else as a BMP file.
inline void WritePicture(TBitmap& bitmap, const std::string& path) {
    TFileStream file(path, TFileStream::fmCreate);
    if (path.ends_with(".jpg")) {
        TJPEGImage jpeg;
        jpeg.CopyFrom(&bitmap);
        jpeg.SaveToStream(file);
    } else {
        bitmap.SaveToStream(file);
    }
}

}  // namespace programwindows
