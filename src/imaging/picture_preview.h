#pragma once
// Pictures for showing on screen: what the operator chose, or the
// black-and-white result of a conversion, fitted into a box.

#include <QImage>
#include <QSize>
#include <string>

#include "core/graphic/grey_bitmap.h"

namespace vidodez::imaging {

// A deep copy of a grey bitmap as an 8-bit grey image; null when empty.
QImage ImageFromGrey(const GreyBitmap& bitmap);

// `image` laid on white and scaled to fit `box`, keeping its proportions.
// Shrinking smooths; enlarging keeps the pixels square, so a small
// black-and-white picture still shows its dots.
QImage FitOnWhite(const QImage& image, QSize box);

// The picture file in its own colours, decoded no larger than `box` needs;
// the grey `loaded` stands in for files Qt does not read (PCX).
QImage PicturePreview(const std::string& path, const GreyBitmap& loaded, QSize box);

}  // namespace vidodez::imaging
