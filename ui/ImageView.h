#pragma once
// The widget of a TImage: keeps the last rendering of the picture until the picture changes.

#include <QImage>
#include <QWidget>

class TPicture;

class ImageView : public QWidget {
public:
    void SetPicture(TPicture* picture) { picture_ = picture; }
    // Drops the rendering; the next paint draws the graphic anew.
    void Invalidate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect NeededArea() const;
    TPicture* picture_ = nullptr;
    QImage rendered_;
    QRect renderedArea_;
    bool failed_ = false;
};
