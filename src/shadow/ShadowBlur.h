#pragma once

#include "shadow/GreyPlane.h"
#include "shadow/ShadowBitmap.h"

namespace quorbel {

// The shadow's blur, pixel by pixel exactly as it is defined: in place, rows
// from the top, columns from the left; every colour byte becomes the sum of the
// same byte of four samples k pixels away diagonally, divided by 4. Samples are
// read when the pixel is visited, so rows above already hold this pass's
// results. Alpha bytes are left alone.
class ShadowBlur
{
public:
    explicit ShadowBlur(ShadowBitmap &bitmap) : FBitmap(bitmap) {}

    int ClampX(int v) const;
    int ClampY(int v) const;
    void BlurPass(int k);

private:
    ShadowBitmap &FBitmap;
};

// BlurPass with distances 1, 2, ..., passes.
void Blur(ShadowBitmap &bitmap, int passes);

// The same passes over a grey image, many pixels at a time: gives the grey of
// what Blur gives a bitmap whose blue, green and red bytes hold these greys.
void BlurGrey(GreyPlane &plane, int passes);
void BlurGreyPass(GreyPlane &plane, int k);

} // namespace quorbel
