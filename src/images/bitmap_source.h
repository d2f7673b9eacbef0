#pragma once

#include <cstddef>
#include <cstdint>

enum class BitmapError { None, OpenFailed, UnknownFormat, ConversionError, OutOfMemory };

// Where the decoder takes a bitmap's bytes from: an open file or a block in
// memory. Only the headers, the palette and the pixel rows are ever asked for.
class BitmapSource {
public:
    virtual ~BitmapSource() = default;
    virtual uint64_t size() const = 0;
    // Exactly count bytes from offset; false when they are not all there.
    virtual bool readAt(uint64_t offset, void* buffer, std::size_t count) const = 0;
};
