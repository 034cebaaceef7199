// A clipboard bitmap in and out of ImageBytes. Colour depths below 16 bits
// use the fixed colour tables; the pixels always go through a DIB section of
// our own and BitBlt, never through another process's memory.
#pragma once

#include <windows.h>

#include <span>

#include "capture/bmp_codec.h"
#include "win32/handles_win32.h"

namespace tavimo::capture {

// Empty when the bitmap cannot be read or has an unsupported depth.
ImageBytes ImageBytesFromBitmap(HBITMAP bitmap);
// A DIB section with the image's size, depth and pixels; empty on bad bytes.
win32::UniqueBitmap BitmapFromImageBytes(std::span<const uint8_t> bytes);

// The clipboard's CF_BITMAP; empty when there is none or it cannot be read.
ImageBytes SaveClipboardBitmap();
// Replaces the clipboard's contents by the bitmap (or by nothing, for empty
// bytes). False when the clipboard cannot be opened or the bytes are bad.
bool RestoreClipboardBitmap(std::span<const uint8_t> bytes);

}  // namespace tavimo::capture
