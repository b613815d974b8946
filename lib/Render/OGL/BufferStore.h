#pragma once

namespace Render {
namespace OGL {

// Gives the buffer bound to target a store of size bytes with the usage, and
// proves the driver really allocated it by mapping it write-only and unmapping
// it; up to kStoreAttempts tries. True on the first successful unmap. The buffer
// stays bound; pending errors are left to the caller.
bool allocateBufferStore(unsigned target, unsigned name, int size, unsigned usage);

constexpr int kStoreAttempts = 10;

}  // namespace OGL
}  // namespace Render
