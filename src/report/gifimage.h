#pragma once
// GIF pictures: decoding with giflib, and the pictures compiled into the program as
// resources (":/images/<name>.gif").
#include <string>
#include <vector>

#include <QByteArray>
#include <QImage>

namespace velmo {

// The first frame of a GIF file as a 32-bit image: ARGB32 when it has transparent
// pixels (they stay transparent), RGB32 when every pixel is opaque. A null image when
// the bytes are not a readable GIF; never throws.
QImage DecodeGif(const QByteArray& bytes);

// The embedded picture of that name, decoded once and then kept; a null image when
// there is no such picture or it cannot be decoded. Safe to call from any thread.
QImage LoadGifResource(const std::string& name);
// Starts decoding those of the named pictures not yet loaded, one after the other in
// the order given, on a thread of its own; LoadGifResource then waits for a picture
// only while it is still being decoded. The program waits for the thread when it ends.
void PreloadGifResources(const std::vector<std::string>& names);
// Drops every decoded picture, once any decoding ahead has finished.
void ForgetGifResources();

// The resource path of an embedded picture.
QString GifResourcePath(const std::string& name);

}  // namespace velmo
