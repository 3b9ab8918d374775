// LoadBitmapA: a picture resource becomes a 32-bit bitmap, as the screen-compatible bitmaps
// of the machine the program was written for are. The program is one module, so the instance
// handle is not consulted.
#include <span>

#include "platform/gdi/surface_dc.h"
#include "platform/image/bmp.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/win32.h"

HBITMAP WINAPI LoadBitmapA(HINSTANCE, LPCSTR name) {
    const platform::ResourceEntry* entry =
        platform::Session::Current().resources().Find(RT_BITMAP, name);
    if (!entry) return nullptr;
    std::span<const uint8_t> bytes(static_cast<const uint8_t*>(entry->data), entry->size);
    platform::image::Picture picture;
    if (platform::image::DecodeBmp(bytes, &picture) != platform::image::BmpError::kNone)
        return nullptr;
    return platform::gdi::CreateBitmapFromPixels(picture.width, picture.height,
                                                 picture.pixels.data());
}
