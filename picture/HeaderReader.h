#pragma once
// The width and height a PNG, GIF, JPEG or BMP header states, read from a ByteSource. The
// format is told by the leading signature bytes, never by a file name. The reader asks only
// for the bytes it needs, only inside the source, and gives (0, 0) for anything it cannot
// read: unknown signatures, short files, broken segments.
#include "picture/ByteSource.h"
#include "picture/IMAGES.h"

ImageSize ReadImageSize(ByteSource& source);
