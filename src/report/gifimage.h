#pragma once
// GIF pictures: decoding with giflib, and the pictures compiled into the program as
// resources (":/images/<name>.gif").
#include <string>

#include <QByteArray>
#include <QImage>

namespace velmo {

// The first frame of a GIF file as a 32-bit image (transparent pixels stay
// transparent). A null image when the bytes are not a readable GIF; never throws.
QImage DecodeGif(const QByteArray& bytes);

// The embedded picture of that name, decoded once and then kept; a null image when
// there is no such picture or it cannot be decoded.
QImage LoadGifResource(const std::string& name);

// The resource path of an embedded picture.
QString GifResourcePath(const std::string& name);

}  // namespace velmo
