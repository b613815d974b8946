#pragma once

namespace Render {
namespace OGL {

// Gives the buffer bound to target a store of size bytes with the usage, and
// proves the driver really allocated it by mapping it write-only and unmapping
// it; up to kStoreAttempts tries. True on the first successful unmap. The buffer
// stays bound; pending errors are left to the caller.
bool allocateBufferStore(unsigned target, unsigned name, int size, unsigned usage);

constexpr int kStoreAttempts = 10;

// A new buffer name with a proven store of size bytes (see allocateBufferStore),
// left unbound with pending errors drained; 0 when the driver could not give one,
// in which case nothing is left allocated.
unsigned createBufferStore(unsigned target, int size, unsigned usage);

// Copies byteCount bytes at bytePos out of, or into, the buffer bound to target;
// nothing for a count of 0 or less.
void readBufferData(unsigned target, void* dest, int byteCount, int bytePos);
void writeBufferData(unsigned target, const void* src, int byteCount, int bytePos);

}  // namespace OGL
}  // namespace Render
