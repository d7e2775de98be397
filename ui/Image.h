#pragma once
// TImage: a control that owns one picture and paints its graphic at the graphic's own size from
// its top-left corner, clipped to the control. Asked for a canvas while empty, it first makes a
// white bitmap of its own size.

#include <memory>

#include "graphics/Picture.h"
#include "ui/Control.h"

class ImageView;

class TImage : public TControl {
    OBRAZOR_CLASS_RECORD
public:
    static constexpr int kDefaultSize = 105;

    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture& Picture() { return *picture_; }
    // The canvas of the bitmap the picture holds; raises EInvalidOperation when the picture
    // holds a graphic that is not a bitmap.
    TCanvas& Canvas();

protected:
    void BoundsChanged() override;

private:
    void PictureChanged();
    ImageView* View() const;
    std::unique_ptr<TPicture> picture_;
};
