#pragma once

namespace plat {

// Keeps memory the program frees in its own heap instead of handing it back
// to the system at once. Reloading a folder frees and rebuilds hundreds of
// thousands of small strings; returning the pages in between and faulting
// them in again doubled the cost of every reload. Call once at start-up.
void KeepFreedHeap();

} // namespace plat
