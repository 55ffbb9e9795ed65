#pragma once

// Keeps memory the process frees for its next frames instead of handing it
// back to the system at once. The software renderer allocates a large vertex
// buffer for every big draw and frees it straight after; with glibc's adaptive
// limits a level load can leave the heap so that this buffer is given back and
// taken again every frame: some 500 page faults a frame, a third more
// time for each frame beside a pool. Fixed limits keep that memory in the heap.
// Does nothing where the C library offers no such limits.
void keepFreedMemoryForFrames();
