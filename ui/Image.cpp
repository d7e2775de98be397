#include "ui/Image.h"

#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "ui/ImageView.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TImage, TControl);

TImage::TImage(TComponent* owner) : TControl(owner, new ImageView), picture_(std::make_unique<TPicture>()) {
    View()->SetPicture(picture_.get());
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, kDefaultSize, kDefaultSize);
    EnableMouseClick();
}

TImage::~TImage() {
    if (View()) View()->SetPicture(nullptr);
}

ImageView* TImage::View() const { return static_cast<ImageView*>(Widget()); }

TCanvas& TImage::Canvas() {
    if (!picture_->CurrentGraphic()) {
        TBitmap bitmap;
        bitmap.ResizeWidth(Width());
        bitmap.ResizeHeight(Height());
        picture_->ReplaceGraphic(&bitmap);
    }
    auto* bitmap = dynamic_cast<TBitmap*>(picture_->CurrentGraphic());
    if (!bitmap) throw EInvalidOperation(msg::SImageCanvasNeedsBitmap);
    return bitmap->Canvas();
}

void TImage::BoundsChanged() {
    if (View()) View()->Invalidate();
}

void TImage::PictureChanged() {
    if (View()) View()->Invalidate();
}
