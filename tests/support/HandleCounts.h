#pragma once

// Counts that show leaks. Wine counts no GDI objects with GetGuiResources, so the room left
// under the handle limit is measured instead; a leak shrinks it on every platform.
namespace HandleCounts {

// How many more GDI objects the process may make.
int GdiRoom();
// The top-level windows of the calling thread.
int ThreadWindowCount();

} // namespace HandleCounts
