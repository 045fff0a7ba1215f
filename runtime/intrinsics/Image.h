#pragma once
// An image box: a picture drawn by its container at the box's position, at its own size
// (the box takes the picture's size) or stretched to the box.
#include "runtime/forms/Control.h"

namespace rt {

class Image : public BasicControl<Image> {
public:
    Image();

    const PictureRef& Picture() const { return m_picture; }
    Image& Picture(PictureRef picture);
    bool Stretch() const { return m_stretch; }
    Image& Stretch(bool stretch);

protected:
    bool IsWindowless() const override { return true; }
    void PaintWindowless(HDC dc) override;

private:
    PictureRef m_picture;
    bool m_stretch = false;
};

}  // namespace rt
