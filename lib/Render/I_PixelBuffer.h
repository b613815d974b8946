#pragma once

namespace Render {

// A pixel buffer object: the target of pixel reads or the source of pixel
// uploads, chosen when it is bound.
class I_PixelBuffer {
public:
    virtual ~I_PixelBuffer() {}

    // The size in bytes; 0 when the buffer could not be made.
    virtual int getBufferSize() const = 0;
    // Binds the buffer: forRead true makes it receive pixel reads (pack target),
    // false makes it feed pixel uploads and draws (unpack target).
    virtual void beginUsing(bool forRead) const = 0;
    virtual void endUsing() const = 0;
    // Bytes at a byte position of the buffer bound by beginUsing.
    virtual void getData(void* dest, int byteCount, int bytePos) const = 0;
    virtual void putData(const void* src, int byteCount, int bytePos) = 0;
};

}  // namespace Render
